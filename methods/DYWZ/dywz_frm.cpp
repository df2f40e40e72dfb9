#include "methods/DYWZ/dywz_frm.h"

#include "analysis/analysis_panel.h"
#include "base/convert.h"
#include "base/fpu.h"
#include "base/inifile.h"
#include "base/numfmt.h"
#include "link/kinematics.h"
#include "link/synthesis.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

namespace {


const QString kFourBarCaption = QStringLiteral("铰链四杆机构的设计");
const QString kCrankSliderCaption = QStringLiteral("曲柄滑块机构的设计");

// The input step: the pairs in two columns, the position sketch beside them, the notes
// under them and the two buttons at the bottom.
QGridLayout* inputStep(QGroupBox* step, const std::vector<EditSpec>& left,
                       const std::vector<EditSpec>& right, std::vector<QLineEdit*>& edits,
                       PictureBox*& sketchPicture, const QString& sketchName,
                       const QStringList& notes, QPushButton* ok, QPushButton* cancel) {
  auto* layout = new QGridLayout(step);
  QGroupBox* input = new QGroupBox(QStringLiteral("请输入三组对应的位置角"), step);
  auto* grid = new QGridLayout(input);
  int column = 0;
  for (const auto* side : {&left, &right}) {
    int row = 0;
    for (const EditSpec& e : *side)
      edits.push_back(AddEditRow(grid, row++, column, e));
    column += 3;
  }
  grid->setColumnMinimumWidth(2, 40);
  QGroupBox* sketch = new QGroupBox(QStringLiteral("位置关系示意图"), step);
  sketchPicture = new PictureBox(sketchName, sketch);
  (new QVBoxLayout(sketch))->addWidget(sketchPicture);
  QGroupBox* notesBox = new QGroupBox(QStringLiteral("参数说明："), step);
  auto* noteColumn = new QVBoxLayout(notesBox);
  for (const QString& note : notes) noteColumn->addWidget(MakeNote(note, notesBox));
  noteColumn->addStretch(1);
  layout->addWidget(input, 0, 0);
  layout->addWidget(sketch, 0, 1, 2, 1);
  layout->addWidget(notesBox, 1, 0);
  layout->addLayout(ButtonRow(ok, cancel), 2, 0, 1, 2);
  layout->setColumnStretch(0, 3);
  layout->setColumnStretch(1, 2);
  return layout;
}

}  // namespace

TDYWZFrm::TDYWZFrm(QWidget* parent)
    : TDesignFrm(QStringLiteral("DYWZ"), QStringLiteral("按两连架杆预定的对应位置设计"),
                 QStringLiteral("DYWZ"), WizardPolicy{}, parent),
      FourBarSteps(*this, q, {}, [this] {
        return Positions{{q.O1, q.O2, q.O3}, {q.W1, q.W2, q.W3}, q.O0, q.W0};
      }) {
  AddType(kFourBarCaption,
          QStringLiteral("　　已知两连架杆三组对应位置角(φ1,ψ1)、(φ2,ψ2)、(φ3,ψ3)、[φ0、ψ0可选]"
                         "及任意一构件的长度，设计铰链四杆机构"),
          QStringLiteral("pnlType1"), QStringLiteral("RightPnlType1"));
  AddType(kCrankSliderCaption,
          QStringLiteral("　　已知曲柄与滑块的三组对应位置(φ1,s1)、(φ2,s2)、(φ3,s3)，设计曲柄滑块机构"),
          QStringLiteral("pnlType2"), QStringLiteral("RightPnlType2"));
  m_types[kFourBar].notesPage = QStringLiteral("DYWZ0.htm");
  m_types[kFourBar].reportsAfterStep = 5;
  m_types[kFourBar].checkFromStep = 5;
  m_types[kCrankSlider].notesPage = QStringLiteral("DYWZ1.htm");
  m_types[kCrankSlider].reportsAfterStep = 3;
  m_types[kCrankSlider].checkFromStep = 3;
  buildFourBar();
  buildCrankSlider();
  AddNumericEdits({O1, O2, O3, O0, W1, W2, W3, W0, fai1, fai2, fai3, s1, s2, s3, GanLen});
}

void TDYWZFrm::buildFourBar() {
  // Step 1: the three angle pairs and the start angles.
  QGroupBox* step1 = AddStepGroup(kFourBar, QStringLiteral("type1step1"), {});
  {
    Param1OK = MakeButton(QStringLiteral("Param1OK"), QStringLiteral("确定"), step1);
    Param1Cancel = MakeButton(QStringLiteral("Param1Cancel"), QStringLiteral("取消"), step1);
    std::vector<QLineEdit*> edits;
    inputStep(step1,
              {{"φ1", "O1", "45", "°"}, {"φ2", "O2", "90", "°"}, {"φ3", "O3", "135", "°"}, {"φ0", "O0", "0", "°"}},
              {{"ψ1", "W1", "50", "°"}, {"ψ2", "W2", "80", "°"}, {"ψ3", "W3", "110", "°"}, {"ψ0", "W0", "0", "°"}},
              edits, type1Imgsyt, QStringLiteral("type1Imgsyt"),
              {QStringLiteral("　1.  φ1、φ2、φ3为连架杆AB的三个位置角；ψ1、ψ2、ψ3为连架杆DC的三个位置角，如右图所示"),
               QStringLiteral("　2.  φ1、φ2、φ3与ψ1、ψ2、ψ3 一一对应，要按顺序给出"),
               QStringLiteral("　3.  φ0与ψ0分别为φi与ψi的起始计量角，默认值为0。")},
              Param1OK, Param1Cancel);
    O1 = edits[0], O2 = edits[1], O3 = edits[2], O0 = edits[3];
    W1 = edits[4], W2 = edits[5], W3 = edits[6], W0 = edits[7];
  }
  AddStep(kFourBar, {.button = "type1sp1", .caption = QStringLiteral("初始条件"), .group = step1,
                     .pictures = {{type1Imgsyt, QStringLiteral("jlsgsyt.bmp")}},
                     .status = QStringLiteral("输入初始参数"), .keptLines = 0, .firstEdit = O1});

  // Steps 2 to 5: coefficients, ratios, known link, lengths.
  WizardStep& sp2 = AddStep(kFourBar, QStringLiteral("type1sp2"), QStringLiteral("计算P0、P1、P2的值"),
                            BuildCoefficientStep(kFourBar, QStringLiteral("type1step2")));
  DescribeCoefficientStep(sp2);
  sp2.keptLines = 9;
  WizardStep& sp3 = AddStep(kFourBar, QStringLiteral("type1sp3"), QStringLiteral("计算m、n、l的值"),
                            BuildRatioStep(kFourBar, QStringLiteral("type1step3")));
  DescribeRatioStep(sp3);
  sp3.keptLines = 13;
  WizardStep& sp4 = AddStep(kFourBar, QStringLiteral("type1sp4"), QStringLiteral("确定已知长度杆"),
                            BuildKnownLinkStep(kFourBar, QStringLiteral("type1step4")));
  DescribeKnownLinkStep(sp4);
  sp4.keptLines = 17;
  WizardStep& sp5 = AddStep(kFourBar, QStringLiteral("type1sp5"), QStringLiteral("计算各杆杆长"),
                            BuildLengthStep(kFourBar, QStringLiteral("type1step5")));
  DescribeLengthStep(sp5);
  sp5.keptLines = 19;

  // Step 6: the kinematic analysis; step 7: the end.
  type1step6 = AddAnalysisPanel(kFourBar, AnalysisPanelConfig::CorrespondingFourBar());
  AddStep(kFourBar, {.button = "type1sp6", .caption = QStringLiteral("运动分析"), .group = type1step6,
                     .status = QStringLiteral("运动分析"), .keptLines = 24});
  AddStep(kFourBar, {.button = "type1sp7", .caption = QStringLiteral("结束"), .status = QStringLiteral("设计结束"),
                     .end = true});

  OnClick(Param1OK, [this] { Param1OKClick(); });
  OnClick(Param1Cancel, [this] { Param1CancelCick(); });
}

void TDYWZFrm::buildCrankSlider() {
  QGroupBox* step1 = AddStepGroup(kCrankSlider, QStringLiteral("type2step1"), {});
  {
    type2ok = MakeButton(QStringLiteral("type2ok"), QStringLiteral("确定"), step1);
    type2cancel = MakeButton(QStringLiteral("type2cancel"), QStringLiteral("取消"), step1);
    std::vector<QLineEdit*> edits;
    inputStep(step1, {{"φ1", "fai1", "60", "°"}, {"φ2", "fai2", "85", "°"}, {"φ3", "fai3", "120", "°"}},
              {{"s1", "s1", "36", "mm"}, {"s2", "s2", "28", "mm"}, {"s3", "s3", "19", "mm"}}, edits,
              type2imgsyt, QStringLiteral("type2imgsyt"),
              {QStringLiteral("　1.  φ1、φ2、φ3为曲柄AB的三个位置角；s1、s2、s3为滑块对应于曲柄AB三个位置角的行程，如右图所示"),
               QStringLiteral("　2.  φ1、φ2、φ3与s1、s2、s3 一一对应，要按顺序给出")},
              type2ok, type2cancel);
    fai1 = edits[0], fai2 = edits[1], fai3 = edits[2];
    s1 = edits[3], s2 = edits[4], s3 = edits[5];
  }
  AddStep(kCrankSlider, {.button = "type2sp1", .caption = QStringLiteral("初始条件"), .group = step1,
                         .pictures = {{type2imgsyt, QStringLiteral("qbhksyt.bmp")}},
                         .status = QStringLiteral("输入初始参数"), .keptLines = 0, .firstEdit = fai1});

  QGroupBox* step2 = AddStepGroup(kCrankSlider, QStringLiteral("type2step2"), {});
  {
    QGroupBox* basis = new QGroupBox(QStringLiteral("计算依据"), step2);
    auto* column = new QVBoxLayout(basis);
    ImgQQQ = new PictureBox(QStringLiteral("ImgQQQ"), basis);
    column->addWidget(new QLabel(QStringLiteral("位置关系式："), basis));
    column->addWidget(ImgQQQ);
    column->addWidget(new QLabel(QStringLiteral("式中："), basis));
    QQQ1 = MakeLabel(QStringLiteral("QQQ1"), QStringLiteral("Q1="), step2);
    QQQ2 = MakeLabel(QStringLiteral("QQQ2"), QStringLiteral("Q2="), step2);
    QQQ3 = MakeLabel(QStringLiteral("QQQ3"), QStringLiteral("Q3="), step2);
    QQQexe = MakeButton(QStringLiteral("QQQexe"), QStringLiteral("计算"), step2);
    QQQok = MakeButton(QStringLiteral("QQQok"), QStringLiteral("确定"), step2);
    CalculationStep(step2, basis, QStringLiteral("求得Q1、Q2及Q3的值为："), {QQQ1, QQQ2, QQQ3}, QQQexe, QQQok);
  }
  AddStep(kCrankSlider, {.button = "type2sp2", .caption = QStringLiteral("计算Q1、Q2、Q3的值"), .group = step2,
                         .pictures = {{ImgQQQ, QStringLiteral("QQQ.bmp")}},
                         .status = QStringLiteral("计算Q1、Q2、Q3的值"), .keptLines = 8, .calc = QQQexe,
                         .confirm = QQQok, .results = {QQQ1, QQQ2, QQQ3}, .onCalc = [this] { QQQexeClick(); },
                         .onConfirm = [this] { QQQokClick(); }});

  QGroupBox* step3 = AddStepGroup(kCrankSlider, QStringLiteral("type2step3"), {});
  {
    QGroupBox* basis = new QGroupBox(QStringLiteral("计算依据"), step3);
    imgabe = new PictureBox(QStringLiteral("imgabe"), basis);
    (new QVBoxLayout(basis))->addWidget(imgabe);
    abea = MakeLabel(QStringLiteral("abea"), QStringLiteral("a="), step3);
    abeb = MakeLabel(QStringLiteral("abeb"), QStringLiteral("b="), step3);
    abee = MakeLabel(QStringLiteral("abee"), QStringLiteral("e="), step3);
    ABEexe = MakeButton(QStringLiteral("ABEexe"), QStringLiteral("计算"), step3);
    type2cmp = MakeButton(QStringLiteral("type2cmp"), QStringLiteral("确定"), step3);
    CalculationStep(step3, basis, QStringLiteral("求得a、b及e的值为："), {abea, abeb, abee}, ABEexe, type2cmp);
  }
  AddStep(kCrankSlider, {.button = "type2sp3", .caption = QStringLiteral("计算a、b、e的值"), .group = step3,
                         .pictures = {{imgabe, QStringLiteral("abe.bmp")}},
                         .status = QStringLiteral("计算a、b、e的值"), .keptLines = 12, .calc = ABEexe,
                         .confirm = type2cmp, .results = {abea, abeb, abee}, .onCalc = [this] { ABEexeClick(); },
                         .onConfirm = [this] { type2cmpClick(); }});

  type2step4 = AddAnalysisPanel(kCrankSlider, AnalysisPanelConfig::CorrespondingCrankSlider());
  AddStep(kCrankSlider, {.button = "type2sp4", .caption = QStringLiteral("运动分析"), .group = type2step4,
                         .status = QStringLiteral("运动分析"), .keptLines = 16});
  AddStep(kCrankSlider, {.button = "type2sp5", .caption = QStringLiteral("结束"),
                         .status = QStringLiteral("设计结束"), .end = true});

  OnClick(type2ok, [this] { type2okClick(); });
  OnClick(type2cancel, [this] { type2cancelClick(); });
}

// --- Steps ---

void TDYWZFrm::OnStepEntered(int type, int k) {
  if (type == kFourBar) {
    if (k == 3) {
      EnterKnownLinkStep();
    } else if (k == 4) {
      EnterLengthStep();
    } else if (k == 5) {
      EnterFourBarAnalysis(type1step6);
    } else if (k == 6) {
      EndStep();
    }
  } else if (type == kCrankSlider) {
    if (k == 3)
      enterCrankSliderAnalysis();
    else if (k == 4)
      EndStep();
  }
}

void TDYWZFrm::enterCrankSliderAnalysis() {
  EnableReports(true);
  type2step4->setLinkage(crankSliderLinkage());
  type2step4->drawClick();
  type2step4->startClick();
}

// --- Four-bar commands ---

void TDYWZFrm::Param1OKClick() {
  // Converted one by one: the angles before a faulty edit keep their new values.
  q.O1 = StrToFloat(O1->text());
  q.O2 = StrToFloat(O2->text());
  q.O3 = StrToFloat(O3->text());
  q.O0 = StrToFloat(O0->text());
  q.W1 = StrToFloat(W1->text());
  q.W2 = StrToFloat(W2->text());
  q.W3 = StrToFloat(W3->text());
  q.W0 = StrToFloat(W0->text());
  WriteLogHeader();
  AppendLog(QStringLiteral("一、两连架杆的对应角位置"));
  const Extended phi[] = {q.O1, q.O2, q.O3, q.O0}, psi[] = {q.W1, q.W2, q.W3, q.W0};
  const int number[] = {1, 2, 3, 0};
  for (int i = 0; i < 4; ++i)
    AppendLog(QStringLiteral("    位置%1：φ%1=").arg(number[i]) + R5(phi[i]) +
              QStringLiteral("°，ψ%1=").arg(number[i]) + R5(psi[i]) + QStringLiteral("°"));
  RunStep(kFourBar, 1);
}

void TDYWZFrm::Param1CancelCick() {
  for (QLineEdit* edit : {O1, O2, O3, W1, W2, W3}) edit->clear();
  O0->setText(QStringLiteral("0"));
  W0->setText(QStringLiteral("0"));
  O1->setFocus();
}

// --- Crank-slider commands ---

void TDYWZFrm::type2okClick() {
  q.O1 = StrToFloat(fai1->text());
  q.O2 = StrToFloat(fai2->text());
  q.O3 = StrToFloat(fai3->text());
  q.W1 = StrToFloat(s1->text());
  q.W2 = StrToFloat(s2->text());
  q.W3 = StrToFloat(s3->text());
  WriteLogHeader();
  AppendLog(QStringLiteral("一、两连架杆的对应角位置"));
  const Extended phi[] = {q.O1, q.O2, q.O3}, s[] = {q.W1, q.W2, q.W3};
  for (int i = 0; i < 3; ++i)
    AppendLog(QStringLiteral("    位置%1：φ%1=").arg(i + 1) + FormatG(phi[i]) +
              QStringLiteral("°，s%1=").arg(i + 1) + FormatG(s[i]) + QStringLiteral("mm"));
  RunStep(kCrankSlider, 1);
}

void TDYWZFrm::type2cancelClick() {
  for (QLineEdit* edit : {fai1, fai2, fai3, s1, s2, s3}) edit->clear();
  fai1->setFocus();
}

void TDYWZFrm::QQQexeClick() {
  const Extended phi[] = {q.O1, q.O2, q.O3}, s[] = {q.W1, q.W2, q.W3};
  Extended Q1 = 0, Q2 = 0, Q3 = 0;
  const bool solved = CrankSliderCoefficients(phi, s, Q1, Q2, Q3);
  FpuCheck();
  if (!solved) {
    ShowMsg(QStringLiteral("Gauss全选主元消去法求解线性方程组出错！"));
    return;
  }
  q.P0 = Q1;
  q.P1 = Q2;
  q.P2 = Q3;
  QQQ1->setText(QStringLiteral("Q1=") + R5(q.P0));
  QQQ2->setText(QStringLiteral("Q2=") + R5(q.P1));
  QQQ3->setText(QStringLiteral("Q3=") + R5(q.P2));
  QQQexe->setEnabled(false);
  QQQok->setEnabled(true);
}

void TDYWZFrm::QQQokClick() {
  AppendLog({QStringLiteral("二、计算Q1、Q2、Q3值"), QStringLiteral("    Q1=") + R5(q.P0),
             QStringLiteral("    Q2=") + R5(q.P1), QStringLiteral("    Q3=") + R5(q.P2)});
  RunStep(kCrankSlider, 2);
}

void TDYWZFrm::ABEexeClick() {
  Extended a = 0, b = 0, e = 0;
  CrankSliderDimensions(q.P0, q.P1, q.P2, a, b, e);
  FpuCheck();
  q.m = a;
  q.n = b;
  q.l = e;
  abea->setText(QStringLiteral("a=") + R3(a) + QStringLiteral(" mm"));
  abeb->setText(QStringLiteral("b=") + R3(b) + QStringLiteral(" mm"));
  abee->setText(QStringLiteral("e=") + R3(e) + QStringLiteral(" mm"));
  ABEexe->setEnabled(false);
  type2cmp->setEnabled(true);
}

void TDYWZFrm::type2cmpClick() {
  AppendLog({QStringLiteral("三、计算a、b及e的值"), QStringLiteral("    ") + abea->text(),
             QStringLiteral("    ") + abeb->text(), QStringLiteral("    ") + abee->text()});
  type2cmp->setEnabled(false);
  RunStep(kCrankSlider, 3);
  EnableReports(true);
}

// --- Notes, record, reports ---

RecordFields TDYWZFrm::RecordFieldsOf() {
  return {{"DYWZO1", &q.O1},        {"DYWZO2", &q.O2},     {"DYWZO3", &q.O3},     {"DYWZO0", &q.O0},
          {"DYWZW1", &q.W1},        {"DYWZW2", &q.W2},     {"DYWZW3", &q.W3},     {"DYWZW0", &q.W0},
          {"DYWZP0", &q.P0},        {"DYWZP1", &q.P1},     {"DYWZP2", &q.P2},     {"DYWZm", &q.m},
          {"DYWZn", &q.n},          {"DYWZl", &q.l},       {"DYWZgantype", &q.ganType},
          {"DYWZganlen", &q.ganLen}, {"DYWZlena", &q.lenA}, {"DYWZlenb", &q.lenB}, {"DYWZlenc", &q.lenC},
          {"DYWZlend", &q.lenD}};
}

std::vector<ReportRow> TDYWZFrm::ReportRows() const {
  const QString deg = QStringLiteral("°"), mm = QStringLiteral("mm"), none = QStringLiteral("无");
  if (m_designType == kCrankSlider)
    return {{QStringLiteral("φ1"), q.O1, deg}, {QStringLiteral("s1"), q.W1, mm},
            {QStringLiteral("φ2"), q.O2, deg}, {QStringLiteral("s2"), q.W2, mm},
            {QStringLiteral("φ3"), q.O3, deg}, {QStringLiteral("s3"), q.W3, mm},
            {QStringLiteral("Q1"), q.P0, none}, {QStringLiteral("Q2"), q.P1, none},
            {QStringLiteral("Q3"), q.P2, none}, {QStringLiteral("a"), q.m, mm},
            {QStringLiteral("b"), q.n, mm},    {QStringLiteral("e"), q.l, mm}};
  std::vector<ReportRow> rows = {
      {QStringLiteral("φ1"), q.O1, deg}, {QStringLiteral("ψ1"), q.W1, deg},
      {QStringLiteral("φ2"), q.O2, deg}, {QStringLiteral("ψ2"), q.W2, deg},
      {QStringLiteral("φ3"), q.O3, deg}, {QStringLiteral("ψ3"), q.W3, deg},
      {QStringLiteral("φ0"), q.O0, deg}, {QStringLiteral("ψ0"), q.W0, deg}};
  AppendReportRows(rows);
  return rows;
}
