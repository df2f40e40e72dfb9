// The animation model: button states, speed, angle stepping and the choice of figure.
#include "link/animation.h"

#include "base/errors.h"
#include "link/figures.h"
#include "link/kinematics.h"
#include "link/picture_probe.h"
#include "support/scripted_desktop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr Extended kDeg = kPi / 180;

double Degrees(Extended radians) { return static_cast<double>(radians / kDeg); }

class AnimationTest : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterFigureFonts();
    SwingBack = false;
  }
  ScriptedDesktop desktop;
  MechanismAnimation anim;
};

}  // namespace

TEST_F(AnimationTest, StartPauseAndStopFollowTheThreeStates) {
  EXPECT_EQ(anim.state(), MechanismAnimation::State::Stopped);
  EXPECT_EQ(anim.startCaption(), "开始");
  EXPECT_FALSE(anim.pauseEnabled());

  anim.start(0);
  EXPECT_EQ(anim.state(), MechanismAnimation::State::Running);
  EXPECT_TRUE(anim.timerActive());
  EXPECT_EQ(anim.startCaption(), "停止");
  EXPECT_EQ(anim.pauseCaption(), "暂停");
  EXPECT_TRUE(anim.pauseEnabled());

  anim.pause();
  EXPECT_EQ(anim.state(), MechanismAnimation::State::Paused);
  EXPECT_FALSE(anim.timerActive());
  EXPECT_EQ(anim.startCaption(), "停止");
  EXPECT_EQ(anim.pauseCaption(), "恢复");

  anim.pause();
  EXPECT_EQ(anim.state(), MechanismAnimation::State::Running);
  EXPECT_EQ(anim.pauseCaption(), "暂停");

  anim.start(0);
  EXPECT_EQ(anim.state(), MechanismAnimation::State::Stopped);
  EXPECT_EQ(anim.startCaption(), "开始");
  EXPECT_FALSE(anim.pauseEnabled());

  anim.pause();  // the button is disabled: nothing happens
  EXPECT_FALSE(anim.timerActive());
}

TEST_F(AnimationTest, StopWhilePausedRunsAgainFromTheResetAngle) {
  anim.setLinkage(Linkage::FourBar(LinkageKind::CrankRocker, 30, 100, 80, 110));
  anim.start(30);
  anim.tick();
  anim.tick();
  anim.pause();
  EXPECT_EQ(anim.pauseCaption(), "恢复");
  anim.start(30);  // "停止" while paused: the timer was off, so it runs
  EXPECT_EQ(anim.state(), MechanismAnimation::State::Running);
  EXPECT_EQ(anim.pauseCaption(), "暂停");
  EXPECT_NEAR(Degrees(anim.phi()), 29, 1e-12);
}

struct SpeedCase {
  int position, interval;
};

class AnimationSpeedTest : public AnimationTest, public ::testing::WithParamInterface<SpeedCase> {};

TEST_P(AnimationSpeedTest, IntervalIsMaximumMinusPositionPlusOne) {
  anim.setSpeed(GetParam().position);
  EXPECT_EQ(anim.interval(), GetParam().interval);
}

INSTANTIATE_TEST_SUITE_P(Positions, AnimationSpeedTest,
                         ::testing::Values(SpeedCase{1, 100}, SpeedCase{100, 1}, SpeedCase{50, 51},
                                           SpeedCase{0, 100}, SpeedCase{101, 1}));

TEST_F(AnimationTest, StartResetsTheIntervalOnlyWhereTheWindowDoes) {
  anim.setSpeed(1);
  anim.start(0);
  EXPECT_EQ(anim.interval(), 10);
  anim.start(0);
  anim.setStartResetsInterval(false);
  anim.setSpeed(1);
  anim.start(0);
  EXPECT_EQ(anim.interval(), 100);
}

TEST_F(AnimationTest, CrankRockerStepsFromOneDegreeBeforeTheStartAndWrapsToZero) {
  anim.setLinkage(Linkage::FourBar(LinkageKind::CrankRocker, 30, 100, 80, 110));
  anim.start(0);
  anim.stopTimer();
  std::vector<double> painted;
  for (int i = 0; i < 183; ++i) {
    painted.push_back(Degrees(anim.phi()));
    anim.tick();
  }
  EXPECT_NEAR(painted[0], -1, 1e-12);
  EXPECT_NEAR(painted[1], 1, 1e-12);
  EXPECT_NEAR(painted[180], 359, 1e-9);
  EXPECT_EQ(painted[181], 0);  // 361° is not below 360°: exactly 0, not 1°
  EXPECT_NEAR(painted[182], 2, 1e-12);
}

TEST_F(AnimationTest, DoubleRockerSwingsBetweenItsLimitsAndChangesBranch) {
  const Extended a = 120, b = 75, c = 100, d = 95;
  Extended min1 = 0, max1 = 0, min3 = 0, max3 = 0;
  FourBarRange(a, b, c, d, min1, max1, min3, max3);
  ASSERT_NEAR(Degrees(max1), 108.4, 0.1);
  anim.setLinkage(Linkage::FourBar(LinkageKind::FourBarByKind, a, b, c, d));
  anim.start(static_cast<Extended>(Degrees(min1)));  // one degree below the lower limit
  anim.stopTimer();

  anim.tick();  // clamped to the lower limit, swinging forward
  EXPECT_FALSE(SwingBack);
  EXPECT_NEAR(Degrees(anim.phi()), Degrees(min1) + 2, 1e-9);

  int ticks = 1;
  while (!SwingBack && ticks < 200) anim.tick(), ++ticks;
  ASSERT_TRUE(SwingBack);
  EXPECT_EQ(ticks, 1 + static_cast<int>(std::ceil(Degrees(max1 - min1) / 2)));
  // The reversing frame was painted at the upper limit, where both branches meet; the way
  // back is on the other branch.
  EXPECT_NEAR(Degrees(anim.phi()), Degrees(max1) - 2, 1e-9);
  Extended at = anim.phi();
  anim.tick();
  QImage forward(anim.frame().size(), QImage::Format_RGB32);
  SwingBack = false;
  DrawDoubleRockerFrame(forward, at, a, b, c, d);
  SwingBack = true;
  EXPECT_NE(forward, anim.frame());

  for (int i = 0; i < 120; ++i) {
    EXPECT_GE(anim.phi(), min1 - 2 * kDeg);
    EXPECT_LE(anim.phi(), max1);
    anim.tick();
  }
  EXPECT_FALSE(SwingBack);  // reversed again at the lower limit
}

TEST_F(AnimationTest, KindDecidesTheFigureOfAFourBar) {
  int frames = 0;
  QObject::connect(&anim, &MechanismAnimation::framePainted, [&] { ++frames; });
  anim.setLinkage(Linkage::FourBar(LinkageKind::FourBarByKind, 40, 100, 40, 100));  // 110
  anim.start(0);
  anim.tick();
  EXPECT_EQ(frames, 1);
  anim.setLinkage(Linkage::FourBar(LinkageKind::FourBarByKind, 30, 100, 80, 110));  // 10
  anim.tick();
  EXPECT_EQ(frames, 2);
  EXPECT_TRUE(anim.timerActive());
  EXPECT_TRUE(desktop.messages.isEmpty());

  const QImage before = anim.frame();
  anim.setLinkage(Linkage::FourBar(LinkageKind::FourBarByKind, 60, 70, 80, 30));  // 11
  anim.tick();
  EXPECT_EQ(frames, 2);
  EXPECT_FALSE(anim.timerActive());
  EXPECT_EQ(desktop.messages, QStringList({"暂无该类型的机构运动分析模块！", "该机构是双曲柄机构"}));
  EXPECT_EQ(anim.frame(), before);
  desktop.clear();
}

TEST_F(AnimationTest, FixedKindsPaintTheirFigureDirectly) {
  // A double-crank shape drawn as a crank-rocker because the design says so: no message.
  anim.setLinkage(Linkage::FourBar(LinkageKind::CrankRocker, 60, 70, 80, 30));
  anim.tick();
  anim.setLinkage(Linkage::CrankSlider(30, 100, 10));
  anim.tick();
  anim.setLinkage(Linkage::GuideBar(50, 100));
  anim.tick();
  EXPECT_TRUE(desktop.messages.isEmpty());
  EXPECT_GT(CountLike(anim.frame(), anim.frame().rect(), kMaroon), 50);  // the guide's slider
}

TEST_F(AnimationTest, AFailingFrameStopsTheTimerBeforeTheErrorIsShown) {
  anim.setLinkage(Linkage::CrankSlider(100, 30, 0));  // the rod is shorter than the crank
  EXPECT_THROW(
      {
        anim.setPhi(kPi / 2);
        anim.tick();
      },
      EFloatError);

  anim.setSpeed(100);
  anim.start(91);  // 90°: the first frame fails
  QElapsedTimer waited;
  waited.start();
  while (desktop.errors.isEmpty() && waited.elapsed() < 5000) QCoreApplication::processEvents();
  ASSERT_EQ(desktop.errors.size(), 1);
  EXPECT_FALSE(anim.timerActive());
  EXPECT_EQ(anim.startCaption(), "开始");
  EXPECT_FALSE(anim.pauseEnabled());
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(desktop.errors.size(), 1);
}
