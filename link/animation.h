// The animation model of an analysis panel: the timer, the input angle, the three states of
// the start and pause buttons and the choice of figure. It holds no widgets; the panel shows
// frame() and the captions whenever the model says they changed.
#pragma once

#include "link/figures.h"
#include "link/linkage.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QTimer>

class MechanismAnimation : public QObject {
  Q_OBJECT

public:
  enum class State { Stopped, Running, Paused };

  static constexpr int kDefaultInterval = 10;  // ms, as every design window's timer starts
  static constexpr int kSpeedMin = 1, kSpeedMax = 100;

  explicit MechanismAnimation(QSize pictureSize = QSize(191, 402), QObject* parent = nullptr);

  void setLinkage(const Linkage& linkage);
  // The coupler point the four-bar figures draw with its path: lenBE (mm, at the figure's
  // scale) from B, delta (rad) against BC; lenBE 0 draws none. Traces the path at once.
  void setCouplerPoint(Extended lenBE, Extended delta);
  const CouplerOverlay& couplerOverlay() const { return m_coupler; }
  const Linkage& linkage() const { return m_linkage; }
  // The corresponding-position, function-generation and quick-return windows put the timer
  // back to 10 ms on every start; the others keep the speed of the track bar.
  void setStartResetsInterval(bool reset) { m_startResetsInterval = reset; }
  void setPictureSize(QSize size);

  // The start button: starts or stops, then sets the angle one degree before the start of
  // the range (x1 in degrees).
  void start(Extended x1Degrees);
  // The pause button: pauses or resumes; ignored while the button is disabled.
  void pause();
  // The speed track bar at position 1 ("慢") … 100 ("快"): 101 − position ms per frame.
  void setSpeed(int position);
  // Turns the timer off and leaves the captions; for a step change and "完成".
  void stopTimer() { m_timer.stop(); }

  // One frame: paints the figure at the current angle and advances it. A four-bar of a kind
  // without a figure stops the timer and says so. Numeric failures propagate.
  void tick();

  State state() const;
  bool timerActive() const { return m_timer.isActive(); }
  int interval() const { return m_timer.interval(); }
  const QString& startCaption() const { return m_startCaption; }
  const QString& pauseCaption() const { return m_pauseCaption; }
  bool pauseEnabled() const { return m_pauseEnabled; }
  Extended phi() const { return m_phi; }
  void setPhi(Extended phi) { m_phi = phi; }
  const QImage& frame() const { return m_frame; }

signals:
  void framePainted();
  void controlsChanged();  // a caption or the pause button's enabled state

private:
  void timerTick();
  void showStopped();
  void traceCoupler();

  QTimer m_timer;
  QImage m_frame;
  Linkage m_linkage;
  CouplerOverlay m_coupler;
  Extended m_phi = 0;
  bool m_startResetsInterval = true;
  QString m_startCaption = QStringLiteral("开始");
  QString m_pauseCaption = QStringLiteral("暂停");
  bool m_pauseEnabled = false;
};
