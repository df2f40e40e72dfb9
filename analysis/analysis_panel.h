// The analysis panel that ends every design type: the motion curves of the designed linkage
// on the left, its animated figure on the right, the output settings, the commands to draw,
// save the curves, write the result table and finish, and the simulation controls. One class
// serves every panel; the panels differ only in their configuration.
#pragma once

#include "link/animation.h"
#include "link/linkage.h"
#include "widgets/controls.h"

#include <QGroupBox>
#include <QImage>
#include <functional>


class QLineEdit;
class QPushButton;
class QSlider;
class TPlotFrm;

struct AnalysisPanelConfig {
  QString page;  // the panel's own name, e.g. "type1step6"
  // Control names: x1, x2, step, ω; LenBE, δ (empty for panels without a coupler point);
  // draw, save, output, finish; start, pause, track bar; curve and animation pictures; the
  // animation's timer.
  QString x1, x2, step, omega, lenBE, delta;
  QString draw, save, output, finish;
  QString start, pause, trackBar;
  QString curvePicture, animationPicture;
  QString timer = QStringLiteral("tmrFZ");

  bool drawChecksSpeed = true;
  bool outputChecksSpeed = true;
  bool truncateStepCount = false;   // the step limit of "输出数据" truncates instead of rounding
  bool catchDrawFailure = false;    // "绘制曲线图出错！" instead of the error box
  bool startResetsInterval = true;  // "开始" puts the timer back to 10 ms
  // A refused or declined input puts the focus in the edit at fault.
  bool movesFocus = true;
  // "输出数据" is disabled while the table is written.
  bool outputDisablesButton = true;
  // A table that could not be written says "输出数据失败！"; otherwise only a missing linkage does.
  bool reportsFailedTable = true;
  // Lengths handed over as ratios are shown by the figure and written to the table at this
  // scale; the curves, being normalised, take them as they are.
  Extended figureScale = 1;
  QString proposedCurveFile = QStringLiteral("运动分析曲线.bmp");

  bool hasCouplerPoint() const { return !lenBE.isEmpty(); }

  // One panel per design type that ends in a kinematic analysis.
  static AnalysisPanelConfig CorrespondingFourBar();      // TDYWZFrm, four-bar
  static AnalysisPanelConfig CorrespondingCrankSlider();  // TDYWZFrm, crank-slider
  static AnalysisPanelConfig FunctionGeneration();        // THSGXFrm
  static AnalysisPanelConfig QuickReturnCrankRocker();    // TJHTXFrm
  static AnalysisPanelConfig QuickReturnCrankSlider();
  static AnalysisPanelConfig QuickReturnGuideBar();
  static AnalysisPanelConfig DwellCrankRocker();          // TJSTXFrm
  static AnalysisPanelConfig DwellCrankSlider();
  static AnalysisPanelConfig TransmissionCrankRocker1();  // TCDJSJFrm, frame AD = 1
  static AnalysisPanelConfig TransmissionCrankRocker2();
  static AnalysisPanelConfig TransmissionCrankSlider();   // ratios to the stroke
};

class AnalysisPanel : public QGroupBox {
  Q_OBJECT

public:
  static constexpr int kMaxTableSteps = 3600;  // a table has at most 3601 rows

  // Opens the linkage workbench on a linkage (mm) with its coupler point: lenBE (mm) from B,
  // delta (rad) against BC. The application installs it; without one "连杆曲线…" is hidden.
  using WorkbenchOpener = std::function<void(const Linkage&, Extended lenBE, Extended delta)>;
  static void SetWorkbenchOpener(WorkbenchOpener opener);

  explicit AnalysisPanel(AnalysisPanelConfig config, QWidget* parent = nullptr);

  const AnalysisPanelConfig& config() const { return m_config; }
  void setLinkage(const Linkage& linkage);
  // The design holds no linkage to analyse: "输出数据" says it failed.
  void clearLinkage() { m_hasLinkage = false; }
  const Linkage& linkage() const { return m_linkage; }
  // Fills the range edits ("转角范围") with the texts given.
  void setRange(const QString& x1, const QString& x2);

  // The commands; each may throw the conversion or float error of its inputs.
  void drawClick();
  void saveClick();
  void outputClick();
  void finishClick();
  void startClick();
  void pauseClick();
  void btnWorkbenchClick();
  // "曲线详图…": the plot window over the range, step and speed of the edits.
  void plotsClick();
  TPlotFrm* plotWindow() const { return m_plots; }
  void stopTimer() { m_animation.stopTimer(); }

  MechanismAnimation& animation() { return m_animation; }
  const QImage& curves() const { return m_curves->image(); }

  QLineEdit *x1Edit, *x2Edit, *stepEdit, *omegaEdit, *lenBEEdit = nullptr, *deltaEdit = nullptr;
  QPushButton *drawButton, *saveButton, *outputButton, *finishButton, *startButton, *pauseButton;
  QPushButton* btnWorkbench;
  QSlider* trackBar;
  QPushButton* btnPlots;

signals:
  void finished();  // "完成": the design window takes over

private:
  QWidget* buildSettings();
  QWidget* buildCommands();
  QWidget* buildSimulation();
  void showControls();
  enum class Table { Written, Failed, None };  // None: the linkage's kind has no table
  static Table outcome(bool written);
  Table writeTable(const QString& path, Extended omega, Extended step, Extended start, Extended end,
                   Extended lenBE, Extended delta);

  void focusOn(QLineEdit* edit);
  void showWorkbenchButton();
  void readCouplerPoint(Extended& lenBE, Extended& delta) const;

  AnalysisPanelConfig m_config;
  Linkage m_linkage;  // as handed over; the animation holds it at figureScale
  bool m_hasLinkage = false;
  MechanismAnimation m_animation;
  PictureBox* m_curves;
  PictureBox* m_figure;
  TPlotFrm* m_plots = nullptr;
};
