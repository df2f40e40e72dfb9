// Motion curves and the drawing command of the analysis panels.
#include "link/curves.h"

#include "base/errors.h"
#include "link/picture_probe.h"
#include "support/scripted_desktop.h"

#include <gtest/gtest.h>

namespace {

constexpr Extended kDeg = kPi / 180;
// 425 × 402: O = (10, 191), plot width X = 380, half height Y = 171, legends from y = 312.
constexpr int kOy = 191, kTop = 20;
const QRect kLegend(40, 305, 200, 70);

// Columns and rows of the pixels of one colour outside the legend.
QRect SeriesBounds(const QImage& image, const QColor& colour) {
  QRect r;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (!kLegend.contains(x, y) && image.pixel(x, y) == colour.rgb()) r |= QRect(x, y, 1, 1);
  return r;
}

class CurvesTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterFigureFonts();
    image.fill(Qt::gray);
  }
  bool untouched() const { return CountExact(image, image.rect(), Qt::gray) == 425 * 402; }
  QImage image{425, 402, QImage::Format_RGB32};
  ScriptedDesktop desktop;
};

struct RangeCase {
  const char* name;
  Extended start, end, step;  // degrees
  int lastX;
};

class CurveEndTest : public CurvesTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(CurveEndTest, SeriesRunFromTheYAxisToTheLastStep) {
  const RangeCase& c = GetParam();
  const Extended start = c.start * kDeg, end = c.end * kDeg, step = c.step * kDeg;
  const auto check = [&](const char* plot) {
    for (const QColor& colour : {kBlue, kRed, kGreen}) {
      const QRect r = SeriesBounds(image, colour);
      EXPECT_EQ(r.left(), 10) << plot << " " << colour.name().toStdString();
      EXPECT_EQ(r.right(), c.lastX) << plot << " " << colour.name().toStdString();
    }
  };
  PlotCrankRockerCurves(image, 1, step, start, end, 30, 100, 80, 110);
  check("crank-rocker");
  // an offset for which no two series share their last pixel
  PlotCrankSliderCurves(image, 1, step, start, end, 30, 100, 40);
  check("crank-slider");
  PlotGuideBarCurves(image, 1, step, start, end, 50, 100);
  check("guide-bar");
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, CurveEndTest,
    ::testing::Values(RangeCase{"fullTurnStep3", 0, 360, 3, 390},     // 120 steps: X + 10
                      RangeCase{"shortRangeStops", 0, 10, 3, 352},    // 3 steps end at 9°
                      RangeCase{"fineStep", 0, 360, 0.05L, 390},      // 7200 steps
                      RangeCase{"offsetRange", 30, 210, 4, 390}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CurvesTest, EachSeriesIsScaledToItsOwnLargestValue) {
  PlotCrankRockerCurves(image, 1, 3 * kDeg, 0, 2 * kPi, 30, 100, 80, 110);
  const QRect position = SeriesBounds(image, kBlue);
  EXPECT_EQ(position.top(), kTop);    // touches the top at its largest value
  EXPECT_LT(position.bottom(), kOy);  // φ3 stays positive: wholly above the x axis
  // The speed only scales ω3 and ε3, so it does not change the picture.
  const QImage slow = image;
  PlotCrankRockerCurves(image, 7, 3 * kDeg, 0, 2 * kPi, 30, 100, 80, 110);
  EXPECT_EQ(image, slow);
}

TEST_F(CurvesTest, AZeroSeriesLiesFlatOnTheXAxis) {
  // ω = 0: ω3 and ε3 stay 0; red lies under green on the axis.
  PlotCrankRockerCurves(image, 0, 3 * kDeg, 0, 2 * kPi, 30, 100, 80, 110);
  const QRect axis(QPoint(10, kOy), QPoint(390, kOy));
  EXPECT_EQ(SeriesBounds(image, kGreen), axis);
  EXPECT_TRUE(axis.contains(SeriesBounds(image, kRed)) || SeriesBounds(image, kRed).isEmpty());
  EXPECT_NE(SeriesBounds(image, kBlue).height(), 1);
}

TEST_F(CurvesTest, BackwardRangeDrawsTheFrameOnly) {
  PlotCrankSliderCurves(image, 1, 3 * kDeg, 2 * kPi, 0, 30, 100, 0);
  EXPECT_TRUE(SeriesBounds(image, kBlue).isEmpty());
  EXPECT_TRUE(SeriesBounds(image, kRed).isEmpty());
  EXPECT_TRUE(Is(image, 10, 300, Qt::black));      // y axis
  EXPECT_TRUE(Is(image, 300, kOy, Qt::black));     // x axis
  EXPECT_GT(CountLike(image, kLegend, kGreen), 30);  // legend
}

struct FailureCase {
  const char* name;
  Extended start, end, step;  // radians
  Extended r, l;
};

class CurveFailureTest : public CurvesTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(CurveFailureTest, NumericFailureRaisesAndKeepsThePicture) {
  const FailureCase& c = GetParam();
  EXPECT_THROW(PlotCrankSliderCurves(image, 1, c.step, c.start, c.end, c.r, c.l, 0), EFloatError);
  EXPECT_TRUE(untouched());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CurveFailureTest,
    ::testing::Values(FailureCase{"zeroStep", 0, 2 * kPi, 0, 30, 100},
                      FailureCase{"emptyRange", 1, 1, 3 * kDeg, 30, 100},
                      FailureCase{"zeroStepEmptyRange", 1, 1, 0, 30, 100},
                      FailureCase{"rodShorterThanCrank", 0, 2 * kPi, 3 * kDeg, 100, 30}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CurvesTest, DoubleRockerDrawsNoSeriesAndCentresTheYAxisForANegativeLimit) {
  // 120/75/100/95 swings from about −108° to 108°.
  PlotDoubleRockerCurves(image, 1, 3 * kDeg, 0, 2 * kPi, 120, 75, 100, 95);
  for (const QColor& colour : {kBlue, kRed, kGreen})
    EXPECT_TRUE(SeriesBounds(image, colour).isEmpty());
  EXPECT_TRUE(Is(image, 208, 100, Qt::black));  // rnd(395/2) + 10, halves to even
  EXPECT_TRUE(Is(image, 208, 381, Qt::black));
  EXPECT_FALSE(Is(image, 10, 100, Qt::black));
  EXPECT_GT(CountLike(image, {370, kOy + 8, 55, 15}, Qt::black), 20);  // "108.4085°"

  // 100/40/90/80 swings between about 30° and 92°: the y axis stays at the left.
  PlotDoubleRockerCurves(image, 1, 3 * kDeg, 0, 2 * kPi, 100, 40, 90, 80);
  EXPECT_TRUE(Is(image, 10, 100, Qt::black));
  EXPECT_FALSE(Is(image, 208, 100, Qt::black));
}

TEST_F(CurvesTest, DoubleRockerOutsideItsSwingFallsBackToTheWholeSwing) {
  QImage inside = image;
  PlotDoubleRockerCurves(image, 1, 3 * kDeg, 200 * kDeg, 300 * kDeg, 100, 40, 90, 80);
  PlotDoubleRockerCurves(inside, 1, 3 * kDeg, 0, 2 * kPi, 100, 40, 90, 80);
  EXPECT_EQ(image, inside);  // both show the fitted range 29.7° … 91.8°
}

// The drawing command: which checks stop it, what it asks and says, what it draws.
struct CommandCase {
  const char* name;
  Linkage linkage;
  CurveSettings settings;
  std::vector<MsgAnswer> answers;
  CurveOutcome outcome;
  QStringList messages;
  int questions;
  bool series;  // curves in the picture
};

const Linkage kCrankRocker = Linkage::FourBar(LinkageKind::CrankRocker, 30, 100, 80, 110);

CurveSettings Settings(Extended step, Extended omega, bool checkSpeed = true) {
  CurveSettings s;
  s.step = step;
  s.omega = omega;
  s.checkSpeed = checkSpeed;
  return s;
}

class DrawCommandTest : public CurvesTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(DrawCommandTest, ChecksThenPlotsByLinkage) {
  const CommandCase& c = GetParam();
  desktop.answers.assign(c.answers.begin(), c.answers.end());
  EXPECT_EQ(DrawMotionCurves(image, c.linkage, c.settings), c.outcome);
  EXPECT_EQ(desktop.messages, c.messages);
  ASSERT_EQ(static_cast<int>(desktop.questions.size()), c.questions);
  if (c.questions) {
    EXPECT_EQ(desktop.questions[0].text, "为节省绘图时间，建议步长值不小于0.1！继续吗？");
    EXPECT_EQ(desktop.questions[0].buttons, MsgButtons::YesNo);
  }
  if (c.outcome != CurveOutcome::Drawn) EXPECT_TRUE(untouched());
  else EXPECT_FALSE(untouched());
  EXPECT_EQ(!SeriesBounds(image, kBlue).isEmpty(), c.series);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DrawCommandTest,
    ::testing::Values(
        CommandCase{"plain", kCrankRocker, Settings(3, 1), {}, CurveOutcome::Drawn, {}, 0, true},
        CommandCase{"zeroSpeed", kCrankRocker, Settings(3, 0), {}, CurveOutcome::ZeroSpeed,
                    {"角速度不能为零！"}, 0, false},
        // the speed is checked before the step is questioned
        CommandCase{"zeroSpeedSmallStep", kCrankRocker, Settings(0.05L, 0), {},
                    CurveOutcome::ZeroSpeed, {"角速度不能为零！"}, 0, false},
        CommandCase{"speedNotChecked", kCrankRocker, Settings(3, 0, false), {},
                    CurveOutcome::Drawn, {}, 0, true},
        CommandCase{"smallStepNo", kCrankRocker, Settings(0.05L, 1), {MsgAnswer::No},
                    CurveOutcome::StepDeclined, {}, 1, false},
        CommandCase{"smallStepYes", kCrankRocker, Settings(0.05L, 1), {MsgAnswer::Yes},
                    CurveOutcome::Drawn, {}, 1, true},
        CommandCase{"stepAtTheLimit", kCrankRocker, Settings(0.1L, 1), {}, CurveOutcome::Drawn,
                    {}, 0, true},
        CommandCase{"kindCrankRocker",
                    Linkage::FourBar(LinkageKind::FourBarByKind, 30, 100, 80, 110), Settings(3, 1),
                    {}, CurveOutcome::Drawn, {}, 0, true},
        CommandCase{"kindDoubleRocker",
                    Linkage::FourBar(LinkageKind::FourBarByKind, 120, 75, 100, 95), Settings(3, 1),
                    {}, CurveOutcome::Drawn, {}, 0, false},
        CommandCase{"kindDoubleCrank",
                    Linkage::FourBar(LinkageKind::FourBarByKind, 60, 70, 80, 30), Settings(3, 1),
                    {}, CurveOutcome::NoPlot, {"暂无该类型机构的运动曲线绘制程序！"}, 0, false},
        CommandCase{"crankSlider", Linkage::CrankSlider(30, 100, 10), Settings(3, 1), {},
                    CurveOutcome::Drawn, {}, 0, true},
        CommandCase{"guideBar", Linkage::GuideBar(50, 100), Settings(3, 1), {},
                    CurveOutcome::Drawn, {}, 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CurvesTest, CommandLetsAZeroStepFailAsAFloatError) {
  EXPECT_THROW(DrawMotionCurves(image, kCrankRocker, Settings(0, 1)), EFloatError);
  EXPECT_EQ(desktop.questions.size(), 1u);  // asked first, as for any step below 0.1°
  EXPECT_TRUE(untouched());
}

}  // namespace

TEST_F(CurvesTest, MoreThanAMillionPointsFailAtOnceAndKeepThePicture) {
  // A start of -1e7° at a step of 3° would keep the program busy for minutes.
  EXPECT_THROW(PlotCrankRockerCurves(image, 1, 3 * kDeg, -1e7L * kDeg, 2 * kPi, 30, 100, 80, 110), EFloatError);
  EXPECT_TRUE(untouched());
  EXPECT_NO_THROW(PlotCrankSliderCurves(image, 1, 0.001L * kDeg, 0, 2 * kPi, 30, 100, 10));  // 360 000 points
}
