// Rigid-body guidance checked on linkages built here: a four-bar is closed by circle
// intersection at three crank angles, its coupler positions handed over, and its pivots,
// lengths, crank angles and assembly recovered; the defaults, each failure, the drawing.
#include "link/guidance.h"

#include "link/kinematics.h"
#include "link/picture_probe.h"

#include <QImage>
#include <QPainter>
#include <QTransform>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr Extended kDeg = kPi / 180;
const QColor kYellowish{250, 240, 120};  // outside the box, unlike anything the drawing paints

GuidancePoint polar(GuidancePoint o, Extended len, Extended deg) {
  return {o.x + len * std::cos(deg * kDeg), o.y + len * std::sin(deg * kDeg)};
}

// C at distance b from B and c from D, to the left of B→D or to its right.
GuidancePoint closeLoop(GuidancePoint B, GuidancePoint D, Extended b, Extended c, bool left) {
  const Extended dx = D.x - B.x, dy = D.y - B.y, e = std::hypot(dx, dy);
  const Extended along = (b * b - c * c + e * e) / (2 * e), h = std::sqrt(b * b - along * along);
  const Extended s = left ? 1 : -1;
  return {B.x + (along * dx - s * h * dy) / e, B.y + (along * dy + s * h * dx) / e};
}

Extended angleOf(GuidancePoint p, GuidancePoint q) { return std::atan2(q.y - p.y, q.x - p.x) / kDeg; }

struct KnownFourBar {
  const char* name;
  int type;
  Extended a, b, c, d;
  GuidancePoint A;
  Extended frame;       // angle of A→D
  Extended phi[3];      // crank angles against A→D
  bool left;            // C to the left of B→D
  GuidancePoint mark;   // type 2: M relative to B, x along BC
  int kind;
  bool branch;          // SolveDyad's flag for this assembly
};

class KnownFourBarTest : public testing::TestWithParam<KnownFourBar> {};

TEST_P(KnownFourBarTest, PivotsLengthsAnglesAndBranchRecovered) {
  const KnownFourBar& k = GetParam();
  const GuidancePoint D = polar(k.A, k.d, k.frame);
  GuidanceInput in;
  in.type = k.type;
  in.BC = k.b;
  in.y0 = k.A.y;
  const int count = k.type == kGuidanceTwoOnLine ? 2 : 3;
  GuidancePoint B[3], C[3];
  for (int i = 0; i < count; ++i) {
    B[i] = polar(k.A, k.a, k.frame + k.phi[i]);
    C[i] = closeLoop(B[i], D, k.b, k.c, k.left);
    const Extended bc = angleOf(B[i], C[i]);
    if (k.type == kGuidanceThreeOfPlane) {
      // M fixed in the coupler, MN at 40° to BC; B and C seen from M along MN.
      const GuidancePoint M = polar(polar(B[i], k.mark.x, bc), k.mark.y, bc + 90);
      in.pose[i] = {M.x, M.y, bc + 40};
    } else {
      in.pose[i] = {B[i].x, B[i].y, bc};
    }
  }
  if (k.type == kGuidanceThreeOfPlane) {
    // B − M and C − M in the coupler's frame along BC, then turned back by MN's 40°.
    const Extended s = std::sin(40 * kDeg), c = std::cos(40 * kDeg);
    const Extended by = -k.mark.y, bx = -k.mark.x, cx = k.b - k.mark.x;
    in.B = {bx * c + by * s, -bx * s + by * c};
    in.C = {cx * c + by * s, -cx * s + by * c};
  }

  const GuidanceDesign g = DesignGuidance(in);
  ASSERT_TRUE(g.ok()) << GuidanceMessage(g.fault).toStdString();
  constexpr Extended kTol = 1e-9L;
  EXPECT_NEAR(g.A.x, k.A.x, kTol);
  EXPECT_NEAR(g.A.y, k.A.y, kTol);
  EXPECT_NEAR(g.D.x, D.x, kTol);
  EXPECT_NEAR(g.D.y, D.y, kTol);
  EXPECT_NEAR(g.AB, k.a, kTol);
  EXPECT_NEAR(g.BC, k.b, kTol);
  EXPECT_NEAR(g.CD, k.c, kTol);
  EXPECT_NEAR(g.AD, k.d, kTol);
  EXPECT_NEAR(g.frameAngle, k.frame, 1e-9L);
  EXPECT_EQ(g.kind, k.kind);

  const GuidanceMotion m = GuidancePositions(g);
  ASSERT_EQ(m.count, count);
  for (int i = 0; i < count; ++i) {
    EXPECT_NEAR(m.phi[i], std::fmod(k.phi[i] + 360, 360), 1e-9L) << i;
    EXPECT_EQ(m.branch[i], k.branch) << i;
    // The analysis' own closure with that flag meets the position asked.
    TBarState input{0, 0, g.AB, m.phi[i] * kDeg, 1, 0}, coupler{}, output{};
    coupler.Len = g.BC;
    output.Len = g.CD;
    SolveDyad(m.branch[i], input, coupler, output, g.AD);
    EXPECT_NEAR(std::remainder(coupler.Angle / kDeg + k.frame - angleOf(B[i], C[i]), 360), 0, 1e-7L) << i;
    EXPECT_NEAR(std::remainder(output.Angle / kDeg + k.frame - angleOf(D, C[i]), 360), 0, 1e-7L) << i;
  }
  EXPECT_TRUE(m.sameBranch);
  EXPECT_TRUE(m.inOrder);
}

INSTANTIATE_TEST_SUITE_P(
    Guidance, KnownFourBarTest,
    testing::Values(
        KnownFourBar{"CrankRockerThreeOfBC", kGuidanceThreeOfBC, 30, 100, 80, 110, {12, -7}, 25, {10, 70, 150}, true, {}, 10, false},
        KnownFourBar{"OtherAssembly", kGuidanceThreeOfBC, 30, 100, 80, 110, {-40, 5}, -130, {200, 260, 320}, false, {}, 10, true},
        KnownFourBar{"DoubleRockerPlane", kGuidanceThreeOfPlane, 90, 40, 100, 80, {3, 4}, 75, {50, 70, 90}, true, {25, 30}, 0, false},
        KnownFourBar{"TwoOnLine", kGuidanceTwoOnLine, 35, 110, 75, 100, {5, 2.5}, 0, {30, 120, 0}, true, {}, 10, false},
        KnownFourBar{"TwoOnLineReversed", kGuidanceTwoOnLine, 40, 120, 90, 100, {80, -10}, 180, {-60, -10, 0}, true, {}, 10, false}),
    [](const testing::TestParamInfo<KnownFourBar>& info) { return std::string(info.param.name); });


// The defaults of each type, the lengths computed apart from the program (double precision).
struct DefaultCase {
  int type;
  Extended AB, CD, AD, frame;
  Extended phi[3];
};

class GuidanceDefaultsTest : public testing::TestWithParam<DefaultCase> {};

TEST_P(GuidanceDefaultsTest, GiveACrankRockerThroughItsPositionsInOrder) {
  const DefaultCase& k = GetParam();
  const GuidanceDesign g = DesignGuidance(GuidanceInput::Defaults(k.type));
  ASSERT_TRUE(g.ok());
  EXPECT_NEAR(g.AB, k.AB, 1e-9L);
  EXPECT_NEAR(g.BC, 110, 1e-9L);
  EXPECT_NEAR(g.CD, k.CD, 1e-9L);
  EXPECT_NEAR(g.AD, k.AD, 1e-9L);
  EXPECT_NEAR(g.frameAngle, k.frame, 1e-9L);
  EXPECT_EQ(g.kind, 10);  // crank-rocker, AB the crank
  for (int i = 0; i < g.count; ++i) {
    EXPECT_NEAR(std::hypot(g.B[i].x - g.A.x, g.B[i].y - g.A.y), g.AB, 1e-9L);
    EXPECT_NEAR(std::hypot(g.C[i].x - g.D.x, g.C[i].y - g.D.y), g.CD, 1e-9L);
  }
  const GuidanceMotion m = GuidancePositions(g);
  for (int i = 0; i < g.count; ++i) EXPECT_NEAR(m.phi[i], k.phi[i], 1e-9L) << i;
  EXPECT_TRUE(m.sameBranch);
  EXPECT_TRUE(m.inOrder);
  EXPECT_TRUE(m.counterClockwise);
}

INSTANTIATE_TEST_SUITE_P(
    Guidance, GuidanceDefaultsTest,
    testing::Values(DefaultCase{0, 34.99057015825835L, 75.03864722470281L, 99.90415660992204L, 0, {30.008915278201332L, 120.00891527820134L}},
                    DefaultCase{1, 34.95923066065732L, 75.77795831534945L, 99.83734616948706L, -0.4662740804248914L,
                                {30.42380302306487L, 75.39768774612189L, 120.52657569418758L}},
                    DefaultCase{2, 34.7942206348343L, 73.96389939808374L, 99.85797380513777L, 0.4860489982824125L,
                                {29.12848722056602L, 74.33383982860344L, 119.79324644334598L}}));

// Each failure, with the points it names.
struct FailureCase {
  const char* name;
  GuidanceInput input;
  GuidanceFailure kind;
  QStringList points;
};

GuidanceInput three(int type, CouplerPose p1, CouplerPose p2, CouplerPose p3, Extended bc = 50,
                    GuidancePoint B = {-25, 0}, GuidancePoint C = {25, 0}) {
  GuidanceInput in;
  in.type = type;
  in.pose = {p1, p2, p3};
  in.BC = bc;
  in.B = B;
  in.C = C;
  return in;
}

// The coupler turning about the origin: every pivot's circle has the same centre.
CouplerPose turned(Extended deg) { return {30 * std::cos(deg * kDeg), 30 * std::sin(deg * kDeg), deg + 90}; }

class GuidanceFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(GuidanceFailureTest, NamesWhatIsWrong) {
  const FailureCase& k = GetParam();
  const GuidanceDesign g = DesignGuidance(k.input);
  EXPECT_EQ(g.fault.kind, k.kind);
  EXPECT_EQ(g.fault.points, k.points);
  const QString message = GuidanceMessage(g.fault);
  for (const QString& point : k.points) EXPECT_TRUE(message.contains(point)) << message.toStdString();
  EXPECT_EQ(GuidancePositions(g).count, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Guidance, GuidanceFailureTest,
    testing::Values(
        FailureCase{"BOnOneLine", three(1, {0, 0, 10}, {10, 10, 20}, {20, 20, 40}), GuidanceFailure::Collinear, {"B1", "B2", "B3"}},
        FailureCase{"TwoPositionsAlike", three(1, {0, 0, 10}, {0, 0, 10}, {20, 5, 40}), GuidanceFailure::Collinear, {"B1", "B2", "B3"}},
        // M at C: C moves along a line while B swings.
        FailureCase{"COnOneLine", three(2, {0, 0, 0}, {10, 0, 20}, {20, 0, 40}, 0, {-50, 0}, {0, 0}),
                    GuidanceFailure::Collinear, {"C1", "C2", "C3"}},
        FailureCase{"BisectorParallel", three(0, {0, 0, 10}, {0, 20, 30}, {}), GuidanceFailure::BisectorParallel, {"B1", "B2"}},
        FailureCase{"TurnAboutB", three(0, {5, 5, 10}, {5, 5, 30}, {}), GuidanceFailure::CoincidentPoints, {"B1", "B2"}},
        FailureCase{"ZeroBC", three(0, {0, 0, 10}, {10, 20, 30}, {}, 0), GuidanceFailure::ZeroCoupler, {"B", "C"}},
        FailureCase{"NegativeBC", three(1, {0, 0, 10}, {10, 20, 30}, {30, 25, 40}, -5), GuidanceFailure::ZeroCoupler, {"B", "C"}},
        FailureCase{"PlaneBOnC", three(2, {0, 0, 10}, {10, 20, 30}, {30, 25, 40}, 0, {7, 3}, {7, 3}),
                    GuidanceFailure::ZeroCoupler, {"B", "C"}},
        FailureCase{"PureTurn", three(1, turned(10), turned(50), turned(100)), GuidanceFailure::ZeroLink, {"A", "D"}},
        FailureCase{"PureTurnOnLine", three(0, turned(20), turned(70), {}), GuidanceFailure::ZeroLink, {"A", "D"}}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

// The drawing keeps inside its box at one scale for x and y, whatever the numbers, with A, D
// and the first coupler position inked where the view puts them.
struct DrawingCase {
  int type;
  Extended scale;  // applied to every coordinate and length of the defaults
  QRect box;
};

class GuidanceDrawingTest : public testing::TestWithParam<DrawingCase> {};

TEST_P(GuidanceDrawingTest, FitsItsBox) {
  RegisterFigureFonts();
  const DrawingCase& k = GetParam();
  GuidanceInput in = GuidanceInput::Defaults(k.type);
  for (CouplerPose& p : in.pose) p.x *= k.scale, p.y *= k.scale;
  in.BC *= k.scale, in.y0 *= k.scale;
  in.B.x *= k.scale, in.B.y *= k.scale, in.C.x *= k.scale, in.C.y *= k.scale;
  const GuidanceDesign g = DesignGuidance(in);
  ASSERT_TRUE(g.ok());
  QImage image(k.box.right() + 20, k.box.bottom() + 20, QImage::Format_RGB32);
  image.fill(kYellowish);
  {
    QPainter p(&image);
    DrawGuidanceConstruction(p, k.box, g);
  }
  const QTransform view = GuidanceConstructionView(k.box, g);
  EXPECT_DOUBLE_EQ(view.m11(), -view.m22());
  EXPECT_EQ(CountIn(image, image.rect(), [](QRgb c) { return c == kYellowish.rgb(); }),
            image.width() * image.height() - k.box.width() * k.box.height());
  auto inkNear = [&](GuidancePoint at, const QColor& colour) {
    const QPoint q = view.map(QPointF(double(at.x), double(at.y))).toPoint();
    EXPECT_TRUE(k.box.contains(q));
    return CountIn(image, QRect(q - QPoint(3, 3), QSize(7, 7)),
                   [&](QRgb c) { return NearestPaletteColour(c) == colour; }) > 0;
  };
  EXPECT_TRUE(inkNear(g.A, kGreen));
  EXPECT_TRUE(inkNear(g.D, kGreen));
  EXPECT_TRUE(inkNear(g.B[0], kBlue));
  EXPECT_TRUE(inkNear(g.C[g.count - 1], kBlue));
}

INSTANTIATE_TEST_SUITE_P(Guidance, GuidanceDrawingTest,
                         testing::Values(DrawingCase{0, 1, {10, 20, 400, 300}}, DrawingCase{1, 1000, {5, 5, 120, 420}},
                                         DrawingCase{2, 1e-3L, {30, 10, 300, 90}}, DrawingCase{1, 1, {0, 0, 60, 40}}));

TEST(GuidanceDrawingTest, CoordinatesBeyondThePixelRangeLeaveTheBoxBlank) {
  GuidanceInput in = GuidanceInput::Defaults(1);
  in.pose[2].x = 1e4000L;
  const GuidanceDesign g = DesignGuidance(in);
  QImage image(50, 50, QImage::Format_RGB32);
  image.fill(Qt::black);
  {
    QPainter p(&image);
    DrawGuidanceConstruction(p, QRectF(0, 0, 50, 50), g);
  }
  EXPECT_EQ(CountIn(image, image.rect(), [](QRgb c) { return c == qRgb(255, 255, 255); }), 2500);
}

}  // namespace
