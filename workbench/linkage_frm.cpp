// The linkage workbench window.
#include "workbench/linkage_frm.h"

#include "base/appdir.h"
#include "base/convert.h"
#include "base/desktop.h"
#include "base/errors.h"
#include "base/fpu.h"
#include "base/numfmt.h"
#include "link/kinematics.h"
#include "workbench/linkage_view.h"
#include "methods/record_linkage.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QSlider>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <cmath>
#include <functional>

namespace {

constexpr Extended kDeg = kPi / 180;
constexpr int kPlayInterval = 20;  // ms per frame
constexpr int kPlaySteps = 200;    // frames of one whole cycle: four seconds
const char* const kMarkProperty = "mark";

QLineEdit* numberEdit(const QString& name, const QString& text, QWidget* parent) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  edit->setMaximumWidth(110);
  return edit;
}

QLabel* readout(const QString& name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

void mark(QLineEdit* edit, const QString& reason) {
  edit->setProperty(kMarkProperty, reason);
  edit->setToolTip(reason);
  edit->setStyleSheet(reason.isEmpty() ? QString() : QStringLiteral("QLineEdit { background: #ffd6d6; }"));
}

// The angle in degrees, reduced to (−180°, 180°].
Extended reducedDegrees(Extended radians) {
  Extended d = std::remainder(radians / kDeg, Extended(360));
  return d == -180 ? 180 : d;
}

// A file written whole or not at all: the old one stays until the new one is complete.
void saveWhole(const QString& path, const std::function<bool(QSaveFile&)>& write) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || !write(file) || !file.commit())
    throw EFileError(QStringLiteral("无法写入文件") + path);
}

}  // namespace

TLinkageFrm::TLinkageFrm(QWidget* parent) : QMainWindow(parent, Qt::Window) {
  setObjectName(QStringLiteral("TLinkageFrm"));
  setWindowTitle(QStringLiteral("连杆机构分析"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(1100, 720);

  auto* body = new QWidget(this);
  auto* row = new QHBoxLayout(body);
  auto* side = new QVBoxLayout;
  side->addWidget(buildInputs());
  side->addWidget(buildReadouts());
  lblError = readout(QStringLiteral("lblError"), body);
  lblError->setStyleSheet(QStringLiteral("color: #c00000;"));
  side->addWidget(lblError);
  auto* exports = new QHBoxLayout;
  btnCsv = new QPushButton(QStringLiteral("导出CSV…"), body);
  btnPng = new QPushButton(QStringLiteral("导出PNG…"), body);
  btnSvg = new QPushButton(QStringLiteral("导出SVG…"), body);
  btnCsv->setObjectName(QStringLiteral("btnCsv"));
  btnPng->setObjectName(QStringLiteral("btnPng"));
  btnSvg->setObjectName(QStringLiteral("btnSvg"));
  for (QPushButton* button : {btnCsv, btnPng, btnSvg}) exports->addWidget(button);
  side->addLayout(exports);
  side->addStretch(1);
  auto* sidePanel = new QWidget(body);
  sidePanel->setLayout(side);
  sidePanel->setFixedWidth(300);
  row->addWidget(sidePanel);

  auto* main = new QVBoxLayout;
  view = new LinkageView(body);
  main->addWidget(view, 1);
  auto* player = new QHBoxLayout;
  btnPlay = new QPushButton(QStringLiteral("播放"), body);
  btnPlay->setObjectName(QStringLiteral("btnPlay"));
  AngleSlider = new QSlider(Qt::Horizontal, body);
  AngleSlider->setObjectName(QStringLiteral("AngleSlider"));
  AngleSlider->setRange(0, kIntervals);
  player->addWidget(btnPlay);
  player->addWidget(AngleSlider, 1);
  main->addLayout(player);
  row->addLayout(main, 1);
  setCentralWidget(body);

  mnuFile = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  mnuFile->setObjectName(QStringLiteral("mnuFile"));
  const auto command = [this](void (TLinkageFrm::*handler)()) {
    return [this, handler] { Guarded([this, handler] { (this->*handler)(); }); };
  };
  connect(mnuFile->addAction(QStringLiteral("打开设计记录(&O)…")), &QAction::triggered, this,
          command(&TLinkageFrm::OpenRecordClick));
  mnuFile->addSeparator();
  connect(mnuFile->addAction(QStringLiteral("导出E点轨迹CSV(&C)…")), &QAction::triggered, this,
          command(&TLinkageFrm::btnCsvClick));
  connect(mnuFile->addAction(QStringLiteral("导出图片PNG(&P)…")), &QAction::triggered, this,
          command(&TLinkageFrm::btnPngClick));
  connect(mnuFile->addAction(QStringLiteral("导出图片SVG(&S)…")), &QAction::triggered, this,
          command(&TLinkageFrm::btnSvgClick));
  mnuFile->addSeparator();
  connect(mnuFile->addAction(QStringLiteral("关闭(&X)")), &QAction::triggered, this, &QWidget::close);

  connect(btnCsv, &QPushButton::clicked, this, command(&TLinkageFrm::btnCsvClick));
  connect(btnPng, &QPushButton::clicked, this, command(&TLinkageFrm::btnPngClick));
  connect(btnSvg, &QPushButton::clicked, this, command(&TLinkageFrm::btnSvgClick));
  connect(btnPlay, &QPushButton::clicked, this, command(&TLinkageFrm::btnPlayClick));
  connect(AngleSlider, &QSlider::valueChanged, this, [this](int index) { Guarded([=, this] { showPose(index); }); });
  connect(view, &LinkageView::jointDragged, this,
          [this](SceneJoint joint, QPointF mm) { Guarded([=, this] { DragJoint(joint, mm); }); });
  m_timer.setInterval(kPlayInterval);
  connect(&m_timer, &QTimer::timeout, this, [this] {
    Guarded([this] { AngleSlider->setValue((AngleSlider->value() + kIntervals / kPlaySteps) % kIntervals); });
  });

  kindChanged();
}

QWidget* TLinkageFrm::buildInputs() {
  auto* group = new QGroupBox(QStringLiteral("机构参数"), this);
  auto* form = new QFormLayout(group);
  cboKind = new QComboBox(group);
  cboKind->setObjectName(QStringLiteral("cboKind"));
  cboKind->addItems({QStringLiteral("铰链四杆机构"), QStringLiteral("曲柄滑块机构")});
  cboBranch = new QComboBox(group);
  cboBranch->setObjectName(QStringLiteral("cboBranch"));
  cboBranch->addItems({QStringLiteral("开式"), QStringLiteral("交叉")});
  edtA = numberEdit(QStringLiteral("edtA"), QStringLiteral("40"), group);
  edtB = numberEdit(QStringLiteral("edtB"), QStringLiteral("120"), group);
  edtC = numberEdit(QStringLiteral("edtC"), QStringLiteral("80"), group);
  edtD = numberEdit(QStringLiteral("edtD"), QStringLiteral("100"), group);
  edtE = numberEdit(QStringLiteral("edtE"), QStringLiteral("0"), group);
  edtBE = numberEdit(QStringLiteral("edtBE"), QStringLiteral("60"), group);
  edtDelta = numberEdit(QStringLiteral("edtDelta"), QStringLiteral("30"), group);
  edtOmega = numberEdit(QStringLiteral("edtOmega"), QStringLiteral("360"), group);
  m_lblA = new QLabel(group);
  m_lblB = new QLabel(group);
  m_lblC = new QLabel(QStringLiteral("摇杆 CD  c (mm)"), group);
  m_lblD = new QLabel(QStringLiteral("机架 AD  d (mm)"), group);
  m_lblE = new QLabel(QStringLiteral("偏距 e (mm)"), group);
  form->addRow(QStringLiteral("机构类型"), cboKind);
  form->addRow(m_lblA, edtA);
  form->addRow(m_lblB, edtB);
  form->addRow(m_lblC, edtC);
  form->addRow(m_lblD, edtD);
  form->addRow(m_lblE, edtE);
  form->addRow(QStringLiteral("E点 BE (mm)"), edtBE);
  form->addRow(QStringLiteral("E点位置角 δ (°)"), edtDelta);
  form->addRow(QStringLiteral("装配方式"), cboBranch);
  form->addRow(QStringLiteral("角速度 ω (°/s)"), edtOmega);

  for (QLineEdit* edit : {edtA, edtB, edtC, edtD, edtE, edtBE, edtDelta, edtOmega})
    connect(edit, &QLineEdit::textChanged, this, [this] { Guarded([this] { inputsChanged(); }); });
  connect(cboKind, &QComboBox::currentIndexChanged, this, [this] { Guarded([this] { kindChanged(); }); });
  connect(cboBranch, &QComboBox::currentIndexChanged, this, [this] { Guarded([this] { inputsChanged(); }); });
  return group;
}

QWidget* TLinkageFrm::buildReadouts() {
  auto* group = new QGroupBox(QStringLiteral("分析结果"), this);
  auto* column = new QVBoxLayout(group);
  lblClass = readout(QStringLiteral("lblClass"), group);
  lblRange = readout(QStringLiteral("lblRange"), group);
  lblGamma = readout(QStringLiteral("lblGamma"), group);
  lblExtent = readout(QStringLiteral("lblExtent"), group);
  lblSpeed = readout(QStringLiteral("lblSpeed"), group);
  for (QLabel* label : {lblClass, lblRange, lblGamma, lblExtent, lblSpeed}) column->addWidget(label);
  return group;
}

void TLinkageFrm::kindChanged() {
  const bool slider = cboKind->currentIndex() == 1;
  m_lblA->setText(slider ? QStringLiteral("曲柄 AB  r (mm)") : QStringLiteral("曲柄 AB  a (mm)"));
  m_lblB->setText(slider ? QStringLiteral("连杆 BC  l (mm)") : QStringLiteral("连杆 BC  b (mm)"));
  for (QWidget* w : std::initializer_list<QWidget*>{m_lblC, edtC, m_lblD, edtD}) w->setVisible(!slider);
  for (QWidget* w : std::initializer_list<QWidget*>{m_lblE, edtE}) w->setVisible(slider);
  inputsChanged();
}

void TLinkageFrm::inputsChanged() {
  if (!m_filling) Redraw(true);
}

void TLinkageFrm::LoadLinkage(const Linkage& linkage, Extended lenBE, Extended delta) {
  m_filling = true;
  const bool slider = linkage.kind == LinkageKind::CrankSlider;
  cboKind->setCurrentIndex(slider ? 1 : 0);
  edtA->setText(FormatG(slider ? linkage.r : linkage.AB));
  edtB->setText(FormatG(slider ? linkage.l : linkage.BC));
  if (slider) {
    edtE->setText(FormatG(linkage.e));
  } else {
    edtC->setText(FormatG(linkage.CD));
    edtD->setText(FormatG(linkage.AD));
  }
  edtBE->setText(FormatR(lenBE, 5));
  edtDelta->setText(FormatR(delta / kDeg, 5));
  m_filling = false;
  AngleSlider->setValue(0);
  Redraw(true);
}

QString TLinkageFrm::MarkOf(const QLineEdit* edit) { return edit->property(kMarkProperty).toString(); }

bool TLinkageFrm::readInputs(CouplerLinkage& k, Extended& omega) {
  const bool slider = cboKind->currentIndex() == 1;
  for (QLineEdit* edit : {edtA, edtB, edtC, edtD, edtE, edtBE, edtDelta, edtOmega}) mark(edit, {});
  bool good = true;
  const auto read = [&good](QLineEdit* edit, Extended& value, bool positive, bool nonNegative, bool nonZero) {
    try {
      value = StrToFloat(edit->text());
    } catch (const EConvertError&) {
      mark(edit, QStringLiteral("不是有效的数值"));
      good = false;
      return;
    }
    QString reason;
    if (!std::isfinite(value) || std::fabs(value) > 1e9L)
      reason = QStringLiteral("数值超出范围");
    else if (positive && value <= 0)
      reason = QStringLiteral("长度必须大于零");
    else if (nonNegative && value < 0)
      reason = QStringLiteral("不能为负");
    else if (nonZero && value == 0)
      reason = QStringLiteral("角速度不能为零");
    mark(edit, reason);
    if (!reason.isEmpty()) good = false;
  };
  Linkage& g = k.linkage;
  Extended deltaDegrees = 0, omegaDegrees = 0;
  if (slider) {
    g = Linkage::CrankSlider(0, 0, 0);
    read(edtA, g.r, true, false, false);
    read(edtB, g.l, true, false, false);
    read(edtE, g.e, false, false, false);
  } else {
    g = Linkage::FourBar(LinkageKind::FourBarByKind, 0, 0, 0, 0);
    read(edtA, g.AB, true, false, false);
    read(edtB, g.BC, true, false, false);
    read(edtC, g.CD, true, false, false);
    read(edtD, g.AD, true, false, false);
  }
  read(edtBE, k.lenBE, false, true, false);
  read(edtDelta, deltaDegrees, false, false, false);
  read(edtOmega, omegaDegrees, false, false, true);
  k.delta = deltaDegrees * kDeg;
  k.crossed = cboBranch->currentIndex() == 1;
  omega = omegaDegrees * kDeg;
  return good;
}

// The field at fault when the lengths cannot be assembled: the slider's offset, or the
// four-bar's longest link, which is at least as long as the other three together.
void TLinkageFrm::markUnassemblable(const CouplerLinkage& k) {
  const Linkage& g = k.linkage;
  if (k.isSlider()) {
    mark(edtE, CouplerLinkageKindText(k));
    return;
  }
  QLineEdit* longest = edtA;
  Extended most = g.AB;
  for (auto [edit, length] : {std::pair{edtB, g.BC}, std::pair{edtC, g.CD}, std::pair{edtD, g.AD}})
    if (length > most) longest = edit, most = length;
  mark(longest, FourBarKindText(-1));
}

bool TLinkageFrm::Redraw(bool refit) {
  CouplerLinkage k;
  Extended omega = 0;
  bool good = readInputs(k, omega);
  CouplerPath path;
  if (good) {
    FpuClear();
    good = TraceCouplerPath(k, omega, kIntervals, path);
    FpuCheck();
    if (!good) markUnassemblable(k);
  }
  QStringList reasons;
  for (QLineEdit* edit : {edtA, edtB, edtC, edtD, edtE, edtBE, edtDelta, edtOmega})
    if (edit->isVisibleTo(this) && !MarkOf(edit).isEmpty()) reasons << MarkOf(edit);
  lblError->setText(reasons.join(u'\n'));
  if (!good) return false;

  m_linkage = k;
  m_omega = omega;
  m_path = std::move(path);
  m_drawn = true;
  showReadouts();
  LinkageScene scene;
  if (MakeLinkageScene(m_linkage, m_path, AngleSlider->value(), m_omega, scene)) view->setScene(scene, refit);
  return true;
}

void TLinkageFrm::showPose(int index) {
  if (!m_drawn) return;
  LinkageScene scene;
  if (MakeLinkageScene(m_linkage, m_path, index, m_omega, scene)) view->setScene(scene, false);
}

void TLinkageFrm::showReadouts() {
  const auto deg = [](Extended radians) { return FormatR(radians / kDeg, 3); };
  const InputRange& r = m_path.range;
  lblClass->setText(CouplerLinkageKindText(m_linkage));
  lblRange->setText(r.turns ? QStringLiteral("输入角范围：0° ~ 360°（整周转动）")
                            : QStringLiteral("输入角范围：%1° ~ %2°（往复摆动）").arg(deg(r.phiMin), deg(r.phiMax)));
  const CouplerSample* least = &m_path.samples.front();
  const CouplerSample* fastest = nullptr;
  Extended xMin = least->x, xMax = least->x, yMin = least->y, yMax = least->y, vMax = -1;
  for (const CouplerSample& s : m_path.samples) {
    if (s.gamma < least->gamma) least = &s;
    xMin = std::min(xMin, s.x), xMax = std::max(xMax, s.x);
    yMin = std::min(yMin, s.y), yMax = std::max(yMax, s.y);
    const Extended v = std::hypot(s.vx, s.vy);
    if (!s.dead && v > vMax) vMax = v, fastest = &s;
  }
  lblGamma->setText(QStringLiteral("γmin=%1°（φ=%2°）").arg(deg(least->gamma), deg(least->phi)));
  lblExtent->setText(QStringLiteral("E点轨迹：x %1 ~ %2 mm，y %3 ~ %4 mm")
                         .arg(FormatFixed(xMin, 3), FormatFixed(xMax, 3), FormatFixed(yMin, 3), FormatFixed(yMax, 3)));
  lblSpeed->setText(fastest ? QStringLiteral("E点最大速度：%1 mm/s（φ=%2°）").arg(FormatR(vMax, 3), deg(fastest->phi))
                            : QString());
}

int TLinkageFrm::nearestSample(Extended phi, bool crossed) const {
  int best = AngleSlider->value();
  Extended bestGap = 10;
  for (int i = 0; i < int(m_path.samples.size()); ++i) {
    const CouplerSample& s = m_path.samples[i];
    const Extended gap = std::fabs(std::remainder(s.phi - phi, 2 * kPi));
    if (s.crossed == crossed && gap < bestGap) best = i, bestGap = gap;
  }
  return best;
}

void TLinkageFrm::DragJoint(SceneJoint joint, QPointF mm) {
  if (!m_drawn || joint == SceneJoint::None) return;
  const CouplerPose pose = view->scene().pose;
  const Extended x = mm.x(), y = mm.y();
  const auto set = [](QLineEdit* edit, Extended value) { edit->setText(FormatR(value, 3)); };
  m_filling = true;
  const bool slider = m_linkage.isSlider();
  switch (joint) {
    case SceneJoint::E:
      // E moves in the coupler's own frame: its distance from B and its angle against BC.
      set(edtBE, std::hypot(x - pose.Bx, y - pose.By));
      set(edtDelta, reducedDegrees(std::atan2(y - pose.By, x - pose.Bx) - pose.phi2));
      break;
    case SceneJoint::B:
      set(edtA, std::hypot(x, y));
      set(edtB, std::hypot(pose.Cx - x, pose.Cy - y));
      break;
    case SceneJoint::C:
      set(edtB, std::hypot(x - pose.Bx, y - pose.By));
      if (slider)
        set(edtE, y);
      else
        set(edtC, std::hypot(x - m_linkage.linkage.AD, y));
      break;
    case SceneJoint::D:
      set(edtD, x);
      set(edtC, std::hypot(pose.Cx - x, pose.Cy));
      break;
    case SceneJoint::None: break;
  }
  m_filling = false;
  if (!Redraw(false)) return;
  // B taken round A turns the input: the pose follows it on the same assembly.
  if (joint == SceneJoint::B) {
    const QSignalBlocker quiet(AngleSlider);
    AngleSlider->setValue(nearestSample(std::atan2(y, x), pose.crossed));
    showPose(AngleSlider->value());
  }
}

void TLinkageFrm::btnPlayClick() {
  if (m_timer.isActive())
    m_timer.stop();
  else
    m_timer.start();
  btnPlay->setText(m_timer.isActive() ? QStringLiteral("暂停") : QStringLiteral("播放"));
}

QString TLinkageFrm::askSavePath(const QString& caption, const QString& name, const QString& filter,
                                 const QString& suffix) {
  QString path = Desktop().GetSaveFileName(caption, EnsureResultDir() + name, filter);
  if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += u'.' + suffix;
  return path;
}

void TLinkageFrm::btnCsvClick() {
  if (!m_drawn) return;
  const QString path = askSavePath(QStringLiteral("导出E点轨迹"), QStringLiteral("连杆曲线.csv"),
                                   QStringLiteral("CSV 文件 (*.csv)"), QStringLiteral("csv"));
  if (path.isEmpty()) return;
  const QByteArray csv = CouplerPathCsv(m_path);
  saveWhole(path, [&csv](QSaveFile& file) { return file.write(csv) == csv.size(); });
}

void TLinkageFrm::btnPngClick() {
  const QString path = askSavePath(QStringLiteral("导出图片"), QStringLiteral("连杆曲线.png"),
                                   QStringLiteral("PNG 图片 (*.png)"), QStringLiteral("png"));
  if (path.isEmpty()) return;
  const QImage image = view->renderImage(view->size());
  saveWhole(path, [&image](QSaveFile& file) { return image.save(&file, "PNG"); });
}

void TLinkageFrm::btnSvgClick() {
  const QString path = askSavePath(QStringLiteral("导出图片"), QStringLiteral("连杆曲线.svg"),
                                   QStringLiteral("SVG 图片 (*.svg)"), QStringLiteral("svg"));
  if (path.isEmpty()) return;
  saveWhole(path, [this](QSaveFile& file) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(view->size());
    svg.setViewBox(QRect(QPoint(), view->size()));
    svg.setTitle(windowTitle());
    QPainter painter(&svg);
    view->paintScene(painter, view->size());
    return painter.end();
  });
}

void TLinkageFrm::OpenRecordClick() {
  const QString path = Desktop().GetOpenFileName(QStringLiteral("打开设计记录"), EnsureResultDir(),
                                                 QStringLiteral("设计记录(*.des *.txt)"));
  if (path.isEmpty()) return;
  QString error;
  const std::optional<RecordLinkage> record = LinkageFromRecord(path, &error);
  if (!record) {
    ShowMsg(error);
    return;
  }
  LoadLinkage(record->linkage, record->lenBE, record->delta);
}
