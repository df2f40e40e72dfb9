// The quick-return window: each type from its defaults to the end with its log and labels,
// the θ–K coupling, the suggested λ, the start-value panel and its failures, backtracking,
// records reopened at every step, the report rows and the installed pages and pictures.
#include "analysis/analysis_panel.h"
#include "base/inifile.h"
#include "base/textfile.h"
#include "design/report_db.h"
#include "design/start_value_panel.h"
#include "methods/JHTX/jhtx_frm.h"
#include "support/design_window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

namespace {

class JHTXTest : public DesignWindowTest<TJHTXFrm> {
protected:
  // The user leaves an edit with Tab.
  void leave(const char* edit) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(find<QLineEdit>(edit), &out);
  }
  // The defaults of a type up to its analysis step.
  void toAnalysis(int designType) {
    static const char* const buttons[][3] = {
        {"Param1OK", "ABDWExe", "type1ydfx"}, {"type2ok", "ABEexe", "type2cmp"}, {"tp3ok", "AAAexe", "type3cmp"}};
    startDesign(designType);
    for (const char* button : buttons[designType]) click(button);
  }
  static const char* finishButton(int designType) {
    static const char* const names[] = {"typ1cmp2", "qbhkok", "btncmpdg"};
    return names[designType];
  }
};

// --- Each type from its defaults to the end ---

struct FlowCase {
  const char* name;
  int type;
  const char *ok, *calc, *confirm;
  QStringList inputLines;   // the log after its four header lines
  std::vector<std::pair<const char*, QString>> labels;  // after the calculation
  int inputCount, resultCount;
  const char* panel;
  Linkage linkage;  // handed to the analysis
  const char* endButton;
  bool finishRunsEnd;
};

class JHTXFlowTest : public JHTXTest, public ::testing::WithParamInterface<FlowCase> {};

TEST_P(JHTXFlowTest, DefaultsRunToTheEndWithTheirLogAndLabels) {
  const FlowCase& c = GetParam();
  startDesign(c.type);
  EXPECT_EQ(m_frm->StepNumber(), 1);
  EXPECT_EQ(m_shell.status[0], QStringLiteral("输入初始参数"));
  click(c.ok);
  ASSERT_EQ(logCount(), c.inputCount);
  EXPECT_EQ(m_frm->LogLines()[1], QStringLiteral("    类型：") + m_frm->DesignType->itemCaption(c.type));
  EXPECT_EQ(m_frm->LogLines().mid(4), c.inputLines);
  EXPECT_EQ(m_frm->StepNumber(), 2);
  EXPECT_TRUE(enabled(c.calc));
  EXPECT_FALSE(enabled(c.confirm));

  click(c.calc);
  QStringList shownLabels;
  for (const auto& [label, expected] : c.labels) {
    EXPECT_EQ(text(label), expected) << label;
    shownLabels << QStringLiteral("    ") + expected;
  }
  EXPECT_FALSE(enabled(c.calc));
  EXPECT_TRUE(enabled(c.confirm));
  EXPECT_FALSE(m_frm->ReportMenuEnabled());

  click(c.confirm);
  ASSERT_EQ(logCount(), c.resultCount);
  EXPECT_EQ(m_frm->LogLines().mid(c.inputCount), QStringList{QStringLiteral("二、") + (c.type == 0 ? QStringLiteral("设计结果") : QStringLiteral("计算结果"))} + shownLabels);
  EXPECT_FALSE(enabled(c.confirm));
  EXPECT_TRUE(shown(c.panel));
  EXPECT_TRUE(m_frm->ReportMenuEnabled());
  EXPECT_EQ(m_frm->StepNumber(), 3);
  auto* panel = find<AnalysisPanel>(c.panel);
  EXPECT_EQ(panel->linkage().kind, c.linkage.kind);
  for (Extended Linkage::*length : {&Linkage::AB, &Linkage::BC, &Linkage::CD, &Linkage::AD, &Linkage::r, &Linkage::l,
                                    &Linkage::e, &Linkage::d})
    EXPECT_NEAR(double(panel->linkage().*length), double(c.linkage.*length), 5e-4);
  EXPECT_TRUE(panel->animation().timerActive());
  EXPECT_FALSE(panel->curves().isNull());

  click(finishButton(c.type));
  EXPECT_FALSE(panel->animation().timerActive());
  EXPECT_FALSE(shown(c.panel));
  EXPECT_EQ(m_frm->StepNumber(), 4);
  EXPECT_TRUE(enabled(c.endButton));
  EXPECT_TRUE(m_frm->ReportMenuEnabled());
  EXPECT_EQ(Scripted().previews.size(), c.finishRunsEnd ? 1 : 0);
  if (!c.finishRunsEnd) click(c.endButton);
  EXPECT_EQ(Scripted().previews, QStringList{QStringLiteral("Print Preview")});
  EXPECT_EQ(m_shell.status[0], QStringLiteral("设计结束"));
  EXPECT_EQ(logCount(), c.resultCount);
}

INSTANTIATE_TEST_SUITE_P(
    Types, JHTXFlowTest,
    ::testing::Values(
        FlowCase{"crankRocker", 0, "Param1OK", "ABDWExe", "type1ydfx",
                 {QStringLiteral("一、初始信息"), QStringLiteral("    摆角Ψ=45°"), QStringLiteral("    行程速比系数K=1.4"),
                  QStringLiteral("    极位夹角θ=30°"), QStringLiteral("    摇杆长度C=45mm"),
                  QStringLiteral("    最小传动角γmin=40°")},
                 {{"jsa", QStringLiteral("a=16.89319mm")}, {"jsb", QStringLiteral("b=21.26486mm")},
                  {"jsd", QStringLiteral("d=48.69115mm")}, {"jsw", QStringLiteral("ψ0=2.86747°")}},
                 10, 15, "type1step3", Linkage::FourBar(LinkageKind::CrankRocker, 16.893L, 21.265L, 45, 48.691L),
                 "type1sp4", false},
        FlowCase{"crankSlider", 1, "type2ok", "ABEexe", "type2cmp",
                 {QStringLiteral("一、初始参数"), QStringLiteral("    冲程H=50mm"), QStringLiteral("    行程速比系数K=1.4"),
                  QStringLiteral("    极位夹角θ=30°"), QStringLiteral("    λ(a/b)=0.35"),
                  QStringLiteral("    最小传动角γmin=60°")},
                 {{"abea", QStringLiteral("曲柄a为：20.551 mm")}, {"abeb", QStringLiteral("连杆b为：58.717 mm")},
                  {"abee", QStringLiteral("偏距e为：30.253 mm")}},
                 10, 14, "type2step3", Linkage::CrankSlider(20.551L, 58.717L, 30.253L), "type2sp4", true},
        FlowCase{"guideBar", 2, "tp3ok", "AAAexe", "type3cmp",
                 {QStringLiteral("一、初始参数"), QStringLiteral("    机架长度L4=50mm"), QStringLiteral("    行程速比系数K=1.4"),
                  QStringLiteral("    极位夹角θ=30°")},
                 {{"aaa", QStringLiteral("曲柄a为：12.941 mm")}},
                 8, 10, "type3step3", Linkage::GuideBar(12.941L, 50), "type3sp4", true}),
    [](const auto& info) { return std::string(info.param.name); });

// --- The θ–K coupling and the numeric edits ---

struct CouplingCase {
  int type;
  const char *typed, *other;  // the edit typed into and left, the one rewritten
  const char *text, *result;
};

class JHTXCouplingTest : public JHTXTest, public ::testing::WithParamInterface<CouplingCase> {};

TEST_P(JHTXCouplingTest, LeavingOneEditWritesTheOtherWithThreeDecimals) {
  const CouplingCase& c = GetParam();
  startDesign(c.type);
  type(c.typed, QString::fromLatin1(c.text));
  leave(c.typed);
  EXPECT_EQ(text(c.other), QString::fromLatin1(c.result));
}

INSTANTIATE_TEST_SUITE_P(Pairs, JHTXCouplingTest,
                         ::testing::Values(CouplingCase{0, "xcsb", "jwjj", "1.3", "23.478"},
                                           CouplingCase{0, "jwjj", "xcsb", "36", "1.500"},
                                           CouplingCase{1, "kkk", "sta", "1", "0.000"},
                                           CouplingCase{1, "sta", "kkk", "45", "1.667"},
                                           CouplingCase{2, "tp3kkk", "tp3sta", "5", "120.000"},
                                           CouplingCase{2, "tp3sta", "tp3kkk", "60", "2.000"}));

TEST_F(JHTXTest, AClickMakesOneOfTheCoupledEditsEditableAndTheOtherReadOnly) {
  startDesign(0);
  auto* k = find<QLineEdit>("xcsb");
  auto* theta = find<QLineEdit>("jwjj");
  const QColor window = k->palette().color(QPalette::Base), face = k->palette().color(QPalette::Button);
  EXPECT_FALSE(k->isReadOnly());
  EXPECT_TRUE(theta->isReadOnly());
  EXPECT_EQ(theta->palette().color(QPalette::Base), face);
  QTest::mouseClick(theta, Qt::LeftButton);
  EXPECT_FALSE(theta->isReadOnly());
  EXPECT_TRUE(k->isReadOnly());
  EXPECT_EQ(theta->palette().color(QPalette::Base), window);
  EXPECT_EQ(k->palette().color(QPalette::Base), face);
  // The read-only edit still writes the other one when left.
  k->setText(QStringLiteral("1.5"));
  leave("xcsb");
  EXPECT_EQ(theta->text(), QStringLiteral("36.000"));
  QTest::mouseClick(k, Qt::LeftButton);
  EXPECT_FALSE(k->isReadOnly());
  EXPECT_TRUE(theta->isReadOnly());
}

TEST_F(JHTXTest, ThetaOf180IsRefusedWithAMessageAndATextThatIsNoNumberWithTheErrorBox) {
  startDesign(2);
  type("tp3sta", QStringLiteral("180"));
  leave("tp3sta");
  EXPECT_EQ(Scripted().messages, QStringList{QStringLiteral("极位夹角θ不能等于180°！")});
  EXPECT_TRUE(Scripted().errors.isEmpty());
  EXPECT_EQ(text("tp3kkk"), QStringLiteral("1.400"));
  EXPECT_EQ(text("tp3sta"), QStringLiteral("180"));

  type("tp3kkk", QStringLiteral("1.2.3"));
  leave("tp3kkk");
  EXPECT_EQ(Scripted().errors.size(), 1);
  EXPECT_EQ(text("tp3sta"), QStringLiteral("180"));
}

TEST_F(JHTXTest, AnotherWindowTakingTheFocusRewritesNothing) {
  startDesign(0);
  type("xcsb", QStringLiteral("2"));
  QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(find<QLineEdit>("xcsb"), &out);
  EXPECT_EQ(text("jwjj"), QStringLiteral("30.000"));
}

TEST_F(JHTXTest, NumericEditsButTheAccuracyTakeDigitsAndPointOnly) {
  startDesign(0);
  for (const char* name : {"bj", "xcsb", "cdj", "Inia", "Iniw", "txtmax", "kkk", "adivb", "tp3L4"}) {
    auto* edit = find<QLineEdit>(name);
    edit->setReadOnly(false);
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("-1e3 .5"));
    EXPECT_EQ(edit->text(), QStringLiteral("13.5")) << name;
  }
  auto* eps = find<QLineEdit>("txteps");
  eps->clear();
  QTest::keyClicks(eps, QStringLiteral("1e-7"));
  EXPECT_EQ(eps->text(), QStringLiteral("1e-7"));
}

// --- The crank-slider's λ and the transmission angle it reaches ---

struct RatioCase {
  const char *theta, *gammaMin, *lambda;
};

class JHTXRatioTest : public JHTXTest, public ::testing::WithParamInterface<RatioCase> {};

TEST_P(JHTXRatioTest, LeavingGammaMinSuggestsTheRatioCutAtThreeDecimals) {
  startDesign(1);
  type("adivb", QStringLiteral("0.9"));
  type("sta", QString::fromLatin1(GetParam().theta));
  type("gamamin", QString::fromLatin1(GetParam().gammaMin));
  leave("gamamin");
  EXPECT_EQ(text("adivb"), QString::fromLatin1(GetParam().lambda));
}

INSTANTIATE_TEST_SUITE_P(Angles, JHTXRatioTest,
                         ::testing::Values(RatioCase{"30", "60", "0.493"},  // 0.4938: the largest γmin
                                           RatioCase{"36", "40", "0.541"},
                                           RatioCase{"0", "45", "0.707"},  // centred: cos γmin
                                           RatioCase{"0", "40", "0.766"}));

TEST_F(JHTXTest, GammaMinThatIsNoNumberKeepsTheRatio) {
  startDesign(1);
  type("gamamin", QString());
  leave("gamamin");
  EXPECT_EQ(Scripted().errors.size(), 1);
  EXPECT_EQ(text("adivb"), QStringLiteral("0.35"));
}

struct ReachCase {
  const char *lambda, *gammaMin;
  const char* message;  // "" for none
};

class JHTXReachTest : public JHTXTest, public ::testing::WithParamInterface<ReachCase> {};

TEST_P(JHTXReachTest, ALinkageShortOfTheAskedTransmissionAngleIsNamedAndKept) {
  const ReachCase& c = GetParam();
  startDesign(1);
  type("adivb", QString::fromLatin1(c.lambda));
  type("gamamin", QString::fromLatin1(c.gammaMin));
  click("type2ok");
  click("ABEexe");
  EXPECT_EQ(Scripted().messages, *c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList());
  EXPECT_TRUE(enabled("type2cmp"));
  EXPECT_TRUE(text("abee").startsWith(QStringLiteral("偏距e为：")));
  EXPECT_NE(text("abee"), QStringLiteral("偏距e为："));
}

INSTANTIATE_TEST_SUITE_P(
    Ratios, JHTXReachTest,
    ::testing::Values(
        ReachCase{"0.35", "60",
                  "所得机构的最小传动角γmin=30.09°，小于要求的60°。θ=30°时γmin最大约为32.632°（λ≈0.494），可返回修改λ。"},
        ReachCase{"0.493", "32", ""},
        ReachCase{"0.05", "20",
                  "λ=0.05时得不到冲程为H、极位夹角为θ的曲柄滑块机构。θ=30°时γmin最大约为32.632°（λ≈0.494），可返回修改λ。"}));

// --- The start-value panel of the crank-rocker ---

TEST_F(JHTXTest, OtherStartValuesFindARootThatIsNoLinkage) {
  startDesign(0);
  click("Param1OK");
  EXPECT_FALSE(shown("IniSelect"));
  click("Iniset");
  EXPECT_TRUE(shown("IniSelect"));
  for (const char* name : {"Iniset", "ABDWExe", "type1ydfx"}) EXPECT_FALSE(enabled(name)) << name;
  type("Inia", QStringLiteral("1"));
  type("Iniw", QStringLiteral("200"));
  click("IniOk");
  EXPECT_FALSE(shown("IniSelect"));
  EXPECT_TRUE(enabled("Iniset"));
  EXPECT_TRUE(enabled("ABDWExe"));
  click("ABDWExe");
  EXPECT_EQ(text("msg"), QStringLiteral("求解成功，但计算结果不符工程实际！您可以通过修改初值来尝试求其它解。"));
  EXPECT_TRUE(find<QLabel>("msg")->styleSheet().contains(QStringLiteral("red")));
  EXPECT_TRUE(text("jsa").startsWith(QStringLiteral("a=-8.334")));
  EXPECT_TRUE(text("jsw").startsWith(QStringLiteral("ψ0=232.47")));
  EXPECT_FALSE(enabled("type1ydfx"));
  EXPECT_FALSE(enabled("ABDWExe"));

  // "取消" gives back the texts of the last "初值设置" and keeps the result shown.
  click("Iniset");
  type("Inia", QStringLiteral("abc"));
  click("IniCancel");
  EXPECT_EQ(text("Inia"), QStringLiteral("1"));
  EXPECT_TRUE(text("jsa").startsWith(QStringLiteral("a=-8.334")));
  EXPECT_TRUE(text("msg").startsWith(QStringLiteral("  本方程属于非线性方程组")));
  EXPECT_TRUE(find<QLabel>("msg")->styleSheet().contains(QStringLiteral("black")));
}

TEST_F(JHTXTest, AFailedSolutionOpensTheStartValues) {
  startDesign(0);
  click("Param1OK");
  click("Iniset");
  type("txtmax", QStringLiteral("1"));
  click("IniOk");
  click("ABDWExe");
  EXPECT_EQ(text("msg"), QStringLiteral("求解失败！您可以通过修改初值、加大迭代次数或降低求解精度再次尝试求解。"));
  EXPECT_EQ(text("jsa"), QStringLiteral("a="));
  EXPECT_TRUE(shown("IniSelect"));
  for (const char* name : {"Iniset", "ABDWExe", "type1ydfx"}) EXPECT_FALSE(enabled(name)) << name;
  type("txtmax", QStringLiteral("100"));
  click("IniOk");
  click("ABDWExe");
  EXPECT_EQ(text("msg"), QStringLiteral("求解成功！您可以通过修改初值来尝试求其它解。"));
  EXPECT_TRUE(enabled("type1ydfx"));
}

struct SettingsCase {
  const char *edit, *text;
};

class JHTXSettingsTest : public JHTXTest, public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(JHTXSettingsTest, UnreadableSettingsChangeNothing) {
  startDesign(0);
  click("Param1OK");
  click("Iniset");
  type(GetParam().edit, QString::fromLatin1(GetParam().text));
  click("IniOk");
  click("ABDWExe");
  EXPECT_EQ(Scripted().messages, QStringList{QStringLiteral("设置有误！")});
  EXPECT_EQ(text("jsa"), QStringLiteral("a="));
  EXPECT_TRUE(text("msg").startsWith(QStringLiteral("  本方程")));
  EXPECT_TRUE(enabled("ABDWExe"));
  EXPECT_FALSE(enabled("type1ydfx"));
  EXPECT_EQ(logCount(), 10);
}

INSTANTIATE_TEST_SUITE_P(Texts, JHTXSettingsTest,
                         ::testing::Values(SettingsCase{"Inia", ""}, SettingsCase{"txteps", "abc"},
                                           SettingsCase{"txtmax", "0"},  // a limit below 1 would never end
                                           SettingsCase{"txtmax", "2.5"}));

// --- Going back ---

struct BackCase {
  const char* name;
  int type;
  bool finished;  // "完成" pressed before going back
  const char* button;
  int kept;
  std::vector<const char*> disabled;
};

class JHTXBackTest : public JHTXTest, public ::testing::WithParamInterface<BackCase> {};

TEST_P(JHTXBackTest, ReturningKeepsTheLinesOfTheStepAndDisablesTheLaterOnes) {
  const BackCase& c = GetParam();
  toAnalysis(c.type);
  if (c.finished) click(finishButton(c.type));
  Scripted().answers = {MsgAnswer::Ok};
  click(c.button);
  ASSERT_EQ(Scripted().questions.size(), 1u);
  EXPECT_EQ(Scripted().questions[0].text, QStringLiteral("确实要回溯设计吗？"));
  EXPECT_EQ(logCount(), c.kept);
  EXPECT_TRUE(enabled(c.button));
  for (const char* later : c.disabled) EXPECT_FALSE(enabled(later)) << later;
}

INSTANTIATE_TEST_SUITE_P(
    Steps, JHTXBackTest,
    ::testing::Values(BackCase{"rockerEndToAnalysis", 0, true, "type1sp3", 15, {"type1sp4"}},
                      BackCase{"rockerAnalysisToCalculation", 0, false, "type1sp2", 10, {"type1sp3", "type1sp4"}},
                      BackCase{"sliderEndToAnalysis", 1, true, "type2sp3", 14, {"type2sp4"}},
                      BackCase{"sliderEndToInput", 1, true, "type2sp1", 0, {"type2sp2", "type2sp3", "type2sp4"}},
                      BackCase{"guideBarAnalysisToCalculation", 2, false, "type3sp2", 8, {"type3sp3", "type3sp4"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(JHTXTest, ANewCalculationAfterGoingBackWritesItsSectionOnce) {
  toAnalysis(2);
  Scripted().answers = {MsgAnswer::Ok};
  click("type3sp2");
  click("AAAexe");
  click("type3cmp");
  EXPECT_EQ(logCount(), 10);
  EXPECT_EQ(m_frm->LogLines().count(QStringLiteral("二、计算结果")), 1);

  Scripted().answers = {MsgAnswer::Cancel};
  click("type3sp1");
  EXPECT_EQ(logCount(), 10);
  EXPECT_TRUE(shown("type3step3"));
}

// --- Records ---

struct RecordCase {
  const char* name;
  int type;
  int step;  // 1 to 3: the step showing when saved; 4: after "完成"
  QStringList keys;
};

class JHTXRecordTest : public JHTXTest, public ::testing::WithParamInterface<RecordCase> {};

TEST_P(JHTXRecordTest, ReopenedRecordEntersTheStepItWasSavedAt) {
  const RecordCase& c = GetParam();
  toAnalysis(c.type);
  if (c.step == 4) click(finishButton(c.type));
  Scripted().answers = {MsgAnswer::Ok, MsgAnswer::Ok};
  if (c.step < 3) click(QStringLiteral("type%1sp%2").arg(c.type + 1).arg(c.step).toLatin1().constData());
  ASSERT_EQ(m_frm->StepNumber(), c.step);
  const TJHTXFrm::Quantities saved = m_frm->Values();
  const QString path = AppDir() + QStringLiteral("result/q.txt");
  Scripted().saveResults = {path};
  ASSERT_TRUE(m_frm->saveas1Click());

  // The keys of the type, in their order, after the common ones.
  const QStringList lines = ReadTextLines(AppDir() + QStringLiteral("result/q.des"));
  QStringList keys;
  for (const QString& line : lines)
    if (line.startsWith(QStringLiteral("JHTX"))) keys << line.section(u'=', 0, 0);
  EXPECT_EQ(keys, c.keys);

  TJHTXFrm reopened;
  reopened.show();
  Scripted().clear();
  reopened.LoadDesignRecord(path);
  EXPECT_EQ(reopened.StepNumber(), c.step);
  EXPECT_EQ(reopened.DesignTypeIndex(), c.type);
  EXPECT_EQ(reopened.ReportMenuEnabled(), c.step > 2);
  EXPECT_EQ(Scripted().previews.size(), c.step == 4 ? 1 : 0);
  const std::vector<WizardStep>& steps = reopened.Type(c.type).steps;
  for (int k = 0; k < 4; ++k) EXPECT_EQ(steps[k].button->isEnabled(), k < c.step) << k;
  if (c.step < 4) EXPECT_FALSE(steps[c.step - 1].group->isHidden());
  EXPECT_NEAR(double(reopened.Values().a), double(saved.a), 1e-12);
  EXPECT_NEAR(double(reopened.Values().theta), double(saved.theta), 1e-12);
  reopened.hide();
}

const QStringList kRockerKeys = {"JHTXbj", "JHTXsta", "JHTXK", "JHTXcdj", "JHTXLenc",
                                 "JHTXLena", "JHTXLenb", "JHTXLend", "JHTXbj0"};
const QStringList kSliderKeys = {"JHTXH", "JHTXK", "JHTXsta", "JHTXadivb", "JHTXcdj", "JHTXLena", "JHTXLenb", "JHTXe"};
const QStringList kGuideBarKeys = {"JHTXLend", "JHTXK", "JHTXsta", "JHTXLena"};

INSTANTIATE_TEST_SUITE_P(Steps, JHTXRecordTest,
                         ::testing::Values(RecordCase{"rocker1", 0, 1, kRockerKeys},
                                           RecordCase{"rocker2", 0, 2, kRockerKeys},
                                           RecordCase{"rocker3", 0, 3, kRockerKeys},
                                           RecordCase{"rocker4", 0, 4, kRockerKeys},
                                           RecordCase{"slider2", 1, 2, kSliderKeys},
                                           RecordCase{"slider4", 1, 4, kSliderKeys},
                                           RecordCase{"guideBar3", 2, 3, kGuideBarKeys},
                                           RecordCase{"guideBar4", 2, 4, kGuideBarKeys}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Reports and notes ---

struct ReportCase {
  int type;
  QStringList names;
  QStringList units;
};

class JHTXReportTest : public JHTXTest, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(JHTXReportTest, SimpleReportHasTheRowsOfTheType) {
  const ReportCase& c = GetParam();
  toAnalysis(c.type);
  m_frm->SimpleReport->trigger();
  const std::vector<ReportRow> rows = ReportTable().Rows();
  ASSERT_EQ(int(rows.size()), c.names.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].name, c.names[int(i)]);
    EXPECT_EQ(rows[i].unit, c.units[int(i)]);
  }
  EXPECT_NEAR(double(rows[1].value), 1.4, 1e-12);  // K, in the second row of every type
}

INSTANTIATE_TEST_SUITE_P(
    Types, JHTXReportTest,
    ::testing::Values(
        ReportCase{0,
                   {"摆角Ψ", "行程速比系数K", "极位夹角θ", "摇杆长度C", "最小传动角γmin", "曲柄长度a", "连杆长度b", "机架长度d", "ψ0"},
                   {"°", "无", "°", "mm", "°", "mm", "mm", "mm", "°"}},
        ReportCase{1,
                   {"冲程H", "行程速比系数K", "极位夹角θ", "λ(a/b)", "最小传动角γmin", "曲柄长度a", "连杆长度b", "偏距e"},
                   {"mm", "无", "°", "无", "°", "mm", "mm", "mm"}},
        ReportCase{2, {"机架长度", "行程速比系数K", "极位夹角θ", "曲柄长度a"}, {"mm", "无", "°", "mm"}}));

TEST_F(JHTXTest, NotesTabShowsThePageOfTheType) {
  for (int t = 0; t < 3; ++t) {
    m_frm->hide();
    m_frm->show();
    Scripted().clear();
    startDesign(t);
    find<QTabBar>("TabSet1")->setCurrentIndex(2);
    EXPECT_EQ(Scripted().messages,
              QStringList{QStringLiteral("说明文件") + AppDir() + QStringLiteral("web/JHTX%1.htm丢失！").arg(t)});
    find<QTabBar>("TabSet1")->setCurrentIndex(0);
  }
}

// The staged pages are GB18030 throughout and every picture they show is staged beside them.
TEST(JHTXInstallationTest, PagesAndPicturesAreStaged) {
  const QString appDir = QStringLiteral(KV_TEST_APPDIR);
  for (const char* file : {"qbygsyt.bmp", "qbyggs.bmp", "qbhksyt.bmp", "qbhkgs.bmp", "dgjgsyt.bmp", "dgjggs.bmp"})
    EXPECT_FALSE(QImage(appDir + QStringLiteral("images/JHTX/") + QString::fromLatin1(file)).isNull()) << file;
  for (int t = 0; t < 3; ++t) {
    QFile page(appDir + QStringLiteral("web/JHTX%1.htm").arg(t));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << t;
    const QByteArray bytes = page.readAll();
    EXPECT_TRUE(bytes.contains("charset=gb2312"));
    EXPECT_EQ(EncodeText(DecodeText(bytes)), bytes);
    const QString html = DecodeText(bytes);
    EXPECT_TRUE(html.contains(QStringLiteral("行程速比系数")));
    const QRegularExpression source(QStringLiteral("<img src=\"([^\"]+)\""));
    int pictures = 0;
    for (const QRegularExpressionMatch& m : source.globalMatch(html)) {
      ++pictures;
      EXPECT_TRUE(QFileInfo::exists(appDir + QStringLiteral("web/") + m.captured(1))) << m.captured(1).toStdString();
    }
    EXPECT_GE(pictures, 2);
  }
}

}  // namespace
