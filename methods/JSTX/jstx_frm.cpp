#include "methods/JSTX/jstx_frm.h"

#include "analysis/analysis_panel.h"
#include "base/convert.h"
#include "base/desktop.h"
#include "base/fpu.h"
#include "base/inifile.h"
#include "base/numfmt.h"
#include "design/start_value_panel.h"
#include "link/design_check.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

namespace {

constexpr int kCrankRocker = 0, kCrankSlider = 1;

// A stroke H this far from the linkage's own stroke answers another question than the dwell.
constexpr Extended kStrokeTolerance = 0.005L;

const QString kStep3Message =
    QStringLiteral("    本方程属于非线性方程组，本程序采用拟Newton法求解。可点击‘初值设置’按钮对初值进行设置，"
                   "也可单击\"计算\"按钮按默认迭代初值进行计算。");


WizardPolicy jstxPolicy() {
  WizardPolicy p;
  p.enter = WizardPolicy::Enter::Stays;
  p.typeCancel = WizardPolicy::TypeCancel::Restart;
  p.notesMissingMessage = false;
  p.numbering = WizardPolicy::Numbering::OnRun;  // the step number counts completed steps
  return p;
}

// The inputs of a first step in one row: "a＝ [20] mm  b＝ [30] mm ...".
std::vector<QLineEdit*> inputRow(QGroupBox* group, const std::vector<EditSpec>& specs) {
  auto* grid = new QGridLayout(group);
  std::vector<QLineEdit*> edits;
  int column = 0;
  for (const EditSpec& e : specs) {
    QLineEdit* edit = AddEditRow(grid, 0, column, e);
    edit->setFixedWidth(56);  // five to a row
    grid->setColumnMinimumWidth(column + 2, 22);
    edits.push_back(edit);
    column += 3;
  }
  grid->setColumnStretch(column, 1);
  return edits;
}

}  // namespace

TJSTXFrm::TJSTXFrm(QWidget* parent)
    : TDesignFrm(QStringLiteral("JSTX"), QStringLiteral("按从动杆近似停歇要求设计"), QStringLiteral("JSTX"),
                 jstxPolicy(), parent) {
  AddType(QStringLiteral("曲柄摇杆机构的设计"),
          QStringLiteral("　　已知曲柄，连杆，摇杆，机架的长度a，b，c，d和在后极限位置处摇杆和机架夹角的变化量△Ψ，"
                         "设计曲柄摇杆机构"),
          QStringLiteral("pnlType1"), QStringLiteral("RightPnlType1"));
  AddType(QStringLiteral("曲柄滑块机构的设计"),
          QStringLiteral("　　已知曲柄，连杆的长度a，b和偏心距e，冲程H以及在后极限位置处给出一个合适的冲程增量△H，"
                         "设计曲柄滑块机构"),
          QStringLiteral("pnlType2"), QStringLiteral("RightPnlType2"));
  m_types[kCrankRocker].notesPage = QStringLiteral("jstxqbyg.htm");
  m_types[kCrankRocker].reportsAfterStep = 2;
  m_types[kCrankRocker].checkFromStep = 3;
  m_types[kCrankSlider].notesPage = QStringLiteral("jstxqbhk.htm");
  m_types[kCrankSlider].reportsAfterStep = 1;
  m_types[kCrankSlider].checkFromStep = 3;
  buildCrankRocker();
  buildCrankSlider();
}

void TJSTXFrm::buildCrankRocker() {
  // Step 1: the four lengths and △ψ, the positions sketch and the dwell sketch.
  QGroupBox* step1 = AddStepGroup(kCrankRocker, QStringLiteral("type1step1"), {});
  {
    auto* layout = new QGridLayout(step1);
    auto* input = new QGroupBox(QStringLiteral("输入初始条件"), step1);
    const std::vector<QLineEdit*> edits = inputRow(
        input, {{"a＝", "O1", "20", "mm"}, {"b＝", "O2", "30", "mm"}, {"c＝", "O3", "50", "mm"},
                {"d＝", "O0", "45", "mm"}, {"△ψ=", "Edit1", "5", "°"}});
    O1 = edits[0], O2 = edits[1], O3 = edits[2], O0 = edits[3], Edit1 = edits[4];
    Param1OK = MakeButton(QStringLiteral("Param1OK"), QStringLiteral("确定"), step1);
    Param1Cancel = MakeButton(QStringLiteral("Param1Cancel"), QStringLiteral("取消"), step1);
    layout->addWidget(input, 0, 0, 1, 2);
    layout->addWidget(PictureGroup(QStringLiteral("位置关系示意图"), ImageCDJS, QStringLiteral("ImageCDJS"), step1), 1, 0);
    layout->addWidget(PictureGroup(QStringLiteral("近似停歇示意图"), ImageCDJS1, QStringLiteral("ImageCDJS1"), step1), 1, 1);
    layout->addLayout(ButtonRow(Param1OK, Param1Cancel), 2, 0, 1, 2);
    layout->setRowStretch(1, 1);
  }
  AddStep(kCrankRocker, {.button = "type1sp1", .caption = QStringLiteral("初始条件"), .group = step1,
                         .pictures = {{ImageCDJS, QStringLiteral("cdjstype1sp1.bmp")},
                                      {ImageCDJS1, QStringLiteral("cdjstype1sp11.bmp")}},
                         .status = QStringLiteral("输入初始参数"), .keptLines = 0, .firstEdit = O1});

  // Step 2: the extreme positions.
  QGroupBox* step2Group = AddStepGroup(kCrankRocker, QStringLiteral("type1step2"), {});
  {
    QGroupBox* basis = PictureGroup(QStringLiteral("计算依据"), imgsp2, QStringLiteral("imgsp2"), step2Group);
    PPP0 = MakeLabel(QStringLiteral("PPP0"), QStringLiteral("φo="), step2Group);
    PPP1 = MakeLabel(QStringLiteral("PPP1"), QStringLiteral("ψs="), step2Group);
    PPPExe = MakeButton(QStringLiteral("PPPExe"), QStringLiteral("计算"), step2Group);
    PPPOK = MakeButton(QStringLiteral("PPPOK"), QStringLiteral("确定"), step2Group);
    CalculationStep(step2Group, basis, QStringLiteral("求得φo，ψs的值为："), {PPP0, PPP1}, PPPExe, PPPOK);
  }
  // The result labels keep their text on entry.
  AddStep(kCrankRocker, {.button = "type1sp2", .caption = QStringLiteral("计算φo，ψs的值"), .group = step2Group,
                         .pictures = {{imgsp2, QStringLiteral("cdjstype1sp2.bmp")}},
                         .status = QStringLiteral("计算φo，ψs的值"), .keptLines = 10, .calc = PPPExe, .confirm = PPPOK,
                         .onCalc = [this] { PPPExeClick(); }, .onConfirm = [this] { PPPOKClick(); }});

  // Step 3: the dwell angle.
  QGroupBox* step3 = AddStepGroup(kCrankRocker, QStringLiteral("type1step3"), {});
  {
    QGroupBox* basis = PictureGroup(QStringLiteral("计算依据"), imgmnl, QStringLiteral("imgmnl"), step3);
    mnlM = MakeLabel(QStringLiteral("mnlM"), QStringLiteral("φ="), step3);
    mnlEXE = MakeButton(QStringLiteral("mnlEXE"), QStringLiteral("计算"), step3);
    type1cmp = MakeButton(QStringLiteral("type1cmp"), QStringLiteral("运动分析"), step3);
    CalculationStep(step3, basis, QStringLiteral("求得φl的值为："), {mnlM}, mnlEXE, type1cmp);
  }
  AddStep(kCrankRocker, {.button = "type1sp3", .caption = QStringLiteral("计算φ的值"), .group = step3,
                         .pictures = {{imgmnl, QStringLiteral("cdjstype1sp3.bmp")}},
                         .status = QStringLiteral("计算φ的值"), .keptLines = 13, .calc = mnlEXE, .confirm = type1cmp,
                         .results = {mnlM}, .onCalc = [this] { mnlEXEClick(); },
                         .onConfirm = [this] { type1cmpClick(); }});

  // Step 4: the analysis, whose "完成" enables "结束" without running it; step 5: the report.
  type1step4 = AddAnalysisPanel(kCrankRocker, AnalysisPanelConfig::DwellCrankRocker(), false);
  AddStep(kCrankRocker, {.button = "type1sp4", .caption = QStringLiteral("运动分析"), .group = type1step4,
                         .status = QStringLiteral("运动分析"), .keptLines = 15});
  AddStep(kCrankRocker, {.button = "type1sp5", .caption = QStringLiteral("结束"), .end = true});

  OnClick(Param1OK, [this] { Param1OKClick(); });
  OnClick(Param1Cancel, [this] { Param1CancelClick(); });
}

void TJSTXFrm::buildCrankSlider() {
  // The offset, asked when the type is confirmed; "确定" then enters step 1.
  step2 = AddStepGroup(kCrankSlider, QStringLiteral("step2"), {});
  {
    auto* layout = new QVBoxLayout(step2);
    auto* input = new QGroupBox(QStringLiteral("输入偏心距"), step2);
    auto* grid = new QGridLayout(input);
    edite = AddEditRow(grid, 0, 0, QStringLiteral("偏心距e="), QStringLiteral("edite"), QStringLiteral("0"),
                       QStringLiteral("mm"));
    grid->setColumnStretch(3, 1);
    Btok = MakeButton(QStringLiteral("Btok"), QStringLiteral("确定"), step2);
    Btcl = MakeButton(QStringLiteral("Btcl"), QStringLiteral("返回"), step2);
    layout->addWidget(input);
    layout->addLayout(ButtonRow(Btok, Btcl));
    layout->addStretch(1);
  }
  m_types[kCrankSlider].preamble = step2;

  // Step 1: a, b, H, △H and the sketch of the centred or the offset linkage.
  QGroupBox* step1 = AddStepGroup(kCrankSlider, QStringLiteral("type2step1"), {});
  {
    auto* layout = new QVBoxLayout(step1);
    auto* input = new QGroupBox(QStringLiteral("输入初始条件参数"), step1);
    const std::vector<QLineEdit*> edits = inputRow(
        input,
        {{"a=", "s1", "20", "mm"}, {"b=", "s2", "30", "mm"}, {"H=", "s5", "15", "mm"}, {"△H=", "s4", "2", "mm"}});
    s1 = edits[0], s2 = edits[1], s5 = edits[2], s4 = edits[3];
    type2ok = MakeButton(QStringLiteral("type2ok"), QStringLiteral("确定"), step1);
    type2cancel = MakeButton(QStringLiteral("type2cancel"), QStringLiteral("取消"), step1);
    layout->addWidget(input);
    layout->addWidget(PictureGroup(QStringLiteral("位置关系示意图"), imgQBHK, QStringLiteral("imgQBHK"), step1), 1);
    layout->addLayout(ButtonRow(type2ok, type2cancel));
  }
  // Its picture depends on the offset, which entering the step reads again.
  AddStep(kCrankSlider, {.button = "type2sp1", .caption = QStringLiteral("初始条件"), .group = step1,
                         .status = QStringLiteral("输入初始参数"), .keptLines = 0, .firstEdit = s1});

  // Step 2: λ, k, α, s.
  QGroupBox* step2Group = AddStepGroup(kCrankSlider, QStringLiteral("type2step2"), {});
  {
    QGroupBox* basis = PictureGroup(QStringLiteral("计算依据"), ImgQQQ, QStringLiteral("ImgQQQ"), step2Group);
    QQQ1 = MakeLabel(QStringLiteral("QQQ1"), QStringLiteral("λ="), step2Group);
    QQQ2 = MakeLabel(QStringLiteral("QQQ2"), QStringLiteral("k="), step2Group);
    QQQ3 = MakeLabel(QStringLiteral("QQQ3"), QStringLiteral("α="), step2Group);
    QQQ4 = MakeLabel(QStringLiteral("QQQ4"), QStringLiteral("s="), step2Group);
    QQQexe = MakeButton(QStringLiteral("QQQexe"), QStringLiteral("计算"), step2Group);
    QQQok = MakeButton(QStringLiteral("QQQok"), QStringLiteral("确定"), step2Group);
    CalculationStep(step2Group, basis, QStringLiteral("求得λ，k，α，s的值为："), {QQQ1, QQQ2, QQQ3, QQQ4}, QQQexe,
                    QQQok);
  }
  // The result labels keep their text on entry.
  AddStep(kCrankSlider, {.button = "type2sp2", .caption = QStringLiteral("计算λ，k，α，s的值"), .group = step2Group,
                         .pictures = {{ImgQQQ, QStringLiteral("cdjstype2sp2.bmp")}},
                         .status = QStringLiteral("计算λ，k，α，s的值"), .keptLines = 10, .calc = QQQexe,
                         .confirm = QQQok, .onCalc = [this] { QQQexeClick(); }, .onConfirm = [this] { QQQokClick(); }});

  // Step 3: φ from TCDJS, with the start-value panel beside the result.
  QGroupBox* step3 = AddStepGroup(kCrankSlider, QStringLiteral("type2step3"), {});
  {
    auto* layout = new QVBoxLayout(step3);
    QGroupBox* basis = PictureGroup(QStringLiteral("计算依据"), imgabe, QStringLiteral("imgabe"), step3);
    msg = MakeLabel(QStringLiteral("msg"), kStep3Message, basis);
    msg->setWordWrap(true);
    basis->layout()->addWidget(msg);
    abea = MakeLabel(QStringLiteral("abea"), QStringLiteral("φ="), step3);
    ABEexe = MakeButton(QStringLiteral("ABEexe"), QStringLiteral("计算"), step3);
    Iniset = MakeButton(QStringLiteral("Iniset"), QStringLiteral("设置初值"), step3);
    type2cmp = MakeButton(QStringLiteral("type2cmp"), QStringLiteral("运动分析"), step3);
    StartValuePanel::Config config;
    config.notes = {QStringLiteral("    本方程采用拟Newton迭代法求解，您可以对计算结果给予初值估计。"),
                    QStringLiteral("注意：1、不同的初值可能得到不同的求解结果！\n      2、部分初值可能造成求解方法失效。")};
    config.starts = {{QStringLiteral("Inia"), QStringLiteral("φ="), QStringLiteral("40"), QStringLiteral("°")}};
    config.requireFilled = true;
    IniSelect = new StartValuePanel(config, step3);
    Inia = IniSelect->Start(0);
    IniSelect->Attach(Iniset, ABEexe, type2cmp);
    IniSelect->SetMessage(msg, kStep3Message);
    IniSelect->onOk = IniSelect->onCancel = [this] { abea->setText(QStringLiteral("φ=")); };

    auto* middle = new QHBoxLayout;
    middle->addWidget(ResultGroup(QStringLiteral("求得φ值为："), {abea}, step3), 1);
    middle->addWidget(IniSelect, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {ABEexe, Iniset, type2cmp}) {
      buttons->addWidget(button);
      buttons->addSpacing(20);
    }
    buttons->addStretch(1);
    layout->addWidget(basis);
    layout->addLayout(middle, 1);  // room for the start values when they open
    layout->addLayout(buttons);
  }
  // Entering the step closes the start-value panel as its "确定" does, buttons included.
  AddStep(kCrankSlider, {.button = "type2sp3", .caption = QStringLiteral("计算φ的值"), .group = step3,
                         .pictures = {{imgabe, QStringLiteral("cdjstype2sp3.bmp")}},
                         .status = QStringLiteral("计算φ的值"), .keptLines = 15, .confirm = type2cmp,
                         .onConfirm = [this] { type2cmpClick(); }});

  // Step 4: the analysis, whose "完成" runs "结束" at once; step 5: the report.
  type2step4 = AddAnalysisPanel(kCrankSlider, AnalysisPanelConfig::DwellCrankSlider(), true);
  AddStep(kCrankSlider, {.button = "type2sp4", .caption = QStringLiteral("运动分析"), .group = type2step4,
                         .status = QStringLiteral("运动分析"), .keptLines = 17});
  AddStep(kCrankSlider, {.button = "type2sp5", .caption = QStringLiteral("结束"), .end = true});

  OnClick(Btok, [this] { BtokClick(); });
  OnClick(Btcl, [this] { BtclClick(); });
  OnClick(type2ok, [this] { type2okClick(); });
  OnClick(type2cancel, [this] { type2cancelClick(); });
  OnClick(ABEexe, [this] { ABEexeClick(); });
}

// --- Steps ---

void TJSTXFrm::OnStepEntered(int type, int k) {
  if (k == 4) {
    SimpleReportClick();  // the end step has no status text of its own
  } else if (k == 3) {
    EnableReports(true);
    AnalysisPanel* panel = type == kCrankRocker ? type1step4 : type2step4;
    panel->setLinkage(designLinkage(type));
    panel->drawClick();
    panel->startClick();
  } else if (type == kCrankSlider && k == 0) {
    enterCrankSliderInput();
  } else if (type == kCrankSlider && k == 2) {
    IniSelect->IniOkClick();
  }
}

void TJSTXFrm::enterCrankSliderInput() {
  q.e = StrToFloat(edite->text());
  LoadPicture(imgQBHK, q.e != 0 ? QStringLiteral("cdjstype2sp1.bmp") : QStringLiteral("cdjstype3sp1.bmp"));
}

// --- Crank-rocker commands ---

void TJSTXFrm::Param1OKClick() {
  if (AnyEmpty({O1, O2, O3, O0, Edit1})) {
    ShowMsg(QStringLiteral("请输入数据！"));
    O1->setFocus();
    return;
  }
  q.a = StrToFloat(O1->text());
  q.b = StrToFloat(O2->text());
  q.c = StrToFloat(O3->text());
  q.d = StrToFloat(O0->text());
  q.dPsi = StrToFloat(Edit1->text());
  WriteLogHeader({}, HeaderSpacing{QStringLiteral("   　　 "), QStringLiteral("   ")});
  AppendLog({QStringLiteral("一、曲柄连杆机构中对应的长度和在后极限位置处摇杆和机架夹角的变化量△Ψ"),
             QStringLiteral("    曲柄：a=") + G(q.a) + QStringLiteral("mm"),
             QStringLiteral("    连杆：b=") + G(q.b) + QStringLiteral("mm"),
             QStringLiteral("    摇杆：c=") + G(q.c) + QStringLiteral("mm"),
             QStringLiteral("    机架：d=") + G(q.d) + QStringLiteral("mm"),
             QStringLiteral("    摇杆和机架的夹角变化量：△ψ=") + G(q.dPsi) + QStringLiteral("°")});
  RunStep(kCrankRocker, 1);
}

void TJSTXFrm::Param1CancelClick() {
  for (QLineEdit* edit : {O1, O2, O3, O0, Edit1}) edit->clear();
  Slot(kCrankRocker, 0).group->hide();
  m_types[kCrankRocker].rightPanel->hide();
  SpChoseClick();
}

void TJSTXFrm::PPPExeClick() {
  Extended phiO = 0, psiS = 0;
  RockerExtremes(q.a, q.b, q.c, q.d, phiO, psiS);
  FpuCheck();
  q.phiO = phiO;
  q.psiS = psiS;
  PPP0->setText(QStringLiteral("φo=") + R5(phiO) + QStringLiteral("°"));
  PPP1->setText(QStringLiteral("ψs=") + R5(psiS) + QStringLiteral("°"));
  PPPExe->setEnabled(false);
  PPPOK->setEnabled(true);
}

void TJSTXFrm::PPPOKClick() {
  AppendLog({QStringLiteral("二、计算φo，ψs的值"), QStringLiteral("    ") + PPP0->text(),
             QStringLiteral("    ") + PPP1->text()});
  RunStep(kCrankRocker, 2);
}

void TJSTXFrm::mnlEXEClick() {
  const Extended phi = RockerDwellAngle(q.a, q.b, q.c, q.d, q.psiS, q.dPsi);
  FpuCheck();
  q.phi = phi;
  mnlM->setText(QStringLiteral("φ=") + R5(phi) + QStringLiteral("°"));
  mnlEXE->setEnabled(false);
  type1cmp->setEnabled(true);
}

void TJSTXFrm::type1cmpClick() {
  if (mnlEXE->isEnabled()) mnlEXEClick();
  AppendLog({QStringLiteral("三、计算φ的值"), QStringLiteral("    ") + mnlM->text()});
  type1cmp->setEnabled(false);
  mnlEXE->setEnabled(false);
  RunStep(kCrankRocker, 3);
  EnableReports(true);
}

// --- Crank-slider commands ---

void TJSTXFrm::BtokClick() {
  if (edite->text().trimmed().isEmpty()) {
    ShowMsg(QStringLiteral("e的值不能为空，请重新输入"));
    edite->setFocus();
    return;
  }
  q.e = StrToFloat(edite->text());
  m_types[kCrankSlider].buttonPanel->show();
  m_types[kCrankSlider].rightPanel->show();
  RunStep(kCrankSlider, 0);
}

void TJSTXFrm::BtclClick() {
  edite->clear();
  step2->hide();
  RightPnl->show();
  Step1->show();
  SpChoseClick();
}

void TJSTXFrm::type2okClick() {
  if (AnyEmpty({s1, s2, s4, s5})) {
    ShowMsg(QStringLiteral("请输入数据！"));
    s1->setFocus();
    return;
  }
  q.a = StrToFloat(s1->text());
  q.b = StrToFloat(s2->text());
  q.dH = StrToFloat(s4->text());
  q.H = StrToFloat(s5->text());
  WriteLogHeader({}, HeaderSpacing{QStringLiteral("     "), QStringLiteral("     ")});
  AppendLog({QStringLiteral("一、一般曲柄滑块机构的初始数据参数"), QStringLiteral("    曲柄：a=") + G(q.a) + QStringLiteral("mm"),
             QStringLiteral("    连杆：b=") + G(q.b) + QStringLiteral("mm"),
             QStringLiteral("    冲程：H=") + G(q.H) + QStringLiteral("mm"),
             QStringLiteral("    偏心距：e=") + G(q.e) + QStringLiteral("mm"),
             QStringLiteral("    冲程的变化量：△H=") + G(q.dH) + QStringLiteral("mm")});
  // φ is where the slider stands H − △H short of its outer dead position: △H from the rear
  // dead position only when H is the linkage's own stroke.
  Extended stroke = 0;
  if (CrankSliderStroke(q.a, q.b, q.e, stroke) && std::fabs(q.H - stroke) > kStrokeTolerance * stroke)
    ShowMsg(QStringLiteral("机构的实际冲程为") + FormatR(stroke, 3) + QStringLiteral("mm，与H=") + G(q.H) +
            QStringLiteral("mm不符，求得的φ将不是滑块距后极限位置△H处的曲柄转角。"));
  RunStep(kCrankSlider, 1);
}

void TJSTXFrm::type2cancelClick() {
  for (QLineEdit* edit : {s1, s2, s4, s5}) edit->clear();
  m_types[kCrankSlider].buttonPanel->hide();
  m_types[kCrankSlider].rightPanel->hide();
  pnlType->hide();  // so the type step asks nothing and the type's buttons stay as they are
  SpChose->show();
  SpChoseClick();
}

void TJSTXFrm::QQQexeClick() {
  Extended lambda = 0, k = 0, alpha = 0, s = 0;
  SliderDwellParameters(q.a, q.b, q.e, q.H, q.dH, lambda, k, alpha, s);
  FpuCheck();
  q.lambda = lambda;
  q.k = k;
  q.alpha = alpha;
  q.s = s;
  QQQ1->setText(QStringLiteral("λ=") + R5(lambda));
  QQQ2->setText(QStringLiteral("k=") + R5(k));
  QQQ3->setText(QStringLiteral("α=") + R5(alpha) + QStringLiteral("°"));
  QQQ4->setText(QStringLiteral("s=") + R5(s) + QStringLiteral("mm"));
  QQQexe->setEnabled(false);
  QQQok->setEnabled(true);
}

void TJSTXFrm::QQQokClick() {
  AppendLog({QStringLiteral("二、计算λ，k，α，s的值"), QStringLiteral("    ") + QQQ1->text(),
             QStringLiteral("    ") + QQQ2->text(), QStringLiteral("    ") + QQQ3->text(),
             QStringLiteral("    ") + QQQ4->text()});
  RunStep(kCrankSlider, 2);
}

void TJSTXFrm::ABEexeClick() {
  CutLog(15);
  Extended eps = 0;
  int limit = 0;
  TExtendedArray start;
  if (!IniSelect->ReadSettings(eps, limit, start)) return;
  Extended phi = 0;
  const bool solved = SolveSliderDwell(q, start[0], eps, limit, phi);
  FpuCheck();
  if (!solved) {
    // No message: the start-value panel opens for another start value.
    abea->setText(QStringLiteral("φ="));
    IniSelect->InisetClick();
    return;
  }
  q.phi = phi;
  abea->setText(QStringLiteral("φ=") + R5(phi) + QStringLiteral("°"));
  ABEexe->setEnabled(false);
  type2cmp->setEnabled(true);
}

void TJSTXFrm::type2cmpClick() {
  AppendLog({QStringLiteral("三、计算φ的值"), QStringLiteral("    ") + abea->text()});
  type2cmp->setEnabled(false);
  RunStep(kCrankSlider, 3);
  EnableReports(true);
}

// --- Notes, record, reports ---

RecordFields TJSTXFrm::RecordFieldsOf() {
  switch (m_designType) {
    case kCrankRocker:
      return {{"CDJSLena", &q.a}, {"CDJSLenb", &q.b},   {"CDJSLenc", &q.c}, {"CDJSLend", &q.d},
              {"CDJSdf", &q.dPsi}, {"CDJSf0", &q.phiO}, {"CDJSfs", &q.psiS}, {"CDJSf", &q.phi}};
    case kCrankSlider:
      return {{"CDJSLena", &q.a}, {"CDJSLenb", &q.b},     {"CDJSLene", &q.e},    {"CDJSH", &q.H},
              {"CDJSdH", &q.dH},  {"CDJSnmd", &q.lambda}, {"CDJSk", &q.k},       {"CDJSrfa", &q.alpha},
              {"CDJSs", &q.s},    {"CDJSf", &q.phi}};
    default:
      return {};
  }
}

int TJSTXFrm::ResumeStep() const { return m_step <= 0 ? 0 : m_step + 1; }

void TJSTXFrm::OnResumed() {
  // Going back to step 1 reads the offset again from its edit: it must be the record's, or a
  // reopened offset linkage would silently become a centred one.
  if (m_designType == kCrankSlider && ResumeStep() > 0) edite->setText(G(q.e));
}

std::vector<ReportRow> TJSTXFrm::ReportRows() const {
  const QString deg = QStringLiteral("°"), mm = QStringLiteral("mm"), none = QStringLiteral("无");
  if (m_designType == kCrankSlider)
    return {{QStringLiteral("a"), q.a, mm},       {QStringLiteral("b"), q.b, mm},
            {QStringLiteral("e"), q.e, mm},       {QStringLiteral("H"), q.H, mm},
            {QStringLiteral("△H"), q.dH, mm},     {QStringLiteral("λ"), q.lambda, none},
            {QStringLiteral("k"), q.k, none},     {QStringLiteral("α"), q.alpha, deg},
            {QStringLiteral("s"), q.s, mm},       {QStringLiteral("φ"), q.phi, deg}};
  return {{QStringLiteral("a"), q.a, mm},       {QStringLiteral("b"), q.b, mm},
          {QStringLiteral("c"), q.c, mm},       {QStringLiteral("d"), q.d, mm},
          {QStringLiteral("△ψ"), q.dPsi, deg},  {QStringLiteral("φo"), q.phiO, deg},
          {QStringLiteral("ψs"), q.psiS, deg},  {QStringLiteral("φ"), q.phi, deg}};
}

// The linkage as the design means it: the dwell crank-slider's offset lies on the side of the
// guide its equation measures, so the analysis shows the dwell at the crank angles reported.
Linkage TJSTXFrm::designLinkage(int type) const {
  return type == kCrankRocker ? Linkage::FourBar(LinkageKind::CrankRocker, q.a, q.b, q.c, q.d)
                              : DwellCrankSliderAnalysisLinkage(q);
}

std::optional<DesignCheckResult> TJSTXFrm::DesignCheckOf() const {
  switch (m_designType) {
    case kCrankRocker: return CheckDwellCrankRocker(q.dPsi, q.phi, designLinkage(kCrankRocker));
    case kCrankSlider: return CheckDwellCrankSlider(q.H, q.dH, q.phi, designLinkage(kCrankSlider));
    default: return std::nullopt;
  }
}
