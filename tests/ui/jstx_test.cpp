// The approximate-dwell window: both types from their defaults to the end with their log lines,
// the dwell checked on the designed linkage swept with the link kinematics, the stroke notice,
// the failure paths, the window's departures from the common wizard, records reopened at every
// step, report rows and the staged pages and pictures.
#include "analysis/analysis_panel.h"
#include "base/inifile.h"
#include "base/numfmt.h"
#include "base/textfile.h"
#include "design/report_db.h"
#include "design/start_value_panel.h"
#include "methods/JSTX/jstx_frm.h"
#include "support/design_window_fixture.h"
#include "support/dwell_sweep.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTabBar>
#include <QToolButton>
#include <ostream>
#include <tuple>

namespace {

const QString kStep3Message =
    QStringLiteral("    本方程属于非线性方程组，本程序采用拟Newton法求解。可点击‘初值设置’按钮对初值进行设置，"
                   "也可单击\"计算\"按钮按默认迭代初值进行计算。");

const QStringList kPictures = {
    QStringLiteral("cdjstype1sp1.bmp"), QStringLiteral("cdjstype1sp11.bmp"), QStringLiteral("cdjstype1sp2.bmp"),
    QStringLiteral("cdjstype1sp3.bmp"), QStringLiteral("cdjstype2sp1.bmp"), QStringLiteral("cdjstype3sp1.bmp"),
    QStringLiteral("cdjstype2sp2.bmp"), QStringLiteral("cdjstype2sp3.bmp")};

// Whether a picture control shows the staged picture of that name.
bool showsPicture(const PictureBox* box, const QString& file) {
  const QImage shown = box->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage staged = QImage(AppDir() + QStringLiteral("images/JSTX/") + file).convertToFormat(QImage::Format_RGB32);
  return !staged.isNull() && shown == staged;
}

class JSTXTest : public DesignWindowTest<TJSTXFrm> {
protected:
  void SetUp() override {
    DesignWindowTest::SetUp();
    // The step pictures as the build staged them.
    ASSERT_TRUE(QDir(AppDir()).mkpath(QStringLiteral("images/JSTX")));
    for (const QString& file : kPictures)
      ASSERT_TRUE(QFile::copy(QStringLiteral(KV_TEST_APPDIR "images/JSTX/") + file,
                              AppDir() + QStringLiteral("images/JSTX/") + file))
          << file.toStdString();
  }

  void clicks(std::initializer_list<const char*> names) {
    for (const char* name : names) click(QString::fromLatin1(name));
  }
  // The crank-rocker through its three calculation steps into the analysis.
  void rockerToAnalysis() {
    startDesign(0);
    clicks({"Param1OK", "PPPExe", "PPPOK", "mnlEXE", "type1cmp"});
  }
  // The crank-slider with the offset e to step 3, its inputs as given.
  void sliderToStep3(const QString& e = QStringLiteral("0"), const QString& H = QStringLiteral("15")) {
    startDesign(1);
    type("edite", e);
    click("Btok");
    type("s5", H);
    clicks({"type2ok", "QQQexe", "QQQok"});
  }
  // The angle a result label shows, "φ=110.72405°".
  Extended shownAngle(const char* label) const { return text(label).section(u'=', 1).chopped(1).toDouble(); }
  // φ as shown, found from a start value.
  Extended solveFrom(const QString& start) {
    type("Inia", start);
    click("ABEexe");
    return shownAngle("abea");
  }
  QString saveAs(const QString& name) {
    const QString path = AppDir() + QStringLiteral("result/") + name;
    Scripted().saveResults = {path};
    EXPECT_TRUE(m_frm->saveas1Click());
    return path;
  }
};

// --- Both types from their defaults ---

TEST_F(JSTXTest, CrankRockerDefaultsRunToTheEndWithTheirLog) {
  startDesign(0);
  EXPECT_TRUE(shown("type1step1"));
  EXPECT_EQ(m_shell.status[0], QStringLiteral("输入初始参数"));
  EXPECT_TRUE(showsPicture(m_frm->ImageCDJS, QStringLiteral("cdjstype1sp1.bmp")));
  EXPECT_TRUE(showsPicture(m_frm->ImageCDJS1, QStringLiteral("cdjstype1sp11.bmp")));

  click("Param1OK");
  EXPECT_EQ(logCount(), 10);
  EXPECT_EQ(m_frm->StepNumber(), 1);
  EXPECT_TRUE(shown("type1step2"));
  EXPECT_FALSE(enabled("PPPOK"));
  click("PPPExe");
  EXPECT_EQ(text("PPP0"), QStringLiteral("φo=63.25632°"));
  EXPECT_EQ(text("PPP1"), QStringLiteral("ψs=10.47531°"));
  EXPECT_FALSE(enabled("PPPExe"));
  click("PPPOK");
  EXPECT_EQ(logCount(), 13);
  EXPECT_EQ(m_frm->StepNumber(), 2);
  EXPECT_EQ(m_shell.status[0], QStringLiteral("计算φ的值"));
  EXPECT_FALSE(enabled("type1cmp"));
  click("mnlEXE");
  EXPECT_EQ(text("mnlM"), QStringLiteral("φ=110.72405°"));
  EXPECT_FALSE(m_frm->ReportMenuEnabled());
  click("type1cmp");
  EXPECT_EQ(logCount(), 15);
  EXPECT_EQ(m_frm->StepNumber(), 3);
  EXPECT_TRUE(shown("type1step4"));
  EXPECT_TRUE(m_frm->ReportMenuEnabled());
  EXPECT_FALSE(m_frm->type1step4->curves().isNull());
  EXPECT_EQ(m_frm->type1step4->linkage().kind, LinkageKind::CrankRocker);

  EXPECT_EQ(m_frm->LogLines(),
            (QStringList{QStringLiteral("设计信息"), QStringLiteral("    类型：曲柄摇杆机构的设计"),
                         QStringLiteral("    设计人：张三   　　 单位：机械系"),
                         QStringLiteral("    日期：2026-12-09   时间：10:00:00"),
                         QStringLiteral("一、曲柄连杆机构中对应的长度和在后极限位置处摇杆和机架夹角的变化量△Ψ"),
                         QStringLiteral("    曲柄：a=20mm"), QStringLiteral("    连杆：b=30mm"),
                         QStringLiteral("    摇杆：c=50mm"), QStringLiteral("    机架：d=45mm"),
                         QStringLiteral("    摇杆和机架的夹角变化量：△ψ=5°"), QStringLiteral("二、计算φo，ψs的值"),
                         QStringLiteral("    φo=63.25632°"), QStringLiteral("    ψs=10.47531°"),
                         QStringLiteral("三、计算φ的值"), QStringLiteral("    φ=110.72405°")}));

  // "完成" counts the analysis and enables "结束" without running it.
  click("typ1cmp2");
  EXPECT_EQ(m_frm->StepNumber(), 4);
  EXPECT_TRUE(enabled("type1sp5"));
  EXPECT_TRUE(Scripted().previews.isEmpty());
  EXPECT_FALSE(shown("type1step4"));
  click("type1sp5");
  EXPECT_EQ(Scripted().previews.size(), 1);
  EXPECT_EQ(m_frm->StepNumber(), 4);

  // Back to the analysis: the 15 lines stay, "三、计算φ的值" with its value among them.
  Scripted().answers = {MsgAnswer::Ok};
  click("type1sp4");
  EXPECT_EQ(logCount(), 15);
  EXPECT_EQ(m_frm->LogLines().last(), QStringLiteral("    φ=110.72405°"));
  EXPECT_FALSE(enabled("type1sp5"));
  // And on to step 3: computed again, the same φ.
  click("type1sp3");
  EXPECT_EQ(logCount(), 13);
  EXPECT_EQ(text("mnlM"), QStringLiteral("φ="));
  click("mnlEXE");
  EXPECT_EQ(text("mnlM"), QStringLiteral("φ=110.72405°"));
}

TEST_F(JSTXTest, CrankSliderDefaultsRunToTheEndWithTheirLog) {
  startDesign(1);
  EXPECT_TRUE(shown("step2"));
  EXPECT_EQ(find<QLineEdit>("edite")->text(), QStringLiteral("0"));
  click("Btok");
  EXPECT_TRUE(shown("type2step1"));
  EXPECT_TRUE(showsPicture(m_frm->imgQBHK, QStringLiteral("cdjstype3sp1.bmp")));  // e = 0: centred

  click("type2ok");
  EXPECT_EQ(logCount(), 10);
  EXPECT_EQ(m_frm->StepNumber(), 1);
  // The defaults describe a linkage whose stroke is 40 mm, not 15.
  EXPECT_EQ(Scripted().messages,
            QStringList{QStringLiteral("机构的实际冲程为40mm，与H=15mm不符，求得的φ将不是滑块距后极限位置△H处的曲柄转角。")});
  EXPECT_TRUE(shown("type2step2"));
  click("QQQexe");
  EXPECT_EQ(text("QQQ1"), QStringLiteral("λ=0.66667"));
  EXPECT_EQ(text("QQQ2"), QStringLiteral("k=0"));
  EXPECT_EQ(text("QQQ3"), QStringLiteral("α=0°"));
  EXPECT_EQ(text("QQQ4"), QStringLiteral("s=13mm"));
  click("QQQok");
  EXPECT_EQ(logCount(), 15);
  EXPECT_EQ(m_frm->StepNumber(), 2);
  EXPECT_EQ(text("msg"), kStep3Message);
  EXPECT_FALSE(shown("IniSelect"));
  EXPECT_TRUE(enabled("ABEexe"));
  EXPECT_TRUE(enabled("Iniset"));
  EXPECT_FALSE(enabled("type2cmp"));
  click("ABEexe");
  EXPECT_EQ(text("abea"), QStringLiteral("φ=54.99526°"));
  EXPECT_FALSE(enabled("ABEexe"));
  click("type2cmp");
  EXPECT_EQ(logCount(), 17);
  EXPECT_EQ(m_frm->StepNumber(), 3);
  EXPECT_TRUE(shown("type2step4"));
  EXPECT_TRUE(m_frm->ReportMenuEnabled());
  EXPECT_EQ(m_frm->type2step4->linkage().kind, LinkageKind::CrankSlider);

  EXPECT_EQ(m_frm->LogLines(),
            (QStringList{QStringLiteral("设计信息"), QStringLiteral("    类型：曲柄滑块机构的设计"),
                         QStringLiteral("    设计人：张三     单位：机械系"),
                         QStringLiteral("    日期：2026-12-09     时间：10:00:00"),
                         QStringLiteral("一、一般曲柄滑块机构的初始数据参数"), QStringLiteral("    曲柄：a=20mm"),
                         QStringLiteral("    连杆：b=30mm"), QStringLiteral("    冲程：H=15mm"),
                         QStringLiteral("    偏心距：e=0mm"), QStringLiteral("    冲程的变化量：△H=2mm"),
                         QStringLiteral("二、计算λ，k，α，s的值"), QStringLiteral("    λ=0.66667"),
                         QStringLiteral("    k=0"), QStringLiteral("    α=0°"), QStringLiteral("    s=13mm"),
                         QStringLiteral("三、计算φ的值"), QStringLiteral("    φ=54.99526°")}));

  // "完成" runs "结束" at once.
  click("hkok");
  EXPECT_EQ(m_frm->StepNumber(), 4);
  EXPECT_EQ(Scripted().previews.size(), 1);
  Scripted().answers = {MsgAnswer::Ok};
  click("type2sp4");
  EXPECT_EQ(logCount(), 17);
  EXPECT_EQ(m_frm->LogLines().last(), QStringLiteral("    φ=54.99526°"));
}

// --- The crank-slider's φ from other inputs and start values ---

struct SliderCase {
  const char* name;
  const char *e, *H, *start;
  const char* lambda, *k, *alpha;  // label texts
  Extended phi;                    // to 0.05°
  bool strokeNotice;
};
void PrintTo(const SliderCase& c, std::ostream* os) { *os << c.name; }

class JSTXSliderTest : public JSTXTest, public ::testing::WithParamInterface<SliderCase> {};

TEST_P(JSTXSliderTest, ParametersRootAndStrokeNotice) {
  const SliderCase& c = GetParam();
  sliderToStep3(QString::fromLatin1(c.e), QString::fromLatin1(c.H));
  EXPECT_EQ(text("QQQ1"), QString::fromUtf8(c.lambda));
  EXPECT_EQ(text("QQQ2"), QString::fromUtf8(c.k));
  EXPECT_EQ(text("QQQ3"), QString::fromUtf8(c.alpha));
  EXPECT_EQ(Scripted().messages.size(), c.strokeNotice ? 1 : 0);
  const Extended phi = solveFrom(QString::fromLatin1(c.start));
  EXPECT_NEAR(double(phi), double(c.phi), 0.05);
  EXPECT_EQ(FormatR(m_frm->Values().phi, 5), FormatG(phi));  // the label shows the stored φ in R5
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, JSTXSliderTest,
    ::testing::Values(SliderCase{"defaults", "0", "15", "40", "λ=0.66667", "k=0", "α=0°", 55.0L, true},
                      // the root near −55° brought into [0, 360)
                      SliderCase{"startMinus40", "0", "15", "-40", "λ=0.66667", "k=0", "α=0°", 305.0L, true},
                      SliderCase{"offset5", "5", "15", "40", "λ=0.66667", "k=0.25", "α=5.73917°", 48.1L, true},
                      // H is the linkage's own stroke: nothing to say
                      SliderCase{"realStroke", "0", "40", "150", "λ=0.66667", "k=0", "α=0°", 139.32L, false}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Independent checks on the designed linkage ---

TEST_F(JSTXTest, RockerStaysWithinItsBandOverTheReportedTurn) {
  const QStringList linkages[] = {{"20", "30", "50", "45", "5"}, {"25", "60", "50", "70", "3"}};
  for (const QStringList& inputs : linkages) {
    startDesign(0);
    const char* edits[] = {"O1", "O2", "O3", "O0", "Edit1"};
    for (int i = 0; i < 5; ++i) type(edits[i], inputs[i]);
    clicks({"Param1OK", "PPPExe", "PPPOK", "mnlEXE"});
    constexpr Extended step = 0.01L;
    Extended psiMin = 0;
    const dwell_sweep::Arc arc = dwell_sweep::RockerBand(inputs[0].toDouble(), inputs[1].toDouble(),
                                                         inputs[2].toDouble(), inputs[3].toDouble(),
                                                         inputs[4].toDouble(), step, psiMin);
    EXPECT_NEAR(double(psiMin), double(shownAngle("PPP1")), 1e-4);
    EXPECT_EQ(arc.runs, 1);
    EXPECT_NEAR(double(arc.length), double(shownAngle("mnlM")), 2 * double(step)) << inputs.join(u' ').toStdString();
    m_frm->hide();
    m_frm->show();
  }
}

TEST_F(JSTXTest, SliderStaysWithinItsBandBetweenTheTwoReportedAngles) {
  // H the real stroke; the two roots on either side of the rear dead position. λ = 2/3: the
  // equation's second-order expansion puts them up to 1.5° from the exact ends.
  sliderToStep3(QStringLiteral("0"), QStringLiteral("40"));
  const Extended first = solveFrom(QStringLiteral("150"));
  click("type2sp3");  // the furthest step again: "计算" on for another start value
  const Extended last = solveFrom(QStringLiteral("210"));
  ASSERT_LT(first, last);
  EXPECT_TRUE(dwell_sweep::SliderBandBoundedBy(20, 30, 0, 2, first, last, 2));
  EXPECT_FALSE(dwell_sweep::SliderBandBoundedBy(20, 30, 0, 2, first - 4, last, 2));
}


// --- Failure paths ---

TEST_F(JSTXTest, EmptyInputsAskForDataAndLeaveStepAndLog) {
  startDesign(0);
  type("O3", QStringLiteral(" "));
  click("Param1OK");
  startDesign(1);
  type("edite", QString());
  click("Btok");
  type("edite", QStringLiteral("0"));
  click("Btok");
  type("s4", QString());
  click("type2ok");
  EXPECT_EQ(Scripted().messages, (QStringList{QStringLiteral("请输入数据！"), QStringLiteral("e的值不能为空，请重新输入"),
                                              QStringLiteral("请输入数据！")}));
  EXPECT_EQ(logCount(), 0);
  EXPECT_EQ(m_frm->StepNumber(), 0);
  EXPECT_FALSE(enabled("type2sp2"));
  EXPECT_TRUE(shown("type2step1"));
}

TEST_F(JSTXTest, TextThatIsNoNumberStopsTheCommitWithTheErrorBox) {
  startDesign(0);
  type("O2", QStringLiteral("3O"));
  click("Param1OK");
  ASSERT_EQ(Scripted().errors.size(), 1);
  EXPECT_TRUE(Scripted().errors[0].contains(QStringLiteral("3O")));
  EXPECT_EQ(logCount(), 0);
  EXPECT_EQ(m_frm->StepNumber(), 0);
  EXPECT_FALSE(enabled("type1sp2"));
}

// An arc cosine out of range, a division by zero: the error box, the labels as they were and
// "计算" still on.
TEST_F(JSTXTest, ArithmeticFaultsKeepTheLabelsAndTheCalculation) {
  startDesign(0);
  type("O3", QStringLiteral("10"));
  type("O0", QStringLiteral("15"));  // c + d < a + b
  click("Param1OK");
  click("PPPExe");
  EXPECT_EQ(Scripted().errors.size(), 1);
  EXPECT_EQ(text("PPP0"), QStringLiteral("φo="));
  EXPECT_EQ(text("PPP1"), QStringLiteral("ψs="));
  EXPECT_TRUE(enabled("PPPExe"));
  EXPECT_FALSE(enabled("PPPOK"));

  startDesign(1);
  click("Btok");
  type("s2", QStringLiteral("0"));
  clicks({"type2ok", "QQQexe"});
  EXPECT_EQ(Scripted().errors.size(), 2);
  EXPECT_EQ(text("QQQ1"), QStringLiteral("λ="));
  EXPECT_TRUE(enabled("QQQexe"));
  EXPECT_FALSE(enabled("QQQok"));
}

TEST_F(JSTXTest, SolverFailureOpensTheStartValuesWithoutAMessage) {
  sliderToStep3();
  Scripted().clear();
  type("txtmax", QStringLiteral("1"));
  click("ABEexe");
  EXPECT_TRUE(Scripted().messages.isEmpty());
  EXPECT_TRUE(Scripted().errors.isEmpty());
  EXPECT_EQ(text("abea"), QStringLiteral("φ="));
  EXPECT_TRUE(shown("IniSelect"));
  for (const char* off : {"ABEexe", "Iniset", "type2cmp"}) EXPECT_FALSE(enabled(off)) << off;
  EXPECT_EQ(logCount(), 15);

  // An empty start value keeps the panel open; a limit of 100 then finds the root.
  type("Inia", QString());
  click("IniOk");
  EXPECT_EQ(Scripted().messages, QStringList{QStringLiteral("请输入数据！")});
  EXPECT_TRUE(shown("IniSelect"));
  type("Inia", QStringLiteral("40"));
  type("txtmax", QStringLiteral("100"));
  click("IniOk");
  EXPECT_FALSE(shown("IniSelect"));
  EXPECT_EQ(text("msg"), kStep3Message);
  click("ABEexe");
  EXPECT_EQ(text("abea"), QStringLiteral("φ=54.99526°"));

  // Unreadable settings.
  click("type2sp3");
  type("txteps", QStringLiteral("1e-7x"));
  click("ABEexe");
  EXPECT_EQ(Scripted().messages.last(), QStringLiteral("设置有误！"));
  EXPECT_EQ(text("abea"), QStringLiteral("φ="));
}

TEST_F(JSTXTest, StartValueCancelRestoresWhatWasThereWhenOpened) {
  sliderToStep3();
  type("Inia", QStringLiteral("120"));
  click("Iniset");
  type("Inia", QStringLiteral("-999"));
  click("IniCancel");
  EXPECT_EQ(find<QLineEdit>("Inia")->text(), QStringLiteral("120"));
  EXPECT_FALSE(shown("IniSelect"));
  EXPECT_TRUE(enabled("ABEexe"));
  EXPECT_TRUE(enabled("Iniset"));
  EXPECT_FALSE(enabled("type2cmp"));
}

// --- Departures from the common wizard ---

TEST_F(JSTXTest, TypeCancelStartsOverAtTheDesignInformation) {
  click("SpStart");
  click("DesignOk");
  m_frm->DesignType->setItemIndex(1);
  m_frm->DesignTypeClick();
  EXPECT_TRUE(text("AboutDesignType").startsWith(QStringLiteral("　　已知曲柄，连杆的长度a，b和偏心距e")));
  click("typecancel");
  EXPECT_EQ(m_frm->DesignType->itemIndex(), -1);
  EXPECT_TRUE(text("AboutDesignType").isEmpty());
  EXPECT_TRUE(shown("Step0"));
  EXPECT_FALSE(shown("Step1"));
  EXPECT_FALSE(shown("SpChose"));
  EXPECT_EQ(m_shell.status[0], QStringLiteral("输入设计信息"));
}

TEST_F(JSTXTest, EnterInTheDesignerEditAndTypedLettersChangeNothing) {
  click("SpStart");
  QLineEdit* person = find<QLineEdit>("txtPerson");
  person->setFocus();
  QTest::keyClick(person, Qt::Key_Return);
  EXPECT_FALSE(find<QLineEdit>("txtDepartment")->hasFocus());
  startDesign(0);
  QLineEdit* a = find<QLineEdit>("O1");
  a->clear();
  QTest::keyClicks(a, QStringLiteral("-2e1"));
  EXPECT_EQ(a->text(), QStringLiteral("-2e1"));  // no key filter
}

TEST_F(JSTXTest, CancelButtonsOfTheFirstStepsAndTheOffset) {
  startDesign(0);
  click("Param1OK");
  Scripted().answers = {MsgAnswer::Ok};
  click("type1sp1");
  click("Param1Cancel");  // empties, hides and asks before it drops the design
  EXPECT_EQ(Scripted().questions.size(), 2u);
  EXPECT_TRUE(find<QLineEdit>("O1")->text().isEmpty());
  EXPECT_TRUE(shown("Step1"));
  EXPECT_FALSE(shown("type1step1"));
  EXPECT_EQ(logCount(), 0);
  EXPECT_FALSE(enabled("type1sp1"));

  // The offset's "返回" asks too, since a type is confirmed.
  m_frm->DesignType->setItemIndex(1);
  click("typeok");
  click("Btcl");
  EXPECT_EQ(Scripted().questions.size(), 3u);
  EXPECT_TRUE(find<QLineEdit>("edite")->text().isEmpty());
  EXPECT_TRUE(shown("Step1"));

  // The second type's "取消" drops the type label first, so nothing is asked and its step
  // buttons stay as they are.
  type("edite", QStringLiteral("0"));
  m_frm->DesignType->setItemIndex(1);
  click("typeok");
  click("Btok");
  click("type2ok");
  Scripted().answers = {MsgAnswer::Ok};
  click("type2sp1");  // back to step 1, where its "取消" is
  EXPECT_EQ(Scripted().questions.size(), 4u);
  click("type2cancel");
  EXPECT_EQ(Scripted().questions.size(), 4u);
  EXPECT_TRUE(find<QLineEdit>("s1")->text().isEmpty());
  EXPECT_FALSE(shown("pnlType"));
  EXPECT_FALSE(shown("pnlType2"));
  EXPECT_TRUE(shown("Step1"));
  EXPECT_TRUE(enabled("type2sp1"));
}

TEST_F(JSTXTest, NotesPagesOfTheTypesAndNoMessageWhenMissing) {
  startDesign(0);
  m_frm->TabSet1->setCurrentIndex(2);
  EXPECT_FALSE(shown("pnlsm"));
  EXPECT_TRUE(Scripted().messages.isEmpty());
  m_frm->TabSet1->setCurrentIndex(0);
  ASSERT_TRUE(QDir(AppDir()).mkpath(QStringLiteral("web")));
  for (const char* page : {"jstxqbyg.htm", "jstxqbhk.htm"})
    ASSERT_TRUE(QFile::copy(QStringLiteral(KV_TEST_APPDIR "web/") + QString::fromLatin1(page),
                            AppDir() + QStringLiteral("web/") + QString::fromLatin1(page)));
  m_frm->TabSet1->setCurrentIndex(2);
  EXPECT_TRUE(shown("pnlsm"));
  EXPECT_TRUE(m_frm->wbsjsm->source().toString().endsWith(QStringLiteral("web/jstxqbyg.htm")));
  m_frm->TabSet1->setCurrentIndex(0);
  startDesign(1);
  m_frm->TabSet1->setCurrentIndex(2);
  EXPECT_TRUE(m_frm->wbsjsm->source().toString().endsWith(QStringLiteral("web/jstxqbhk.htm")));
}

// --- Records ---

TEST_F(JSTXTest, RecordKeysPerTypeInTheirOrder) {
  rockerToAnalysis();
  const QString rocker = saveAs(QStringLiteral("r.txt"));
  m_frm->hide();
  m_frm->show();
  sliderToStep3(QStringLiteral("5"));
  click("ABEexe");
  const QString slider = saveAs(QStringLiteral("s.txt"));
  const auto keys = [](const QString& log) {
    QStringList names;
    for (const QString& line : ReadTextLines(log.left(log.size() - 4) + QStringLiteral(".des")))
      if (line.contains(u'=')) names << line.section(u'=', 0, 0);
    return names;
  };
  const QStringList common = {"DsMethod", "DsPerson", "DsDepartment", "DsDate", "DsTime", "DsStep", "DsType"};
  const QStringList rockerKeys = {"CDJSLena", "CDJSLenb", "CDJSLenc", "CDJSLend",
                                  "CDJSdf",   "CDJSf0",   "CDJSfs",   "CDJSf"};
  const QStringList sliderKeys = {"CDJSLena", "CDJSLenb", "CDJSLene", "CDJSH", "CDJSdH",
                                  "CDJSnmd",  "CDJSk",    "CDJSrfa",  "CDJSs", "CDJSf"};
  EXPECT_EQ(keys(rocker), common + rockerKeys);
  EXPECT_EQ(keys(slider), common + sliderKeys);
  const TIniFile ini(AppDir() + QStringLiteral("result/s.des"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("DesignInfo"), QStringLiteral("DsMethod"), {}), QStringLiteral("JSTX"));
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("DesignInfo"), QStringLiteral("DsStep"), -9), 2);
  EXPECT_EQ(ini.ReadString(QStringLiteral("DesignInfo"), QStringLiteral("CDJSk"), {}), QStringLiteral("0.25"));
  EXPECT_TRUE(ini.ReadString(QStringLiteral("DesignInfo"), QStringLiteral("CDJSf"), {}).startsWith(u"48.139"));

  // Reopened: the quantities, not the edit texts.
  m_frm->LoadDesignRecord(rocker);
  EXPECT_EQ(m_frm->Values().c, 50);
  EXPECT_NEAR(double(m_frm->Values().phi), 110.72405, 1e-5);
  EXPECT_EQ(m_frm->DesignTypeIndex(), 0);
}

struct ResumeCase {
  const char* name;
  int type, step;
  bool reports;
};
void PrintTo(const ResumeCase& c, std::ostream* os) { *os << c.name; }

class JSTXResumeTest : public JSTXTest, public ::testing::WithParamInterface<ResumeCase> {};

TEST_P(JSTXResumeTest, EntersTheStepAfterTheLastCompletedOne) {
  const ResumeCase& c = GetParam();
  if (c.type == 0) {
    rockerToAnalysis();
    click("typ1cmp2");
  } else {
    sliderToStep3(QStringLiteral("5"));
    clicks({"ABEexe", "type2cmp", "hkok"});
  }
  const QString log = saveAs(QStringLiteral("resume.txt"));
  TIniFile ini(AppDir() + QStringLiteral("result/resume.des"));
  ini.WriteInteger(QStringLiteral("DesignInfo"), QStringLiteral("DsStep"), c.step);
  ini.Save();
  m_frm->hide();
  m_frm->show();
  Scripted().clear();

  m_frm->LoadDesignRecord(log);
  const QString p = QStringLiteral("type%1sp").arg(c.type + 1);
  for (int k = 1; k <= 5; ++k)
    EXPECT_EQ(find(qPrintable(p + QString::number(k)))->isEnabled(), c.step > 0 && k <= c.step + 1) << k;
  EXPECT_EQ(shown(c.type == 0 ? "pnlType1" : "pnlType2"), c.step > 0);
  EXPECT_EQ(m_frm->ReportMenuEnabled(), c.reports);
  EXPECT_EQ(Scripted().previews.size(), c.step == 4 ? 1 : 0);  // "结束" opens the report
  EXPECT_EQ(m_frm->StepNumber(), c.step);
  EXPECT_EQ(m_frm->Values().a, 20);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, JSTXResumeTest,
    ::testing::Values(ResumeCase{"rockerNone", 0, 0, false}, ResumeCase{"rockerFirst", 0, 1, false},
                      ResumeCase{"rockerSecond", 0, 2, false}, ResumeCase{"rockerAnalysis", 0, 3, true},
                      ResumeCase{"rockerEnd", 0, 4, true}, ResumeCase{"sliderFirst", 1, 1, false},
                      ResumeCase{"sliderSecond", 1, 2, true}, ResumeCase{"sliderEnd", 1, 4, true}),
    [](const auto& info) { return std::string(info.param.name); });

// Going back to step 1 of a reopened crank-slider reads the offset again: the record's, not a
// default left in the offset's edit.
TEST_F(JSTXTest, ReopenedOffsetSurvivesTheReturnToTheFirstStep) {
  sliderToStep3(QStringLiteral("5"));
  const QString log = saveAs(QStringLiteral("offset.txt"));
  m_frm->hide();
  m_frm->show();
  startDesign(1);
  click("Btcl");  // leaves the offset's edit empty
  Scripted().answers = {MsgAnswer::No};  // nothing to save of what "返回" left
  m_frm->LoadDesignRecord(log);
  EXPECT_EQ(find<QLineEdit>("edite")->text(), QStringLiteral("5"));
  Scripted().answers = {MsgAnswer::Ok};
  click("type2sp1");
  EXPECT_TRUE(Scripted().errors.isEmpty());
  EXPECT_EQ(m_frm->Values().e, 5);
  EXPECT_TRUE(showsPicture(m_frm->imgQBHK, QStringLiteral("cdjstype2sp1.bmp")));
  click("type2ok");
  EXPECT_EQ(m_frm->LogLines()[8], QStringLiteral("    偏心距：e=5mm"));
}

TEST_F(JSTXTest, ReportRowsOfEachType) {
  const auto rows = [] {
    QStringList names, units;
    const std::vector<ReportRow> all = ReportTable().Rows();
    for (const ReportRow& r : all) names << r.name, units << r.unit;
    return std::tuple{names, units, all};
  };
  rockerToAnalysis();
  m_frm->SimpleReportClick();
  const auto [rockerNames, rockerUnits, rocker] = rows();
  EXPECT_EQ(rockerNames, (QStringList{"a", "b", "c", "d", "△ψ", "φo", "ψs", "φ"}));
  EXPECT_EQ(rockerUnits, (QStringList{"mm", "mm", "mm", "mm", "°", "°", "°", "°"}));
  EXPECT_NEAR(double(rocker[4].value), 5, 1e-12);  // △ψ in degrees
  EXPECT_NEAR(double(rocker[7].value), 110.724, 1e-3);

  m_frm->hide();
  m_frm->show();
  sliderToStep3(QStringLiteral("5"));
  clicks({"ABEexe", "type2cmp"});
  m_frm->SimpleReportClick();
  const auto [sliderNames, sliderUnits, slider] = rows();
  EXPECT_EQ(sliderNames, (QStringList{"a", "b", "e", "H", "△H", "λ", "k", "α", "s", "φ"}));
  EXPECT_EQ(sliderUnits, (QStringList{"mm", "mm", "mm", "mm", "mm", "无", "无", "°", "mm", "°"}));
  EXPECT_NEAR(double(slider[7].value), 5.73917, 1e-5);
}

// --- Installation data ---

// The notes pages are checked with every other staged page by the content tests.
TEST(JSTXInstallationTest, StepPicturesAreStaged) {
  for (const QString& file : kPictures)
    EXPECT_FALSE(QImage(QStringLiteral(KV_TEST_APPDIR "images/JSTX/") + file).isNull()) << file.toStdString();
}

}  // namespace
