// The design check against what the test works out for itself: closed-form dead positions and
// transmission angles, its own sweeps of the linkages, and the windows' default designs.
#include "support/design_check_defaults.h"
#include "support/dwell_sweep.h"  // the link kinematics and the crank-rocker's dwell swept here

#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr Extended kRad = kPi / 180;

const CheckRow* findRow(const DesignCheckResult& r, const QString& item) {
  for (const CheckRow& row : r.rows)
    if (row.item.startsWith(item)) return &row;
  return nullptr;
}

// The number a cell starts with ("17.614°（φ=…）" gives 17.614).
double leading(const QString& text) {
  int end = 0;
  while (end < text.size() && (text[end].isDigit() || text[end] == u'.' || text[end] == u'-')) ++end;
  return text.left(end).toDouble();
}

// Angle at the vertex opposite side `opposite` (law of cosines), degrees.
Extended angleOpposite(Extended opposite, Extended s1, Extended s2) {
  return std::acos((s1 * s1 + s2 * s2 - opposite * opposite) / (2 * s1 * s2)) / kRad;
}

// The crank-rocker's dead positions with crank and coupler stretched (AC = b + a) and overlapping
// (AC = b − a): K from the angle between them at A, the swing from the angles at D; γmin with the
// crank along the frame, towards D or away from it.
struct RockerTruth { Extended K, swing, gammaMin; };
RockerTruth rockerTruth(Extended a, Extended b, Extended c, Extended d) {
  const Extended theta = angleOpposite(c, b - a, d) - angleOpposite(c, b + a, d);
  const Extended swing = angleOpposite(b + a, c, d) - angleOpposite(b - a, c, d);
  Extended gamma = 90;
  for (Extended bd : {std::fabs(d - a), d + a}) {
    const Extended mu = angleOpposite(bd, b, c);
    gamma = std::min(gamma, std::min(mu, 180 - mu));
  }
  return {(180 + std::fabs(theta)) / (180 - std::fabs(theta)), swing, gamma};
}

// --- Every value row against the test's own geometry ---

// The check, the row, and the value the test expects in it.
struct TruthCase { const char* name; DesignCheckResult (*check)(); const char* item; Extended truth; double tolerance; };

class CheckTruthTest : public ::testing::TestWithParam<TruthCase> {};

TEST_P(CheckTruthTest, AchievedValueAgreesWithTheTestsOwnGeometry) {
  const TruthCase& c = GetParam();
  const CheckRow* row = findRow(c.check(), QString::fromUtf8(c.item));
  ASSERT_NE(row, nullptr) << c.item;
  EXPECT_NEAR(leading(row->achieved), double(c.truth), c.tolerance) << qPrintable(row->achieved);
}

const Linkage kRocker = Linkage::FourBar(LinkageKind::CrankRocker, 25, 70, 60, 80);
DesignCheckResult rockerCheck() { return CheckQuickReturnCrankRocker(1, 40, 40, kRocker); }
DesignCheckResult sliderCheck() { return CheckQuickReturnCrankSlider(40, 1, 30, Linkage::CrankSlider(20, 70, 12)); }
DesignCheckResult guideBarCheck() { return CheckQuickReturnGuideBar(1, 30, Linkage::GuideBar(20, 60)); }
DesignCheckResult dwellCheck() { return CheckDwellCrankRocker(4, 100, Linkage::FourBar(LinkageKind::CrankRocker, 20, 30, 50, 45)); }

// The output angle of the linkage at phi on one assembly (deg).
Extended outputAt(const Linkage& k, Extended phi, bool branch) {
  TBarState input{0, 0, k.AB, phi * kRad, 1, 0}, coupler{}, output{};
  coupler.Len = k.BC, output.Len = k.CD;
  SolveDyad(branch, input, coupler, output, k.AD);
  return output.Angle / kRad;
}

// The slider's θ between its dead positions, AC = b − a and AC = b + a, on the guide at e = 12.
const Extended kSliderTheta = (std::asin(12 / 50.0L) - std::asin(12 / 90.0L)) / kRad;
Extended dwellTruth() {
  Extended psiMin = 0;
  return dwell_sweep::RockerBand(20, 30, 50, 45, 4, 0.002L, psiMin).length;
}
// The default function generator's largest error, f = lg x on [1, 2] over 60° and 90°, at 2000 x.
Extended structuralTruth() {
  const Linkage k = check_defaults::FunctionGenerator();
  Extended worst = 0;
  for (int i = 0; i <= 2000; ++i) {
    const Extended x = 1 + i / 2000.0L, psi = outputAt(k, 86 + 60 * (x - 1), false);
    worst = std::max(worst, std::fabs(std::remainder(psi - 23.5L - 90 * std::log10(x) / std::log10(2.0L), Extended(360))));
  }
  return worst;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CheckTruthTest,
    ::testing::Values(TruthCase{"RockerK", rockerCheck, "行程速比系数K", rockerTruth(25, 70, 60, 80).K, 6e-4},  // 3 decimals
                      TruthCase{"RockerSwing", rockerCheck, "摇杆摆角ψ", rockerTruth(25, 70, 60, 80).swing, 1e-3},
                      TruthCase{"RockerGamma", rockerCheck, "最小传动角", rockerTruth(25, 70, 60, 80).gammaMin, 1e-3},
                      TruthCase{"SliderStroke", sliderCheck, "冲程H", std::sqrt(8100.0L - 144) - std::sqrt(2500.0L - 144), 1e-3},
                      TruthCase{"SliderK", sliderCheck, "行程速比系数K", (180 + kSliderTheta) / (180 - kSliderTheta), 6e-4},
                      TruthCase{"SliderGamma", sliderCheck, "最小传动角", std::acos(32 / 70.0L) / kRad, 1e-3},
                      // The bar's extremes are square to the crank: it swings 2·asin(r/d).
                      TruthCase{"GuideBarSwing", guideBarCheck, "导杆摆角", 2 * std::asin(20 / 60.0L) / kRad, 1e-3},
                      TruthCase{"DwellRocker", dwellCheck, "停歇区间φ", dwellTruth(), 0.005},
                      TruthCase{"StructuralError", check_defaults::FunctionGeneration, "最大结构误差", structuralTruth(), 2e-3}),
    [](const auto& info) { return std::string(info.param.name); });

// --- The windows' defaults, and the numbers ---

// The rows failed, and a row to look at with its value and verdict.
struct DefaultCase {
  const char* name;
  DesignCheckResult (*check)();
  int failures;
  const char* item = nullptr;
  double value = 0;
  CheckVerdict verdict = CheckVerdict::Met;
};

class DefaultDesignTest : public ::testing::TestWithParam<DefaultCase> {};

TEST_P(DefaultDesignTest, ChecksAsTheDesignDeserves) {
  const DefaultCase& c = GetParam();
  const DesignCheckResult r = c.check();
  EXPECT_EQ(r.failures(), c.failures) << qPrintable(CheckSummaryLine(r));
  EXPECT_FALSE(r.plot.curve.empty());
  if (!c.item) return;
  const CheckRow* row = findRow(r, QString::fromUtf8(c.item));
  ASSERT_NE(row, nullptr);
  EXPECT_NEAR(leading(row->achieved), c.value, 0.005) << qPrintable(row->achieved);
  EXPECT_EQ(row->verdict, c.verdict);
}

using namespace check_defaults;
INSTANTIATE_TEST_SUITE_P(
    Windows, DefaultDesignTest,
    ::testing::Values(DefaultCase{"CorrespondingFourBar", CorrespondingFourBar, 0, "最小传动角", 12.675, CheckVerdict::Low},
                      DefaultCase{"CorrespondingSlider", CorrespondingCrankSlider, 0, "位置2", 28},
                      DefaultCase{"FunctionGeneration", FunctionGeneration, 0, "结点处误差", 0},
                      DefaultCase{"QuickReturnRocker", QuickReturnCrankRocker, 1, "最小传动角", 17.614, CheckVerdict::NotMet},
                      DefaultCase{"QuickReturnSlider", QuickReturnCrankSlider, 1, "冲程H", 50},
                      DefaultCase{"QuickReturnGuideBar", QuickReturnGuideBar, 0, "导杆摆角", 30},
                      DefaultCase{"DwellRocker", DwellCrankRocker, 0, "最小传动角", 22.332, CheckVerdict::Low},
                      DefaultCase{"DwellSlider", DwellCrankSlider, 2, "冲程H", 40, CheckVerdict::NotMet},
                      DefaultCase{"TransmissionRocker1", TransmissionCrankRocker1, 1, "ψ12", 40},
                      DefaultCase{"TransmissionRocker2Chart", TransmissionCrankRocker2Chart, 1},
                      DefaultCase{"TransmissionRocker2Formulas", TransmissionCrankRocker2Formulas, 0, "最小传动角", 50},
                      DefaultCase{"TransmissionSlider", TransmissionCrankSlider, 1, "极位夹角θ", 19.956, CheckVerdict::NotMet},
                      DefaultCase{"DoubleCrank", DoubleCrank, 1}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Positions: the assembly branch, a non-crank input, coupler poses ---

struct PositionCase {
  const char* name;
  Linkage linkage;
  Extended phi[3];
  bool branch[3];  // the assembly each asked position is taken on
  int positionsMet;
  bool oneBranch, continuous;
};

class PositionTest : public ::testing::TestWithParam<PositionCase> {};

int positionsMet(const DesignCheckResult& r) {
  return int(std::count_if(r.rows.begin(), r.rows.end(), [](const CheckRow& row) {
    return row.item.startsWith(u"位置") && row.verdict == CheckVerdict::Met;
  }));
}

TEST_P(PositionTest, RowsFollowTheAssemblyOfEachPosition) {
  const PositionCase& c = GetParam();
  CorrespondingAsk ask;
  for (int i = 0; i < 3; ++i) ask.phi[i] = c.phi[i], ask.psi[i] = outputAt(c.linkage, c.phi[i], c.branch[i]);
  const DesignCheckResult r = CheckCorrespondingFourBar(ask, c.linkage);
  EXPECT_EQ(positionsMet(r), c.positionsMet);
  EXPECT_EQ(findRow(r, QStringLiteral("装配构形"))->verdict == CheckVerdict::Met, c.oneBranch);
  EXPECT_EQ(findRow(r, QStringLiteral("运动连续性"))->verdict == CheckVerdict::Met, c.continuous);

  // The same positions asked as coupler poses, A and D moved and the frame turned.
  CouplerPositionsAsk poses{{10, 20}, {10 + c.linkage.AD * 0.6, 20 + c.linkage.AD * 0.8}, {}, {}};
  for (int i = 0; i < 3; ++i) {
    const Extended f = (c.phi[i] + 53.130102354155978703L) * kRad, p = (ask.psi[i] + 53.130102354155978703L) * kRad;
    poses.B[i] = QPointF(double(10 + c.linkage.AB * std::cos(f)), double(20 + c.linkage.AB * std::sin(f)));
    poses.C[i] = QPointF(double(poses.D.x() + c.linkage.CD * std::cos(p)), double(poses.D.y() + c.linkage.CD * std::sin(p)));
  }
  const DesignCheckResult g = CheckCouplerPositions(poses, c.linkage);
  EXPECT_EQ(positionsMet(g), c.positionsMet);
  EXPECT_EQ(findRow(g, QStringLiteral("运动连续性"))->verdict == CheckVerdict::Met, c.continuous);
}

// A double rocker (no link turns fully): AB swings within ±100.81° about the frame.
const Linkage kDoubleRocker = Linkage::FourBar(LinkageKind::FourBarByKind, 50, 40, 45, 60);

INSTANTIATE_TEST_SUITE_P(
    Assemblies, PositionTest,
    ::testing::Values(PositionCase{"AsDrawn", kRocker, {30, 80, 140}, {false, false, false}, 3, true, true},
                      PositionCase{"OtherAssembly", kRocker, {30, 80, 140}, {true, true, true}, 0, true, true},
                      PositionCase{"TwoBranches", kRocker, {30, 80, 140}, {false, false, true}, 2, false, false},
                      PositionCase{"OutOfOrder", kRocker, {30, 140, 80}, {false, false, false}, 3, true, false},
                      PositionCase{"RockerInput", kDoubleRocker, {-30, 0, 40}, {false, false, false}, 3, true, true},
                      PositionCase{"AcrossItsDeadPosition", kDoubleRocker, {60, 90, 110}, {false, false, false}, 2, true,
                                   false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LinkageSweepTest, RockerInputRangeEndsWhereCouplerAndOutputStretch) {
  const LinkageSweep sweep(kDoubleRocker);
  const Extended limit = angleOpposite(85, 50, 60);  // BD = b + c
  EXPECT_FALSE(sweep.fullTurn());
  EXPECT_NEAR(double(sweep.lower()), double(-limit), 1e-6);
  EXPECT_NEAR(double(sweep.upper()), double(limit), 1e-6);
  // The stretched dyad at the limit leaves no transmission angle.
  EXPECT_NEAR(double(SweepMinimum([&](Extended p) { return sweep.transmission(p); }, sweep.samples()).value), 0, 1e-3);
}

// --- The dwell crank-slider as the analysis receives it ---

struct MendCase { Extended a, b, e, dH; };

class DwellMendTest : public ::testing::TestWithParam<MendCase> {};

// Where the slider, swept here as the panel sweeps the linkage, enters or leaves the band of
// dH at its rear dead position: the sampled crank angles (0.01°) where it changes.
std::vector<Extended> bandEnds(const Linkage& k, Extended dH) {
  std::vector<Extended> s(36000), ends;
  Extended v, acc;
  for (int i = 0; i < 36000; ++i) CrankSliderAt(i * 0.01L * kRad, 1, k.r, k.l, k.e, s[i], v, acc);
  const Extended band = *std::max_element(s.begin(), s.end()) - dH;
  for (int i = 0; i < 36000; ++i)
    if ((s[i] >= band) != (s[(i + 1) % 36000] >= band)) ends.push_back(i * 0.01L);
  return ends;
}

TEST_P(DwellMendTest, SweptAnalysisLinkageDwellsFromTheReportedCrankAngle) {
  const MendCase& c = GetParam();
  Extended H = 0;
  ASSERT_TRUE(CrankSliderStroke(c.a, c.b, c.e, H));
  const DwellDesign q = check_defaults::SliderDwell(c.a, c.b, c.e, H, c.dH);
  const auto nearest = [&](const Linkage& k) {
    Extended best = 360;
    for (Extended end : bandEnds(k, c.dH)) best = std::min(best, std::fabs(std::remainder(end - q.phi, Extended(360))));
    return best;
  };
  // The equation is second order in λ: its φ is a degree or two off the exact end at most.
  EXPECT_LT(nearest(DwellCrankSliderAnalysisLinkage(q)), 2);
  EXPECT_GT(nearest(Linkage::CrankSlider(q.a, q.b, q.e)), 10);  // the guide on the wrong side
  const DesignCheckResult r = CheckDwellCrankSlider(H, c.dH, q.phi, DwellCrankSliderAnalysisLinkage(q));
  EXPECT_EQ(findRow(r, QStringLiteral("冲程H"))->verdict, CheckVerdict::Met);
  EXPECT_LT(std::fabs(leading(findRow(r, QStringLiteral("停歇区间φ"))->deviation)), 2);
}

INSTANTIATE_TEST_SUITE_P(Offsets, DwellMendTest,
                         ::testing::Values(MendCase{20, 60, 10, 2}, MendCase{20, 60, -8, 2}, MendCase{15, 50, 6, 1}));

// --- The plot ---

TEST(DrawCheckPlotTest, ShadesTheIntervalAndDrawsTheCurveWhereTheAxesPutThem) {
  QImage image(472, 240, QImage::Format_RGB32);
  const CheckPlot plot{{}, {}, {}, {{0, 3}, {10, 3}}, {{5, 6}}, std::nullopt, std::make_pair(0.0, 1.0), std::make_pair(2.0, 4.0)};
  QPainter painter(&image);
  DrawCheckPlot(painter, QRectF(0, 0, 472, 240), plot);
  painter.end();
  // x 0…10 spans 56…456 px; y 0…6 (ticks of 1) spans 200…26 px.
  const auto colourAt = [&](double x, double y) { return image.pixelColor(int(56 + x * 40), int(200 - y * 29)); };
  EXPECT_EQ(colourAt(3, 4.5), QColor(255, 236, 179));
  EXPECT_EQ(colourAt(7, 4.5), QColor(Qt::white));
  EXPECT_EQ(colourAt(7, 0.5), QColor(204, 229, 255));
  EXPECT_GT(colourAt(7, 3).blue(), 200);
  EXPECT_LT(colourAt(7, 3).red(), 128);
}

}  // namespace
