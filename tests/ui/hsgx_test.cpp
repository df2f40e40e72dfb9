// The function-generation window: both node counts from the defaults with their log lines, the
// designed linkage checked by the kinematics at every node, the function controls, the failure
// paths, the start-value panel of the five-node solve, records reopened at every stage, the
// reports, the evaluation of f and the installed pictures and notes page.
#include "analysis/analysis_panel.h"
#include "base/errors.h"
#include "base/inifile.h"
#include "base/textfile.h"
#include "design/report_db.h"
#include "design/start_value_panel.h"
#include "link/kinematics.h"
#include "methods/HSGX/hsgx_frm.h"
#include "methods/HSGX/hsgx_function.h"
#include "support/design_window_fixture.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <limits>

namespace {

constexpr Extended kRad = kPi / 180;

class HSGXTest : public DesignWindowTest<THSGXFrm> {
protected:
  static QString P(int nodes) { return nodes == 3 ? QStringLiteral("type1") : QStringLiteral("type2"); }

  // The design information, then the initial conditions with the given node count.
  void startDesign(int nodes) {
    information();
    m_frm->PointN->setCurrentIndex(nodes == 3 ? 0 : 1);
    click(QStringLiteral("bntIniOk"));
  }
  void toAngles(int nodes) {
    startDesign(nodes);
    click(nodes == 3 ? QStringLiteral("btnJSOW") : QStringLiteral("bntjsxy5"));
    click(nodes == 3 ? QStringLiteral("btnOK") : QStringLiteral("btntype2ok"));
  }
  void toCoefficients(int nodes) {
    toAngles(nodes);
    click(nodes == 3 ? QStringLiteral("PPPExe") : QStringLiteral("type2js"));
    click(nodes == 3 ? QStringLiteral("PPPOK") : QStringLiteral("type2ok"));
  }
  void toLengths(int nodes) {
    toCoefficients(nodes);
    click(QStringLiteral("mnlEXE"));
    click(QStringLiteral("mnlOk"));
    m_frm->RadioGroup1->setItemIndex(0);
    m_frm->RadioGroup1Click();
    type(QStringLiteral("GanLen"), QStringLiteral("100"));
    click(QStringLiteral("Param2OK"));
    click(QStringLiteral("ABCDEXE"));
  }
  void toAnalysis(int nodes) {
    toLengths(nodes);
    click(QStringLiteral("type1comp"));
  }
  // The step pictures the build drew, in this test's AppDir.
  static void stagePictures() {
    QDir().mkpath(AppDir() + QStringLiteral("images/HSGX"));
    for (const char* file : {"images/HSGX/hsgxsyt.bmp", "images/HSGX/PPPXY.bmp"})
      QFile::copy(QStringLiteral(KV_TEST_APPDIR) + QString::fromLatin1(file), AppDir() + QString::fromLatin1(file));
  }
  QString save(const QString& name) {
    const QString path = AppDir() + QStringLiteral("result/") + name + QStringLiteral(".txt");
    Scripted().saveResults = {path};
    EXPECT_TRUE(m_frm->saveas1Click());
    return path;
  }

};

const QStringList kHeader = {QStringLiteral("设计信息"), QStringLiteral("    类型：三插值点设计铰链四杆机构"),
                             QStringLiteral("    设计人：张三    单位：机械系"),
                             QStringLiteral("    日期：2026-12-09   时间：10:00:00")};

// --- Both types from the defaults ---

TEST_F(HSGXTest, InitialConditionsStandInPlaceOfTheTypeStep) {
  stagePictures();
  information();
  EXPECT_TRUE(shown(QStringLiteral("IniCond")));
  EXPECT_FALSE(shown(QStringLiteral("SpChose")));
  EXPECT_TRUE(shown(QStringLiteral("Step1")));
  EXPECT_TRUE(shown(QStringLiteral("RightPnl")));
  EXPECT_FALSE(shown(QStringLiteral("Step0")));
  EXPECT_EQ(m_shell.status[0], QStringLiteral("选择设计类型，输入初始条件"));
  EXPECT_EQ(m_frm->ChFunType->itemIndex(), 1);
  EXPECT_FALSE(shown(QStringLiteral("PnlFun")));
  EXPECT_FALSE(shown(QStringLiteral("PnlLeft")));
  EXPECT_FALSE(m_frm->Imgsyt->pixmap().isNull());  // the staged sketch
  EXPECT_EQ(m_frm->PointN->currentText(), QStringLiteral("3"));
}

TEST_F(HSGXTest, ThreeNodesFromTheDefaults) {
  startDesign(3);
  EXPECT_EQ(text(QStringLiteral("pnlType")), QStringLiteral("三插值点设计"));
  for (const char* panel : {"pnlType1", "PnlLeft", "type1step1"}) EXPECT_TRUE(shown(QString::fromLatin1(panel)));
  EXPECT_FALSE(shown(QStringLiteral("pnlType2")));
  EXPECT_FALSE(shown(QStringLiteral("Step1")));
  EXPECT_FALSE(shown(QStringLiteral("PnlOW0")));
  EXPECT_EQ(m_shell.status[0], QStringLiteral("计算位置角,并输入角度φ0,ψ0"));
  EXPECT_EQ(m_frm->StepNumber(), 0);
  EXPECT_EQ(m_frm->LogLines(), kHeader + QStringList({QStringLiteral("一、初始条件"), QStringLiteral("    函数关系:y=lg(x)"),
                                                      QStringLiteral("    x的变化区间为：1<=x<=2"),
                                                      QStringLiteral("    根据经验取φm=60°，ψm=90°"),
                                                      QStringLiteral("    取插值结点数m=3")}));

  click(QStringLiteral("btnJSOW"));
  const QStringList shownAngles = {text("O1"), text("O2"), text("O3"), text("W1"), text("W2"), text("W3")};
  EXPECT_EQ(shownAngles, QStringList({"4.01924", "30", "55.98076", "8.41887", "52.64663", "85.5766"}));
  EXPECT_TRUE(shown(QStringLiteral("PnlOW0")));
  EXPECT_FALSE(enabled(QStringLiteral("btnJSOW")));
  click(QStringLiteral("btnOK"));
  EXPECT_EQ(m_frm->StepNumber(), 1);
  EXPECT_EQ(m_frm->LogLines().mid(9), QStringList({QStringLiteral("二、计算对应角位置"),
                                                   QStringLiteral("    μx=0.01667，μy=0.00334"),
                                                   QStringLiteral("    插值结点x1=1.06699，y1=0.02816"),
                                                   QStringLiteral("    插值结点x2=1.5，y2=0.17609"),
                                                   QStringLiteral("    插值结点x3=1.93301，y3=0.28623"),
                                                   QStringLiteral("    位置角1：φ1=4.01924°，ψ1=8.41887°"),
                                                   QStringLiteral("    位置角2：φ2=30°，ψ2=52.64663°"),
                                                   QStringLiteral("    位置角3：φ3=55.98076°，ψ3=85.5766°"),
                                                   QStringLiteral("    试取初始位置角0：φ0=86°，ψ0=23.5°")}));
  EXPECT_TRUE(shown(QStringLiteral("type1step2")));

  click(QStringLiteral("PPPExe"));
  EXPECT_EQ(text("PPP0"), QStringLiteral("P0=0.56845"));
  EXPECT_EQ(text("PPP1"), QStringLiteral("P1=-0.38306"));
  EXPECT_EQ(text("PPP2"), QStringLiteral("P2=-0.28041"));
  click(QStringLiteral("PPPOK"));
  EXPECT_EQ(logCount(), 22);
  EXPECT_EQ(m_frm->LogLines()[18], QStringLiteral("三、计算P0、P1、P2值"));
  EXPECT_EQ(m_frm->StepNumber(), 2);
  EXPECT_TRUE(shown(QStringLiteral("step3")));
  click(QStringLiteral("mnlEXE"));
  EXPECT_EQ(text("mnlM"), QStringLiteral("m=2.08748"));
  EXPECT_EQ(text("mnlN"), QStringLiteral("n=0.56845"));
  EXPECT_EQ(text("mnlL"), QStringLiteral("l=1.48397"));
  click(QStringLiteral("mnlOk"));
  EXPECT_EQ(logCount(), 26);
  EXPECT_EQ(m_frm->LogLines()[22], QStringLiteral("四、计算m、n及l的值"));
  EXPECT_EQ(m_frm->StepNumber(), 3);
  m_frm->RadioGroup1->setItemIndex(0);
  m_frm->RadioGroup1Click();
  click(QStringLiteral("Param2OK"));
  EXPECT_EQ(logCount(), 28);
  EXPECT_EQ(m_frm->LogLines().mid(26),
            QStringList({QStringLiteral("五、选择并输入已知杆的长度"), QStringLiteral("    已知曲柄(AB)长度为:100 mm")}));
  EXPECT_EQ(m_frm->StepNumber(), 4);
  // The lengths step has no group of the given positions here.
  EXPECT_EQ(m_frm->findChild<QLabel*>(QStringLiteral("OW1")), nullptr);
  click(QStringLiteral("ABCDEXE"));
  EXPECT_EQ(text("LenAB"), QStringLiteral("AB杆长度为：100 mm"));
  EXPECT_EQ(text("LenBC"), QStringLiteral("BC杆长度为：208.748 mm"));
  EXPECT_EQ(text("LenCD"), QStringLiteral("CD杆长度为：56.845 mm"));
  EXPECT_EQ(text("LenAD"), QStringLiteral("AD杆长度为：148.397 mm"));
  EXPECT_FALSE(m_frm->ReportMenuEnabled());
  click(QStringLiteral("type1comp"));
  EXPECT_EQ(logCount(), 33);
  EXPECT_EQ(m_frm->LogLines()[28], QStringLiteral("六、设计结果"));
  EXPECT_EQ(m_frm->LogLines()[32], QStringLiteral("    AD杆长度为：148.397 mm"));
  EXPECT_EQ(m_frm->StepNumber(), 5);
  EXPECT_TRUE(shown(QStringLiteral("Step6")));
  EXPECT_TRUE(m_frm->ReportMenuEnabled());
  EXPECT_TRUE(m_frm->Step6->animation().timerActive());
  EXPECT_EQ(m_shell.status[0], QStringLiteral("运动分析"));
}

TEST_F(HSGXTest, FiveNodesFromTheDefaults) {
  stagePictures();
  startDesign(5);
  EXPECT_EQ(text(QStringLiteral("pnlType")), QStringLiteral("五插值点设计"));
  EXPECT_EQ(m_frm->LogLines()[1], QStringLiteral("    类型：五插值点设计铰链四杆机构"));
  EXPECT_EQ(m_frm->LogLines()[8], QStringLiteral("    取插值结点数m=5"));
  EXPECT_TRUE(shown(QStringLiteral("pnlType2")));
  EXPECT_FALSE(shown(QStringLiteral("pnlType1")));
  EXPECT_EQ(m_shell.status[0], QStringLiteral("计算对应位置角"));
  click(QStringLiteral("bntjsxy5"));
  QStringList angles;
  for (const char* name : {"OO1", "OO2", "OO3", "OO4", "OO5", "WW1", "WW2", "WW3", "WW4", "WW5"})
    angles << text(QString::fromLatin1(name));
  EXPECT_EQ(angles, QStringList({"1.4683", "12.36644", "30", "47.63356", "58.5317", "3.13922", "24.33225", "52.64663",
                                 "75.87842", "88.40146"}));
  click(QStringLiteral("btntype2ok"));
  EXPECT_EQ(logCount(), 21);
  const QStringList log = m_frm->LogLines();
  EXPECT_EQ(log[9], QStringLiteral("二、计算对应位置角"));
  EXPECT_EQ(log[15], QStringLiteral("    插值结点x5=1.97553，y5=0.29568"));
  EXPECT_EQ(log[20], QStringLiteral("    位置角5：φ5=58.5317°，ψ5=88.40146°"));

  // The coefficients: the default message, the panel closed, then the solve.
  EXPECT_EQ(m_shell.status[0], QStringLiteral("计算P0,P1,P2及位置角度φ0,ψ0的值"));
  EXPECT_FALSE(m_frm->imgPPPxy->pixmap().isNull());
  EXPECT_TRUE(text("msg").startsWith(QStringLiteral("  本方程属于非线性方程组")));
  EXPECT_TRUE(m_frm->IniSelect->isHidden());
  EXPECT_TRUE(enabled(QStringLiteral("Iniset")));
  EXPECT_TRUE(enabled(QStringLiteral("type2js")));
  EXPECT_FALSE(enabled(QStringLiteral("type2ok")));
  click(QStringLiteral("type2js"));
  EXPECT_EQ(text("msg"), QStringLiteral("求解成功！您可以通过修改初值来尝试求其它解。"));
  EXPECT_EQ(m_frm->msg->styleSheet(), QStringLiteral("color: black"));
  const QStringList results = {text("txtP0"), text("txtP1"), text("txtP2"), text("txtxzj0"), text("txtyzj0")};
  EXPECT_EQ(results, QStringList({"2.78989", "-8.52919", "6.96136", "30.68663", "57.98496"}));
  EXPECT_FALSE(enabled(QStringLiteral("type2js")));
  click(QStringLiteral("type2ok"));
  EXPECT_EQ(logCount(), 27);
  EXPECT_EQ(m_frm->LogLines().mid(21), QStringList({QStringLiteral("三、计算P0,P1,P2,φ0,ψ0的值"),
                                                    QStringLiteral("    P0=2.78989"), QStringLiteral("    P1=-8.52919"),
                                                    QStringLiteral("    P2=6.96136"), QStringLiteral("    φ0=30.68663"),
                                                    QStringLiteral("    ψ0=57.98496")}));
  EXPECT_EQ(m_frm->StepNumber(), 2);
  click(QStringLiteral("mnlEXE"));
  click(QStringLiteral("mnlOk"));
  EXPECT_EQ(logCount(), 31);
  m_frm->RadioGroup1->setItemIndex(0);
  m_frm->RadioGroup1Click();
  click(QStringLiteral("Param2OK"));
  EXPECT_EQ(logCount(), 33);
  click(QStringLiteral("ABCDEXE"));
  EXPECT_EQ(text("LenBC"), QStringLiteral("BC杆长度为：208.239 mm"));
  EXPECT_EQ(text("LenCD"), QStringLiteral("CD杆长度为：278.989 mm"));
  EXPECT_EQ(text("LenAD"), QStringLiteral("AD杆长度为：32.71 mm"));
  click(QStringLiteral("type1comp"));
  EXPECT_EQ(logCount(), 38);
  EXPECT_TRUE(shown(QStringLiteral("Step6")));
}

// --- The designed linkage checked by its kinematics ---

class HSGXSimulationTest : public HSGXTest, public ::testing::WithParamInterface<int> {};

// At every node the position equation holds, and the linkage of the designed lengths, driven
// to the node's input angle φi + φ0, puts its output link at ψi + ψ0: the whole chain from the
// nodes through the coefficients, ratios and lengths agrees with the kinematics. All nodes lie
// on one assembly of the linkage (otherwise it could not pass through them without being
// taken apart).
TEST_P(HSGXSimulationTest, LinkageReachesEveryNode) {
  const int nodes = GetParam();
  toLengths(nodes);
  const THSGXFrm::Quantities& v = m_frm->Values();
  const double equationTol = nodes == 3 ? 1e-15 : 1e-7;  // exact solve, or the solver's accuracy
  const double angleTol = nodes == 3 ? 1e-12 : 1e-6;
  for (int i = 1; i <= nodes; ++i) {
    const Extended phi = (v.O[i] + v.O[0]) * kRad, psi = (v.W[i] + v.W[0]) * kRad;
    const Extended residual = v.P0 * std::cos(psi) + v.P1 * std::cos(psi - phi) + v.P2 - std::cos(phi);
    EXPECT_LT(std::fabs(double(residual)), equationTol) << i;
  }
  double worst[2] = {0, 0};
  for (int i = 1; i <= nodes; ++i) {
    const Extended input = (v.O[i] + v.O[0]) * kRad, want = (v.W[i] + v.W[0]) * kRad;
    Extended gamma, phi2, phi3, omega3, eps3, ex, ey;
    FourBarAt(input, 1, v.lenA, v.lenB, v.lenC, v.lenD, 0, 0, gamma, phi2, phi3, omega3, eps3, ex, ey);
    TBarState in{}, coupler{}, out{};
    in.Len = v.lenA;
    in.Angle = input;
    coupler.Len = v.lenB;
    out.Len = v.lenC;
    SolveDyad(true, in, coupler, out, v.lenD);
    worst[0] = std::max(worst[0], std::fabs(double(std::remainder(phi3 - want, 2 * kPi))));
    worst[1] = std::max(worst[1], std::fabs(double(std::remainder(out.Angle - want, 2 * kPi))));
  }
  EXPECT_LT(std::min(worst[0], worst[1]), angleTol) << worst[0] << " " << worst[1];
}

INSTANTIATE_TEST_SUITE_P(Nodes, HSGXSimulationTest, ::testing::Values(3, 5));

// --- The function controls ---

TEST_F(HSGXTest, FunctionChoiceAndTheListOfPieces) {
  information();
  auto items = [](RadioGroup* group) { return group->findChildren<QRadioButton*>(); };
  items(m_frm->ChFunType)[3]->click();
  EXPECT_EQ(text("txtFun"), QStringLiteral("2*x+sin(x)-5"));
  EXPECT_FALSE(shown(QStringLiteral("PnlFun")));
  items(m_frm->ChFunType)[2]->click();
  EXPECT_EQ(text("txtFun"), QStringLiteral("3*x^2*sin(x)/(x+1)"));
  items(m_frm->ChFunType)[0]->click();
  EXPECT_TRUE(shown(QStringLiteral("PnlFun")));
  EXPECT_EQ(m_frm->txtFun->selectedText(), QStringLiteral("3*x^2*sin(x)/(x+1)"));
  EXPECT_EQ(text("txtFun"), QStringLiteral("3*x^2*sin(x)/(x+1)"));

  // "展开可选" and "收起可选" follow the list.
  EXPECT_FALSE(shown(QStringLiteral("FunList")));
  EXPECT_EQ(m_frm->btnSeeFun->text(), QStringLiteral("展开可选"));
  click(QStringLiteral("btnSeeFun"));
  EXPECT_TRUE(shown(QStringLiteral("FunList")));
  EXPECT_EQ(m_frm->btnSeeFun->text(), QStringLiteral("收起可选"));
  click(QStringLiteral("btnSeeFun"));
  EXPECT_EQ(m_frm->btnSeeFun->text(), QStringLiteral("展开可选"));
  click(QStringLiteral("btnSeeFun"));

  // Pieces append; "撤消" takes back the length of the last piece, again on every click.
  m_frm->txtFun->setText(QStringLiteral("lg(x)"));
  const QList<QRadioButton*> pieces = items(m_frm->FunList);
  ASSERT_EQ(pieces.size(), 20);
  const std::pair<int, const char*> steps[] = {{14, "lg(x)+"}, {0, "lg(x)+sin(x)"}, {19, "lg(x)+"}, {19, ""},
                                               {18, "^"},      {19, ""},            {19, ""}};
  for (const auto& [item, after] : steps) {
    pieces[item]->click();
    EXPECT_EQ(text("txtFun"), QString::fromUtf8(after)) << item;
    EXPECT_EQ(m_frm->FunList->itemIndex(), -1);
    EXPECT_EQ(m_frm->txtFun->cursorPosition(), int(m_frm->txtFun->text().size()));
  }

  // Another example hides the panel and the list; "自定义" shows the panel with the list as it was.
  items(m_frm->ChFunType)[1]->click();
  EXPECT_EQ(text("txtFun"), QStringLiteral("lg(x)"));
  EXPECT_TRUE(m_frm->FunList->isHidden());
  EXPECT_EQ(m_frm->btnSeeFun->text(), QStringLiteral("展开可选"));

  // "取消" clears the choice and the four numbers, not the function.
  click(QStringLiteral("Button1"));
  EXPECT_EQ(m_frm->ChFunType->itemIndex(), -1);
  for (const char* edit : {"txtx0", "txtxm", "txtXZJm", "txtYZJm"}) EXPECT_TRUE(text(edit).isEmpty()) << edit;
  EXPECT_EQ(text("txtFun"), QStringLiteral("lg(x)"));
}

TEST_F(HSGXTest, NumericFilterOnTheInputsButNotOnTheFunction) {
  for (const char* name : {"txtx0", "txtXZJm", "O0", "W0", "GanLen"}) {
    QLineEdit* edit = find<QLineEdit>(QString::fromLatin1(name));
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("-1e2.5"));
    EXPECT_EQ(edit->text(), QStringLiteral("12.5")) << name;
  }
  m_frm->txtFun->clear();
  QTest::keyClicks(m_frm->txtFun, QStringLiteral("-x^2"));
  EXPECT_EQ(m_frm->txtFun->text(), QStringLiteral("-x^2"));
}

TEST_F(HSGXTest, TheUsersFunctionIsEvaluatedInDegrees) {
  information();
  m_frm->txtFun->setText(QStringLiteral("  3*x^2*sin(x)/(x+1) "));
  type(QStringLiteral("txtx0"), QStringLiteral("10"));
  type(QStringLiteral("txtxm"), QStringLiteral("80"));
  click(QStringLiteral("bntIniOk"));
  EXPECT_EQ(m_frm->LogLines()[5], QStringLiteral("    函数关系:y=3*x^2*sin(x)/(x+1)"));
  click(QStringLiteral("btnJSOW"));
  const auto& v = m_frm->Values();
  auto f = [](double x) { return 3 * x * x * std::sin(x * 3.14159265358979323846 / 180) / (x + 1); };
  EXPECT_NEAR(double(v.y[0]), f(10), 1e-13);
  EXPECT_NEAR(double(v.ym), f(80), 1e-11);
  for (int i = 1; i <= 3; ++i) EXPECT_NEAR(double(v.y[i]), f(double(v.x[i])), 1e-11) << i;
}

// --- Failure paths ---

struct InputFailure {
  const char* name;
  const char* x0;
  const char* xm;
  const char* phim;
  const char* psim;
  const char* message;  // ShowMsg; "" for the conversion error
};

class HSGXInputFailureTest : public HSGXTest, public ::testing::WithParamInterface<InputFailure> {};

TEST_P(HSGXInputFailureTest, InitialConditionsChangeNothing) {
  const InputFailure& c = GetParam();
  information();
  type(QStringLiteral("txtx0"), QString::fromLatin1(c.x0));
  type(QStringLiteral("txtxm"), QString::fromLatin1(c.xm));
  type(QStringLiteral("txtXZJm"), QString::fromLatin1(c.phim));
  type(QStringLiteral("txtYZJm"), QString::fromLatin1(c.psim));
  click(QStringLiteral("bntIniOk"));
  if (*c.message) {
    EXPECT_EQ(Scripted().messages, QStringList{QString::fromUtf8(c.message)});
    EXPECT_TRUE(Scripted().errors.isEmpty());
  } else {
    EXPECT_TRUE(Scripted().messages.isEmpty());
    EXPECT_EQ(Scripted().errors.size(), 1);
  }
  EXPECT_EQ(logCount(), 0);
  EXPECT_TRUE(shown(QStringLiteral("Step1")));
  EXPECT_FALSE(shown(QStringLiteral("pnlType")));
  EXPECT_EQ(m_frm->Values().xm, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, HSGXInputFailureTest,
    ::testing::Values(InputFailure{"equalEnds", "2", "2", "60", "90", "参数输入不正确，x0必须小于xm!"},
                      InputFailure{"reversedEnds", "3", "2", "x", "90", "参数输入不正确，x0必须小于xm!"},
                      InputFailure{"noInputSwing", "1", "2", "0", "90", "参数输入不正确，φm,ψm不能为零!"},
                      InputFailure{"noOutputSwing", "1", "2", "60", "0.0", "参数输入不正确，φm,ψm不能为零!"},
                      InputFailure{"emptyEnd", "1", "", "60", "90", ""},
                      InputFailure{"swingNoNumber", "1", "2", "60", "9o", ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct FunctionFailure {
  const char* name;
  const char* function;
  const char* box;  // the evaluator's message; "" for none
  bool floatFault;  // the error is the arithmetic unit's, not the conversion's
};

class HSGXFunctionFailureTest : public HSGXTest, public ::testing::WithParamInterface<FunctionFailure> {};

// The angles step keeps its empty displays, its buttons, the log and the quantities.
TEST_P(HSGXFunctionFailureTest, AnglesStepKeepsItsState) {
  const FunctionFailure& c = GetParam();
  for (int nodes : {3, 5}) {
    SCOPED_TRACE(nodes);
    information();
    m_frm->txtFun->setText(QString::fromUtf8(c.function));
    m_frm->PointN->setCurrentIndex(nodes == 3 ? 0 : 1);
    click(QStringLiteral("bntIniOk"));
    Scripted().clear();
    const THSGXFrm::Quantities before = m_frm->Values();
    click(nodes == 3 ? QStringLiteral("btnJSOW") : QStringLiteral("bntjsxy5"));
    EXPECT_EQ(Scripted().boxes, *c.box ? QStringList{QString::fromUtf8(c.box)} : QStringList());
    ASSERT_EQ(Scripted().errors.size(), 1);
    EXPECT_EQ(Scripted().errors[0].contains(QStringLiteral("不是有效的浮点数")), !c.floatFault) << Scripted().errors[0].toStdString();
    EXPECT_EQ(logCount(), 9);
    for (const char* d : {"O1", "W3", "OO1", "WW5"}) EXPECT_TRUE(text(d).isEmpty()) << d;
    EXPECT_TRUE(enabled(nodes == 3 ? QStringLiteral("btnJSOW") : QStringLiteral("bntjsxy5")));
    EXPECT_FALSE(enabled(nodes == 3 ? QStringLiteral("btnOK") : QStringLiteral("btntype2ok")));
    EXPECT_FALSE(shown(QStringLiteral("PnlOW0")));
    EXPECT_EQ(m_frm->Values().mux, before.mux);
    EXPECT_EQ(m_frm->Values().y[1], before.y[1]);
    m_frm->hide();
    m_frm->show();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Functions, HSGXFunctionFailureTest,
    ::testing::Values(FunctionFailure{"logOfNegative", "lg(x-2)", "真数<=0， 错误!", false},
                      FunctionFailure{"rootOfNegative", "sqrt(1.5-x)", "被开方数 <0 错误", false},
                      // the unary minus meets "lg" of its own class: no result and no message
                      FunctionFailure{"silentNoResult", "-lg(x)", "", false},
                      FunctionFailure{"empty", "   ", "", false},
                      // ym = y0: no scale for ψ
                      FunctionFailure{"constant", "2", "", true},
                      FunctionFailure{"evenAroundMiddle", "sqr(x-1.5)", "", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HSGXTest, ThreeNodeStartAnglesMustBeNumbers) {
  startDesign(3);
  click(QStringLiteral("btnJSOW"));
  type(QStringLiteral("W0"), QString());
  click(QStringLiteral("btnOK"));
  EXPECT_EQ(Scripted().errors.size(), 1);
  EXPECT_EQ(logCount(), 9);
  EXPECT_EQ(m_frm->StepNumber(), 0);
  EXPECT_FALSE(enabled(QStringLiteral("type1sp2")));
}

// --- The five-node solve and its start values ---

TEST_F(HSGXTest, FailedSolveOpensTheStartValuesAndTheirCancelRestoresThem) {
  toAngles(5);
  type(QStringLiteral("txtP0"), QStringLiteral("old"));
  click(QStringLiteral("Iniset"));
  EXPECT_TRUE(shown(QStringLiteral("IniSelect")));
  for (const char* b : {"Iniset", "type2js", "type2ok"}) EXPECT_FALSE(enabled(QString::fromLatin1(b))) << b;
  type(QStringLiteral("txtmax"), QStringLiteral("1"));
  click(QStringLiteral("IniOk"));
  EXPECT_TRUE(text("txtP0").isEmpty());  // the panel's "确定" empties the results
  const THSGXFrm::Quantities before = m_frm->Values();
  click(QStringLiteral("type2js"));
  EXPECT_EQ(text("msg"), QStringLiteral("求解失败！您可以通过修改初值、加大迭代次数或降低求解精度再次尝试求解。"));
  EXPECT_EQ(m_frm->msg->styleSheet(), QStringLiteral("color: red"));
  EXPECT_TRUE(shown(QStringLiteral("IniSelect")));
  for (const char* b : {"Iniset", "type2js", "type2ok"}) EXPECT_FALSE(enabled(QString::fromLatin1(b))) << b;
  EXPECT_EQ(m_frm->Values().P0, before.P0);
  EXPECT_EQ(m_frm->Values().O[0], before.O[0]);
  EXPECT_EQ(logCount(), 21);

  // "取消" gives back the texts the panel opened with (the failed limit among them).
  type(QStringLiteral("txtmax"), QStringLiteral("100"));
  type(QStringLiteral("IniP0"), QStringLiteral("3"));
  click(QStringLiteral("IniCancel"));
  EXPECT_EQ(text("txtmax"), QStringLiteral("1"));
  EXPECT_EQ(text("IniP0"), QStringLiteral("10"));
  EXPECT_TRUE(text("msg").startsWith(QStringLiteral("  本方程")));
  EXPECT_FALSE(enabled(QStringLiteral("type2ok")));
  EXPECT_TRUE(enabled(QStringLiteral("type2js")));

  click(QStringLiteral("Iniset"));
  type(QStringLiteral("txtmax"), QStringLiteral("100"));
  click(QStringLiteral("IniOk"));
  click(QStringLiteral("type2js"));
  EXPECT_TRUE(enabled(QStringLiteral("type2ok")));
  EXPECT_EQ(text("txtxzj0"), QStringLiteral("30.68663"));
}

struct SettingsCase {
  const char* edit;
  const char* value;
};

class HSGXSettingsTest : public HSGXTest, public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(HSGXSettingsTest, UnusableSettingChangesNothing) {
  toAngles(5);
  type(QString::fromLatin1(GetParam().edit), QString::fromLatin1(GetParam().value));
  click(QStringLiteral("type2js"));
  EXPECT_EQ(Scripted().messages, QStringList{QStringLiteral("设置有误！")});
  EXPECT_TRUE(text("txtP0").isEmpty());
  EXPECT_TRUE(enabled(QStringLiteral("type2js")));
  EXPECT_TRUE(text("msg").startsWith(QStringLiteral("  本方程")));
  EXPECT_EQ(logCount(), 21);
}

INSTANTIATE_TEST_SUITE_P(Settings, HSGXSettingsTest,
                         ::testing::Values(SettingsCase{"txtmax", "0"}, SettingsCase{"txtmax", "-3"},
                                           SettingsCase{"txtmax", "2.5"}, SettingsCase{"txteps", "1e"},
                                           SettingsCase{"iniyzj0", ""}, SettingsCase{"IniP1", "10,5"}));

struct StartCase {
  const char* name;
  const char* start[5];
  const char* shown[5];
  const char* message;
  bool red;
};

class HSGXStartTest : public HSGXTest, public ::testing::WithParamInterface<StartCase> {};

// Roots are shown with φ0 and ψ0 in [0, 360) and stay stored; one with P0 < 0 (the mirror of
// the usable root: ψ0 turned by 180°, P0 and P1 negated) cannot be confirmed.
TEST_P(HSGXStartTest, RootFoundFromTheStart) {
  const StartCase& c = GetParam();
  toAngles(5);
  const char* edits[] = {"IniP0", "IniP1", "IniP2", "inixzj0", "iniyzj0"};
  click(QStringLiteral("Iniset"));
  for (int i = 0; i < 5; ++i) type(QString::fromLatin1(edits[i]), QString::fromLatin1(c.start[i]));
  click(QStringLiteral("IniOk"));
  click(QStringLiteral("type2js"));
  const QStringList results = {text("txtP0"), text("txtP1"), text("txtP2"), text("txtxzj0"), text("txtyzj0")};
  QStringList want;
  for (const char* s : c.shown) want << QString::fromLatin1(s);
  EXPECT_EQ(results, want);
  EXPECT_EQ(text("msg"), QString::fromUtf8(c.message));
  EXPECT_EQ(m_frm->msg->styleSheet(), c.red ? QStringLiteral("color: red") : QStringLiteral("color: black"));
  EXPECT_EQ(enabled(QStringLiteral("type2ok")), !c.red);
  EXPECT_FALSE(enabled(QStringLiteral("type2js")));
  const auto& v = m_frm->Values();
  EXPECT_TRUE(v.O[0] >= 0 && v.O[0] < 360);
  EXPECT_TRUE(v.W[0] >= 0 && v.W[0] < 360);
}

INSTANTIATE_TEST_SUITE_P(
    Starts, HSGXStartTest,
    ::testing::Values(
        StartCase{"turnsAway",
                  {"2.8", "-8.5", "7", "-329.3", "778"},
                  {"2.78989", "-8.52919", "6.96136", "30.68663", "57.98496"},
                  "求解成功！您可以通过修改初值来尝试求其它解。",
                  false},
        StartCase{"mirrorRoot",
                  {"-2.8", "8.5", "7", "30.7", "238"},
                  {"-2.78989", "8.52919", "6.96136", "30.68663", "237.98496"},
                  "求解成功，但非正解，最终计算结果会导致杆长为负值！您可以通过修改初值来尝试求其它解。",
                  true}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Going back ---

TEST_F(HSGXTest, ReturnsKeepTheLinesOfTheType) {
  toLengths(3);
  EXPECT_EQ(logCount(), 28);
  Scripted().answers = {MsgAnswer::Ok};
  click(QStringLiteral("typesp4"));
  EXPECT_EQ(logCount(), 26);
  Scripted().answers = {MsgAnswer::Ok};
  click(QStringLiteral("typesp3"));
  EXPECT_EQ(logCount(), 22);
  for (const char* later : {"typesp4", "typesp5", "typesp6", "typesp7"}) EXPECT_FALSE(enabled(QString::fromLatin1(later)));

  m_frm->hide();
  m_frm->show();
  toLengths(5);
  Scripted().answers = {MsgAnswer::Ok};
  click(QStringLiteral("type2sp2"));
  EXPECT_EQ(logCount(), 21);
  m_frm->Memo1->appendPlainText(QStringLiteral("用户的一行"));  // typed by the user: the calculation cuts it
  click(QStringLiteral("type2js"));
  EXPECT_EQ(logCount(), 21);
}

TEST_F(HSGXTest, InitialConditionsAgainAskAndStartOver) {
  toCoefficients(3);
  Scripted().answers = {MsgAnswer::Cancel};
  click(QStringLiteral("IniCond"));
  EXPECT_EQ(Scripted().questions.at(0).text, QStringLiteral("确实要回溯设计吗？"));
  EXPECT_EQ(logCount(), 22);
  EXPECT_TRUE(shown(QStringLiteral("step3")));

  Scripted().answers = {MsgAnswer::Ok};
  click(QStringLiteral("IniCond"));
  EXPECT_EQ(logCount(), 0);
  EXPECT_TRUE(shown(QStringLiteral("Step1")));
  for (const char* b : {"type1sp1", "type1sp2", "typesp3", "typesp4", "typesp5", "typesp6", "typesp7"})
    EXPECT_FALSE(enabled(QString::fromLatin1(b))) << b;

  // Five nodes now: the other type's column, the same shared one, a new design.
  m_frm->PointN->setCurrentIndex(1);
  click(QStringLiteral("bntIniOk"));
  EXPECT_TRUE(shown(QStringLiteral("pnlType2")));
  EXPECT_FALSE(shown(QStringLiteral("pnlType1")));
  EXPECT_TRUE(shown(QStringLiteral("PnlLeft")));
  EXPECT_EQ(logCount(), 9);
  EXPECT_EQ(Scripted().questions.size(), 2u);  // no question: nothing was reached yet
}

// --- Records ---

struct ResumeCase {
  int nodes;
  int step;          // DsStep when saved
  const char* group; // the group the resume enters
  bool reports;
};

class HSGXResumeTest : public HSGXTest, public ::testing::WithParamInterface<ResumeCase> {};

TEST_P(HSGXResumeTest, ReopensAfterTheLastConfirmedStep) {
  const ResumeCase& c = GetParam();
  if (c.step == 0) startDesign(c.nodes);
  if (c.step == 2) toCoefficients(c.nodes);
  if (c.step == 5) toAnalysis(c.nodes);
  ASSERT_EQ(m_frm->StepNumber(), c.step);
  const THSGXFrm::Quantities saved = m_frm->Values();
  const int lines = logCount();
  const QString path = save(QStringLiteral("r"));
  m_frm->hide();
  m_frm->show();

  m_frm->LoadDesignRecord(path);
  EXPECT_EQ(logCount(), lines);
  EXPECT_EQ(text("pnlType"), c.nodes == 3 ? QStringLiteral("三插值点设计") : QStringLiteral("五插值点设计"));
  EXPECT_TRUE(shown(QStringLiteral("IniCond")));
  EXPECT_TRUE(shown(QStringLiteral("PnlLeft")));
  EXPECT_TRUE(shown(P(c.nodes).replace(QStringLiteral("type"), QStringLiteral("pnlType"))));
  EXPECT_TRUE(shown(QString::fromLatin1(c.group)));
  const QString buttons[] = {P(c.nodes) + QStringLiteral("sp1"), P(c.nodes) + QStringLiteral("sp2"),
                             QStringLiteral("typesp3"), QStringLiteral("typesp4"), QStringLiteral("typesp5"),
                             QStringLiteral("typesp6"), QStringLiteral("typesp7")};
  for (int k = 0; k < 7; ++k) EXPECT_EQ(enabled(buttons[k]), k <= c.step) << buttons[k].toStdString();
  EXPECT_EQ(m_frm->ReportMenuEnabled(), c.reports);
  EXPECT_EQ(m_shell.status[1], QStringLiteral("设计者：张三"));

  // The step goes on from the restored quantities, with the node count of the design type.
  if (c.step == 0) {
    click(c.nodes == 3 ? QStringLiteral("btnJSOW") : QStringLiteral("bntjsxy5"));
    EXPECT_EQ(text(c.nodes == 3 ? QStringLiteral("W3") : QStringLiteral("WW5")),
              c.nodes == 3 ? QStringLiteral("85.5766") : QStringLiteral("88.40146"));
  } else if (c.step == 2) {
    click(QStringLiteral("mnlEXE"));
    EXPECT_NEAR(double(m_frm->Values().l), double(-saved.P0 / saved.P1), 1e-12);
  } else {
    EXPECT_TRUE(m_frm->Step6->animation().timerActive());
    EXPECT_FALSE(text("edtx2").isEmpty());
    EXPECT_NEAR(double(m_frm->Values().lenC), double(saved.lenC), 1e-12);  // a record keeps 15 digits
  }
}

INSTANTIATE_TEST_SUITE_P(Stages, HSGXResumeTest,
                         ::testing::Values(ResumeCase{3, 0, "type1step1", false}, ResumeCase{3, 2, "step3", false},
                                           ResumeCase{3, 5, "Step6", true}, ResumeCase{5, 0, "type2step1", false},
                                           ResumeCase{5, 2, "step3", false}, ResumeCase{5, 5, "Step6", true}));

TEST_F(HSGXTest, RecordHoldsTheFiveNodeKeysForFiveNodesOnly) {
  for (int nodes : {3, 5}) {
    SCOPED_TRACE(nodes);
    toAnalysis(nodes);
    const QString path = save(QStringLiteral("k%1").arg(nodes));
    const QStringList lines = ReadTextLines(path.left(path.size() - 4) + QStringLiteral(".des"));
    QStringList keys;
    for (const QString& line : lines)
      if (line.contains(u'=')) keys << line.section(u'=', 0, 0);
    QStringList want = {"DsMethod", "DsPerson", "DsDepartment", "DsDate", "DsTime", "DsStep", "DsType", "Func",
                        "xzjm", "yzjm", "mux", "muy", "x0", "xm", "x1", "x2", "x3", "y0", "ym", "y1", "y2", "y3",
                        "HSJGO1", "HSJGO2", "HSJGO3", "HSJGO0", "HSJGW1", "HSJGW2", "HSJGW3", "HSJGW0"};
    if (nodes == 5) want << QStringList{"x4", "x5", "y4", "y5", "HSJGO4", "HSJGO5", "HSJGW4", "HSJGW5"};
    want << QStringList{"HSJGP0", "HSJGP1", "HSJGP2", "HSJGm", "HSJGn", "HSJGl", "HSJGgantype", "HSJGganlen",
                        "HSJGlena", "HSJGlenb", "HSJGlenc", "HSJGlend"};
    EXPECT_EQ(keys, want);
    EXPECT_TRUE(lines.contains(QStringLiteral("Func=lg(x)")));
    EXPECT_TRUE(lines.contains(QStringLiteral("DsMethod=HSGX")));
    EXPECT_TRUE(lines.contains(QStringLiteral("DsType=%1").arg(nodes == 3 ? 0 : 1)));
    EXPECT_EQ(QFileInfo(path).fileName(), QStringLiteral("k%1.txt").arg(nodes));
    m_frm->hide();
    m_frm->show();
  }
}

TEST_F(HSGXTest, SaveAsProposesTheCaptionsName) {
  startDesign(5);
  EXPECT_FALSE(m_frm->saveas1Click());
  ASSERT_EQ(Scripted().saveDialogs.size(), 1);
  EXPECT_EQ(Scripted().saveDialogs[0],
            AppDir() + QStringLiteral("result/按两连架杆角位置成连续函数关系设计_五插值点设计铰链四杆机构.txt"));
}

// --- Reports ---

TEST_F(HSGXTest, ReportRowsOfBothTypes) {
  for (int nodes : {3, 5}) {
    SCOPED_TRACE(nodes);
    toAnalysis(nodes);
    click(QStringLiteral("typ1cmp2"));  // "完成" leads to the end step and its report
    EXPECT_TRUE(enabled(QStringLiteral("typesp7")));
    EXPECT_FALSE(shown(QStringLiteral("Step6")));
    EXPECT_EQ(m_shell.status[0], QStringLiteral("设计结束"));
    EXPECT_EQ(m_frm->StepNumber(), 5);
    const std::vector<ReportRow> rows = ReportTable().Rows();
    QStringList names, units;
    for (const ReportRow& r : rows) names << r.name, units << r.unit;
    QStringList want = {"x0", "xm", "y0", "ym", "φm", "ψm", "μx", "μy", "x1", "y1", "x2", "y2", "x3", "y3"};
    if (nodes == 5) want << QStringList{"x4", "y4", "x5", "y5"};
    for (int i = 1; i <= nodes; ++i) want << QStringLiteral("φ%1").arg(i) << QStringLiteral("ψ%1").arg(i);
    want << QStringList{"φ0", "ψ0", "P0", "P1", "P2", "m", "n", "l", "已知AB杆长度", "AB杆长度", "BC杆长度",
                        "CD杆长度", "AD杆长度"};
    EXPECT_EQ(names, want);
    ASSERT_EQ(int(rows.size()), nodes == 3 ? 33 : 41);
    EXPECT_EQ(units[6], QStringLiteral("1/°"));
    EXPECT_EQ(units[8], QStringLiteral("无"));
    EXPECT_EQ(units[8 + 2 * nodes], QStringLiteral("°"));
    EXPECT_EQ(units.last(), QStringLiteral("mm"));
    const auto& v = m_frm->Values();
    EXPECT_NEAR(double(rows[7].value), double(v.muy), 1e-15);  // unrounded
    EXPECT_NEAR(double(rows[8 + 4 * nodes].value), double(v.O[0]), 1e-12);
    EXPECT_NEAR(double(rows.back().value), double(v.lenD), 1e-12);
    m_frm->hide();
    m_frm->show();
  }
}

// --- y = f(x) through the evaluator ---

struct EvaluationCase {
  const char* text;
  Extended x;
  Extended want;  // NaN: no value
  const char* box;
};

class HSGXEvaluationTest : public AppDirTest, public ::testing::WithParamInterface<EvaluationCase> {};

TEST_P(HSGXEvaluationTest, DegreesAndFifteenDigits) {
  const EvaluationCase& c = GetParam();
  const QString text = QString::fromUtf8(c.text);
  if (std::isnan(double(c.want))) {
    EXPECT_THROW(EvaluateFunction(text, c.x), EConvertError);
  } else {
    EXPECT_EQ(EvaluateFunction(text, c.x), c.want);
  }
  EXPECT_EQ(Scripted().boxes, *c.box ? QStringList{QString::fromUtf8(c.box)} : QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Functions, HSGXEvaluationTest,
    ::testing::Values(EvaluationCase{"sin(x)", 30, 0.5L, ""}, EvaluationCase{"arctan(x)", 1, 45, ""},
                      // the result comes back through its text of 15 significant digits
                      EvaluationCase{"lg(x)", 2, 0.301029995663981L, ""},
                      EvaluationCase{"3*X^2*SIN(X)/(X+1)", 30, 43.5483870967742L, ""},
                      // every name stands for x
                      EvaluationCase{"t*u+1", 3, 10, ""},
                      EvaluationCase{"x^2", -1, std::numeric_limits<Extended>::quiet_NaN(), "幂底数 <=0 错误!"},
                      EvaluationCase{"lg(x)", 0, std::numeric_limits<Extended>::quiet_NaN(), "真数<=0， 错误!"},
                      EvaluationCase{"", 1, std::numeric_limits<Extended>::quiet_NaN(), ""}));

// --- Installation ---

TEST(HSGXInstallation, PicturesAndNotesPage) {
  const QString appDir = QStringLiteral(KV_TEST_APPDIR);
  for (const char* file : {"images/HSGX/hsgxsyt.bmp", "images/HSGX/PPPXY.bmp"})
    EXPECT_FALSE(QImage(appDir + QString::fromLatin1(file)).isNull()) << file;
  QFile page(appDir + QStringLiteral("web/HSGX.htm"));
  ASSERT_TRUE(page.open(QIODevice::ReadOnly));
  const QByteArray bytes = page.readAll();
  EXPECT_TRUE(bytes.contains("charset=gb2312"));
  EXPECT_EQ(EncodeText(DecodeText(bytes)), bytes);
  const QString html = DecodeText(bytes);
  for (const char* topic : {"切比雪夫", "结构误差", "&mu;<sub>x</sub>"})
    EXPECT_TRUE(html.contains(QString::fromUtf8(topic))) << topic;
  const QRegularExpression source(QStringLiteral("<img src=\"([^\"]+)\""));
  int pictures = 0;
  for (const QRegularExpressionMatch& m : source.globalMatch(html)) {
    ++pictures;
    EXPECT_TRUE(QFileInfo::exists(appDir + QStringLiteral("web/") + m.captured(1))) << m.captured(1).toStdString();
  }
  EXPECT_GE(pictures, 2);
}

}  // namespace
