// Primitives and mechanism figures, probed at pixels their geometry fixes.
#include "link/figures.h"

#include "base/errors.h"
#include "link/picture_probe.h"

#include <QPainter>
#include <QPoint>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr Extended kDeg = kPi / 180;
const QColor kWhite = Qt::white, kBlack = Qt::black, kYellow{255, 255, 0};

// A white picture with a painter as the figures leave it: black pen, yellow brush, so fills
// and blanking strokes can be told from the background.
struct Canvas {
  explicit Canvas(int penWidth = 1, QSize size = {100, 100}) : image(size, QImage::Format_RGB32) {
    image.fill(Qt::white);
    painter.begin(&image);
    painter.setPen(QPen(kBlack, penWidth));
    painter.setBrush(kYellow);
  }
  QImage& done() {
    painter.end();
    return image;
  }
  QImage image;
  QPainter painter;
};

QRect Bounds(const QImage& image, const QColor& background) {
  QRect r;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background.rgb()) r |= QRect(x, y, 1, 1);
  return r;
}

}  // namespace

TEST(DrawArrowTest, ZeroLengthDrawsNoHead) {
  Canvas c;
  DrawArrow(c.painter, {50, 50}, {50, 50});
  const QRect painted = Bounds(c.done(), kWhite);
  EXPECT_TRUE(painted.isEmpty() || QRect(49, 49, 3, 3).contains(painted)) << painted.width();
}

TEST(DrawArrowTest, HeadStrokesEndEightPixelsBackAtAHalfSlope) {
  Canvas c;
  DrawArrow(c.painter, {10, 50}, {60, 50});
  const QImage& image = c.done();
  // (8/50)·(−50 ± 25) from the tip
  EXPECT_TRUE(Is(image, 60, 50, kBlack));
  EXPECT_TRUE(Is(image, 52, 54, kBlack));
  EXPECT_TRUE(Is(image, 52, 46, kBlack));
  EXPECT_EQ(Bounds(image, kWhite), QRect(QPoint(10, 46), QPoint(60, 54)));
}

TEST(DrawAxesTest, AxesMayStartAtDifferentPoints) {
  Canvas c(1, {200, 200});
  c.painter.setFont(FigureFont());
  DrawAxes(c.painter, {20, 100}, {100, 190}, 150, 170);
  const QImage& image = c.done();
  EXPECT_TRUE(Is(image, 170, 100, kBlack));  // x tip
  EXPECT_TRUE(Is(image, 100, 20, kBlack));   // y tip
  EXPECT_TRUE(Is(image, 20, 100, kBlack));
  EXPECT_FALSE(Is(image, 20, 150, kBlack));  // no y axis at the x axis' origin
  EXPECT_GT(CountLike(image, {155, 80, 12, 16}, kBlack), 3);  // "X" at (xLen − 15, −20)
  EXPECT_GT(CountLike(image, {108, 20, 12, 16}, kBlack), 3);  // "Y" at (+8, −yLen)
}

struct SliderCase {
  const char* name;
  Extended dir;
  bool filled;
  int width, height;  // of the block's footprint
};

class DrawSliderTest : public ::testing::TestWithParam<SliderCase> {};

TEST_P(DrawSliderTest, AxisParallelBlocksAreFilledTurnedOnesOutlined) {
  const SliderCase& s = GetParam();
  Canvas c;
  DrawSlider(c.painter, {50, 50}, s.dir);
  const QImage& image = c.done();
  const QRect bounds = Bounds(image, kWhite);
  EXPECT_NEAR(bounds.width(), s.width, 1);
  EXPECT_NEAR(bounds.height(), s.height, 1);
  EXPECT_NEAR(bounds.center().x(), 50, 1);
  EXPECT_NEAR(bounds.center().y(), 50, 1);
  // Off the long axis the inside is the brush only when the block is filled.
  const QRect offAxis = s.width > s.height ? QRect(42, 53, 16, 3) : QRect(53, 42, 3, 16);
  EXPECT_EQ(CountExact(image, offAxis, kYellow) > 0, s.filled);
  EXPECT_GT(CountExact(image, image.rect(), kBlack), 60);  // the outline
  EXPECT_TRUE(Is(image, 50, 50, kYellow));  // filled, or blanked along the long axis
}

INSTANTIATE_TEST_SUITE_P(
    Directions, DrawSliderTest,
    ::testing::Values(SliderCase{"zero", 0, true, 30, 16}, SliderCase{"pi", kPi, true, 30, 16},
                      SliderCase{"halfPi", kPi / 2, true, 16, 30},
                      SliderCase{"threeHalfPi", 3 * kPi / 2, true, 16, 30},
                      SliderCase{"small", 0.01L, false, 31, 17},
                      SliderCase{"almostHalfPi", kPi / 2 + 1e-9L, false, 17, 31}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DrawSliderTest, TurnedBlockBlanksTheGuideUnderIt) {
  Canvas c;
  c.painter.setBrush(kWhite);
  c.painter.drawLine(0, 50, 99, 50);  // the guide
  DrawSlider(c.painter, {50, 50}, 0.2L);
  const QImage& image = c.done();
  EXPECT_TRUE(Is(image, 50, 50, kWhite));
  EXPECT_TRUE(Is(image, 45, 50, kWhite));
  EXPECT_TRUE(Is(image, 5, 50, kBlack));  // outside the block the guide stays
}

// Pixels of the hatching alone: below the base line of a pivot with the ground beneath it.
int HatchPixels(int penWidth, int* widthAfter = nullptr) {
  Canvas c(penWidth);
  c.painter.setBrush(kWhite);
  DrawGroundPivot(c.painter, {50, 30}, 3 * kPi / 2);
  if (widthAfter) *widthAfter = c.painter.pen().width();
  const QImage& image = c.done();
  return CountExact(image, {0, 30 + 20, 100, 6}, kBlack);
}

TEST(DrawGroundPivotTest, HatchingUsesHalfThePenWidth) {
  int after = 0;
  const int thin = HatchPixels(1, &after);
  EXPECT_EQ(after, 1);
  EXPECT_GT(thin, 6 * 4);  // six strokes reach into the band
  EXPECT_EQ(HatchPixels(2, &after), thin);  // width 2 hatches with width 1
  EXPECT_EQ(after, 2);                      // and the pen is given back
  EXPECT_GT(HatchPixels(4, &after), thin * 3 / 2);
  EXPECT_EQ(after, 4);
}

TEST(DrawGroundPivotTest, BaseLiesAsFarFromThePivotAsTheLegEnds) {
  Canvas c;
  c.painter.setBrush(kWhite);
  DrawGroundPivot(c.painter, {50, 30}, 3 * kPi / 2);
  const QImage& image = c.done();
  // 20·cos 30° = 17.3 pixels below, ±17.3 pixels wide
  EXPECT_TRUE(Is(image, 50, 47, kBlack));
  EXPECT_TRUE(Is(image, 34, 47, kBlack));
  EXPECT_TRUE(Is(image, 66, 47, kBlack));
  EXPECT_TRUE(Is(image, 50, 30, kWhite));  // the pivot circle is filled with the brush
  EXPECT_TRUE(Is(image, 50, 26, kBlack));
}

TEST(PixelRoundTest, HalvesGoToEvenAndNonFiniteIsAFloatError) {
  EXPECT_EQ(PixelRound(85.5L), 86);
  EXPECT_EQ(PixelRound(190.5L), 190);
  EXPECT_EQ(PixelRound(-2.5L), -2);
  EXPECT_EQ(PixelRound(2.6L), 3);
  EXPECT_THROW(PixelRound(NAN), EFloatError);
  EXPECT_THROW(PixelRound(INFINITY), EFloatError);
  EXPECT_THROW(PixelRound(1e12L), EFloatError);
}

class FigureTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterFigureFonts();
    image.fill(Qt::gray);
  }
  QImage image{191, 402, QImage::Format_RGB32};
};

// Crank-rocker 30/100/80/110: k = 191/210, A = (47, 191), D = (147, 191), x axis 124 long.
TEST_F(FigureTest, CrankRockerPinsCrankAxesAndAngleStep) {
  Extended phi = 60 * kDeg;
  DrawCrankRockerFrame(image, phi, 30, 100, 80, 110);
  EXPECT_NEAR(static_cast<double>(phi), static_cast<double>(62 * kDeg), 1e-15);
  EXPECT_EQ(image.size(), QSize(191, 402));
  EXPECT_TRUE(Is(image, 0, 0, kWhite));  // cleared whole

  EXPECT_TRUE(Is(image, 47, 191, kWhite));  // pivot circles filled white
  EXPECT_TRUE(Is(image, 43, 191, kGreen));
  EXPECT_TRUE(Is(image, 147, 191, kWhite));
  EXPECT_TRUE(Is(image, 147, 187, kGreen));
  EXPECT_GT(CountExact(image, {27, 205, 40, 16}, kGreen), 20);  // hatched ground under A

  // B = (61, 167) at 60°: the crank's middle is red, the pin at B blue with a white centre.
  EXPECT_TRUE(Is(image, 54, 179, kRed));
  EXPECT_TRUE(Is(image, 61, 167, kWhite));
  EXPECT_TRUE(Is(image, 57, 167, kBlue));

  EXPECT_TRUE(Is(image, 171, 191, kBlack));  // x axis tip and head
  EXPECT_TRUE(Is(image, 163, 195, kBlack));
  EXPECT_TRUE(Is(image, 163, 187, kBlack));
  EXPECT_TRUE(Is(image, 47, 20, kBlack));  // y axis from (47, 392), 372 long
  EXPECT_TRUE(Is(image, 51, 28, kBlack));
  EXPECT_TRUE(Is(image, 43, 28, kBlack));
  EXPECT_TRUE(Is(image, 47, 392, kBlack));
}

struct LabelCase {
  int y;
  QColor colour;
};

TEST_F(FigureTest, CrankRockerLabelsHaveTheColoursOfTheirLinks) {
  Extended phi = 0;
  DrawCrankRockerFrame(image, phi, 30, 100, 80, 110);
  const LabelCase labels[] = {{272, kRed}, {292, kBlue}, {312, kMaroon}, {332, kGreen}};
  for (const LabelCase& l : labels) {
    const QRect area(91, l.y, 100, 15);  // x = A.x + x axis length − 80
    EXPECT_GT(CountLike(image, area, l.colour), 40) << l.y;
    for (const LabelCase& other : labels)
      if (other.y != l.y) EXPECT_EQ(CountLike(image, area, other.colour), 0) << l.y;
  }
}

TEST_F(FigureTest, TurningFiguresWrapToExactlyZero) {
  Extended phi = 359 * kDeg;
  DrawCrankRockerFrame(image, phi, 30, 100, 80, 110);
  EXPECT_EQ(phi, 0);
  phi = 358.5L * kDeg;
  DrawCrankSliderFrame(image, phi, 30, 100, 0);
  EXPECT_EQ(phi, 0);
  phi = 359 * kDeg;
  DrawGuideBarFrame(image, phi, 50, 100);
  EXPECT_EQ(phi, 0);
  phi = 357 * kDeg;
  DrawParallelogramFrame(image, phi, 40, 100, 40, 100);
  EXPECT_NEAR(static_cast<double>(phi), static_cast<double>(359 * kDeg), 1e-15);
}

TEST_F(FigureTest, OffsetCrankSliderCouplerKeepsItsLength) {
  // A quick-return crank-slider with a large offset: the drawn rod is l at every crank angle,
  // to within the rounding of its two ends.
  const Extended r = 20.551L, l = 58.717L, e = 30.253L;
  for (int degrees = 0; degrees < 360; degrees += 5) {
    QPoint A, B, C;
    const Extended k = CrankSliderFigureJoints(image.width(), image.height(), degrees * kDeg, r, l, e, A, B, C);
    EXPECT_NEAR(std::hypot(double(C.x() - B.x()), double(C.y() - B.y())), double(l * k), 1.5) << degrees;
    EXPECT_EQ(C.y(), A.y() - PixelRound(e * k)) << degrees;  // on the slide line
  }
}

TEST_F(FigureTest, ParallelogramCouplerStaysParallelToTheFrame) {
  // k = 191/210, A = (46, 191), the coupler 91 pixels long.
  const Extended k = 191.0L / 210;
  for (int degrees : {20, 100, 200, 300}) {
    Extended phi = degrees * kDeg;
    DrawParallelogramFrame(image, phi, 40, 100, 40, 100);
    const int bx = 46 + PixelRound(40 * std::cos(degrees * kDeg) * k);
    const int by = 191 - PixelRound(40 * std::sin(degrees * kDeg) * k);
    const int mid = bx + 45;
    EXPECT_TRUE(Is(image, mid, by, kBlue)) << degrees;
    EXPECT_FALSE(Is(image, mid, by - 3, kBlue)) << degrees;
    EXPECT_FALSE(Is(image, mid, by + 3, kBlue)) << degrees;
    EXPECT_TRUE(Is(image, bx + 91, by, kWhite)) << degrees;  // pin at C
  }
}

TEST_F(FigureTest, DoubleRockerScaleIsCappedByThePictureHeight) {
  SwingBack = false;
  QImage wide(2000, 402, QImage::Format_RGB32);
  Extended phi = 0;
  DrawDoubleRockerFrame(wide, phi, 120, 75, 100, 95);
  // The frame row: green from the ring left of A to the ring right of D.
  int left = -1, right = -1;
  for (int x = 0; x < wide.width(); ++x)
    if (Is(wide, x, 191, kGreen)) right = x, left = left < 0 ? x : left;
  const int capped = PixelRound(95 * 181.0L / 120);  // (402 − 40)·0.5 per mm of AB
  EXPECT_LE(right - left, capped + 12);
  EXPECT_GE(right - left, capped + 6);
}

TEST_F(FigureTest, DoubleRockerFitsItsWholeSwing) {
  SwingBack = false;
  Extended phi = -200 * kDeg;  // below the range: clamped to the lower limit
  for (int i = 0; i < 240; ++i) {
    image.fill(Qt::gray);
    DrawDoubleRockerFrame(image, phi, 120, 75, 100, 95);
    // The red input link and the maroon output link never leave the picture sideways.
    EXPECT_EQ(CountLike(image, {0, 0, 1, 402}, kRed), 0) << i;
    EXPECT_EQ(CountLike(image, {190, 0, 1, 402}, kMaroon), 0) << i;
  }
}

// Crank-slider 30/100/0 at 0°: k = 0.955, A = (39, 191), C = (163, 191), the guide on y = 191.
TEST_F(FigureTest, CrankSliderBlockIsFilledOverTheGuide) {
  Extended phi = 0;
  DrawCrankSliderFrame(image, phi, 30, 100, 0);
  EXPECT_TRUE(Is(image, 163, 191, kWhite));  // the pin at C
  EXPECT_TRUE(Is(image, 148, 195, kMaroon));  // the block's left side at C.x − 15
  EXPECT_EQ(CountLike(image, {171, 189, 2, 5}, kGreen), 0);  // guide blanked inside
  EXPECT_TRUE(Is(image, 182, 191, kGreen));                  // guide right of the block
  EXPECT_TRUE(Is(image, 100, 191, kBlue));                   // rod B–C
  EXPECT_GT(CountLike(image, {120, 312, 70, 15}, kRed), 30);   // "曲柄长: " at H − 90
  EXPECT_GT(CountLike(image, {120, 352, 70, 15}, kGreen), 30);  // "偏距:" at H − 50
}

// Guide bar r = 50, d = 100 at 30°: k = 191/150, D = (86, 282), A = (86, 155), B = (141, 123).
TEST_F(FigureTest, GuideBarSliderTurnsWithTheBar) {
  Extended phi = 30 * kDeg;
  DrawGuideBarFrame(image, phi, 50, 100);
  const Extended psi = std::atan(50 * std::cos(30 * kDeg) / (100 + 50 * std::sin(30 * kDeg)));
  const Extended dir = kPi / 2 - psi;
  const auto along = [&](QPoint from, Extended len) {
    return QPoint(from.x() + PixelRound(len * std::cos(dir)), from.y() - PixelRound(len * std::sin(dir)));
  };
  const QPoint onBarNearD = along({86, 282}, 40);
  EXPECT_TRUE(Is(image, onBarNearD.x(), onBarNearD.y(), kBlue));
  const QPoint underBlock = along({141, 123}, 9);
  EXPECT_EQ(CountLike(image, {underBlock.x() - 1, underBlock.y() - 1, 3, 3}, kBlue), 0);
  EXPECT_TRUE(Is(image, 141, 123, kWhite));  // pin at B
  EXPECT_GT(CountLike(image, {110, 95, 60, 55}, kMaroon), 40);  // the block around B
  EXPECT_TRUE(Is(image, 113, 139, kRed));   // crank A–B
  // Ground above A, below D.
  EXPECT_GT(CountExact(image, {66, 130, 40, 8}, kGreen), 15);
  EXPECT_EQ(CountExact(image, {66, 173, 40, 8}, kGreen), 0);
  EXPECT_GT(CountExact(image, {66, 300, 40, 8}, kGreen), 15);
}

TEST_F(FigureTest, ImpossibleCrankSliderFailsBeforePainting) {
  Extended phi = kPi / 2;  // r > l: the rod cannot reach the slide line
  EXPECT_THROW(DrawCrankSliderFrame(image, phi, 100, 30, 0), EFloatError);
  EXPECT_EQ(CountExact(image, image.rect(), Qt::gray), 191 * 402);
  EXPECT_EQ(phi, kPi / 2);
}
