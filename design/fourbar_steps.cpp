#include "design/fourbar_steps.h"

#include "analysis/analysis_panel.h"
#include "base/convert.h"
#include "base/fpu.h"
#include "base/numfmt.h"
#include "design/design_frm.h"
#include "design/report_db.h"
#include "link/kinematics.h"
#include "link/synthesis.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QStringList kKnownLinks = {QStringLiteral("曲柄(AB)长度"), QStringLiteral("连杆(BC)长度"),
                                 QStringLiteral("摇杆(CD)长度"), QStringLiteral("机架(AD)长度")};
const QString kNumerals = QStringLiteral("一二三四五六七八九十");


}  // namespace

FourBarSteps::FourBarSteps(TDesignFrm& wizard, FourBarDesign& design, const Config& config,
                           std::function<Positions()> positions)
    : m_wizard(wizard), m_design(design), m_config(config), m_positions(std::move(positions)) {}

QString FourBarSteps::section(int offset, const QString& title) const {
  return kNumerals.mid(m_config.firstSection - 1 + offset, 1) + QStringLiteral("、") + title;
}

// A commit appends its section, then the next slot takes over.
void FourBarSteps::commit(int slot) {
  m_wizard.RunStep(m_wizard.m_designType, slot);
}

// --- Building the steps ---

QGroupBox* FourBarSteps::BuildCoefficientStep(int type, const QString& name) {
  QGroupBox* step = m_wizard.AddStepGroup(type, name, {});
  auto* basis = new QGroupBox(QStringLiteral("计算依据"), step);
  auto* column = new QVBoxLayout(basis);
  imgPPP1 = new PictureBox(QStringLiteral("imgPPP1"), basis);
  imgPPP2 = new PictureBox(QStringLiteral("imgPPP2"), basis);
  column->addWidget(new QLabel(QStringLiteral("位置关系式："), basis));
  column->addWidget(imgPPP1);
  column->addWidget(new QLabel(QStringLiteral("式中："), basis));
  column->addWidget(imgPPP2);
  PPP0 = MakeLabel(QStringLiteral("PPP0"), QStringLiteral("P0="), step);
  PPP1 = MakeLabel(QStringLiteral("PPP1"), QStringLiteral("P1="), step);
  PPP2 = MakeLabel(QStringLiteral("PPP2"), QStringLiteral("P2="), step);
  PPPExe = MakeButton(QStringLiteral("PPPExe"), QStringLiteral("计算"), step);
  PPPOK = MakeButton(QStringLiteral("PPPOK"), QStringLiteral("确定"), step);
  CalculationStep(step, basis, QStringLiteral("求得P0、P1及P2的值为："), {PPP0, PPP1, PPP2}, PPPExe, PPPOK);
  m_wizard.OnClick(PPPExe, [this] { PPPExeClick(); });
  m_wizard.OnClick(PPPOK, [this] { PPPOKClick(); });
  return step;
}

void FourBarSteps::DescribeCoefficientStep(WizardStep& step) {
  step.pictures = {{imgPPP1, QStringLiteral("DYWZ/PPP1.bmp")}, {imgPPP2, QStringLiteral("DYWZ/PPP2.bmp")}};
  step.status = QStringLiteral("计算P0、P1、P2的值");
  step.calc = PPPExe;
  step.confirm = PPPOK;
  for (QLabel* label : {PPP0, PPP1, PPP2}) TDesignFrm::AddResult(step, label);
}

QGroupBox* FourBarSteps::BuildRatioStep(int type, const QString& name) {
  QGroupBox* step = m_wizard.AddStepGroup(type, name, {});
  auto* basis = new QGroupBox(QStringLiteral("计算依据"), step);
  imgmnl = new PictureBox(QStringLiteral("imgmnl"), basis);
  (new QVBoxLayout(basis))->addWidget(imgmnl);
  mnlM = MakeLabel(QStringLiteral("mnlM"), QStringLiteral("m="), step);
  mnlN = MakeLabel(QStringLiteral("mnlN"), QStringLiteral("n="), step);
  mnlL = MakeLabel(QStringLiteral("mnlL"), QStringLiteral("l="), step);
  mnlEXE = MakeButton(QStringLiteral("mnlEXE"), QStringLiteral("计算"), step);
  mnlOk = MakeButton(QStringLiteral("mnlOk"), QStringLiteral("确定"), step);
  CalculationStep(step, basis, QStringLiteral("求得m、n及l的值为："), {mnlM, mnlN, mnlL}, mnlEXE, mnlOk);
  m_wizard.OnClick(mnlEXE, [this] { mnlEXEClick(); });
  m_wizard.OnClick(mnlOk, [this] { mnlOkClick(); });
  return step;
}

void FourBarSteps::DescribeRatioStep(WizardStep& step) {
  step.pictures = {{imgmnl, QStringLiteral("DYWZ/mnl.bmp")}};
  step.status = QStringLiteral("计算m、n、l的值");
  step.calc = mnlEXE;
  step.confirm = mnlOk;
  for (QLabel* label : {mnlM, mnlN, mnlL}) TDesignFrm::AddResult(step, label);
}

QGroupBox* FourBarSteps::BuildKnownLinkStep(int type, const QString& name) {
  QGroupBox* step = m_wizard.AddStepGroup(type, name, {});
  auto* layout = new QVBoxLayout(step);
  RadioGroup1 = new RadioGroup(QStringLiteral("选择已知杆并确定其长度"), kKnownLinks, 2, step);
  RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
  auto* lengthRow = new QHBoxLayout;
  gantype = MakeLabel(QStringLiteral("gantype"), {}, step);
  GanLen = MakeEdit(QStringLiteral("GanLen"), QStringLiteral("100"), step);
  GanLen->setFixedWidth(100);
  Lendanwei = MakeLabel(QStringLiteral("Lendanwei"), QStringLiteral("mm"), step);
  gantype->hide();
  GanLen->hide();
  lengthRow->addStretch(1);
  lengthRow->addWidget(gantype);
  lengthRow->addWidget(GanLen);
  lengthRow->addWidget(Lendanwei);
  lengthRow->addStretch(1);
  auto* notes = new QGroupBox(QStringLiteral("参数说明："), step);
  (new QVBoxLayout(notes))
      ->addWidget(MakeNote(QStringLiteral("　已知杆AB，BC，CD，AD任选其一。如果都不确定长度，可以任选，设计完后，"
                                          "各杆长成比例放大或缩小，不影响φ和ψ的对应值。 "),
                           notes));
  Param2OK = MakeButton(QStringLiteral("Param2OK"), QStringLiteral("确定"), step);
  Param2Cancel = MakeButton(QStringLiteral("Param2Cancel"), QStringLiteral("取消"), step);
  layout->addWidget(RadioGroup1);
  layout->addSpacing(20);
  layout->addLayout(lengthRow);
  layout->addSpacing(20);
  layout->addWidget(notes);
  layout->addStretch(1);
  layout->addLayout(ButtonRow(Param2OK, Param2Cancel));
  QObject::connect(RadioGroup1, &RadioGroup::clicked, &m_wizard, [this] { Guarded([this] { RadioGroup1Click(); }); });
  m_wizard.OnClick(Param2OK, [this] { Param2OKClick(); });
  m_wizard.OnClick(Param2Cancel, [this] { Param2CancelClick(); });
  return step;
}

void FourBarSteps::DescribeKnownLinkStep(WizardStep& step) { step.status = QStringLiteral("选择并输入已知杆的长度"); }

QGroupBox* FourBarSteps::BuildLengthStep(int type, const QString& name) {
  QGroupBox* step = m_wizard.AddStepGroup(type, name, {});
  auto* layout = new QVBoxLayout(step);
  if (m_config.lengthsShowGiven) {
    auto* given = new QGroupBox(QStringLiteral("初始参数"), step);
    auto* column = new QVBoxLayout(given);
    column->addWidget(new QLabel(QStringLiteral("1、两连架杆的对应位置为："), given));
    OW1 = MakeLabel(QStringLiteral("OW1"), {}, given);
    OW2 = MakeLabel(QStringLiteral("OW2"), {}, given);
    OW3 = MakeLabel(QStringLiteral("OW3"), {}, given);
    OW0 = MakeLabel(QStringLiteral("OW0"), {}, given);
    for (QLabel* label : {OW1, OW2, OW3, OW0}) {
      label->setContentsMargins(30, 0, 0, 0);
      column->addWidget(label);
    }
    ganKnowed = MakeLabel(QStringLiteral("ganKnowed"), {}, given);
    column->addWidget(ganKnowed);
    layout->addWidget(given);
  }
  LenAB = MakeLabel(QStringLiteral("LenAB"), QStringLiteral("AB杆长度为："), step);
  LenBC = MakeLabel(QStringLiteral("LenBC"), QStringLiteral("BC杆长度为："), step);
  LenCD = MakeLabel(QStringLiteral("LenCD"), QStringLiteral("CD杆长度为："), step);
  LenAD = MakeLabel(QStringLiteral("LenAD"), QStringLiteral("AD杆长度为："), step);
  auto* results = new QGroupBox(QStringLiteral("计算结果"), step);
  auto* resultColumn = new QVBoxLayout(results);
  for (QLabel* label : {LenAB, LenBC, LenCD, LenAD}) {
    label->setParent(results);
    label->setContentsMargins(30, 0, 0, 0);
    resultColumn->addWidget(label);
  }
  ABCDEXE = MakeButton(QStringLiteral("ABCDEXE"), QStringLiteral("计算"), step);
  type1comp = MakeButton(QStringLiteral("type1comp"), QStringLiteral("运动分析"), step);
  layout->addWidget(results);
  layout->addStretch(1);
  layout->addLayout(ButtonRow(ABCDEXE, type1comp));
  m_wizard.OnClick(ABCDEXE, [this] { ABCDEXEClick(); });
  m_wizard.OnClick(type1comp, [this] { type1compClick(); });
  return step;
}

void FourBarSteps::DescribeLengthStep(WizardStep& step) {
  step.status = QStringLiteral("计算各杆杆长");
  step.calc = ABCDEXE;
  step.confirm = type1comp;
  for (QLabel* label : {LenAB, LenBC, LenCD, LenAD}) TDesignFrm::AddResult(step, label);
}

// --- Entering the steps ---

void FourBarSteps::EnterKnownLinkStep() {
  // The selection and the length keep their state; the unit shows with a selection only.
  Lendanwei->setVisible(RadioGroup1->itemIndex() >= 0);
}

void FourBarSteps::EnterLengthStep() {
  if (!m_config.lengthsShowGiven) return;
  const Positions p = m_positions();
  auto pair = [](int i, Extended phi, Extended psi) {
    const QString n = QString::number(i);
    return QStringLiteral("位置%1：φ%1=").arg(n) + R5(phi) + QStringLiteral("°，ψ%1=").arg(n) + R5(psi) +
           QStringLiteral("°");
  };
  OW1->setText(pair(1, p.phi[0], p.psi[0]));
  OW2->setText(pair(2, p.phi[1], p.psi[1]));
  OW3->setText(pair(3, p.phi[2], p.psi[2]));
  OW0->setText(pair(0, p.phi0, p.psi0));
  ganKnowed->setText(QStringLiteral("2、已知") + RadioGroup1->itemCaption(m_design.ganType) + QStringLiteral("为:") +
                     FormatG(m_design.ganLen) + QStringLiteral(" mm"));
}

void FourBarSteps::EnterFourBarAnalysis(AnalysisPanel* panel) {
  m_wizard.EnableReports(true);
  const FourBarDesign& q = m_design;
  Extended lower = 0, upper = 0, psiLower = 0, psiUpper = 0;
  FourBarRange(q.lenA, q.lenB, q.lenC, q.lenD, lower, upper, psiLower, psiUpper);
  FpuCheck();
  panel->setLinkage(FourBarLinkage());
  panel->setRange(FormatR(lower * 180 / kPi, 4), FormatR(upper * 180 / kPi, 4));
  panel->drawClick();
  panel->startClick();
}

Linkage FourBarSteps::FourBarLinkage() const {
  const FourBarDesign& q = m_design;
  return Linkage::FourBar(LinkageKind::FourBarByKind, q.lenA, q.lenB, q.lenC, q.lenD);
}

void FourBarSteps::AppendReportRows(std::vector<ReportRow>& rows) const {
  const FourBarDesign& q = m_design;
  const QString none = QStringLiteral("无"), mm = QStringLiteral("mm");
  const std::pair<const char*, Extended> ratios[] = {{"P0", q.P0}, {"P1", q.P1}, {"P2", q.P2},
                                                     {"m", q.m},   {"n", q.n},   {"l", q.l}};
  for (const auto& [name, value] : ratios) rows.push_back({QString::fromLatin1(name), value, none});
  const QString known[] = {QStringLiteral("已知AB杆长度"), QStringLiteral("已知BC杆长度"),
                           QStringLiteral("已知CD杆长度"), QStringLiteral("已知AD杆长度")};
  rows.push_back({q.ganType >= 0 && q.ganType < 4 ? known[q.ganType] : QString(), q.ganLen, mm});
  rows.push_back({QStringLiteral("AB杆长度"), q.lenA, mm});
  rows.push_back({QStringLiteral("BC杆长度"), q.lenB, mm});
  rows.push_back({QStringLiteral("CD杆长度"), q.lenC, mm});
  rows.push_back({QStringLiteral("AD杆长度"), q.lenD, mm});
}

// --- Commands ---

void FourBarSteps::PPPExeClick() {
  const Positions p = m_positions();
  Extended P0 = 0, P1 = 0, P2 = 0;
  const bool solved = FourBarCoefficients(p.phi, p.psi, p.phi0, p.psi0, P0, P1, P2);
  FpuCheck();
  PPPExe->setEnabled(false);
  if (!solved) {
    PPP0->setText(QStringLiteral("P0="));
    PPP1->setText(QStringLiteral("P1="));
    PPP2->setText(QStringLiteral("P2="));
    ShowMsg(QStringLiteral("Gauss全选主元消去法求解线性方程组出错！"));
    PPPOK->setEnabled(false);
    return;
  }
  m_design.P0 = P0;
  m_design.P1 = P1;
  m_design.P2 = P2;
  const bool real = !(P0 < 0 || P1 > 0);
  if (!real) ShowMsg(QStringLiteral("求解结果P0小于零/P1大于零，不符工程实际！"));
  PPPOK->setEnabled(real);
  PPP0->setText(QStringLiteral("P0=") + R5(P0));
  PPP1->setText(QStringLiteral("P1=") + R5(P1));
  PPP2->setText(QStringLiteral("P2=") + R5(P2));
}

void FourBarSteps::PPPOKClick() {
  const FourBarDesign& q = m_design;
  m_wizard.AppendLog({section(0, QStringLiteral("计算P0、P1、P2值")), QStringLiteral("    P0=") + R5(q.P0),
                      QStringLiteral("    P1=") + R5(q.P1), QStringLiteral("    P2=") + R5(q.P2)});
  commit(m_config.firstSlot + 1);
}

void FourBarSteps::mnlEXEClick() {
  Extended m = 0, n = 0, l = 0;
  FourBarRatios(m_design.P0, m_design.P1, m_design.P2, m, n, l);
  FpuCheck();
  m_design.m = m;
  m_design.n = n;
  m_design.l = l;
  if (!(m >= 0) || !(n >= 0) || !(l >= 0)) ShowMsg(QStringLiteral("求解结果小于零，不符工程实际！"));
  mnlM->setText(QStringLiteral("m=") + R5(m));
  mnlN->setText(QStringLiteral("n=") + R5(n));
  mnlL->setText(QStringLiteral("l=") + R5(l));
  mnlEXE->setEnabled(false);
  mnlOk->setEnabled(true);
}

void FourBarSteps::mnlOkClick() {
  m_wizard.AppendLog({section(1, QStringLiteral("计算m、n及l的值")), QStringLiteral("    ") + mnlM->text(),
                      QStringLiteral("    ") + mnlN->text(), QStringLiteral("    ") + mnlL->text()});
  commit(m_config.firstSlot + 2);
}

void FourBarSteps::RadioGroup1Click() {
  const int index = RadioGroup1->itemIndex();
  m_design.ganType = index;
  const bool selected = index >= 0;
  gantype->setText(QStringLiteral("请输入") + RadioGroup1->itemCaption(index));
  gantype->setVisible(selected);
  GanLen->setVisible(selected);
  Lendanwei->setVisible(selected);
  if (selected) GanLen->setFocus();
}

void FourBarSteps::Param2OKClick() {
  const QString length = GanLen->text().trimmed();
  const int index = RadioGroup1->itemIndex();
  if (length.isEmpty() || index < 0) {
    ShowMsg(QStringLiteral("请选择并输入已知杆的长度！"));
    if (!GanLen->isHidden()) GanLen->setFocus();
    return;
  }
  // Converted before the log grows, so a text that is no number leaves the log as it was.
  const Extended known = StrToFloat(length);
  m_wizard.AppendLog({section(2, QStringLiteral("选择并输入已知杆的长度")),
                      QStringLiteral("    已知") + RadioGroup1->itemCaption(index) + QStringLiteral("为:") + length +
                          QStringLiteral(" mm")});
  m_design.ganType = index;
  m_design.ganLen = known;
  commit(m_config.firstSlot + 3);
}

void FourBarSteps::Param2CancelClick() {
  RadioGroup1->setItemIndex(-1);
  GanLen->clear();
  gantype->hide();
  GanLen->hide();
  Lendanwei->hide();
}

void FourBarSteps::ABCDEXEClick() {
  FourBarDesign& q = m_design;
  Extended a = 0, b = 0, c = 0, d = 0;
  if (!FourBarLengths(q.m, q.n, q.l, q.ganType, q.ganLen, a, b, c, d)) {
    // only a record saved before the choice gets here
    ShowMsg(QStringLiteral("请选择并输入已知杆的长度！"));
    return;
  }
  FpuCheck();
  q.lenA = a;
  q.lenB = b;
  q.lenC = c;
  q.lenD = d;
  LenAB->setText(QStringLiteral("AB杆长度为：") + R3(a) + QStringLiteral(" mm"));
  LenBC->setText(QStringLiteral("BC杆长度为：") + R3(b) + QStringLiteral(" mm"));
  LenCD->setText(QStringLiteral("CD杆长度为：") + R3(c) + QStringLiteral(" mm"));
  LenAD->setText(QStringLiteral("AD杆长度为：") + R3(d) + QStringLiteral(" mm"));
  ABCDEXE->setEnabled(false);
  type1comp->setEnabled(true);
}

void FourBarSteps::type1compClick() {
  m_wizard.AppendLog({section(3, QStringLiteral("设计结果")), QStringLiteral("    ") + LenAB->text(),
                      QStringLiteral("    ") + LenBC->text(), QStringLiteral("    ") + LenCD->text(),
                      QStringLiteral("    ") + LenAD->text()});
  type1comp->setEnabled(false);
  commit(m_config.firstSlot + 4);
  m_wizard.EnableReports(true);
}
