// The transmission-angle window: the four types end to end with their defaults and log lines,
// the designs checked by simulating the linkages they give, the failure paths, backtracking,
// the three timers, records and restore, the chart viewer on the real panels and the exact
// reading marked on the charts.
#include "analysis/analysis_panel.h"
#include "app/main_frm.h"
#include "base/inifile.h"
#include "base/numfmt.h"
#include "base/textfile.h"
#include "design/report_db.h"
#include "link/chart_axes.h"
#include "link/charts.h"
#include "link/kinematics.h"
#include "methods/CDJSJ/cdjsj_frm.h"
#include "methods/CDJSJ/chart_marks.h"
#include "methods/CDJSJ/chart_view.h"
#include "support/app_dir_fixture.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTextBrowser>
#include <cmath>

namespace {

constexpr double kDeg = 3.14159265358979323846 / 180;

class CDJSJTest : public AppDirTest {
protected:
  void SetUp() override {
    AppDirTest::SetUp();
    // The window reads its pictures, charts and pages where the build staged them.
    for (const char* folder : {"images", "web"})
      ASSERT_TRUE(QFile::link(QStringLiteral(KV_TEST_APPDIR) + folder, AppDir() + folder));
    open();
  }
  void TearDown() override {
    m_frm->hide();
    m_frm.reset();
    AppDirTest::TearDown();
  }
  void open() {
    if (m_frm) m_frm->hide();
    m_frm = std::make_unique<TCDJSJFrm>();
    m_frm->show();
  }

  template <class T = QWidget>
  T* find(const char* name) const {
    T* w = m_frm->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  void click(const char* name) { find<QAbstractButton>(name)->click(); }
  void clicks(std::initializer_list<const char*> names) {
    for (const char* name : names) click(name);
  }
  bool enabled(const char* name) const { return find(name)->isEnabled(); }
  bool shown(const char* name) const { return !find(name)->isHidden(); }
  void type(const char* edit, const QString& text) { find<QLineEdit>(edit)->setText(text); }
  QString text(const char* edit) const { return find<QLineEdit>(edit)->text(); }
  int logCount() const { return int(m_frm->LogLines().size()); }

  void information() {
    click("SpSjks");
    type("txtPerson", QStringLiteral("张三"));
    type("txtDepartment", QStringLiteral("机械系"));
    type("txtDate", QStringLiteral("2026-12-10"));
    type("txtTime", QStringLiteral("10:00:00"));
    click("sjxxok");
  }
  void chooseType(int designType) {
    m_frm->DesignType->setItemIndex(designType);
    click("sjlxxzok");
  }
  // Design information and the type; then "点击继续".
  void startDesign(int designType) {
    information();
    chooseType(designType);
    const char* go[] = {"qbyg1smok", "qbyg2smok", "qbhksmok", "sqbsmok"};
    click(go[designType]);
  }
  // Crank-rocker 1 with the defaults, up to the analysis.
  void rocker1ToAnalysis() {
    startDesign(0);
    clicks({"qbyg1step1OK", "qbyg1step2ok", "qbyg1step3Exe", "qbyg1step3complish"});
  }
  // Crank-rocker 2 through the given way (0 chart, 1 formulas), up to the analysis.
  void rocker2ToAnalysis(int way) {
    startDesign(1);
    click("qbyg2step1ok");
    m_frm->calculatechose->setItemIndex(way);
    click("qbyg2step2ok");
    if (way == 0)
      clicks({"qbyg2step31ok", "qbyg2step31complish"});
    else
      clicks({"qbyg2step32exe", "qbyg2step32complish"});
  }
  void sliderToAnalysis() {
    startDesign(2);
    clicks({"qbhkstep1ok", "qbhkstep2ok", "qbhkstep2complish"});
  }
  void doubleCrankToEnd(int chart = 0) {
    startDesign(3);
    click("sqbstep1ok");
    m_frm->RadioGroupsqb->setItemIndex(chart);
    clicks({"sqbstep2ok", "sqbstep3ok", "sqbstep3complish"});
  }
  QString saveAs(const QString& name = QStringLiteral("r.txt")) {
    const QString path = AppDir() + QStringLiteral("result/") + name;
    Scripted().saveResults = {path};
    EXPECT_TRUE(m_frm->saveas1Click());
    return path;
  }

  std::unique_ptr<TCDJSJFrm> m_frm;
};

// --- The types end to end ---

TEST_F(CDJSJTest, CrankRocker1WithTheDefaults) {
  information();
  EXPECT_EQ(logCount(), 3);
  chooseType(0);
  EXPECT_EQ(m_frm->LogLines().value(3), QStringLiteral("    类型：曲柄摇杆机构1"));
  EXPECT_TRUE(shown("qbyg1sm"));
  EXPECT_FALSE(shown("qbyg1sp1"));  // the column's buttons wait for "点击继续"
  click("qbyg1smok");
  EXPECT_TRUE(shown("qbyg1step1"));
  EXPECT_EQ(m_shell.status[0], QStringLiteral("输入初始参数"));

  const struct {
    const char* button;
    int log, step;
    const char* status;
  } steps[] = {{"qbyg1step1OK", 6, 2, "输入MAXγmin及β角的值"},
               {"qbyg1step2ok", 8, 3, "设计结果"},
               {"qbyg1step3Exe", 8, 3, "设计结果"},
               {"qbyg1step3complish", 10, 4, "对曲柄摇杆机构进行运动分析"}};
  for (const auto& s : steps) {
    click(s.button);
    EXPECT_EQ(logCount(), s.log) << s.button;
    EXPECT_EQ(m_frm->StepNumber(), s.step) << s.button;
    EXPECT_EQ(m_shell.status[0], QString::fromUtf8(s.status)) << s.button;
  }
  const auto& v = m_frm->Values().qbyg1;
  EXPECT_NEAR(v.a, 0.33, 0.005);
  EXPECT_NEAR(v.b, 0.79, 0.005);
  EXPECT_NEAR(v.c, 1.06, 0.005);
  EXPECT_EQ(m_frm->LogLines().mid(4), QStringList({QStringLiteral("一、请输入已知的ψ12及φ12"),
                                                   QStringLiteral("   φ12=205°，ψ12=40°"),
                                                   QStringLiteral("二、由图查得MAXγmin及β角的值"),
                                                   QStringLiteral("   MAXγmin=40°，β=60°"),
                                                   QStringLiteral("三、确定各杆的相对长度为："),
                                                   QStringLiteral("   a/d:=") + text("editadivd") +
                                                       QStringLiteral("mm，b/d=") + text("editbdivd") +
                                                       QStringLiteral("mm,c/d=") + text("editcdivd")}));
  EXPECT_TRUE(shown("qbyg1step4"));
  EXPECT_TRUE(m_frm->ReportMenuEnabled());
  EXPECT_EQ(m_frm->qbyg1step4->linkage().BC, Extended(v.b));

  // "完成" records step 5 and offers "结束" without running it; "结束" leaves the step
  // number, and the status is the report's own.
  click("typ1cmp2");
  EXPECT_EQ(m_frm->StepNumber(), 5);
  EXPECT_TRUE(enabled("qbyg1sp5"));
  EXPECT_TRUE(Scripted().previews.isEmpty());
  click("qbyg1sp5");
  EXPECT_EQ(Scripted().previews.size(), 1);
  EXPECT_EQ(m_frm->StepNumber(), 5);
  EXPECT_EQ(m_shell.status[0], QStringLiteral("简单报表预览"));
}

struct K1Case {
  double psi, gamma, phi;
  double a, b, c;
  friend void PrintTo(const K1Case& k, std::ostream* os) { *os << "ψ12 " << k.psi << " γmin " << k.gamma; }
};

class K1FormulaTest : public CDJSJTest, public ::testing::WithParamInterface<K1Case> {};

TEST_P(K1FormulaTest, RatiosPassThroughTheirFields) {
  const K1Case& k = GetParam();
  startDesign(1);
  type("Edit4", QString::number(k.psi));
  type("Edit5", QString::number(k.phi));
  type("Edit6", QString::number(k.gamma));
  click("qbyg2step1ok");
  m_frm->calculatechose->setItemIndex(1);
  click("qbyg2step2ok");
  EXPECT_TRUE(shown("qbyg2sp32"));
  EXPECT_FALSE(shown("qbyg2sp31"));
  click("qbyg2step32exe");
  const auto& v = m_frm->Values().qbyg2;
  EXPECT_NEAR(v.a2, k.a, 0.005);
  EXPECT_NEAR(v.b2, k.b, 0.005);
  EXPECT_NEAR(v.c2, k.c, 0.005);
  EXPECT_EQ(text("Edit8"), FormatG(v.b2));
  const QStringList log = m_frm->LogLines();
  ASSERT_EQ(log.size(), 10);
  EXPECT_EQ(log[6], QStringLiteral("二、请选择计算方式！"));
  EXPECT_EQ(log[7], QStringLiteral("   选择的计算方式为公式求解"));
  EXPECT_EQ(log[9], QStringLiteral("   a/d=") + text("Edit7") + QStringLiteral("mm;b/d=") + text("Edit8") +
                        QStringLiteral("mm;c/d=") + text("Edit9") + QStringLiteral("mm;"));
  click("qbyg2step32complish");
  EXPECT_EQ(m_frm->qbyg2step4->linkage().AB, Extended(v.a2));
}

INSTANTIATE_TEST_SUITE_P(Defaults, K1FormulaTest,
                         ::testing::Values(K1Case{40, 50, 180, 0.31, 0.53, 0.90},
                                           K1Case{40, 50, 205, 0.31, 0.53, 0.90},  // φ12 takes no part
                                           K1Case{60, 40, 180, 0.44, 0.65, 0.87}));

TEST_F(CDJSJTest, CrankRocker2ChartWayAndItsRecord) {
  rocker2ToAnalysis(0);
  EXPECT_EQ(m_frm->LogLines()[7], QStringLiteral("   选择的计算方式为查图"));
  EXPECT_EQ(m_frm->LogLines()[9], QStringLiteral("   a/d=0.31mm;b/d=0.54mm;c/d=0.895mm;"));
  EXPECT_EQ(m_frm->qbyg2step4->linkage().CD, Extended(0.895));
  click("btnyg2qbyg2cmp");
  const QString log = saveAs();
  open();
  m_frm->LoadDesignRecord(log);
  EXPECT_TRUE(enabled("qbyg2sp31"));
  EXPECT_FALSE(shown("qbyg2sp32"));
  EXPECT_EQ(Scripted().previews.size(), 1);  // step 5 reopens with the report
}

// The way is kept under an added key; a record without it opens in the chart way.
TEST_F(CDJSJTest, FormulaWayReopensInTheFormulaWay) {
  rocker2ToAnalysis(1);
  const QString log = saveAs();
  const QString record = AppDir() + QStringLiteral("result/r.des");
  EXPECT_EQ(TIniFile(record).ReadInteger(QStringLiteral("DesignInfo"), QStringLiteral("qbyg2way"), -1), 1);
  for (const bool withKey : {true, false}) {
    if (!withKey) {
      QStringList lines = ReadTextLines(record);
      lines.removeIf([](const QString& l) { return l.startsWith(QStringLiteral("qbyg2way")); });
      WriteTextLines(record, lines);
    }
    open();
    m_frm->LoadDesignRecord(log);
    const char* slot = withKey ? "qbyg2sp32" : "qbyg2sp31";
    EXPECT_TRUE(shown(slot) && enabled(slot)) << withKey;
    EXPECT_EQ(m_frm->Values().qbyg2.way, withKey ? 1 : 0);
    EXPECT_TRUE(shown("qbyg2step4"));
    const auto& v = m_frm->Values().qbyg2;
    EXPECT_EQ(m_frm->qbyg2step4->linkage().AB, Extended(withKey ? v.a2 : v.a1));
  }
}

TEST_F(CDJSJTest, CrankSliderWithTheDefaults) {
  sliderToAnalysis();
  EXPECT_EQ(m_frm->LogLines().mid(4), QStringList({QStringLiteral("一、请输入φ12的值："), QStringLiteral("   φ12=180°"),
                                                   QStringLiteral("二、输出计算结果："),
                                                   QStringLiteral("   MAXγmin=43°;a/s=0.465mm;b/s=1.15mm;a/b=0.406mm;"
                                                                  "e/s=0.378mm;")}));
  const Linkage& k = m_frm->qbhkstep3->linkage();
  EXPECT_EQ(k.kind, LinkageKind::CrankSlider);
  EXPECT_EQ(std::make_tuple(k.r, k.l, k.e), std::make_tuple(Extended(0.465), Extended(1.15), Extended(0.378)));
  EXPECT_EQ(m_frm->qbhkstep3->config().figureScale, 100);  // the figure and the table at s = 100 mm
  EXPECT_EQ(m_frm->StepNumber(), 3);
  click("hkok");
  EXPECT_EQ(m_frm->StepNumber(), 4);
  EXPECT_EQ(m_shell.status[0], QStringLiteral("设计结果"));
  EXPECT_TRUE(enabled("qbhksp4"));
  EXPECT_TRUE(Scripted().previews.isEmpty());
}

TEST_F(CDJSJTest, DoubleCrankReadsThreeChartsAndKeepsTheTypedValues) {
  startDesign(3);
  click("sqbstep1ok");
  EXPECT_EQ(m_frm->LogLines().mid(4),
            QStringList({QStringLiteral("一、请输入ψ及γmin的值"), QStringLiteral("  ψ=100°;γmin=35°。")}));
  for (int chart : {1, 2, 0}) {
    m_frm->RadioGroupsqb->setItemIndex(chart);
    click("sqbstep2ok");
    EXPECT_TRUE(shown("sqbstep3"));
    const QImage expected(AppDir() + QStringLiteral("images/CDJSJ/sqbimage%1.bmp").arg(chart + 2));
    EXPECT_EQ(m_frm->sqbpnl->picture()->image().convertToFormat(QImage::Format_RGB32),
              expected.convertToFormat(QImage::Format_RGB32))
        << chart;
    type("Edit20", QStringLiteral("1.95"));
    click("sqbstep3back");
    EXPECT_TRUE(shown("sqbstep2"));
  }
  EXPECT_EQ(text("Edit20"), QStringLiteral("1.95"));
  type("Edit20", QStringLiteral("1.9"));
  click("sqbstep2ok");
  clicks({"sqbstep3ok", "sqbstep3complish"});
  EXPECT_EQ(m_frm->LogLines().mid(6),
            QStringList({QStringLiteral("二、输入计算结果为："), QStringLiteral("  a/d=2.1mm;b/d=1.9mm;c/d=1.37mm.")}));
  EXPECT_EQ(m_frm->StepNumber(), 3);
  EXPECT_EQ(m_shell.status[0], QStringLiteral("设计结束"));
  EXPECT_TRUE(enabled("sqbsp3"));
  EXPECT_TRUE(m_frm->ReportMenuEnabled());
  EXPECT_TRUE(Scripted().previews.isEmpty());
}

// --- Independent checks: the designs, built and moved, do what was asked ---

// The crank-rocker with frame 1 over one turn of its crank: the rocker's swing, the crank's turn
// from one extreme of the rocker to the other, and the smallest transmission angle (degrees).
struct Motion {
  double swing = 0, arc = 0, gammaMin = 180;
};

Motion simulate(double a, double b, double c) {
  constexpr int kSteps = 36000;
  Motion m;
  double low = 1e9, high = -1e9, atLow = 0, atHigh = 0, previous = 0, rocker = 0;
  for (int i = 0; i < kSteps; ++i) {
    const double phi = 360.0 * i / kSteps;
    Extended gamma, phi2, phi3, w3, e3, ex, ey;
    FourBarAt(phi * kDeg, 1, a, b, c, 1, 0, 0, gamma, phi2, phi3, w3, e3, ex, ey);
    const double angle = double(phi3) / kDeg;
    rocker = i == 0 ? angle : rocker + std::remainder(angle - previous, 360.0);  // unwrapped
    previous = angle;
    if (rocker < low) low = rocker, atLow = phi;
    if (rocker > high) high = rocker, atHigh = phi;
    // the acute angle between coupler and rocker
    const double delta = std::acos(std::cos(double(phi3 - phi2))) / kDeg;
    m.gammaMin = std::min(m.gammaMin, std::min(delta, 180 - delta));
  }
  m.swing = high - low;
  m.arc = std::fmod(atHigh - atLow + 360, 360);
  return m;
}

struct SimulationCase {
  int type;
  double phi, psi, gamma;  // type 1: γmin asked; type 0: β typed (0: the chart's exact β)
  friend void PrintTo(const SimulationCase& c, std::ostream* os) {
    *os << "type " << c.type << " φ12 " << c.phi << " ψ12 " << c.psi << " " << c.gamma;
  }
};

class SimulationTest : public CDJSJTest, public ::testing::WithParamInterface<SimulationCase> {};

TEST_P(SimulationTest, TheDesignedCrankRockerMovesAsAsked) {
  const SimulationCase& s = GetParam();
  double a, b, c, gammaExpected;
  if (s.type == 0) {
    Extended maxGamma = 0, beta = 0;
    ASSERT_TRUE(MaxGammaMinCrankRocker(s.phi, s.psi, maxGamma, beta));
    startDesign(0);
    type("O12", QString::number(s.phi));
    type("W12", QString::number(s.psi));
    click("qbyg1step1OK");
    type("B", s.gamma > 0 ? QString::number(s.gamma) : FormatG(beta));
    clicks({"qbyg1step2ok", "qbyg1step3Exe"});
    const auto& v = m_frm->Values().qbyg1;
    a = v.a, b = v.b, c = v.c;
    gammaExpected = double(maxGamma);
  } else {
    startDesign(1);
    type("Edit4", QString::number(s.psi));
    type("Edit6", QString::number(s.gamma));
    click("qbyg2step1ok");
    m_frm->calculatechose->setItemIndex(1);
    clicks({"qbyg2step2ok", "qbyg2step32exe"});
    const auto& v = m_frm->Values().qbyg2;
    a = v.a2, b = v.b2, c = v.c2;
    gammaExpected = s.gamma;
  }
  ASSERT_EQ(ClassifyFourBar(false, a, b, c, 1), 10);
  const Motion m = simulate(a, b, c);
  EXPECT_NEAR(m.swing, s.psi, 1e-3);
  // the crank turns φ12 one way and 360° − φ12 the other (K = 1: equal stroke times)
  EXPECT_NEAR(std::min(std::fabs(m.arc - s.phi), std::fabs(m.arc - (360 - s.phi))), 0, 0.02);
  // the chart's MAXγmin, or the γmin asked; a reading of β near the chart's costs little
  EXPECT_NEAR(m.gammaMin, gammaExpected, s.type == 0 && s.gamma > 0 ? 0.1 : 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Designs, SimulationTest,
                         ::testing::Values(SimulationCase{0, 205, 40, 60},  // the defaults, β as read
                                           SimulationCase{0, 205, 40, 0}, SimulationCase{0, 220, 60, 0},
                                           SimulationCase{0, 190, 20, 0}, SimulationCase{1, 180, 40, 50},
                                           SimulationCase{1, 180, 60, 40}, SimulationCase{1, 180, 20, 30}));

// --- Failures ---

struct FailureCase {
  int type;
  std::vector<const char*> before;  // buttons up to the step
  const char* cleared;              // an edit emptied, or none
  const char* ok;
  const char* message;
  friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.ok; }
};

class CDJSJFailureTest : public CDJSJTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(CDJSJFailureTest, EmptyFieldsSayWhatIsMissingAndChangeNothing) {
  const FailureCase& f = GetParam();
  startDesign(f.type);
  for (const char* b : f.before) click(b);
  if (f.cleared) type(f.cleared, {});
  const int lines = logCount(), step = m_frm->StepNumber();
  click(f.ok);
  EXPECT_EQ(Scripted().messages, QStringList{QString::fromUtf8(f.message)});
  EXPECT_EQ(logCount(), lines);
  EXPECT_EQ(m_frm->StepNumber(), step);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, CDJSJFailureTest,
    ::testing::Values(FailureCase{0, {}, "W12", "qbyg1step1OK", "请输入φ12及ψ12的值！"},
                      FailureCase{0, {"qbyg1step1OK"}, "Rmin", "qbyg1step2ok", "请输入MAXγmin及β角的值！"},
                      FailureCase{1, {}, "Edit6", "qbyg2step1ok", "请输入φ12、ψ12及γmin的值！"},
                      FailureCase{1, {"qbyg2step1ok"}, nullptr, "qbyg2step2ok", "请选择求解方法！"},
                      FailureCase{2, {}, "edit14", "qbhkstep1ok", "请输入φ12的值！"},
                      FailureCase{2, {"qbhkstep1ok"}, "Edit17", "qbhkstep2ok", "请输入MAXγmin、a/s、b/s、a/b及e/s的值！"},
                      FailureCase{3, {}, "Edit25", "sqbstep1ok", "请输入ψ及γmin的值!"},
                      FailureCase{3, {"sqbstep1ok"}, nullptr, "sqbstep2ok", "请查询相关数据"}));

TEST_F(CDJSJTest, TextThatIsNoNumberStopsTheCommit) {
  startDesign(0);
  type("O12", QStringLiteral("1.2.3"));
  click("qbyg1step1OK");
  EXPECT_EQ(Scripted().errors.size(), 1);
  EXPECT_EQ(logCount(), 4);
  EXPECT_TRUE(shown("qbyg1step1"));
}

struct FaultCase {
  int type;
  double psi, second;  // type 0: ψ12 with φ12 = second; type 1: ψ12 and γmin
  friend void PrintTo(const FaultCase& c, std::ostream* os) { *os << "type " << c.type << " " << c.psi << " " << c.second; }
};

class FloatFaultTest : public CDJSJTest, public ::testing::WithParamInterface<FaultCase> {};

// The formulas have no guards: the fault ends the command, the fields keep their texts and
// "计算" stays on.
TEST_P(FloatFaultTest, FieldsKeepTheirTexts) {
  const FaultCase& f = GetParam();
  startDesign(f.type);
  std::vector<const char*> fields;
  const char* calc;
  if (f.type == 0) {
    type("O12", QString::number(f.second));
    type("W12", QString::number(f.psi));
    clicks({"qbyg1step1OK", "qbyg1step2ok"});
    fields = {"editadivd", "editbdivd", "editcdivd"}, calc = "qbyg1step3Exe";
  } else {
    type("Edit4", QString::number(f.psi));
    type("Edit6", QString::number(f.second));
    click("qbyg2step1ok");
    m_frm->calculatechose->setItemIndex(1);
    click("qbyg2step2ok");
    fields = {"Edit7", "Edit8", "Edit9"}, calc = "qbyg2step32exe";
  }
  for (const char* field : fields) type(field, QString::fromLatin1(field));
  click(calc);
  EXPECT_EQ(Scripted().errors.size(), 1);
  for (const char* field : fields) EXPECT_EQ(text(field), QString::fromLatin1(field));
  EXPECT_TRUE(enabled(calc));
  EXPECT_EQ(logCount(), 8);
}

INSTANTIATE_TEST_SUITE_P(Formulas, FloatFaultTest,
                         ::testing::Values(FaultCase{0, 40, 40},    // φ12 = ψ12 divides by zero
                                           FaultCase{1, 40, 90},    // γmin = 90°
                                           FaultCase{1, 60, 70}));  // b/d > 1: a root of a negative number

// --- Backtracking and the timers ---

TEST_F(CDJSJTest, ReturningCutsTheLogAndDisablesTheLaterSlots) {
  rocker1ToAnalysis();
  Scripted().answers = {MsgAnswer::Cancel};
  click("qbyg1sp2");
  EXPECT_EQ(logCount(), 10);
  EXPECT_TRUE(shown("qbyg1step4"));
  Scripted().answers = {MsgAnswer::Ok};
  click("qbyg1sp2");
  EXPECT_EQ(logCount(), 6);
  for (const char* later : {"qbyg1sp3", "qbyg1sp4", "qbyg1sp5"}) EXPECT_FALSE(enabled(later)) << later;

  open();
  rocker2ToAnalysis(1);
  click("qbyg2sp2");
  EXPECT_EQ(logCount(), 6);
  for (const char* later : {"qbyg2sp31", "qbyg2sp32", "qbyg2sp4"}) EXPECT_FALSE(enabled(later)) << later;

  open();
  doubleCrankToEnd();
  click("sqbsp2");
  EXPECT_EQ(logCount(), 6);
  EXPECT_FALSE(enabled("sqbsp3"));
}

// Every step of the crank-rockers stops the three timers, the crank-slider's chart step only its
// own, the double crank's none.
TEST_F(CDJSJTest, StepsStopTheTimersTheirTypeNames) {
  AnalysisPanel* panels[] = {m_frm->qbyg1step4, m_frm->qbyg2step4, m_frm->qbhkstep3};
  const auto runAll = [&] {
    for (AnalysisPanel* p : panels) {
      p->setLinkage(p == m_frm->qbhkstep3 ? Linkage::CrankSlider(0.465, 1.15, 0.378)
                                          : Linkage::FourBar(LinkageKind::CrankRocker, 0.33, 0.79, 1.06, 1));
      if (!p->animation().timerActive()) p->startClick();
    }
  };
  const auto running = [&] {
    std::vector<bool> r;
    for (AnalysisPanel* p : panels) r.push_back(p->animation().timerActive());
    return r;
  };
  rocker1ToAnalysis();
  runAll();
  click("qbyg1sp2");
  EXPECT_EQ(running(), std::vector<bool>({false, false, false}));
  open();
  panels[0] = m_frm->qbyg1step4, panels[1] = m_frm->qbyg2step4, panels[2] = m_frm->qbhkstep3;
  sliderToAnalysis();
  runAll();
  click("qbhksp2");
  EXPECT_EQ(running(), std::vector<bool>({true, true, false}));
  clicks({"qbhkstep2ok", "qbhkstep2complish"});
  runAll();
  click("hkok");
  EXPECT_EQ(running(), std::vector<bool>({false, false, false}));
  open();
  panels[0] = m_frm->qbyg1step4, panels[1] = m_frm->qbyg2step4, panels[2] = m_frm->qbhkstep3;
  startDesign(3);
  click("sqbstep1ok");
  runAll();
  click("sqbsp1");
  EXPECT_EQ(running(), std::vector<bool>({true, true, true}));
}

// --- Records and restore ---

struct ResumeCase {
  int type, step;
  const char* entered;  // "" for none
  bool reports;
  int previews;
  friend void PrintTo(const ResumeCase& c, std::ostream* os) { *os << "type " << c.type << " step " << c.step; }
};

class CDJSJResumeTest : public CDJSJTest, public ::testing::WithParamInterface<ResumeCase> {};

TEST_P(CDJSJResumeTest, EntersTheStepSavedWithTheReportThreshold) {
  const ResumeCase& r = GetParam();
  const QString log = AppDir() + QStringLiteral("result/r.txt");
  WriteTextLines(log, {QStringLiteral("设计信息")});
  TIniFile ini(AppDir() + QStringLiteral("result/r.des"));
  const QString s = QStringLiteral("DesignInfo");
  ini.WriteString(s, QStringLiteral("DsMethod"), QStringLiteral("CDJSJ"));
  ini.WriteInteger(s, QStringLiteral("DsStep"), r.step);
  ini.WriteInteger(s, QStringLiteral("DsType"), r.type);
  const std::pair<const char*, double> designs[] = {
      {"qbyg1adivd", 0.3},   {"qbyg1bdivd", 0.8},   {"qbyg1cdivd", 1.06}, {"qbyg21adivd", 0.31}, {"qbyg21bdivd", 0.54},
      {"qbyg21cdivd", 0.895}, {"qbhkadivs", 0.3}, {"qbhkbdivs", 1.15},  {"qbhkedivs", 0.378}};
  for (const auto& [key, value] : designs) ini.WriteFloat(s, QString::fromLatin1(key), value);
  ini.Save();
  m_frm->LoadDesignRecord(log);
  if (*r.entered) {
    EXPECT_TRUE(enabled(r.entered));
    EXPECT_EQ(m_frm->pnlType->text(), m_frm->Type(r.type).caption);
  } else {
    EXPECT_TRUE(m_frm->pnlType->isHidden());
  }
  EXPECT_EQ(m_frm->ReportMenuEnabled(), r.reports);
  EXPECT_EQ(Scripted().previews.size(), r.previews);
  if (r.type == 0 && r.step == 4) EXPECT_EQ(m_frm->qbyg1step4->linkage().CD, Extended(1.06));
  if (r.type == 2 && r.step == 3) EXPECT_EQ(m_frm->qbhkstep3->linkage().r, Extended(0.3));
}

INSTANTIATE_TEST_SUITE_P(
    Records, CDJSJResumeTest,
    ::testing::Values(ResumeCase{0, 0, "", false, 0}, ResumeCase{0, 3, "qbyg1sp3", false, 0},
                      ResumeCase{0, 4, "qbyg1sp4", true, 0}, ResumeCase{0, 5, "qbyg1sp5", true, 1},
                      ResumeCase{1, 4, "qbyg2sp4", true, 0}, ResumeCase{1, 5, "qbyg2sp5", true, 1},
                      ResumeCase{2, 2, "qbhksp2", false, 0}, ResumeCase{2, 3, "qbhksp3", true, 0},
                      ResumeCase{2, 4, "qbhksp4", true, 1}, ResumeCase{3, 2, "sqbsp2", false, 0},
                      ResumeCase{3, 3, "sqbsp3", true, 1}));

TEST_F(CDJSJTest, RecordHoldsTheTypesKeysInOrderAndTheShortLabelNamesIt) {
  rocker1ToAnalysis();
  const QString log = saveAs();
  EXPECT_EQ(Scripted().saveDialogs.value(0), AppDir() + QStringLiteral("result/按传动角设计_曲柄摇杆机构1.txt"));
  EXPECT_EQ(TIniFile(AppDir() + QStringLiteral("result/r.des")).ReadSection(QStringLiteral("DesignInfo")),
            QStringList({"DsMethod", "DsPerson", "DsDepartment", "DsDate", "DsTime", "DsStep", "DsType", "qbyg1O12",
                         "qbyg1W12", "qbyg1Rmin", "qbyg1B", "qbyg1adivd", "qbyg1bdivd", "qbyg1cdivd"}));
  open();
  m_frm->LoadDesignRecord(log);
  m_frm->saveas1Click();
  EXPECT_EQ(Scripted().saveDialogs.value(1), AppDir() + QStringLiteral("result/按传动角设计_曲柄摇杆机构1.txt"));
  m_frm->SimpleReportClick();
  const std::vector<ReportRow> rows = ReportTable().Rows();
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(rows[4].name, QStringLiteral("a/d"));
  EXPECT_EQ(rows[4].value, Extended(m_frm->Values().qbyg1.a));
}

struct NotesCase {
  int recordType;  // −2: no record opened
  const char* page;
  friend void PrintTo(const NotesCase& c, std::ostream* os) { *os << "type " << c.recordType; }
};

class CDJSJNotesTest : public CDJSJTest, public ::testing::WithParamInterface<NotesCase> {};

TEST_P(CDJSJNotesTest, PageOfTheTypeOrNone) {
  if (GetParam().recordType > -2) {
    const QString log = AppDir() + QStringLiteral("result/r.txt");
    WriteTextLines(log, {});
    TIniFile ini(AppDir() + QStringLiteral("result/r.des"));
    ini.WriteString(QStringLiteral("DesignInfo"), QStringLiteral("DsMethod"), QStringLiteral("CDJSJ"));
    ini.WriteInteger(QStringLiteral("DesignInfo"), QStringLiteral("DsType"), GetParam().recordType);
    ini.Save();
    m_frm->LoadDesignRecord(log);
  }
  m_frm->TabSet1->setCurrentIndex(2);
  EXPECT_TRUE(Scripted().messages.isEmpty());
  const QString page = QString::fromLatin1(GetParam().page);
  EXPECT_EQ(m_frm->pnlsm->isHidden(), page.isEmpty());
  if (!page.isEmpty()) EXPECT_TRUE(m_frm->wbsjsm->source().toLocalFile().endsWith(QStringLiteral("web/") + page));
}

INSTANTIATE_TEST_SUITE_P(Types, CDJSJNotesTest,
                         ::testing::Values(NotesCase{-2, "CDJSJ0.htm"}, NotesCase{-1, ""}, NotesCase{2, "CDJSJ2.htm"},
                                           NotesCase{3, "CDJSJ3.htm"}));

TEST_F(CDJSJTest, MainWindowOffersTheMethod) {
  TMainFrm mainFrm;
  mainFrm.RegisterDesignWindow(m_frm.get());
  int offered = 0;
  for (QAction* item : mainFrm.findChildren<QAction*>())
    if (item->text() == QStringLiteral("按传动角设计四杆机构")) offered += item->isEnabled();
  EXPECT_EQ(offered, 3);  // 文件 › 新建, 设计 and the navigator's menu
  SetShell(&m_shell);
}

// --- The chart viewer on the window's panels ---

struct ViewCase {
  const char* panel;
  QRect rest, zoomed, fitted;
  friend void PrintTo(const ViewCase& c, std::ostream* os) { *os << c.panel; }
};

class ChartPanelTest : public CDJSJTest, public ::testing::WithParamInterface<ViewCase> {};

TEST_P(ChartPanelTest, ZoomFromRestThenFittedByItsStep) {
  const ViewCase& v = GetParam();
  auto* view = find<ChartView>(v.panel);
  EXPECT_EQ(view->picture()->geometry(), v.rest);
  view->zoomInAction->trigger();
  EXPECT_EQ(view->picture()->geometry(), v.zoomed);
  // The step that shows the chart fits it into the panel.
  const QString name = QString::fromLatin1(v.panel);
  if (name == QStringLiteral("yg1pnl")) {
    startDesign(0);
    click("qbyg1step1OK");
  } else if (name == QStringLiteral("yg2pnl")) {
    startDesign(1);
    click("qbyg2step1ok");
    m_frm->calculatechose->setItemIndex(0);
    click("qbyg2step2ok");
  } else if (name == QStringLiteral("qbhkpnl")) {
    startDesign(2);
    click("qbhkstep1ok");
  } else {
    startDesign(3);
    click("sqbstep1ok");
    m_frm->RadioGroupsqb->setItemIndex(0);
    click("sqbstep2ok");
  }
  EXPECT_TRUE(view->isVisible());
  EXPECT_EQ(view->picture()->geometry(), v.fitted);
  // Enlarged, the chart is dragged within the panel.
  view->zoomInAction->trigger();
  const QRect zoomed = view->picture()->geometry();
  BeginChartDrag(*view, Qt::LeftButton, 100, 100);
  DragChart(*view, Qt::LeftButton, 5000, 5000);
  EXPECT_EQ(view->picture()->pos(), QPoint(0, 0));
  DragChart(*view, Qt::LeftButton, -5000, -5000);
  EXPECT_EQ(view->picture()->pos(), QPoint(view->width() - zoomed.width(), view->height() - zoomed.height()));
}

INSTANTIATE_TEST_SUITE_P(
    Panels, ChartPanelTest,
    ::testing::Values(ViewCase{"yg1pnl", {8, 0, 345, 409}, {-26, -38, 414, 490}, {6, 0, 348, 413}},
                      ViewCase{"yg2pnl", {8, 8, 353, 433}, {-27, -39, 423, 519}, {5, 0, 359, 441}},
                      ViewCase{"qbhkpnl", {0, 0, 557, 298}, {-55, -29, 668, 357}, {0, 0, 557, 297}},
                      ViewCase{"sqbpnl", {0, 0, 409, 441}, {-40, -44, 490, 529}, {0, 0, 409, 441}}));

// --- The exact reading ---

struct ReadingCase {
  int type;
  double phi, psi;
  int marks;
  const char* caption;  // a line the caption holds
  friend void PrintTo(const ReadingCase& c, std::ostream* os) { *os << "type " << c.type << " φ12 " << c.phi; }
};

class ReadingTest : public CDJSJTest, public ::testing::WithParamInterface<ReadingCase> {};

TEST_P(ReadingTest, CrossHairSitsWhereTheAxisMappingPutsTheExactValue) {
  const ReadingCase& r = GetParam();
  startDesign(r.type);
  if (r.type == 0) {
    type("O12", QString::number(r.phi));
    type("W12", QString::number(r.psi));
    click("qbyg1step1OK");
  } else {
    type("edit14", QString::number(r.phi));
    click("qbhkstep1ok");
  }
  ChartView* view = r.type == 0 ? m_frm->yg1pnl : m_frm->qbhkpnl;
  ChartMarks* marks = r.type == 0 ? m_frm->yg1marks : m_frm->qbhkmarks;
  EXPECT_TRUE(marks->Reading().caption.contains(QString::fromUtf8(r.caption)));
  ASSERT_EQ(int(marks->Reading().marks.size()), r.marks);
  ChartAxes axes;
  ASSERT_TRUE(ParseChartAxes(
      ReadTextLines(AppDir() + QStringLiteral("images/CDJSJ/%1.axes").arg(view->picture()->objectName())), axes));
  for (int zoomed = 0; zoomed < 2; ++zoomed) {
    const QImage shot = view->grab().toImage();
    for (const ChartMark& mark : marks->Reading().marks) {
      // the chart's pixel scaled with the fitted (or zoomed) box that stretches it
      const QPointF pixel = axes.Find(mark.quantity)->ToPixel(mark.x, mark.y);
      const QRect box = view->picture()->geometry();
      const QSize size = view->picture()->image().size();
      const QPointF expected = QPointF(box.topLeft()) + QPointF(pixel.x() * box.width() / size.width(),
                                                                pixel.y() * box.height() / size.height());
      const std::optional<QPointF> at = marks->PanelPoint(mark);
      ASSERT_TRUE(at);
      EXPECT_NEAR(at->x(), expected.x(), 1e-9);
      EXPECT_NEAR(at->y(), expected.y(), 1e-9);
      // the cross-hair's colour there in the panel as shown (the charts' own red is darker)
      if (!shot.rect().contains(at->toPoint())) continue;
      bool red = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const QPoint q = at->toPoint() + QPoint(dx, dy);
          if (!shot.rect().contains(q)) continue;
          const QRgb p = shot.pixel(q);
          red = red || (qRed(p) > 200 && qGreen(p) < 40 && qBlue(p) < 40);
        }
      EXPECT_TRUE(red) << mark.quantity.toStdString() << " zoomed " << zoomed;
    }
    view->zoomInAction->trigger();
  }
}

INSTANTIATE_TEST_SUITE_P(Charts, ReadingTest,
                         ::testing::Values(ReadingCase{0, 205, 40, 2, "MAXγmin=39.08°"},
                                           ReadingCase{0, 180, 40, 0, "图中无此φ12、ψ12的值"},
                                           ReadingCase{2, 200, 0, 5, "MAXγmin=42.81°"},
                                           ReadingCase{2, 180, 0, 0, "图中无此φ12的值（180°<φ12<270°）"}));

}  // namespace
