#include "analysis/analysis_panel.h"

#include "widgets/controls.h"
#include "widgets/fonts.h"
#include "analysis/plot_frm.h"
#include "base/appdir.h"
#include "base/convert.h"
#include "base/desktop.h"
#include "base/errors.h"
#include "base/fpu.h"
#include "link/curves.h"
#include "link/kinematics.h"
#include "link/tables.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <array>
#include <cmath>
#include <variant>

namespace {

const QSize kCurveSize(425, 402);
const QSize kFigureSize(191, 402);
// The pictures leave the bottom bar about 65 pixels of the design window's right-hand area.
constexpr int kRowHeight = 20;
constexpr Extended kRad = kPi / 180;

QLineEdit* smallEdit(const QString& name, const QString& text, QWidget* parent, int width = 38) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  edit->setFixedSize(width, kRowHeight);
  return edit;
}

QPushButton* commandButton(const QString& name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setFixedSize(62, kRowHeight + 2);
  return button;
}

// A row of texts and edits: "转角范围" x1 "~" x2 "°，步长" ...
QHBoxLayout* settingsRow(QWidget* parent, const std::vector<std::variant<QString, QLineEdit*>>& items) {
  auto* row = new QHBoxLayout;
  row->setSpacing(1);
  for (const auto& item : items) {
    if (const auto* text = std::get_if<QString>(&item))
      row->addWidget(new QLabel(*text, parent));
    else
      row->addWidget(std::get<QLineEdit*>(item));
  }
  row->addStretch(1);
  return row;
}

// The control names of one panel, in the order x1, x2, step, ω, LenBE, δ (the last two empty
// without a coupler point); draw, save, output, finish; start, pause, track bar; curve and
// animation pictures; timer.
AnalysisPanelConfig named(const char* page, std::array<const char*, 6> edits,
                          std::array<const char*, 4> commands, std::array<const char*, 3> animation,
                          std::array<const char*, 2> pictures, const char* timer) {
  AnalysisPanelConfig c;
  c.page = QString::fromUtf8(page);
  QString* editNames[] = {&c.x1, &c.x2, &c.step, &c.omega, &c.lenBE, &c.delta};
  for (std::size_t i = 0; i < edits.size(); ++i) *editNames[i] = QString::fromUtf8(edits[i]);
  c.draw = QString::fromUtf8(commands[0]), c.save = QString::fromUtf8(commands[1]);
  c.output = QString::fromUtf8(commands[2]), c.finish = QString::fromUtf8(commands[3]);
  c.start = QString::fromUtf8(animation[0]), c.pause = QString::fromUtf8(animation[1]);
  c.trackBar = QString::fromUtf8(animation[2]);
  c.curvePicture = QString::fromUtf8(pictures[0]), c.animationPicture = QString::fromUtf8(pictures[1]);
  c.timer = QString::fromUtf8(timer);
  return c;
}

// Most four-bar panels share these names.
AnalysisPanelConfig commonFourBar(const char* page, const char* trackBar) {
  return named(page, {"edtx1", "edtx2", "edtStep", "edtspeed", "edtLbm", "edtDfai2"},
               {"btndraw", "btnSave", "btnOutPut", "typ1cmp2"}, {"btnstart", "btnpause", trackBar},
               {"imgQX", "ImgFZ"}, "tmrFZ");
}

// The dwell window keeps the track bar's speed and truncates the step count of its table.
AnalysisPanelConfig dwell(AnalysisPanelConfig c) {
  c.startResetsInterval = false;
  c.truncateStepCount = true;
  return c;
}

// The transmission-angle window keeps the track bar's speed, draws at any angular speed and
// proposes temp.bmp for the curves.
AnalysisPanelConfig transmission(AnalysisPanelConfig c) {
  c.startResetsInterval = false;
  c.drawChecksSpeed = false;
  c.proposedCurveFile = QStringLiteral("temp.bmp");
  return c;
}

// The application's way to the linkage workbench, shared by every panel.
AnalysisPanel::WorkbenchOpener& workbenchOpener() {
  static AnalysisPanel::WorkbenchOpener opener;
  return opener;
}

}  // namespace

void AnalysisPanel::SetWorkbenchOpener(WorkbenchOpener opener) { workbenchOpener() = std::move(opener); }

AnalysisPanel::Table AnalysisPanel::outcome(bool written) { return written ? Table::Written : Table::Failed; }

AnalysisPanelConfig AnalysisPanelConfig::CorrespondingFourBar() {
  AnalysisPanelConfig c =
      named("type1step6", {"jlsgx1", "jlsgx2", "jlsgstep", "jlsgw", "edtLbm", "edtDfai2"},
            {"jlsgdraw", "jlsgsave", "jlsgoutput", "jlsgcmp"}, {"jlsgstart", "jlsgpause", "TrackBar1"},
            {"Image1", "Image2"}, "tmrFZ");
  c.catchDrawFailure = true;
  return c;
}

AnalysisPanelConfig AnalysisPanelConfig::CorrespondingCrankSlider() {
  return named("type2step4", {"edtx1", "edtx2", "edtStep", "edtspeed", "", ""},
               {"btndraw", "btnSave", "btnOutPut", "typ1cmp2"}, {"btnstart", "btnpause", "TrackBar2"},
               {"imgQX", "ImgFZ"}, "tmrFZ");
}

AnalysisPanelConfig AnalysisPanelConfig::FunctionGeneration() {
  AnalysisPanelConfig c = commonFourBar("Step6", "TrackBar1");
  c.catchDrawFailure = true;
  c.outputChecksSpeed = false;
  return c;
}

AnalysisPanelConfig AnalysisPanelConfig::QuickReturnCrankRocker() {
  return commonFourBar("type1step3", "TrackBar1");
}

AnalysisPanelConfig AnalysisPanelConfig::QuickReturnCrankSlider() {
  return named("type2step3", {"edtqbhkx1", "edtqbhkx2", "edtqbhkstep", "edtspqbhk", "", ""},
               {"btndrawqx", "saveqbhk", "qbhkoutput", "qbhkok"}, {"qbhkbegin", "qbhkpause", "TrackBar2"},
               {"imgQBHK1", "imgQBHK2"}, "tmrFZ");
}

AnalysisPanelConfig AnalysisPanelConfig::QuickReturnGuideBar() {
  return named("type3step3", {"edtxx1", "edtxx2", "edtsp", "edtw", "", ""},
               {"btndrawdg", "btnsavedg", "btndgoutput", "btncmpdg"}, {"btndgstart", "btndgpause", "TrackBar3"},
               {"Image1", "Image2"}, "tmrFZ");
}

AnalysisPanelConfig AnalysisPanelConfig::DwellCrankRocker() {
  AnalysisPanelConfig c = dwell(commonFourBar("type1step4", "TrackBar1"));
  c.proposedCurveFile = QStringLiteral("temp.bmp");
  return c;
}

AnalysisPanelConfig AnalysisPanelConfig::DwellCrankSlider() {
  return dwell(named("type2step4", {"edthkx1", "edthkx2", "edthkStep", "edthkspeed", "", ""},
                     {"hkdraw", "hkSave", "hkOutPut", "hkok"}, {"hkstart", "hkpause", "TrackBar2"},
                     {"imghk1", "Imghk2"}, "tmrFZ"));
}

AnalysisPanelConfig AnalysisPanelConfig::TransmissionCrankRocker1() {
  return transmission(named(
      "qbyg1step4", {"yg1edtx1", "yg1edtx2", "yg1edtStep", "yg1edtspeed", "yg1edtLbm", "yg1edtDfai2"},
      {"yg1btndraw", "yg1btnSave", "yg1btnOutPut", "typ1cmp2"}, {"yg1btnstart", "yg1btnpause", "TrackBar1"},
      {"imgQX", "ImgFZ"}, "tmrfz"));
}

AnalysisPanelConfig AnalysisPanelConfig::TransmissionCrankRocker2() {
  AnalysisPanelConfig c = transmission(named(
      "qbyg2step4", {"yg2edtx1", "yg2edtx2", "yg2edtStep", "yg2edtspeed", "yg2edtLbm", "yg2edtDfai2"},
      {"yg2btndraw", "yg2btnSave", "yg2btnOutPut", "btnyg2qbyg2cmp"},
      {"yg2btnstart", "yg2btnpause", "TrackBar2"}, {"imgQX1", "ImgFZ1"}, "tmrFZ1"));
  c.movesFocus = false;
  c.outputDisablesButton = false;
  c.reportsFailedTable = false;
  return c;
}

AnalysisPanelConfig AnalysisPanelConfig::TransmissionCrankSlider() {
  AnalysisPanelConfig c = transmission(
      named("qbhkstep3", {"edtqbhkx1", "edtqbhkx2", "edtqbhkstep", "edtspqbhk", "", ""},
            {"hkdraw", "hkSave", "qbhkoutput", "hkok"}, {"hkstart", "hkpause", "TrackBar3"},
            {"imghk1", "Imghk2"}, "tmrhk"));
  c.figureScale = 100;  // a stroke of 100 mm
  return c;
}

AnalysisPanel::AnalysisPanel(AnalysisPanelConfig config, QWidget* parent)
    : QGroupBox(QStringLiteral("运动分析"), parent),
      m_config(std::move(config)),
      m_animation(kFigureSize, this) {
  setObjectName(m_config.page);
  setFont(SongTi(12));
  // The style's group titles take a line and a half of the CJK font; one line is enough.
  setStyleSheet(QStringLiteral("QGroupBox { margin-top: 15px; border: 1px solid #a0a0a0; border-radius: 2px; }"
                               "QGroupBox::title { subcontrol-origin: margin; left: 2px; top: 0px; }"));
  m_animation.setObjectName(m_config.timer);
  m_animation.setStartResetsInterval(m_config.startResetsInterval);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  auto* pictures = new QHBoxLayout;
  pictures->setSpacing(0);
  m_curves = new PictureBox(m_config.curvePicture, kCurveSize, this);
  m_figure = new PictureBox(m_config.animationPicture, kFigureSize, this);
  pictures->addWidget(m_curves);
  pictures->addWidget(m_figure);
  pictures->addStretch(1);
  layout->addLayout(pictures);
  auto* bar = new QHBoxLayout;
  bar->setSpacing(2);
  bar->addWidget(buildSettings());
  bar->addWidget(buildCommands());
  bar->addWidget(buildSimulation());
  layout->addLayout(bar);

  auto guarded = [this](void (AnalysisPanel::*command)()) {
    return [this, command] { Guarded([this, command] { (this->*command)(); }); };
  };
  connect(drawButton, &QPushButton::clicked, this, guarded(&AnalysisPanel::drawClick));
  connect(saveButton, &QPushButton::clicked, this, guarded(&AnalysisPanel::saveClick));
  connect(outputButton, &QPushButton::clicked, this, guarded(&AnalysisPanel::outputClick));
  connect(finishButton, &QPushButton::clicked, this, guarded(&AnalysisPanel::finishClick));
  connect(startButton, &QPushButton::clicked, this, guarded(&AnalysisPanel::startClick));
  connect(pauseButton, &QPushButton::clicked, this, guarded(&AnalysisPanel::pauseClick));
  connect(btnWorkbench, &QPushButton::clicked, this, guarded(&AnalysisPanel::btnWorkbenchClick));
  connect(btnPlots, &QPushButton::clicked, this, guarded(&AnalysisPanel::plotsClick));
  connect(trackBar, &QSlider::valueChanged, &m_animation, &MechanismAnimation::setSpeed);
  connect(&m_animation, &MechanismAnimation::framePainted, this,
          [this] {
            m_figure->setImage(m_animation.frame());
            if (m_plots && m_plots->isVisible()) m_plots->setAnimationAngle(m_animation.phi());
          });
  connect(&m_animation, &MechanismAnimation::controlsChanged, this, &AnalysisPanel::showControls);
  hide();
}

QWidget* AnalysisPanel::buildSettings() {
  auto* group = new QGroupBox(QStringLiteral("输出设置"), this);
  auto* column = new QVBoxLayout(group);
  column->setContentsMargins(5, 0, 5, 2);
  column->setSpacing(2);
  // The range holds limits such as "287.5455" (four decimals); step and speed are short.
  x1Edit = smallEdit(m_config.x1, QStringLiteral("0"), group, 54);
  x2Edit = smallEdit(m_config.x2, QStringLiteral("360"), group, 54);
  stepEdit = smallEdit(m_config.step, QStringLiteral("3"), group, 30);
  omegaEdit = smallEdit(m_config.omega, QStringLiteral("1"), group, 30);
  column->addLayout(settingsRow(group, {QStringLiteral("转角范围"), x1Edit, QStringLiteral("~"), x2Edit,
                                        QStringLiteral("°，步长"), stepEdit, QStringLiteral("°，角速度"),
                                        omegaEdit, QStringLiteral("°/s")}));
  if (m_config.hasCouplerPoint()) {
    lenBEEdit = smallEdit(m_config.lenBE, QStringLiteral("50"), group);
    deltaEdit = smallEdit(m_config.delta, QStringLiteral("0"), group);
    column->addLayout(settingsRow(group, {QStringLiteral("连杆上E点位置LenBE"), lenBEEdit,
                                          QStringLiteral("mm，位置角δ"), deltaEdit, QStringLiteral("°")}));
  }
  return group;
}

QWidget* AnalysisPanel::buildCommands() {
  auto* box = new QWidget(this);
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 4, 0, 0);
  grid->setSpacing(3);
  drawButton = commandButton(m_config.draw, QStringLiteral("绘图"), box);
  saveButton = commandButton(m_config.save, QStringLiteral("保存线图"), box);
  outputButton = commandButton(m_config.output, QStringLiteral("输出数据"), box);
  finishButton = commandButton(m_config.finish, QStringLiteral("完成"), box);
  saveButton->setEnabled(false);
  btnWorkbench = commandButton(QStringLiteral("btnWorkbench"), QStringLiteral("连杆曲线…"), box);
  btnWorkbench->setFixedWidth(72);
  grid->addWidget(drawButton, 0, 0);
  grid->addWidget(saveButton, 0, 1);
  grid->addWidget(outputButton, 1, 0);
  grid->addWidget(finishButton, 1, 1);
  grid->addWidget(btnWorkbench, 0, 2);
  showWorkbenchButton();
  btnPlots = commandButton(QStringLiteral("btnPlots"), QStringLiteral("曲线详图…"), box);
  btnPlots->setFixedWidth(76);
  grid->addWidget(btnPlots, 1, 2);
  return box;
}

QWidget* AnalysisPanel::buildSimulation() {
  auto* group = new QGroupBox(QStringLiteral("仿真控制"), this);
  auto* column = new QVBoxLayout(group);
  column->setContentsMargins(5, 0, 5, 2);
  column->setSpacing(2);
  auto* speed = new QHBoxLayout;
  trackBar = new QSlider(Qt::Horizontal, group);
  trackBar->setObjectName(m_config.trackBar);
  trackBar->setRange(MechanismAnimation::kSpeedMin, MechanismAnimation::kSpeedMax);
  trackBar->setValue(MechanismAnimation::kSpeedMax);
  speed->addWidget(new QLabel(QStringLiteral("慢"), group));
  speed->addWidget(trackBar);
  speed->addWidget(new QLabel(QStringLiteral("快"), group));
  auto* buttons = new QHBoxLayout;
  startButton = commandButton(m_config.start, QStringLiteral("开始"), group);
  pauseButton = commandButton(m_config.pause, QStringLiteral("暂停"), group);
  startButton->setFixedWidth(50);
  pauseButton->setFixedWidth(50);
  pauseButton->setEnabled(false);
  buttons->addWidget(startButton);
  buttons->addWidget(pauseButton);
  column->addLayout(speed);
  column->addLayout(buttons);
  return group;
}

void AnalysisPanel::setLinkage(const Linkage& linkage) {
  m_linkage = linkage;
  m_hasLinkage = true;
  Linkage shown = linkage;
  for (Extended* length : {&shown.AB, &shown.BC, &shown.CD, &shown.AD, &shown.r, &shown.l, &shown.e, &shown.d})
    *length *= m_config.figureScale;
  m_animation.setLinkage(shown);
  showWorkbenchButton();
}

// The workbench analyses hinged four-bars and crank-sliders.
void AnalysisPanel::showWorkbenchButton() {
  btnWorkbench->setVisible(workbenchOpener() && m_linkage.kind != LinkageKind::GuideBar);
}

void AnalysisPanel::readCouplerPoint(Extended& lenBE, Extended& delta) const {
  lenBE = StrToFloat(lenBEEdit->text());
  delta = StrToFloat(deltaEdit->text()) * kRad;
}

void AnalysisPanel::focusOn(QLineEdit* edit) {
  if (m_config.movesFocus) edit->setFocus();
}

void AnalysisPanel::setRange(const QString& x1, const QString& x2) {
  x1Edit->setText(x1);
  x2Edit->setText(x2);
}

void AnalysisPanel::showControls() {
  startButton->setText(m_animation.startCaption());
  pauseButton->setText(m_animation.pauseCaption());
  pauseButton->setEnabled(m_animation.pauseEnabled());
}

void AnalysisPanel::drawClick() {
  CurveSettings settings;
  settings.step = StrToFloat(stepEdit->text());
  settings.omega = StrToFloat(omegaEdit->text());
  settings.start = StrToFloat(x1Edit->text());
  settings.end = StrToFloat(x2Edit->text());
  settings.checkSpeed = m_config.drawChecksSpeed;
  Extended lenBE = 0, delta = 0;
  if (m_config.hasCouplerPoint()) readCouplerPoint(lenBE, delta);

  // Drawn on a copy: a declined or failed plot leaves the picture that was there.
  QImage picture = m_curves->image();
  drawButton->setEnabled(false);
  CurveOutcome outcome = CurveOutcome::NoPlot;
  try {
    outcome = DrawMotionCurves(picture, linkage(), settings);
    FpuCheck();
  } catch (const KvError&) {
    drawButton->setEnabled(true);
    if (!m_config.catchDrawFailure) throw;
    saveButton->setEnabled(false);
    ShowMsg(QStringLiteral("绘制曲线图出错！"));
    return;
  }
  drawButton->setEnabled(true);
  m_animation.setCouplerPoint(lenBE * m_config.figureScale, delta);
  switch (outcome) {
    case CurveOutcome::Drawn:
      m_curves->setImage(picture);
      saveButton->setEnabled(true);
      break;
    case CurveOutcome::ZeroSpeed: focusOn(omegaEdit); break;
    case CurveOutcome::StepDeclined: focusOn(stepEdit); break;
    case CurveOutcome::NoPlot: break;
  }
}

void AnalysisPanel::saveClick() {
  const QString folder = EnsureResultDir();
  QString path = Desktop().GetSaveFileName(QStringLiteral("保存线图"), folder + m_config.proposedCurveFile,
                                           QStringLiteral("*.bmp;;*.jpg"));
  if (path.isEmpty()) return;
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix.isEmpty()) path += QStringLiteral(".bmp");
  // A ".jpg" name gets JPEG data, so every viewer opens what the name promises.
  const bool jpeg = suffix == QStringLiteral("jpg") || suffix == QStringLiteral("jpeg");
  if (!m_curves->image().save(path, jpeg ? "JPG" : "BMP", jpeg ? 95 : -1))
    throw EFileError(QStringLiteral("无法写入文件") + path);
}

// The table of the linkage at the figure's scale; a four-bar by its kind may have none.
AnalysisPanel::Table AnalysisPanel::writeTable(const QString& path, Extended omega, Extended step,
                                               Extended start, Extended end, Extended lenBE, Extended delta) {
  const Linkage& k = m_animation.linkage();
  const std::optional<MotionTableKind> kind = MotionTableKindOf(k);
  if (!kind) {
    ShowMsg(QStringLiteral("对不起，还没有该类型机构的运动分析程序！"));
    return Table::None;
  }
  return outcome(WriteMotionTable(path, TableFormat::Html, *kind, k, {omega, step, start, end, lenBE, delta}));
}

void AnalysisPanel::outputClick() {
  // Every edit is read before any check, so a text that is not a number always fails first.
  const Extended step = StrToFloat(stepEdit->text()) * kRad;
  const Extended omega = StrToFloat(omegaEdit->text()) * kRad;
  const Extended end = StrToFloat(x2Edit->text()) * kRad;
  const Extended start = StrToFloat(x1Edit->text()) * kRad;
  Extended lenBE = 0, delta = 0;
  if (m_config.hasCouplerPoint()) readCouplerPoint(lenBE, delta);
  if (m_config.outputChecksSpeed && omega == 0) {
    ShowMsg(QStringLiteral("角速度不能为零！"));
    focusOn(omegaEdit);
    return;
  }
  const Extended ratio = (end - start) / step;
  const Extended steps = m_config.truncateStepCount ? std::trunc(ratio) : std::nearbyint(ratio);
  FpuCheck();  // a zero step fails here
  if (steps > kMaxTableSteps) {
    ShowMsg(QStringLiteral("有必要输出这么多点吗？请减小输出角范围或增大步长值！"));
    focusOn(stepEdit);
    return;
  }
  if (!m_hasLinkage) {
    ShowMsg(QStringLiteral("输出数据失败！"));
    return;
  }

  const QString path = ResultDir() + QStringLiteral("temp.htm");
  // Enabled again however the writing ends.
  struct DisabledWhileWriting {
    QPushButton* button;
    ~DisabledWhileWriting() {
      if (button) button->setEnabled(true);
    }
  } disabled{m_config.outputDisablesButton ? outputButton : nullptr};
  if (disabled.button) disabled.button->setEnabled(false);

  switch (writeTable(path, omega, step, start, end, lenBE, delta)) {
    case Table::Written: Desktop().ShellOpen(path); break;
    case Table::Failed:
      if (m_config.reportsFailedTable) ShowMsg(QStringLiteral("输出数据失败！"));
      break;
    case Table::None: break;
  }
}

void AnalysisPanel::finishClick() {
  m_animation.stopTimer();
  emit finished();
}

void AnalysisPanel::startClick() { m_animation.start(StrToFloat(x1Edit->text())); }

void AnalysisPanel::pauseClick() { m_animation.pause(); }

void AnalysisPanel::btnWorkbenchClick() {
  const Linkage& shown = m_animation.linkage();
  // Panels without a coupler point hand over a point on the coupler (rod) the user can see
  // and drag.
  Extended lenBE = (shown.kind == LinkageKind::CrankSlider ? shown.l : shown.BC) / 2, delta = kPi / 6;
  if (m_config.hasCouplerPoint()) {
    readCouplerPoint(lenBE, delta);
    lenBE *= m_config.figureScale;
  }
  if (workbenchOpener()) workbenchOpener()(shown, lenBE, delta);
}

void AnalysisPanel::plotsClick() {
  MotionSettings settings;
  settings.step = StrToFloat(stepEdit->text()) * kRad;
  settings.omega = StrToFloat(omegaEdit->text()) * kRad;
  settings.start = StrToFloat(x1Edit->text()) * kRad;
  settings.end = StrToFloat(x2Edit->text()) * kRad;
  if (m_config.hasCouplerPoint()) {
    settings.lenBE = StrToFloat(lenBEEdit->text());
    settings.delta = StrToFloat(deltaEdit->text()) * kRad;
  }
  const Extended steps = std::nearbyint((settings.end - settings.start) / settings.step);
  FpuCheck();  // a zero step fails here
  if (steps > kMaxTableSteps) {
    ShowMsg(QStringLiteral("有必要输出这么多点吗？请减小输出角范围或增大步长值！"));
    focusOn(stepEdit);
    return;
  }
  if (!m_hasLinkage) return;
  const std::optional<MotionTableKind> kind = MotionTableKindOf(m_animation.linkage());
  if (!kind) {
    ShowMsg(QStringLiteral("对不起，还没有该类型机构的运动分析程序！"));
    return;
  }
  if (!m_plots) m_plots = new TPlotFrm(this);
  m_plots->setMotion(*kind, m_animation.linkage(), settings);
  m_plots->show();
  m_plots->raise();
}
