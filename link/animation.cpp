// Stepping of the animation and the button states of the analysis panels.
#include "link/animation.h"

#include "base/desktop.h"
#include "link/figures.h"
#include "link/kinematics.h"

#include <algorithm>

MechanismAnimation::MechanismAnimation(QSize pictureSize, QObject* parent)
    : QObject(parent), m_frame(pictureSize, QImage::Format_RGB32) {
  m_frame.fill(Qt::white);
  m_timer.setTimerType(Qt::PreciseTimer);  // the fastest speed is 1 ms per frame
  m_timer.setInterval(kDefaultInterval);
  connect(&m_timer, &QTimer::timeout, this, &MechanismAnimation::timerTick);
}

void MechanismAnimation::setPictureSize(QSize size) {
  if (size == m_frame.size()) return;
  m_frame = QImage(size, QImage::Format_RGB32);
  m_frame.fill(Qt::white);
}

void MechanismAnimation::start(Extended x1Degrees) {
  if (m_startResetsInterval) m_timer.setInterval(kDefaultInterval);
  if (m_timer.isActive()) {
    m_timer.stop();
    m_startCaption = QStringLiteral("开始");
    m_pauseEnabled = false;
  } else {
    m_timer.start();
    m_startCaption = QStringLiteral("停止");
    m_pauseCaption = QStringLiteral("暂停");
    m_pauseEnabled = true;
  }
  m_phi = (x1Degrees - 1) * kPi / 180;
  emit controlsChanged();
}

void MechanismAnimation::pause() {
  if (!m_pauseEnabled) return;
  if (m_timer.isActive())
    m_timer.stop();
  else
    m_timer.start();
  m_pauseCaption = m_timer.isActive() ? QStringLiteral("暂停") : QStringLiteral("恢复");
  emit controlsChanged();
}

void MechanismAnimation::setSpeed(int position) {
  position = std::clamp(position, kSpeedMin, kSpeedMax);
  m_timer.setInterval(kSpeedMax - position + 1);
}

MechanismAnimation::State MechanismAnimation::state() const {
  if (m_timer.isActive()) return State::Running;
  if (m_pauseEnabled && m_pauseCaption == QStringLiteral("恢复")) return State::Paused;
  return State::Stopped;
}

void MechanismAnimation::tick() {
  const Linkage& k = m_linkage;
  switch (k.kind) {
    case LinkageKind::FourBarByKind:
      switch (ClassifyFourBar(false, k.AB, k.BC, k.CD, k.AD)) {
        case 0: DrawDoubleRockerFrame(m_frame, m_phi, k.AB, k.BC, k.CD, k.AD); break;
        case 10: DrawCrankRockerFrame(m_frame, m_phi, k.AB, k.BC, k.CD, k.AD); break;
        case 110: DrawParallelogramFrame(m_frame, m_phi, k.AB, k.BC, k.CD, k.AD); break;
        default:
          // The timer goes off before the message, which would otherwise repeat every tick.
          m_timer.stop();
          ShowMsg(QStringLiteral("暂无该类型的机构运动分析模块！"));
          ClassifyFourBar(true, k.AB, k.BC, k.CD, k.AD);
          return;
      }
      break;
    case LinkageKind::CrankRocker:
      DrawCrankRockerFrame(m_frame, m_phi, k.AB, k.BC, k.CD, k.AD);
      break;
    case LinkageKind::CrankSlider:
      DrawCrankSliderFrame(m_frame, m_phi, k.r, k.l, k.e);
      break;
    case LinkageKind::GuideBar:
      DrawGuideBarFrame(m_frame, m_phi, k.r, k.d);
      break;
  }
  emit framePainted();
}

void MechanismAnimation::timerTick() {
  Guarded([this] {
    try {
      tick();
    } catch (...) {
      // A failing frame fails on every tick: stop before the error box is shown.
      showStopped();
      throw;
    }
  });
}

void MechanismAnimation::showStopped() {
  m_timer.stop();
  m_startCaption = QStringLiteral("开始");
  m_pauseEnabled = false;
  emit controlsChanged();
}
