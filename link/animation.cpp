// Stepping of the animation and the button states of the analysis panels.
#include "link/animation.h"

#include "base/desktop.h"
#include "link/coupler.h"
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

void MechanismAnimation::setLinkage(const Linkage& linkage) {
  m_linkage = linkage;
  traceCoupler();
}

void MechanismAnimation::setCouplerPoint(Extended lenBE, Extended delta) {
  m_coupler.lenBE = lenBE;
  m_coupler.delta = delta;
  traceCoupler();
}

// The path as the figure moves: the crank once round on the usual assembly, the double
// rocker out on it and back on the other, as its swing changes branch.
void MechanismAnimation::traceCoupler() {
  constexpr int kPathIntervals = 720;
  m_coupler.path.clear();
  if (m_coupler.lenBE == 0) return;
  CouplerPath path;
  if (!TraceCouplerPath({m_linkage, m_coupler.lenBE, m_coupler.delta, false}, 1, kPathIntervals, path)) return;
  m_coupler.path.reserve(path.samples.size());
  for (const CouplerSample& s : path.samples) m_coupler.path.emplace_back(double(s.x), double(s.y));
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
        case 0: DrawDoubleRockerFrame(m_frame, m_phi, k.AB, k.BC, k.CD, k.AD, &m_coupler); break;
        case 10: DrawCrankRockerFrame(m_frame, m_phi, k.AB, k.BC, k.CD, k.AD, &m_coupler); break;
        case 110: DrawParallelogramFrame(m_frame, m_phi, k.AB, k.BC, k.CD, k.AD, &m_coupler); break;
        default:
          // The timer goes off before the message, which would otherwise repeat every tick.
          m_timer.stop();
          ShowMsg(QStringLiteral("暂无该类型的机构运动分析模块！"));
          ClassifyFourBar(true, k.AB, k.BC, k.CD, k.AD);
          return;
      }
      break;
    case LinkageKind::CrankRocker:
      DrawCrankRockerFrame(m_frame, m_phi, k.AB, k.BC, k.CD, k.AD, &m_coupler);
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
