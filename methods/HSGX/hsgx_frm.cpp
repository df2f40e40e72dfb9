#include "methods/HSGX/hsgx_frm.h"

#include "analysis/analysis_panel.h"
#include "base/convert.h"
#include "base/fpu.h"
#include "base/inifile.h"
#include "base/numfmt.h"
#include "design/start_value_panel.h"
#include "methods/HSGX/hsgx_function.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

namespace {

// Slots of either type: the two node steps, then the shared ratio, known-link, length,
// analysis and end steps.
constexpr int kRatioSlot = 2, kKnownSlot = 3, kLengthSlot = 4, kAnalysisSlot = 5, kEndSlot = 6;

const QStringList kFunctionItems = {QStringLiteral("自定义"), QStringLiteral("y=lg(x)"),
                                    QStringLiteral("y=3*x^2*sin(x)/(x+1)"), QStringLiteral("y=2*x+sin(x)-5")};
const QStringList kFunListItems = {
    QStringLiteral("sin(x)"), QStringLiteral("cos(x)"),    QStringLiteral("tan(x)"),    QStringLiteral("cot(x)"),
    QStringLiteral("arcsin(x)"), QStringLiteral("arccos(x)"), QStringLiteral("arctan(x)"), QStringLiteral("arccot(x)"),
    QStringLiteral("exp(x)"), QStringLiteral("ln(x)"),     QStringLiteral("lg(x)"),     QStringLiteral("abs(x)"),
    QStringLiteral("sqr(x)"), QStringLiteral("sqrt(x)"),   QStringLiteral("+"),         QStringLiteral("-"),
    QStringLiteral("*"),      QStringLiteral("/"),         QStringLiteral("^"),         QStringLiteral("撤消")};
const int kUndoItem = int(kFunListItems.size()) - 1;

const QString kMsgDefault = QStringLiteral(
    "  本方程属于非线性方程组，本程序采用拟Newton法求解。可点击‘初值设置’按钮对初值进行设置，"
    "也可单击\"计算\"按钮按默认迭代初值进行计算。");
const QString kSolveFailed =
    QStringLiteral("求解失败！您可以通过修改初值、加大迭代次数或降低求解精度再次尝试求解。");
const QString kSolvedUnusable =
    QStringLiteral("求解成功，但非正解，最终计算结果会导致杆长为负值！您可以通过修改初值来尝试求其它解。");
const QString kSolved = QStringLiteral("求解成功！您可以通过修改初值来尝试求其它解。");


// A read-only display with its label and unit in a grid row.
QLineEdit* display(QGridLayout* grid, int row, int column, const QString& label, const QString& name,
                   const QString& unit) {
  QLineEdit* edit = AddEditRow(grid, row, column, label, name, {}, unit);
  edit->setReadOnly(true);
  return edit;
}

// The displays of φ1 … φn in the left column and ψ1 … ψn in the right one.
std::vector<QLineEdit*> angleDisplays(QGridLayout* grid, const QString& phiName, const QString& psiName, int count) {
  std::vector<QLineEdit*> phi, psi;
  for (int i = 1; i <= count; ++i) {
    phi.push_back(display(grid, i - 1, 0, QStringLiteral("φ%1=").arg(i), phiName + QString::number(i),
                          QStringLiteral("°")));
    psi.push_back(display(grid, i - 1, 3, QStringLiteral("ψ%1=").arg(i), psiName + QString::number(i),
                          QStringLiteral("°")));
  }
  grid->setColumnMinimumWidth(2, 50);
  grid->setColumnStretch(6, 1);
  phi.insert(phi.end(), psi.begin(), psi.end());
  return phi;
}

}  // namespace

THSGXFrm::THSGXFrm(QWidget* parent)
    : TDesignFrm(QStringLiteral("HSGX"), QStringLiteral("按两连架杆角位置成连续函数关系设计"), QStringLiteral("HSGX"),
                 [] {
                   WizardPolicy p;
                   p.typeStep = false;
                   p.enter = WizardPolicy::Enter::Stays;
                   p.numbering = WizardPolicy::Numbering::OnRun;  // the commits count the steps
                   return p;
                 }(),
                 parent),
      FourBarSteps(*this, q, {3, 1, false}, [this] {
        return Positions{{q.O[1], q.O[2], q.O[3]}, {q.W[1], q.W[2], q.W[3]}, q.O[0], q.W[0]};
      }) {
  IniCond = AddStartButton(QStringLiteral("IniCond"), QStringLiteral("输入初始条件"));
  SetTypeStepButton(IniCond);
  OnClick(IniCond, [this] { IniCondClick(); });
  buildInitialConditions();
  AddType(QStringLiteral("三插值点设计"), {}, QStringLiteral("pnlType1"), QStringLiteral("RightPnlType1"));
  AddType(QStringLiteral("五插值点设计"), {}, QStringLiteral("pnlType2"), QStringLiteral("RightPnlType2"));
  PnlLeft = AddButtonPanel(QStringLiteral("PnlLeft"));
  buildThreeNodes();
  buildFiveNodes();
  buildSharedSteps();
  AddNumericEdits({txtx0, txtxm, txtXZJm, txtYZJm, O0, W0, GanLen});
}

int THSGXFrm::NodeCount() const { return m_designType == kFiveNodes ? 5 : 3; }

// --- Building ---

void THSGXFrm::buildInitialConditions() {
  Step1 = AddStepGroup(-1, QStringLiteral("Step1"), {});
  auto* layout = new QGridLayout(Step1);

  // The function: one of three examples or the user's own, built with the help of FunList.
  auto* function = new QWidget(Step1);
  auto* functionColumn = new QVBoxLayout(function);
  functionColumn->setContentsMargins(0, 0, 0, 0);
  ChFunType = new RadioGroup(QStringLiteral("确定函数关系"), kFunctionItems, 1, function);
  ChFunType->setObjectName(QStringLiteral("ChFunType"));
  ChFunType->setItemIndex(1);
  PnlFun = new QWidget(function);
  PnlFun->setObjectName(QStringLiteral("PnlFun"));
  auto* funColumn = new QVBoxLayout(PnlFun);
  funColumn->setContentsMargins(0, 0, 0, 0);
  auto* funRow = new QHBoxLayout;
  txtFun = MakeEdit(QStringLiteral("txtFun"), QStringLiteral("lg(x)"), PnlFun);
  btnSeeFun = MakeButton(QStringLiteral("btnSeeFun"), QStringLiteral("展开可选"), PnlFun);
  funRow->addWidget(new QLabel(QStringLiteral("y=F(x)="), PnlFun));
  funRow->addWidget(txtFun, 1);
  funRow->addWidget(btnSeeFun);
  funColumn->addLayout(funRow);
  funColumn->addWidget(MakeNote(
      QStringLiteral("例如：如要实现函数y=lgx， 则在输入框中输入lg(x)。注意，自变量必须为x"), PnlFun));
  FunList = new RadioGroup({}, kFunListItems, 3, PnlFun);
  FunList->setObjectName(QStringLiteral("FunList"));
  FunList->hide();
  funColumn->addWidget(FunList);
  PnlFun->hide();
  functionColumn->addWidget(ChFunType);
  functionColumn->addWidget(PnlFun);
  functionColumn->addStretch(1);

  auto* parameters = new QGroupBox(QStringLiteral("输入初始参数"), Step1);
  auto* parameterColumn = new QVBoxLayout(parameters);
  auto* grid = new QGridLayout;
  txtx0 = AddEditRow(grid, 0, 0, QStringLiteral("x0="), QStringLiteral("txtx0"), QStringLiteral("1"), {});
  txtxm = AddEditRow(grid, 0, 3, QStringLiteral("xm="), QStringLiteral("txtxm"), QStringLiteral("2"), {});
  txtXZJm = AddEditRow(grid, 1, 0, QStringLiteral("φm="), QStringLiteral("txtXZJm"), QStringLiteral("60"),
                       QStringLiteral("°"));
  txtYZJm = AddEditRow(grid, 1, 3, QStringLiteral("ψm="), QStringLiteral("txtYZJm"), QStringLiteral("90"),
                       QStringLiteral("°"));
  PointN = new QComboBox(parameters);
  PointN->setObjectName(QStringLiteral("PointN"));
  PointN->addItems({QStringLiteral("3"), QStringLiteral("5")});
  PointN->setFixedWidth(80);
  grid->addWidget(new QLabel(QStringLiteral("插值点数m="), parameters), 2, 0, 1, 1);
  grid->addWidget(PointN, 2, 1);
  grid->setColumnMinimumWidth(2, 24);
  parameterColumn->addLayout(grid);
  for (const QString& note : {QStringLiteral("1、自变量x的变化区间[x0,xm]"), QStringLiteral("2、根据经验试取φm,ψm"),
                              QStringLiteral("参数说明：一般φm、ψm之值应选得小于120°")})
    parameterColumn->addWidget(MakeNote(note, parameters));

  auto* sketch = new QGroupBox(QStringLiteral("位置关系示意图"), Step1);
  Imgsyt = new PictureBox(QStringLiteral("Imgsyt"), sketch);
  (new QVBoxLayout(sketch))->addWidget(Imgsyt);

  bntIniOk = MakeButton(QStringLiteral("bntIniOk"), QStringLiteral("确定"), Step1);
  Button1 = MakeButton(QStringLiteral("Button1"), QStringLiteral("取消"), Step1);
  layout->addWidget(function, 0, 0, 2, 1);
  layout->addWidget(parameters, 0, 1);
  layout->addWidget(sketch, 1, 1);
  layout->addLayout(ButtonRow(bntIniOk, Button1), 2, 0, 1, 2);
  layout->setColumnStretch(0, 1);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(1, 1);

  connect(ChFunType, &RadioGroup::clicked, this, [this] { Guarded([this] { ChFunTypeClick(); }); });
  connect(FunList, &RadioGroup::clicked, this, [this] { Guarded([this] { FunListClick(); }); });
  OnClick(btnSeeFun, [this] { btnSeeFunClick(); });
  OnClick(bntIniOk, [this] { bntIniOkClick(); });
  OnClick(Button1, [this] { Button1Click(); });
}

void THSGXFrm::buildThreeNodes() {
  QGroupBox* step1 = AddStepGroup(kThreeNodes, QStringLiteral("type1step1"), {});
  auto* layout = new QVBoxLayout(step1);
  auto* angles = new QGroupBox(QStringLiteral("计算三组对应的位置角"), step1);
  m_angleDisplays3 = angleDisplays(new QGridLayout(angles), QStringLiteral("O"), QStringLiteral("W"), 3);
  O1 = m_angleDisplays3[0], O2 = m_angleDisplays3[1], O3 = m_angleDisplays3[2];
  W1 = m_angleDisplays3[3], W2 = m_angleDisplays3[4], W3 = m_angleDisplays3[5];
  btnJSOW = MakeButton(QStringLiteral("btnJSOW"), QStringLiteral("计算"), step1);
  btnOK = MakeButton(QStringLiteral("btnOK"), QStringLiteral("确定"), step1);
  PnlOW0 = new QGroupBox(QStringLiteral("请试取初始角φ0和ψ0 "), step1);
  PnlOW0->setObjectName(QStringLiteral("PnlOW0"));
  auto* startColumn = new QVBoxLayout(PnlOW0);
  auto* startGrid = new QGridLayout;
  O0 = AddEditRow(startGrid, 0, 0, QStringLiteral("φ0="), QStringLiteral("O0"), QStringLiteral("86"),
                  QStringLiteral("°"));
  W0 = AddEditRow(startGrid, 0, 3, QStringLiteral("ψ0="), QStringLiteral("W0"), QStringLiteral("23.5"),
                  QStringLiteral("°"));
  startGrid->setColumnMinimumWidth(2, 50);
  startGrid->setColumnStretch(6, 1);
  startColumn->addLayout(startGrid);
  startColumn->addWidget(MakeNote(
      QStringLiteral("　参数说明：φ0与ψ0分别为连架杆AB，BC的初始位置角。一般φ0及ψ0之值最好不同时为零。"), PnlOW0));
  PnlOW0->hide();
  layout->addWidget(angles);
  layout->addLayout(ButtonRow(btnJSOW, btnOK));
  layout->addSpacing(16);
  layout->addWidget(PnlOW0);
  layout->addStretch(1);

  WizardStep& sp1 = AddStep(kThreeNodes, QStringLiteral("type1sp1"), QStringLiteral("计算位置角,取φ0,ψ0"), step1);
  sp1.status = QStringLiteral("计算位置角,并输入角度φ0,ψ0");
  sp1.keptLines = 9;
  sp1.calc = btnJSOW;
  sp1.confirm = btnOK;
  WizardStep& sp2 = AddStep(kThreeNodes, QStringLiteral("type1sp2"), QStringLiteral("计算P0、P1、P2的值"),
                            BuildCoefficientStep(kThreeNodes, QStringLiteral("type1step2")));
  DescribeCoefficientStep(sp2);
  sp2.keptLines = 18;

  OnClick(btnJSOW, [this] { btnJSOWClick(); });
  OnClick(btnOK, [this] { btnOKClick(); });
}

void THSGXFrm::buildFiveNodes() {
  QGroupBox* step1 = AddStepGroup(kFiveNodes, QStringLiteral("type2step1"), {});
  {
    auto* layout = new QVBoxLayout(step1);
    auto* angles = new QGroupBox(QStringLiteral("计算位置角"), step1);
    m_angleDisplays5 = angleDisplays(new QGridLayout(angles), QStringLiteral("OO"), QStringLiteral("WW"), 5);
    OO1 = m_angleDisplays5[0], OO2 = m_angleDisplays5[1], OO3 = m_angleDisplays5[2], OO4 = m_angleDisplays5[3],
    OO5 = m_angleDisplays5[4];
    WW1 = m_angleDisplays5[5], WW2 = m_angleDisplays5[6], WW3 = m_angleDisplays5[7], WW4 = m_angleDisplays5[8],
    WW5 = m_angleDisplays5[9];
    bntjsxy5 = MakeButton(QStringLiteral("bntjsxy5"), QStringLiteral("计算"), step1);
    btntype2ok = MakeButton(QStringLiteral("btntype2ok"), QStringLiteral("确定"), step1);
    layout->addWidget(angles);
    layout->addLayout(ButtonRow(bntjsxy5, btntype2ok));
    layout->addStretch(1);
  }
  WizardStep& sp1 = AddStep(kFiveNodes, QStringLiteral("type2sp1"), QStringLiteral("计算位置角"), step1);
  sp1.status = QStringLiteral("计算对应位置角");
  sp1.keptLines = 9;
  sp1.calc = bntjsxy5;
  sp1.confirm = btntype2ok;

  QGroupBox* step2 = AddStepGroup(kFiveNodes, QStringLiteral("type2step2"), {});
  {
    auto* layout = new QGridLayout(step2);
    auto* basis = new QGroupBox(QStringLiteral("计算依据"), step2);
    imgPPPxy = new PictureBox(QStringLiteral("imgPPPxy"), basis);
    (new QVBoxLayout(basis))->addWidget(imgPPPxy);
    msg = MakeLabel(QStringLiteral("msg"), kMsgDefault, step2);
    msg->setWordWrap(true);
    msg->setMinimumHeight(34);
    Iniset = MakeButton(QStringLiteral("Iniset"), QStringLiteral("初值设置"), step2);
    type2js = MakeButton(QStringLiteral("type2js"), QStringLiteral("计算"), step2);
    auto* results = new QGroupBox(QStringLiteral("计算结果"), step2);
    auto* grid = new QGridLayout(results);
    txtP0 = display(grid, 0, 0, QStringLiteral("P0="), QStringLiteral("txtP0"), {});
    txtP1 = display(grid, 1, 0, QStringLiteral("P1="), QStringLiteral("txtP1"), {});
    txtP2 = display(grid, 2, 0, QStringLiteral("P2="), QStringLiteral("txtP2"), {});
    txtxzj0 = display(grid, 3, 0, QStringLiteral("φ0="), QStringLiteral("txtxzj0"), QStringLiteral("°"));
    txtyzj0 = display(grid, 4, 0, QStringLiteral("ψ0="), QStringLiteral("txtyzj0"), QStringLiteral("°"));
    grid->setColumnStretch(3, 1);
    results->setFixedWidth(170);  // the start values beside it need the width
    m_resultDisplays = {txtP0, txtP1, txtP2, txtxzj0, txtyzj0};
    type2ok = MakeButton(QStringLiteral("type2ok"), QStringLiteral("确定"), step2);
    IniSelect = new StartValuePanel(
        {{QStringLiteral("  本方程采用拟Newton迭代法求解，您可以对计算结果给予初值估计。"),
          QStringLiteral("  注意：1、不同的初值可能得到不同的求解结果！"), QStringLiteral("2、部分初值可能造成求解方法失效。")},
         {{QStringLiteral("IniP0"), QStringLiteral("P0="), QStringLiteral("10"), {}},
          {QStringLiteral("IniP1"), QStringLiteral("P1="), QStringLiteral("10"), {}},
          {QStringLiteral("IniP2"), QStringLiteral("P2="), QStringLiteral("10"), {}},
          {QStringLiteral("inixzj0"), QStringLiteral("φ0="), QStringLiteral("10"), QStringLiteral("°")},
          {QStringLiteral("iniyzj0"), QStringLiteral("ψ0="), QStringLiteral("10"), QStringLiteral("°")}}},
        step2);
    IniSelect->Attach(Iniset, type2js, type2ok);
    IniSelect->SetMessage(msg, kMsgDefault);
    IniSelect->onOk = [this] { clearResults(); };
    // The results and the step's buttons on the left, so that the start values can take the
    // whole height beside them.
    auto* left = new QVBoxLayout;
    left->addWidget(results);
    left->addStretch(1);
    for (QPushButton* button : {Iniset, type2js, type2ok}) {
      button->setFixedWidth(120);
      left->addWidget(button, 0, Qt::AlignHCenter);
    }
    layout->addWidget(basis, 0, 0, 1, 2);
    layout->addWidget(msg, 1, 0, 1, 2);
    layout->addLayout(left, 2, 0);
    layout->addWidget(IniSelect, 2, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(2, 1);
  }
  WizardStep& sp2 = AddStep(kFiveNodes, QStringLiteral("type2sp2"), QStringLiteral("计算P0,P1,P2,φ0,ψ0的值"), step2);
  sp2.pictures = {{imgPPPxy, QStringLiteral("PPPXY.bmp")}};
  sp2.status = QStringLiteral("计算P0,P1,P2及位置角度φ0,ψ0的值");
  sp2.keptLines = 21;

  OnClick(bntjsxy5, [this] { bntjsxy5Click(); });
  OnClick(btntype2ok, [this] { btntype2okClick(); });
  OnClick(type2js, [this] { type2jsClick(); });
  OnClick(type2ok, [this] { type2okClick(); });
}

void THSGXFrm::buildSharedSteps() {
  QToolButton* typesp3 = AddStepButton(PnlLeft, QStringLiteral("typesp3"), QStringLiteral("计算m、n、l的值"));
  QToolButton* typesp4 = AddStepButton(PnlLeft, QStringLiteral("typesp4"), QStringLiteral("确定已知长度杆"));
  QToolButton* typesp5 = AddStepButton(PnlLeft, QStringLiteral("typesp5"), QStringLiteral("计算各杆杆长"));
  QToolButton* typesp6 = AddStepButton(PnlLeft, QStringLiteral("typesp6"), QStringLiteral("运动分析"));
  QToolButton* typesp7 = AddStepButton(PnlLeft, QStringLiteral("typesp7"), QStringLiteral("结束"));
  QGroupBox* step3 = BuildRatioStep(-1, QStringLiteral("step3"));
  QGroupBox* step4 = BuildKnownLinkStep(-1, QStringLiteral("step4"));
  QGroupBox* step5 = BuildLengthStep(-1, QStringLiteral("step5"));
  Step6 = AddAnalysisPanel(-1, AnalysisPanelConfig::FunctionGeneration());
  // The five-node type's log is five lines longer: its angle and coefficient sections hold
  // two more nodes and the two start angles.
  const int kept[2][3] = {{22, 26, 28}, {27, 31, 33}};
  for (int t : {kThreeNodes, kFiveNodes}) {
    m_types[t].sharedPanels = {PnlLeft};
    WizardStep& ratios = AddSlot(t, typesp3, step3);
    DescribeRatioStep(ratios);
    ratios.keptLines = kept[t][0];
    WizardStep& known = AddSlot(t, typesp4, step4);
    DescribeKnownLinkStep(known);
    known.keptLines = kept[t][1];
    WizardStep& lengths = AddSlot(t, typesp5, step5);
    DescribeLengthStep(lengths);
    lengths.keptLines = kept[t][2];
    AddSlot(t, typesp6, Step6).status = QStringLiteral("运动分析");
    WizardStep& end = AddSlot(t, typesp7, nullptr);
    end.status = QStringLiteral("设计结束");
    end.end = true;
    end.number.reset();  // the analysis stays the step a record resumes
    m_types[t].reportsAfterStep = 4;
    m_types[t].checkFromStep = kAnalysisSlot;
  }
}

// --- Initial conditions ---

void THSGXFrm::IniCondClick() {
  if (Slot(kThreeNodes, 0).button->isEnabled() || Slot(kFiveNodes, 0).button->isEnabled()) {
    if (!AskBacktrack()) return;
    for (QToolButton* button : StepButtons()) button->setEnabled(false);
    SetLogLines({});
  }
  StopTimers();
  LoadPicture(Imgsyt, QStringLiteral("hsgxsyt.bmp"));
  ShowOnlyGroup(Step1);
  if (TabSet1->currentIndex() == 0) txtx0->setFocus();
  SetStatus(0, QStringLiteral("选择设计类型，输入初始条件"));
}

void THSGXFrm::ChFunTypeClick() {
  const int index = ChFunType->itemIndex();
  if (index == 0) {
    PnlFun->show();
    txtFun->selectAll();
    txtFun->setFocus();
  } else if (index > 0) {
    PnlFun->hide();
    FunList->hide();
    syncSeeFun();
    txtFun->setText(ChFunType->itemCaption(index).mid(2));  // without "y="
  }
}

void THSGXFrm::btnSeeFunClick() {
  FunList->setVisible(FunList->isHidden());
  syncSeeFun();
}

void THSGXFrm::syncSeeFun() {
  btnSeeFun->setText(FunList->isHidden() ? QStringLiteral("展开可选") : QStringLiteral("收起可选"));
}

void THSGXFrm::FunListClick() {
  const int index = FunList->itemIndex();
  if (index < 0) return;
  QString text = txtFun->text();
  if (index == kUndoItem) {
    // Undo takes back as many characters as the item appended last has, again on every click.
    if (m_funTag >= 0) text.chop(FunList->itemCaption(m_funTag).size());
  } else {
    text += FunList->itemCaption(index);
    m_funTag = index;
  }
  txtFun->setText(text);
  FunList->setItemIndex(-1);
  txtFun->setFocus();
  txtFun->setCursorPosition(int(text.size()));
}

void THSGXFrm::bntIniOkClick() {
  const int nodes = StrToInt(PointN->currentText());
  const Extended x0 = StrToFloat(txtx0->text()), xm = StrToFloat(txtxm->text());
  if (!(xm > x0)) {
    ShowMsg(QStringLiteral("参数输入不正确，x0必须小于xm!"));
    return;
  }
  const Extended phim = StrToFloat(txtXZJm->text()), psim = StrToFloat(txtYZJm->text());
  if (phim == 0 || psim == 0) {
    ShowMsg(QStringLiteral("参数输入不正确，φm,ψm不能为零!"));
    return;
  }
  q.func = txtFun->text().trimmed();
  q.x[0] = x0;
  q.xm = xm;
  q.xzjm = phim;
  q.yzjm = psim;
  ConfirmType(nodes == 3 ? kThreeNodes : kFiveNodes);
  WriteLogHeader(QStringLiteral("铰链四杆机构"));
  AppendLog({QStringLiteral("一、初始条件"), QStringLiteral("    函数关系:y=") + q.func,
             QStringLiteral("    x的变化区间为：") + R5(x0) + QStringLiteral("<=x<=") + R5(xm),
             QStringLiteral("    根据经验取φm=") + R5(phim) + QStringLiteral("°，ψm=") + R5(psim) + QStringLiteral("°"),
             QStringLiteral("    取插值结点数m=") + QString::number(nodes)});
}

void THSGXFrm::Button1Click() {
  ChFunType->setItemIndex(-1);
  PnlFun->hide();
  for (QLineEdit* edit : {txtx0, txtxm, txtXZJm, txtYZJm}) edit->clear();
}

// --- Nodes and position angles ---

FunctionNodes THSGXFrm::placeNodes() const {
  const QString text = q.func;
  const FunctionNodes nodes = PlaceNodes([&text](Extended x) { return EvaluateFunction(text, x); }, q.x[0], q.xm,
                                         q.xzjm, q.yzjm, NodeCount());
  FpuCheck();  // ym = y0 leaves no scale for ψ
  return nodes;
}

void THSGXFrm::storeNodes(const FunctionNodes& nodes) {
  q.y[0] = nodes.y[0];
  q.ym = nodes.ym;
  q.mux = nodes.mux;
  q.muy = nodes.muy;
  for (int i = 1; i <= nodes.count; ++i) {
    q.x[i] = nodes.x[i];
    q.y[i] = nodes.y[i];
    q.O[i] = nodes.phi[i];
    q.W[i] = nodes.psi[i];
  }
}

QStringList THSGXFrm::nodeLines(const QString& heading) const {
  QStringList lines = {heading, QStringLiteral("    μx=") + R5(q.mux) + QStringLiteral("，μy=") + R5(q.muy)};
  for (int i = 1; i <= NodeCount(); ++i)
    lines << QStringLiteral("    插值结点x%1=").arg(i) + R5(q.x[i]) + QStringLiteral("，y%1=").arg(i) + R5(q.y[i]);
  for (int i = 1; i <= NodeCount(); ++i)
    lines << QStringLiteral("    位置角%1：φ%1=").arg(i) + R5(q.O[i]) + QStringLiteral("°，ψ%1=").arg(i) + R5(q.W[i]) +
                 QStringLiteral("°");
  return lines;
}

void THSGXFrm::btnJSOWClick() {
  storeNodes(placeNodes());
  for (int i = 0; i < 3; ++i) {
    m_angleDisplays3[i]->setText(R5(q.O[i + 1]));
    m_angleDisplays3[i + 3]->setText(R5(q.W[i + 1]));
  }
  PnlOW0->show();
  btnJSOW->setEnabled(false);
  btnOK->setEnabled(true);
  O0->setFocus();
}

void THSGXFrm::btnOKClick() {
  // Converted first, so a text that is no number leaves the log and the step as they were.
  const Extended phi0 = StrToFloat(O0->text()), psi0 = StrToFloat(W0->text());
  AppendLog(nodeLines(QStringLiteral("二、计算对应角位置")));
  q.O[0] = phi0;
  q.W[0] = psi0;
  AppendLog(QStringLiteral("    试取初始位置角0：φ0=") + R5(phi0) + QStringLiteral("°，ψ0=") + R5(psi0) +
            QStringLiteral("°"));
  RunStep(kThreeNodes, 1);
}

void THSGXFrm::bntjsxy5Click() {
  storeNodes(placeNodes());
  for (int i = 0; i < 5; ++i) {
    m_angleDisplays5[i]->setText(R5(q.O[i + 1]));
    m_angleDisplays5[i + 5]->setText(R5(q.W[i + 1]));
  }
  bntjsxy5->setEnabled(false);
  btntype2ok->setEnabled(true);
}

void THSGXFrm::btntype2okClick() {
  AppendLog(nodeLines(QStringLiteral("二、计算对应位置角")));
  RunStep(kFiveNodes, 1);
}

// --- Five nodes: P0, P1, P2, φ0, ψ0 ---

void THSGXFrm::clearResults() {
  for (QLineEdit* edit : m_resultDisplays) edit->clear();
}

void THSGXFrm::type2jsClick() {
  Extended eps = 0;
  int limit = 0;
  TExtendedArray x;
  if (!IniSelect->ReadSettings(eps, limit, x)) return;
  CutLog(21);
  std::array<Extended, kMaxNodes> phi, psi;
  for (int i = 0; i < kMaxNodes; ++i) {
    phi[i] = q.O[i + 1];
    psi[i] = q.W[i + 1];
  }
  const bool solved = SolveFiveNodes(phi, psi, x, eps, limit);
  FpuCheck();  // a diverging iteration that overflowed
  if (!solved) {
    clearResults();
    type2ok->setEnabled(false);
    type2js->setEnabled(false);
    IniSelect->ShowMessage(kSolveFailed, true);
    IniSelect->InisetClick();
    return;
  }
  q.P0 = x[0];
  q.P1 = x[1];
  q.P2 = x[2];
  q.O[0] = x[3];
  q.W[0] = x[4];
  // n = P0 and l = −n/P1 must come out positive.
  const bool usable = !(q.P0 < 0 || q.P1 > 0);
  IniSelect->ShowMessage(usable ? kSolved : kSolvedUnusable, !usable);
  type2ok->setEnabled(usable);
  const Extended values[] = {q.P0, q.P1, q.P2, q.O[0], q.W[0]};
  for (int i = 0; i < 5; ++i) m_resultDisplays[i]->setText(R5(values[i]));
  type2js->setEnabled(false);
}

void THSGXFrm::type2okClick() {
  AppendLog({QStringLiteral("三、计算P0,P1,P2,φ0,ψ0的值"), QStringLiteral("    P0=") + R5(q.P0),
             QStringLiteral("    P1=") + R5(q.P1), QStringLiteral("    P2=") + R5(q.P2),
             QStringLiteral("    φ0=") + R5(q.O[0]), QStringLiteral("    ψ0=") + R5(q.W[0])});
  RunStep(kFiveNodes, kRatioSlot);
}

// --- Steps ---

void THSGXFrm::OnStepEntered(int type, int k) {
  switch (k) {
    case 0:
      for (QLineEdit* edit : type == kThreeNodes ? m_angleDisplays3 : m_angleDisplays5) edit->clear();
      if (type == kThreeNodes) PnlOW0->hide();
      break;
    case 1:
      if (type == kFiveNodes) IniSelect->IniOkClick();
      break;
    case kKnownSlot: EnterKnownLinkStep(); break;
    case kLengthSlot: EnterLengthStep(); break;
    case kAnalysisSlot: EnterFourBarAnalysis(Step6); break;
    case kEndSlot: EndStep(); break;
    default: break;
  }
}

void THSGXFrm::OnAnalysisFinished(int) {
  HideDesignSpace();
  SetStatus(0, QStringLiteral("设计结束"));
}
