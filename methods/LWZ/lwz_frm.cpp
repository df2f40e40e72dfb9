#include "methods/LWZ/lwz_frm.h"

#include "analysis/analysis_panel.h"
#include "base/convert.h"
#include "base/desktop.h"
#include "base/fpu.h"
#include "base/numfmt.h"
#include "link/design_check.h"
#include "link/kinematics.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr int kPositionStep = 0, kAnalysisStep = 3, kEndStep = 4;
// The construction is drawn at the real scale into a box of this size, whatever the numbers.
constexpr QSize kConstructionSize(460, 300);

const QString kTypeCaptions[3] = {QStringLiteral("已知连杆两个位置，固定铰链在给定直线上"),
                                  QStringLiteral("已知连杆上两铰链的三个位置"),
                                  QStringLiteral("已知连杆平面的三个位置")};

QString coordinates(GuidancePoint p) {
  return QStringLiteral("(") + FormatFixed(p.x, 3) + QStringLiteral(", ") + FormatFixed(p.y, 3) + QStringLiteral(")");
}

QString kindName(int kind) {
  switch (kind) {
    case 0: return QStringLiteral("双摇杆机构");
    case 1: case 10: return QStringLiteral("曲柄摇杆机构");
    case 11: return QStringLiteral("双曲柄机构");
    case 110: return QStringLiteral("平行四边形机构");
    default: return QStringLiteral("不能构成四杆机构");
  }
}

QPointF toPoint(GuidancePoint p) { return {double(p.x), double(p.y)}; }

}  // namespace

TLWZFrm::TLWZFrm(QWidget* parent)
    : TDesignFrm(QStringLiteral("LWZ"), QStringLiteral("按连杆预定位置设计"), QStringLiteral("LWZ"), WizardPolicy{},
                 parent) {
  AddType(kTypeCaptions[kGuidanceTwoOnLine],
          QStringLiteral("　　已知连杆BC的两个位置（B点坐标及BC与x轴的夹角）、连杆长度及固定铰链所在直线y=y0，"
                         "求固定铰链A、D，设计铰链四杆机构"),
          QStringLiteral("pnlType1"), QStringLiteral("RightPnlType1"));
  AddType(kTypeCaptions[kGuidanceThreeOfBC],
          QStringLiteral("　　已知连杆BC的三个位置（B点坐标及BC与x轴的夹角）及连杆长度，求固定铰链A、D，"
                         "设计铰链四杆机构"),
          QStringLiteral("pnlType2"), QStringLiteral("RightPnlType2"));
  AddType(kTypeCaptions[kGuidanceThreeOfPlane],
          QStringLiteral("　　已知连杆平面上标线MN的三个位置（M点坐标及MN与x轴的夹角），在连杆平面上选定活动铰链"
                         "B、C，求固定铰链A、D，设计铰链四杆机构"),
          QStringLiteral("pnlType3"), QStringLiteral("RightPnlType3"));

  QGroupBox* step1 = buildPositionStep();
  QGroupBox* step2 = buildPivotStep();
  QGroupBox* step3 = buildLengthStep();
  lwzstep4 = AddAnalysisPanel(-1, AnalysisPanelConfig::CorrespondingFourBar());

  // The first type declares the steps on its button panel; the others hold the same buttons
  // and groups, so every control carries one name whatever the type.
  constexpr int first = kGuidanceTwoOnLine;
  AddStep(first, {.button = "lwzsp1", .caption = QStringLiteral("初始条件"), .group = step1,
                  .pictures = {{imgSketch, QStringLiteral("lwzsyt0.bmp")}}, .status = QStringLiteral("输入初始参数"),
                  .keptLines = 0, .firstEdit = edtX1, .calc = lwzexe1, .confirm = lwzok1, .results = {lblPoints},
                  .onCalc = [this] { lwzexe1Click(); }, .onConfirm = [this] { lwzok1Click(); }});
  AddStep(first, {.button = "lwzsp2", .caption = QStringLiteral("求固定铰链A、D"), .group = step2,
                  .status = QStringLiteral("求固定铰链A、D"), .keptLines = 9, .calc = lwzexe2, .confirm = lwzok2,
                  .results = {lblA, lblD}, .onCalc = [this] { lwzexe2Click(); },
                  .onConfirm = [this] { lwzok2Click(); }});
  AddStep(first, {.button = "lwzsp3", .caption = QStringLiteral("计算各杆长度"), .group = step3,
                  .status = QStringLiteral("计算各杆长度"), .keptLines = 12, .calc = lwzexe3, .confirm = lwzok3,
                  .results = {LenAB, LenBC, LenCD, LenAD, lblFrame, lblKind}, .onCalc = [this] { lwzexe3Click(); },
                  .onConfirm = [this] { lwzok3Click(); }});
  AddStep(first, {.button = "lwzsp4", .caption = QStringLiteral("运动分析"), .group = lwzstep4,
                  .status = QStringLiteral("运动分析"), .keptLines = 19});
  AddStep(first, {.button = "lwzsp5", .caption = QStringLiteral("结束"), .status = QStringLiteral("设计结束"),
                  .end = true});
  for (int t = 0; t < TypeCount(); ++t) {
    if (t != first) {
      m_types[t].sharedPanels = {m_types[first].buttonPanel};
      for (const WizardStep& step : std::vector<WizardStep>(m_types[first].steps))
        AddSlot(t, step.button, step.group) = step;
      Slot(t, kPositionStep).pictures = {{imgSketch, QStringLiteral("lwzsyt%1.bmp").arg(t)}};
    }
    m_types[t].notesPage = QStringLiteral("LWZ.htm");
    m_types[t].reportsAfterStep = kAnalysisStep;
    m_types[t].checkFromStep = kAnalysisStep;
  }
  AddNumericEdits({edtX1, edtY1, edtAng1, edtX2, edtY2, edtAng2, edtX3, edtY3, edtAng3, edtBC, edtY0, edtBx, edtBy,
                   edtCx, edtCy});
}

// --- Building ---

QGroupBox* TLWZFrm::buildPositionStep() {
  QGroupBox* step = AddStepGroup(-1, QStringLiteral("lwzstep1"), {});
  auto* layout = new QGridLayout(step);
  auto* input = new QGroupBox(QStringLiteral("连杆的预定位置"), step);
  auto* grid = new QGridLayout(input);
  QLineEdit** edits[3][3] = {{&edtX1, &edtY1, &edtAng1}, {&edtX2, &edtY2, &edtAng2}, {&edtX3, &edtY3, &edtAng3}};
  for (int i = 0; i < 3; ++i) {
    m_pointCaption[i] = new QLabel(input);
    grid->addWidget(m_pointCaption[i], i, 0);
    const QString n = QString::number(i + 1);
    *edits[i][0] = AddEditRow(grid, i, 1, QStringLiteral("x="), QStringLiteral("edtX") + n, {}, QStringLiteral("mm"));
    *edits[i][1] = AddEditRow(grid, i, 4, QStringLiteral("y="), QStringLiteral("edtY") + n, {}, QStringLiteral("mm"));
    *edits[i][2] = AddEditRow(grid, i, 7, {}, QStringLiteral("edtAng") + n, {}, QStringLiteral("°"));
    m_angleCaption[i] = qobject_cast<QLabel*>(grid->itemAtPosition(i, 7)->widget());
  }
  edtBC = AddEditRow(grid, 3, 1, QStringLiteral("BC="), QStringLiteral("edtBC"), {}, QStringLiteral("mm"));
  edtY0 = AddEditRow(grid, 4, 1, QStringLiteral("y0="), QStringLiteral("edtY0"), {}, QStringLiteral("mm"));
  edtBx = AddEditRow(grid, 5, 1, QStringLiteral("B: x="), QStringLiteral("edtBx"), {}, QStringLiteral("mm"));
  edtBy = AddEditRow(grid, 5, 4, QStringLiteral("y="), QStringLiteral("edtBy"), {}, QStringLiteral("mm"));
  edtCx = AddEditRow(grid, 6, 1, QStringLiteral("C: x="), QStringLiteral("edtCx"), {}, QStringLiteral("mm"));
  edtCy = AddEditRow(grid, 6, 4, QStringLiteral("y="), QStringLiteral("edtCy"), {}, QStringLiteral("mm"));
  grid->addWidget(new QLabel(QStringLiteral("（固定铰链所在直线）"), input), 4, 4, 1, 6);
  grid->addWidget(new QLabel(QStringLiteral("（在连杆平面内，相对于M，x轴沿MN）"), input), 7, 1, 1, 9);
  const int rowsOf[5][2] = {{2, 2}, {3, 3}, {4, 4}, {5, 7}, {6, 6}};  // position 3, BC, y0, B, C
  for (int r = 0; r < 5; ++r)
    for (int row = rowsOf[r][0]; row <= rowsOf[r][1]; ++row)
      for (int c = 0; c < grid->columnCount(); ++c)
        if (QLayoutItem* item = grid->itemAtPosition(row, c); item && item->widget() &&
                                                              !m_rows[r].contains(item->widget()))
          m_rows[r].push_back(item->widget());
  grid->setColumnStretch(10, 1);

  QGroupBox* sketch = PictureGroup(QStringLiteral("位置关系示意图"), imgSketch, QStringLiteral("imgSketch"), step);
  lblPoints = MakeLabel(QStringLiteral("lblPoints"), QString(), step);
  lwzexe1 = MakeButton(QStringLiteral("lwzexe1"), QStringLiteral("计算"), step);
  lwzok1 = MakeButton(QStringLiteral("lwzok1"), QStringLiteral("确定"), step);
  layout->addWidget(input, 0, 0);
  layout->addWidget(sketch, 0, 1, 2, 1);
  layout->addWidget(ResultGroup(QStringLiteral("各位置活动铰链B、C的坐标为："), {lblPoints}, step), 1, 0);
  layout->addLayout(ButtonRow(lwzexe1, lwzok1), 2, 0, 1, 2);
  layout->setColumnStretch(0, 3);
  layout->setColumnStretch(1, 2);
  // A changed number makes the points shown stale: calculate again before confirming.
  for (QLineEdit* edit : step->findChildren<QLineEdit*>())
    connect(edit, &QLineEdit::textEdited, this, [this] {
      lwzexe1->setEnabled(true);
      lwzok1->setEnabled(false);
    });
  return step;
}

QGroupBox* TLWZFrm::buildPivotStep() {
  QGroupBox* step = AddStepGroup(-1, QStringLiteral("lwzstep2"), {});
  auto* basis = new QGroupBox(QStringLiteral("作图求解"), step);
  imgConstruction = new PictureBox(QStringLiteral("imgConstruction"), kConstructionSize, basis);
  auto* column = new QVBoxLayout(basis);
  column->addWidget(imgConstruction, 0, Qt::AlignCenter);
  lblA = MakeLabel(QStringLiteral("lblA"), QStringLiteral("A="), step);
  lblD = MakeLabel(QStringLiteral("lblD"), QStringLiteral("D="), step);
  lwzexe2 = MakeButton(QStringLiteral("lwzexe2"), QStringLiteral("计算"), step);
  lwzok2 = MakeButton(QStringLiteral("lwzok2"), QStringLiteral("确定"), step);
  CalculationStep(step, basis, QStringLiteral("求得固定铰链A、D的坐标为："), {lblA, lblD}, lwzexe2, lwzok2);
  return step;
}

QGroupBox* TLWZFrm::buildLengthStep() {
  QGroupBox* step = AddStepGroup(-1, QStringLiteral("lwzstep3"), {});
  auto* basis = new QGroupBox(QStringLiteral("计算依据"), step);
  auto* column = new QVBoxLayout(basis);
  column->addWidget(MakeNote(QStringLiteral("　　AB=|AB1|，CD=|DC1|，AD=|AD|，BC为连杆上两铰链的距离；"
                                            "机架AD与x轴的夹角α=atan2(yD−yA, xD−xA)。"),
                             basis));
  column->addStretch(1);
  LenAB = MakeLabel(QStringLiteral("LenAB"), QStringLiteral("AB杆长度为："), step);
  LenBC = MakeLabel(QStringLiteral("LenBC"), QStringLiteral("BC杆长度为："), step);
  LenCD = MakeLabel(QStringLiteral("LenCD"), QStringLiteral("CD杆长度为："), step);
  LenAD = MakeLabel(QStringLiteral("LenAD"), QStringLiteral("AD杆长度为："), step);
  lblFrame = MakeLabel(QStringLiteral("lblFrame"), QStringLiteral("机架与x轴的夹角："), step);
  lblKind = MakeLabel(QStringLiteral("lblKind"), QStringLiteral("机构类型："), step);
  lwzexe3 = MakeButton(QStringLiteral("lwzexe3"), QStringLiteral("计算"), step);
  lwzok3 = MakeButton(QStringLiteral("lwzok3"), QStringLiteral("确定"), step);
  CalculationStep(step, basis, QStringLiteral("求得各杆长度为："), {LenAB, LenBC, LenCD, LenAD, lblFrame, lblKind},
                  lwzexe3, lwzok3);
  return step;
}

void TLWZFrm::showInputRows(int type) {
  const bool shown[5] = {type != kGuidanceTwoOnLine, type != kGuidanceThreeOfPlane, type == kGuidanceTwoOnLine,
                         type == kGuidanceThreeOfPlane, type == kGuidanceThreeOfPlane};
  for (int r = 0; r < 5; ++r)
    for (QWidget* w : m_rows[r]) w->setVisible(shown[r]);
  const QString line = type == kGuidanceThreeOfPlane ? QStringLiteral("MN") : QStringLiteral("BC");
  for (int i = 0; i < 3; ++i) {
    m_pointCaption[i]->setText(QStringLiteral("位置%1：").arg(i + 1) + pointName(i));
    m_angleCaption[i]->setText(QStringLiteral("θ%1（%2与x轴）=").arg(i + 1).arg(line));
  }
  if (type == m_editsType) return;
  // A type chosen anew starts from its own numbers.
  m_editsType = type;
  const GuidanceInput in = GuidanceInput::Defaults(type);
  QLineEdit* pose[3][3] = {{edtX1, edtY1, edtAng1}, {edtX2, edtY2, edtAng2}, {edtX3, edtY3, edtAng3}};
  for (int i = 0; i < 3; ++i) {
    const bool used = i < (type == kGuidanceTwoOnLine ? 2 : 3);
    pose[i][0]->setText(used ? FormatG(in.pose[i].x) : QString());
    pose[i][1]->setText(used ? FormatG(in.pose[i].y) : QString());
    pose[i][2]->setText(used ? FormatG(in.pose[i].angle) : QString());
  }
  edtBC->setText(FormatG(GuidanceInput::Defaults(kGuidanceThreeOfBC).BC));
  edtY0->setText(FormatG(in.y0));
  const GuidanceInput plane = GuidanceInput::Defaults(kGuidanceThreeOfPlane);
  edtBx->setText(FormatG(plane.B.x));
  edtBy->setText(FormatG(plane.B.y));
  edtCx->setText(FormatG(plane.C.x));
  edtCy->setText(FormatG(plane.C.y));
}

QString TLWZFrm::pointName(int i) const {
  return (m_designType == kGuidanceThreeOfPlane ? QStringLiteral("M") : QStringLiteral("B")) + QString::number(i + 1);
}

// --- Steps ---

void TLWZFrm::OnStepEntered(int type, int k) {
  if (k == kPositionStep) {
    showInputRows(type);
  } else if (k == 1) {
    imgConstruction->setImage({});
  } else if (k == kAnalysisStep) {
    EnableReports(true);
    Extended lower = 0, upper = 360, psiLower = 0, psiUpper = 0;
    FourBarRange(m_d.AB, m_d.BC, m_d.CD, m_d.AD, lower, upper, psiLower, psiUpper);
    FpuCheck();
    lwzstep4->setLinkage(GuidanceLinkage(m_d));
    lwzstep4->setRange(FormatR(lower * 180 / kPi, 4), FormatR(upper * 180 / kPi, 4));
    lwzstep4->drawClick();
    lwzstep4->startClick();
  } else if (k == kEndStep) {
    EndStep();
  }
}

std::optional<GuidanceInput> TLWZFrm::readInput() const {
  const int type = m_designType;
  const int count = type == kGuidanceTwoOnLine ? 2 : 3;
  std::vector<const QLineEdit*> used = {edtX1, edtY1, edtAng1, edtX2, edtY2, edtAng2};
  if (count == 3) used.insert(used.end(), {edtX3, edtY3, edtAng3});
  if (type == kGuidanceThreeOfPlane) used.insert(used.end(), {edtBx, edtBy, edtCx, edtCy});
  else used.push_back(edtBC);
  if (type == kGuidanceTwoOnLine) used.push_back(edtY0);
  for (const QLineEdit* edit : used)
    if (edit->text().trimmed().isEmpty()) {
      ShowMsg(QStringLiteral("请输入数据！"));
      return std::nullopt;
    }
  GuidanceInput in;
  in.type = type;
  const QLineEdit* pose[3][3] = {{edtX1, edtY1, edtAng1}, {edtX2, edtY2, edtAng2}, {edtX3, edtY3, edtAng3}};
  for (int i = 0; i < count; ++i)
    in.pose[i] = {StrToFloat(pose[i][0]->text()), StrToFloat(pose[i][1]->text()), StrToFloat(pose[i][2]->text())};
  if (type == kGuidanceThreeOfPlane) {
    in.B = {StrToFloat(edtBx->text()), StrToFloat(edtBy->text())};
    in.C = {StrToFloat(edtCx->text()), StrToFloat(edtCy->text())};
  } else {
    in.BC = StrToFloat(edtBC->text());
  }
  if (type == kGuidanceTwoOnLine) in.y0 = StrToFloat(edtY0->text());
  return in;
}

void TLWZFrm::lwzexe1Click() {
  // Read whole before anything is kept: a faulty edit leaves the design as it was.
  const std::optional<GuidanceInput> in = readInput();
  if (!in) return;
  FpuClear();
  const GuidanceDesign d = DesignGuidance(*in);
  FpuCheck();
  if (d.fault.kind == GuidanceFailure::ZeroCoupler) {
    ShowMsg(GuidanceMessage(d.fault));
    return;
  }
  m_in = *in;
  m_d = d;
  QStringList lines;
  for (int i = 0; i < d.count; ++i)
    lines << QStringLiteral("B%1=").arg(i + 1) + coordinates(d.B[i]) + QStringLiteral("，C%1=").arg(i + 1) +
                 coordinates(d.C[i]);
  lblPoints->setText(lines.join(u'\n'));
  lwzexe1->setEnabled(false);
  lwzok1->setEnabled(true);
}

void TLWZFrm::lwzok1Click() {
  WriteLogHeader();
  const bool plane = m_designType == kGuidanceThreeOfPlane;
  AppendLog(plane ? QStringLiteral("一、连杆平面的预定位置") : QStringLiteral("一、连杆的预定位置"));
  const QString line = plane ? QStringLiteral("MN") : QStringLiteral("BC");
  for (int i = 0; i < m_d.count; ++i)
    AppendLog(QStringLiteral("    位置%1：").arg(i + 1) + pointName(i) + QStringLiteral("(") + FormatG(m_in.pose[i].x) +
              QStringLiteral(", ") + FormatG(m_in.pose[i].y) + QStringLiteral(")mm，%1与x轴的夹角θ%2=").arg(line).arg(i + 1) +
              FormatG(m_in.pose[i].angle) + QStringLiteral("°"));
  if (plane)
    AppendLog(QStringLiteral("    活动铰链：B(") + FormatG(m_in.B.x) + QStringLiteral(", ") + FormatG(m_in.B.y) +
              QStringLiteral(")mm，C(") + FormatG(m_in.C.x) + QStringLiteral(", ") + FormatG(m_in.C.y) +
              QStringLiteral(")mm（相对于M，x轴沿MN）"));
  else
    AppendLog(QStringLiteral("    连杆长度：BC=") + FormatG(m_in.BC) + QStringLiteral("mm"));
  if (m_designType == kGuidanceTwoOnLine)
    AppendLog(QStringLiteral("    固定铰链所在直线：y=") + FormatG(m_in.y0) + QStringLiteral("mm"));
  RunStep(m_designType, 1);
}

void TLWZFrm::lwzexe2Click() {
  if (!m_d.ok()) {
    ShowMsg(GuidanceMessage(m_d.fault));
    return;
  }
  QImage image(kConstructionSize, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter canvas(&image);
    canvas.setRenderHint(QPainter::Antialiasing);
    DrawGuidanceConstruction(canvas, QRectF(QPointF(0, 0), QSizeF(kConstructionSize)), m_d);
  }
  imgConstruction->setImage(image);
  lblA->setText(QStringLiteral("A=") + coordinates(m_d.A) + QStringLiteral(" mm"));
  lblD->setText(QStringLiteral("D=") + coordinates(m_d.D) + QStringLiteral(" mm"));
  lwzexe2->setEnabled(false);
  lwzok2->setEnabled(true);
}

void TLWZFrm::lwzok2Click() {
  AppendLog({QStringLiteral("二、求固定铰链A、D"), QStringLiteral("    ") + lblA->text(),
             QStringLiteral("    ") + lblD->text()});
  RunStep(m_designType, 2);
}

void TLWZFrm::lwzexe3Click() {
  LenAB->setText(QStringLiteral("AB杆长度为：") + R3(m_d.AB) + QStringLiteral(" mm"));
  LenBC->setText(QStringLiteral("BC杆长度为：") + R3(m_d.BC) + QStringLiteral(" mm"));
  LenCD->setText(QStringLiteral("CD杆长度为：") + R3(m_d.CD) + QStringLiteral(" mm"));
  LenAD->setText(QStringLiteral("AD杆长度为：") + R3(m_d.AD) + QStringLiteral(" mm"));
  lblFrame->setText(QStringLiteral("机架与x轴的夹角：α=") + R3(m_d.frameAngle) + QStringLiteral("°"));
  lblKind->setText(QStringLiteral("机构类型：") + kindName(m_d.kind));
  lwzexe3->setEnabled(false);
  lwzok3->setEnabled(true);
}

void TLWZFrm::lwzok3Click() {
  QStringList lines = {QStringLiteral("三、计算各杆长度")};
  for (const QLabel* label : {LenAB, LenBC, LenCD, LenAD, lblFrame, lblKind})
    lines << QStringLiteral("    ") + label->text();
  AppendLog(lines);
  RunStep(m_designType, kAnalysisStep);
}

// --- Record, check, reports ---

RecordFields TLWZFrm::RecordFieldsOf() {
  RecordFields fields;
  const int count = m_designType == kGuidanceTwoOnLine ? 2 : 3;
  for (int i = 0; i < count; ++i) {
    static const char* keys[3][3] = {{"LWZx1", "LWZy1", "LWZang1"}, {"LWZx2", "LWZy2", "LWZang2"},
                                     {"LWZx3", "LWZy3", "LWZang3"}};
    fields.push_back({keys[i][0], &m_in.pose[i].x});
    fields.push_back({keys[i][1], &m_in.pose[i].y});
    fields.push_back({keys[i][2], &m_in.pose[i].angle});
  }
  if (m_designType == kGuidanceThreeOfPlane)
    fields.insert(fields.end(), {{"LWZBx", &m_in.B.x}, {"LWZBy", &m_in.B.y}, {"LWZCx", &m_in.C.x}, {"LWZCy", &m_in.C.y}});
  else
    fields.push_back({"LWZBC", &m_in.BC});
  if (m_designType == kGuidanceTwoOnLine) fields.push_back({"LWZy0", &m_in.y0});
  fields.insert(fields.end(), {{"LWZAx", &m_d.A.x}, {"LWZAy", &m_d.A.y}, {"LWZDx", &m_d.D.x}, {"LWZDy", &m_d.D.y},
                               {"LWZlenAB", &m_d.AB}, {"LWZlenBC", &m_d.BC}, {"LWZlenCD", &m_d.CD},
                               {"LWZlenAD", &m_d.AD}, {"LWZalpha", &m_d.frameAngle}});
  return fields;
}

void TLWZFrm::OnRecordRead() {
  // The results follow from the positions; computed again, a record edited by hand cannot
  // hand the analysis a linkage that does not guide the coupler through them.
  m_in.type = m_designType;
  FpuClear();
  m_d = DesignGuidance(m_in);
  FpuCheck();
}

std::optional<DesignCheckResult> TLWZFrm::DesignCheckOf() const {
  if (m_designType < 0 || m_designType >= TypeCount() || !m_d.ok()) return std::nullopt;
  CouplerPositionsAsk ask{toPoint(m_d.A), toPoint(m_d.D), {}, {}};
  // Two positions given: the second stands in for the third.
  for (int i = 0; i < 3; ++i) {
    const int given = std::min(i, m_d.count - 1);
    ask.B[i] = toPoint(m_d.B[given]);
    ask.C[i] = toPoint(m_d.C[given]);
  }
  return CheckCouplerPositions(ask, GuidanceLinkage(m_d));
}

std::vector<ReportRow> TLWZFrm::ReportRows() const {
  const QString deg = QStringLiteral("°"), mm = QStringLiteral("mm");
  const bool plane = m_designType == kGuidanceThreeOfPlane;
  std::vector<ReportRow> rows;
  for (int i = 0; i < m_d.count; ++i) {
    const QString p = pointName(i);
    rows.push_back({QStringLiteral("x") + p, m_in.pose[i].x, mm});
    rows.push_back({QStringLiteral("y") + p, m_in.pose[i].y, mm});
    rows.push_back({QStringLiteral("θ%1").arg(i + 1), m_in.pose[i].angle, deg});
  }
  if (plane)
    rows.insert(rows.end(), {{QStringLiteral("xB'"), m_in.B.x, mm}, {QStringLiteral("yB'"), m_in.B.y, mm},
                             {QStringLiteral("xC'"), m_in.C.x, mm}, {QStringLiteral("yC'"), m_in.C.y, mm}});
  if (m_designType == kGuidanceTwoOnLine) rows.push_back({QStringLiteral("y0"), m_in.y0, mm});
  rows.insert(rows.end(), {{QStringLiteral("xA"), m_d.A.x, mm}, {QStringLiteral("yA"), m_d.A.y, mm},
                           {QStringLiteral("xD"), m_d.D.x, mm}, {QStringLiteral("yD"), m_d.D.y, mm},
                           {QStringLiteral("AB"), m_d.AB, mm}, {QStringLiteral("BC"), m_d.BC, mm},
                           {QStringLiteral("CD"), m_d.CD, mm}, {QStringLiteral("AD"), m_d.AD, mm},
                           {QStringLiteral("α"), m_d.frameAngle, deg}});
  return rows;
}
