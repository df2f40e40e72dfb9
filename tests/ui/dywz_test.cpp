// The design wizard through the corresponding-position window: the steps with their defaults
// and log lines, backtracking, the failure paths, new/close questions, the notes tab and the
// numeric key filter.
#include "analysis/analysis_panel.h"
#include "base/inifile.h"
#include "base/textfile.h"
#include "design/report_db.h"
#include "design/check_page.h"
#include "methods/DYWZ/dywz_frm.h"
#include "support/design_window_fixture.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <cmath>

namespace {

class DYWZTest : public DesignWindowTest<TDYWZFrm> {
protected:
  // Steps 1 to 5 of the four-bar with the default inputs and a known link.
  void fourBarToStep4() {
    startDesign(0);
    click("Param1OK");
    click("PPPExe");
    click("PPPOK");
    click("mnlEXE");
    click("mnlOk");
  }
  void fourBarToStep5(int knownLink = 0, const QString& length = QStringLiteral("100")) {
    fourBarToStep4();
    m_frm->RadioGroup1->setItemIndex(knownLink);
    m_frm->RadioGroup1Click();
    type("GanLen", length);
    click("Param2OK");
  }

};

TEST_F(DYWZTest, DefaultFourBarRunsThroughFiveStepsWithItsLog) {
  startDesign(0);
  EXPECT_EQ(m_shell.status[1], QStringLiteral("设计者：张三"));
  EXPECT_EQ(m_shell.status[2], QStringLiteral("单位：机械系"));
  EXPECT_EQ(m_shell.status[0], QStringLiteral("输入初始参数"));
  EXPECT_TRUE(shown("type1step1"));
  EXPECT_EQ(text("pnlType"), QStringLiteral("铰链四杆机构的设计"));

  click("Param1OK");
  EXPECT_EQ(logCount(), 9);
  EXPECT_FALSE(enabled("PPPOK"));
  click("PPPExe");
  EXPECT_EQ(text("PPP0"), QStringLiteral("P0=1.53304"));
  EXPECT_EQ(text("PPP1"), QStringLiteral("P1=-1.06284"));
  EXPECT_EQ(text("PPP2"), QStringLiteral("P2=0.78049"));
  EXPECT_FALSE(enabled("PPPExe"));
  click("PPPOK");
  EXPECT_EQ(logCount(), 13);
  click("mnlEXE");
  EXPECT_NEAR(double(m_frm->Values().m), 1.78, 0.005);
  EXPECT_NEAR(double(m_frm->Values().n), 1.53, 0.005);
  EXPECT_NEAR(double(m_frm->Values().l), 1.44, 0.005);
  click("mnlOk");
  EXPECT_EQ(logCount(), 17);
  EXPECT_EQ(m_shell.status[0], QStringLiteral("选择并输入已知杆的长度"));
  EXPECT_FALSE(shown("Lendanwei"));  // no link chosen yet

  m_frm->RadioGroup1->setItemIndex(0);
  m_frm->RadioGroup1Click();
  EXPECT_EQ(text("gantype"), QStringLiteral("请输入曲柄(AB)长度"));
  EXPECT_TRUE(shown("GanLen"));
  click("Param2OK");
  EXPECT_EQ(logCount(), 19);
  EXPECT_EQ(text("OW1"), QStringLiteral("位置1：φ1=45°，ψ1=50°"));
  EXPECT_EQ(text("OW0"), QStringLiteral("位置0：φ0=0°，ψ0=0°"));
  EXPECT_EQ(text("ganKnowed"), QStringLiteral("2、已知曲柄(AB)长度为:100 mm"));
  EXPECT_EQ(text("LenAB"), QStringLiteral("AB杆长度为："));

  click("ABCDEXE");
  const auto& v = m_frm->Values();
  EXPECT_EQ(text("LenAB"), QStringLiteral("AB杆长度为：100 mm"));
  EXPECT_NEAR(double(v.lenB), 178, 0.5);
  EXPECT_NEAR(double(v.lenC), 153.3, 0.1);
  EXPECT_NEAR(double(v.lenD), 144, 0.5);
  EXPECT_TRUE(enabled("type1comp"));
  EXPECT_FALSE(m_frm->ReportMenuEnabled());
  click("type1comp");
  EXPECT_EQ(logCount(), 24);
  EXPECT_TRUE(m_frm->ReportMenuEnabled());
  EXPECT_TRUE(shown("type1step6"));
  EXPECT_EQ(m_frm->StepNumber(), 6);

  const QStringList log = m_frm->LogLines();
  const QStringList head = {
      QStringLiteral("设计信息"),
      QStringLiteral("    类型：铰链四杆机构的设计"),
      QStringLiteral("    设计人：张三    单位：机械系"),
      QStringLiteral("    日期：2026-12-09   时间：10:00:00"),
      QStringLiteral("一、两连架杆的对应角位置"),
      QStringLiteral("    位置1：φ1=45°，ψ1=50°"),
      QStringLiteral("    位置2：φ2=90°，ψ2=80°"),
      QStringLiteral("    位置3：φ3=135°，ψ3=110°"),
      QStringLiteral("    位置0：φ0=0°，ψ0=0°"),
      QStringLiteral("二、计算P0、P1、P2值"),
      QStringLiteral("    P0=1.53304"),
      QStringLiteral("    P1=-1.06284"),
      QStringLiteral("    P2=0.78049")};
  EXPECT_EQ(log.mid(0, head.size()), head);
  EXPECT_EQ(log[13], QStringLiteral("三、计算m、n及l的值"));
  EXPECT_TRUE(log[14].startsWith(QStringLiteral("    m=1.78")));
  EXPECT_EQ(log[17], QStringLiteral("四、选择并输入已知杆的长度"));
  EXPECT_EQ(log[18], QStringLiteral("    已知曲柄(AB)长度为:100 mm"));
  EXPECT_EQ(log[19], QStringLiteral("五、设计结果"));
  EXPECT_EQ(log[20], QStringLiteral("    AB杆长度为：100 mm"));
  EXPECT_EQ(log[21], QStringLiteral("    ") + text("LenBC"));
}

TEST_F(DYWZTest, KnownCouplerScalesTheSameRatios) {
  fourBarToStep5(0);
  click("ABCDEXE");
  const TDYWZFrm::Quantities byCrank = m_frm->Values();
  m_frm->hide();  // a fresh design; nothing was saved, so nothing is asked
  m_frm->show();
  fourBarToStep5(1, QStringLiteral("100"));
  click("ABCDEXE");
  const TDYWZFrm::Quantities byCoupler = m_frm->Values();
  EXPECT_NEAR(double(byCoupler.lenB), 100, 1e-12);
  EXPECT_NEAR(double(byCoupler.lenA), 100 / double(byCrank.m), 1e-9);
  for (auto len : {&TDYWZFrm::Quantities::lenC, &TDYWZFrm::Quantities::lenD})
    EXPECT_NEAR(double(byCoupler.*len / byCoupler.lenA), double(byCrank.*len / byCrank.lenA), 1e-12);
  EXPECT_EQ(m_frm->LogLines()[18], QStringLiteral("    已知连杆(BC)长度为:100 mm"));
}

TEST_F(DYWZTest, ReturningOverFinishedStepsAsksOnceAndCutsTheLog) {
  fourBarToStep5();
  Scripted().answers = {MsgAnswer::Cancel};
  click("type1sp3");
  ASSERT_EQ(Scripted().questions.size(), 1u);
  EXPECT_EQ(Scripted().questions[0].text, QStringLiteral("确实要回溯设计吗？"));
  EXPECT_EQ(Scripted().questions[0].buttons, MsgButtons::OkCancel);
  EXPECT_EQ(logCount(), 19);
  EXPECT_TRUE(shown("type1step5"));
  EXPECT_TRUE(enabled("type1sp5"));

  Scripted().answers = {MsgAnswer::Ok};
  click("type1sp3");
  EXPECT_EQ(Scripted().questions.size(), 2u);
  EXPECT_EQ(logCount(), 13);
  EXPECT_TRUE(shown("type1step3"));
  EXPECT_FALSE(shown("type1step5"));
  for (const char* later : {"type1sp4", "type1sp5", "type1sp6", "type1sp7"}) EXPECT_FALSE(enabled(later)) << later;
  EXPECT_TRUE(enabled("type1sp3"));
  EXPECT_EQ(text("mnlM"), QStringLiteral("m="));

  // The furthest step's own button re-enters it without a question and resets its results.
  click("mnlEXE");
  EXPECT_NE(text("mnlM"), QStringLiteral("m="));
  click("type1sp3");
  EXPECT_EQ(Scripted().questions.size(), 2u);
  EXPECT_EQ(text("mnlM"), QStringLiteral("m="));
  EXPECT_TRUE(enabled("mnlEXE"));
  EXPECT_FALSE(enabled("mnlOk"));
}

TEST_F(DYWZTest, TypeStepAsksBeforeDroppingTheDesignAndKeepsPathsForTheSameType) {
  startDesign(0);
  click("Param1OK");
  Scripted().saveResults = {AppDir() + QStringLiteral("result/a.txt")};
  EXPECT_TRUE(m_frm->saveas1Click());
  Scripted().answers = {MsgAnswer::Ok};
  click("SpChose");
  EXPECT_EQ(logCount(), 0);
  EXPECT_TRUE(shown("Step1"));
  EXPECT_FALSE(shown("pnlType"));
  for (const char* step : {"type1sp1", "type1sp2"}) EXPECT_FALSE(enabled(step));

  m_frm->DesignType->setItemIndex(-1);
  click("typeok");
  EXPECT_EQ(Scripted().messages.value(0), QStringLiteral("请选择设计类型！"));

  m_frm->DesignType->setItemIndex(0);
  click("typeok");
  EXPECT_EQ(m_frm->LogPath(), AppDir() + QStringLiteral("result/a.txt"));
  click("SpChose");
  m_frm->DesignType->setItemIndex(1);
  m_frm->DesignTypeClick();
  EXPECT_TRUE(text("AboutDesignType").contains(QStringLiteral("曲柄滑块机构")));
  click("typeok");
  EXPECT_TRUE(m_frm->LogPath().isEmpty());
  EXPECT_TRUE(m_frm->RecordPath().isEmpty());
}

TEST_F(DYWZTest, CoefficientFailuresKeepTheConfirmButtonOff) {
  struct Case {
    QString o2, w2;
    QString message;
  } cases[] = {
      // φ2, ψ2 equal to the first pair: two equal rows
      {QStringLiteral("45"), QStringLiteral("50"), QStringLiteral("Gauss全选主元消去法求解线性方程组出错！")},
      // the output link turning back makes P0 negative
      {QStringLiteral("90"), QStringLiteral("20"), QStringLiteral("求解结果P0小于零/P1大于零，不符工程实际！")},
  };
  for (const Case& c : cases) {
    startDesign(0);
    type("O2", c.o2);
    type("W2", c.w2);
    click("Param1OK");
    Scripted().clear();
    click("PPPExe");
    EXPECT_EQ(Scripted().messages, QStringList{c.message});
    EXPECT_FALSE(enabled("PPPOK"));
    EXPECT_FALSE(enabled("PPPExe"));
    m_frm->hide();
    m_frm->show();
  }
}

TEST_F(DYWZTest, TextThatIsNoNumberLeavesStepAndLogButKeepsEarlierAngles) {
  startDesign(0);
  type("O1", QStringLiteral("30"));
  type("O2", QStringLiteral("abc"));
  click("Param1OK");
  ASSERT_EQ(Scripted().errors.size(), 1);
  EXPECT_TRUE(Scripted().errors[0].contains(QStringLiteral("abc")));
  EXPECT_EQ(logCount(), 0);
  EXPECT_FALSE(enabled("type1sp2"));
  EXPECT_TRUE(shown("type1step1"));
  EXPECT_EQ(m_frm->Values().O1, 30);
  EXPECT_EQ(m_frm->StepNumber(), 1);
}

TEST_F(DYWZTest, KnownLinkNeedsAChoiceAndALength) {
  fourBarToStep4();
  click("Param2Cancel");
  click("Param2OK");  // nothing chosen
  m_frm->RadioGroup1->setItemIndex(2);
  m_frm->RadioGroup1Click();
  type("GanLen", QStringLiteral("  "));
  click("Param2OK");  // chosen, but no length
  EXPECT_EQ(Scripted().messages, QStringList(2, QStringLiteral("请选择并输入已知杆的长度！")));
  EXPECT_EQ(logCount(), 17);
  EXPECT_TRUE(find<QLineEdit>("GanLen")->hasFocus() || !m_frm->isActiveWindow());
  EXPECT_FALSE(enabled("type1sp5"));
}

TEST_F(DYWZTest, NumericEditsTakeDigitsAndPointOnly) {
  QLineEdit* edit = find<QLineEdit>("O1");
  edit->clear();
  QTest::keyClicks(edit, QStringLiteral("-5"));
  EXPECT_EQ(edit->text(), QStringLiteral("5"));
  edit->clear();
  QTest::keyClicks(edit, QStringLiteral("1e3 +.5"));
  EXPECT_EQ(edit->text(), QStringLiteral("13.5"));
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(edit->text(), QStringLiteral("13."));
  QLineEdit* person = find<QLineEdit>("txtPerson");
  QTest::keyClicks(person, QStringLiteral("-a b"));
  EXPECT_EQ(person->text(), QStringLiteral("-a b"));  // not a numeric edit
}

TEST_F(DYWZTest, NewAsksToSaveAModifiedDesignAndACancelledDialogKeepsIt) {
  startDesign(0);
  click("Param1OK");
  ASSERT_TRUE(m_frm->Modified());
  Scripted().answers = {MsgAnswer::Yes};  // then the save dialog is cancelled
  EXPECT_FALSE(m_frm->newClick());
  EXPECT_EQ(Scripted().questions.at(0).text, QStringLiteral("保存设计过程吗？"));
  EXPECT_EQ(logCount(), 9);
  EXPECT_TRUE(m_frm->Modified());

  Scripted().answers = {MsgAnswer::No};
  EXPECT_TRUE(m_frm->newClick());
  EXPECT_EQ(logCount(), 0);
  EXPECT_FALSE(m_frm->Modified());
  EXPECT_FALSE(shown("pnlType"));
  EXPECT_FALSE(shown("SpChose"));
  EXPECT_FALSE(enabled("type1sp1"));
  EXPECT_EQ(m_shell.status[0], QStringLiteral("开始设计"));

  Scripted().clear();
  EXPECT_TRUE(m_frm->newClick());  // nothing changed since: no question
  EXPECT_TRUE(Scripted().questions.empty());
}

TEST_F(DYWZTest, ClosingAModifiedDesignAsksWithThreeButtons) {
  startDesign(0);
  click("Param1OK");
  Scripted().answers = {MsgAnswer::Cancel};
  m_frm->close();
  EXPECT_TRUE(m_frm->isVisible());
  EXPECT_EQ(Scripted().questions.at(0).text, QStringLiteral("设计记录已更改，保存设计吗？"));
  EXPECT_EQ(Scripted().questions.at(0).buttons, MsgButtons::YesNoCancel);

  Scripted().answers = {MsgAnswer::Yes};  // and the save dialog is cancelled: nothing is lost
  m_frm->close();
  EXPECT_TRUE(m_frm->isVisible());
  EXPECT_EQ(logCount(), 9);

  const QString path = AppDir() + QStringLiteral("result/d.txt");
  Scripted().answers = {MsgAnswer::Yes};
  Scripted().saveResults = {path};
  m_frm->close();
  EXPECT_FALSE(m_frm->isVisible());
  EXPECT_EQ(ReadTextLines(path).size(), 9);
  EXPECT_EQ(logCount(), 0);  // the hide ran new
  EXPECT_EQ(Scripted().questions.size(), 3u);  // and new asked nothing
  EXPECT_EQ(m_shell.status[0], QStringLiteral("开始设计"));

  m_frm->show();
  startDesign(0);
  click("Param1OK");
  Scripted().answers = {MsgAnswer::No};
  m_frm->close();
  EXPECT_FALSE(m_frm->isVisible());
  EXPECT_EQ(Scripted().questions.size(), 4u);
  EXPECT_TRUE(QFile::exists(path));
}

TEST_F(DYWZTest, WindowKeepsItsPositionInItsSection) {
  {
    TIniFile config(AppDir() + QStringLiteral("config.ini"));
    config.WriteInteger(QStringLiteral("dywz"), QStringLiteral("left"), 40);
    config.WriteInteger(QStringLiteral("dywz"), QStringLiteral("top"), 30);
    config.Save();
  }
  TDYWZFrm placed;
  EXPECT_EQ(placed.pos(), QPoint(40, 30));
  placed.show();
  placed.move(77, 66);
  placed.close();
  const TIniFile config(AppDir() + QStringLiteral("config.ini"));
  EXPECT_EQ(config.ReadInteger(QStringLiteral("DYWZ"), QStringLiteral("Left"), 0), placed.x());
  EXPECT_EQ(config.ReadInteger(QStringLiteral("DYWZ"), QStringLiteral("Top"), 0), placed.y());
  EXPECT_EQ(m_shell.status[0], QStringLiteral("开始设计"));
}

TEST_F(DYWZTest, NotesTabShowsThePageOfTheTypeOrSaysItIsMissing) {
  QTabBar* tabs = find<QTabBar>("TabSet1");
  tabs->setCurrentIndex(2);  // no type yet: no page, no message
  EXPECT_FALSE(shown("pnlsm"));
  EXPECT_TRUE(Scripted().messages.isEmpty());
  tabs->setCurrentIndex(0);

  startDesign(0);
  tabs->setCurrentIndex(2);
  EXPECT_EQ(Scripted().messages,
            QStringList{QStringLiteral("说明文件") + AppDir() + QStringLiteral("web/DYWZ0.htm丢失！")});
  EXPECT_FALSE(shown("pnlsm"));
  tabs->setCurrentIndex(1);
  EXPECT_EQ(m_frm->Notebook1->currentIndex(), 1);

  ASSERT_TRUE(QDir(AppDir()).mkpath(QStringLiteral("web")));
  QFile page(AppDir() + QStringLiteral("web/DYWZ0.htm"));
  ASSERT_TRUE(page.open(QIODevice::WriteOnly));
  page.write("<html><body>notes</body></html>");
  page.close();
  tabs->setCurrentIndex(2);
  EXPECT_TRUE(shown("pnlsm"));
  EXPECT_EQ(Scripted().messages.size(), 1);
}

TEST_F(DYWZTest, DefaultCrankSliderMeetsItsThreePositions) {
  startDesign(1);
  EXPECT_TRUE(shown("type2step1"));
  click("type2ok");
  EXPECT_EQ(logCount(), 8);
  EXPECT_EQ(m_frm->LogLines()[5], QStringLiteral("    位置1：φ1=60°，s1=36mm"));
  click("QQQexe");
  click("QQQok");
  EXPECT_EQ(logCount(), 12);
  click("ABEexe");
  const auto& v = m_frm->Values();
  EXPECT_NEAR(double(v.P0), 34, 1e-9);
  EXPECT_NEAR(double(v.P1), 131, 1);
  EXPECT_NEAR(double(v.P2), -571, 1);
  EXPECT_NEAR(double(v.m), 17, 1e-9);
  EXPECT_NEAR(double(v.n), 29.6, 0.05);
  EXPECT_NEAR(double(v.l), 3.85, 0.005);
  const Extended phi[] = {60, 85, 120}, s[] = {36, 28, 19};
  for (int i = 0; i < 3; ++i) {
    const Extended f = phi[i] * kPi / 180;
    const Extended loop = std::pow(s[i] - v.m * std::cos(f), 2) + std::pow(v.l - v.m * std::sin(f), 2);
    EXPECT_NEAR(double(loop), double(v.n * v.n), 1e-9);
  }
  click("type2cmp");
  EXPECT_EQ(logCount(), 16);
  EXPECT_TRUE(m_frm->ReportMenuEnabled());
  EXPECT_EQ(m_frm->StepNumber(), 4);

  Scripted().answers = {MsgAnswer::Ok};
  click("type2sp2");
  EXPECT_EQ(logCount(), 8);
  for (const char* later : {"type2sp3", "type2sp4", "type2sp5"}) EXPECT_FALSE(enabled(later)) << later;
}

TEST_F(DYWZTest, CrankSliderDoesNotDependOnTheOrderOfThePairs) {
  startDesign(1);
  type("fai1", QStringLiteral("120"));
  type("s1", QStringLiteral("19"));
  type("fai3", QStringLiteral("60"));
  type("s3", QStringLiteral("36"));
  click("type2ok");
  click("QQQexe");
  click("QQQok");
  click("ABEexe");
  EXPECT_NEAR(double(m_frm->Values().m), 17, 1e-9);
  EXPECT_NEAR(double(m_frm->Values().l), 3.85, 0.005);
}

TEST_F(DYWZTest, ReportsCarryTheRowsOfTheDesignTypeShowing) {
  fourBarToStep5();
  click("ABCDEXE");
  click("type1comp");
  m_frm->SimpleReport->trigger();
  EXPECT_EQ(Scripted().previews, QStringList{QStringLiteral("Print Preview")});
  EXPECT_EQ(m_shell.status[0], QStringLiteral("简单报表预览"));
  std::vector<ReportRow> rows = ReportTable().Rows();
  ASSERT_EQ(rows.size(), 19u);
  const QStringList names = {"φ1", "ψ1", "φ2", "ψ2", "φ3", "ψ3", "φ0", "ψ0", "P0", "P1",
                             "P2", "m", "n", "l", "已知AB杆长度", "AB杆长度", "BC杆长度", "CD杆长度", "AD杆长度"};
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].name, names[int(i)]);
    EXPECT_EQ(rows[i].unit, i < 8 ? QStringLiteral("°") : i < 14 ? QStringLiteral("无") : QStringLiteral("mm"));
  }
  EXPECT_NEAR(double(rows[8].value), double(m_frm->Values().P0), 1e-14);  // not rounded to R5
  EXPECT_NEAR(double(rows[16].value), double(m_frm->Values().lenB), 1e-12);

  m_frm->DetailReport->trigger();
  // The log, then the design check's section: the default crank-rocker's γmin is under 40°.
  const QStringList detail = ReadTextLines(AppDir() + QStringLiteral("result/Temp.~txt"));
  const QStringList log = m_frm->LogLines();
  EXPECT_EQ(detail.mid(0, log.size()), log);
  ASSERT_TRUE(m_frm->checkPage()->result().has_value());
  EXPECT_EQ(detail.mid(log.size() + 1), CheckReportLines(*m_frm->checkPage()->result()));
  const QString transmission = detail.filter(QStringLiteral("最小传动角")).value(0);
  EXPECT_TRUE(transmission.contains(QStringLiteral("12.675°")) && transmission.contains(QStringLiteral("偏小")))
      << transmission.toStdString();

  m_frm->hide();
  m_frm->show();
  startDesign(1);
  click("type2ok");
  click("QQQexe");
  click("QQQok");
  click("ABEexe");
  click("type2cmp");
  m_frm->SimpleReport->trigger();
  rows = ReportTable().Rows();
  ASSERT_EQ(rows.size(), 12u);
  EXPECT_EQ(rows[1].name, QStringLiteral("s1"));
  EXPECT_EQ(rows[1].unit, QStringLiteral("mm"));
  EXPECT_EQ(rows[11].name, QStringLiteral("e"));
  EXPECT_NEAR(double(rows[9].value), 17, 1e-9);
}

TEST_F(DYWZTest, AnalysisStepDrawsAndAnimatesUntilItsFinishLeadsToTheEnd) {
  fourBarToStep5();
  click("ABCDEXE");
  click("type1comp");
  AnalysisPanel* panel = m_frm->type1step6;
  EXPECT_EQ(find<QLineEdit>("jlsgx1")->text(), QStringLiteral("0"));  // a crank turns fully
  EXPECT_EQ(find<QLineEdit>("jlsgx2")->text(), QStringLiteral("360"));
  EXPECT_TRUE(enabled("jlsgsave"));  // the curves were drawn
  EXPECT_TRUE(panel->animation().timerActive());
  EXPECT_EQ(m_shell.status[0], QStringLiteral("运动分析"));

  Scripted().answers = {MsgAnswer::Ok};
  click("type1sp5");  // going back stops the animation
  EXPECT_FALSE(panel->animation().timerActive());
  click("ABCDEXE");
  click("type1comp");
  EXPECT_TRUE(panel->animation().timerActive());

  click("jlsgcmp");
  EXPECT_FALSE(panel->animation().timerActive());
  EXPECT_FALSE(shown("type1step6"));
  EXPECT_TRUE(enabled("type1sp7"));
  EXPECT_EQ(m_frm->StepNumber(), 7);
  EXPECT_EQ(Scripted().previews, QStringList{QStringLiteral("Print Preview")});
  EXPECT_EQ(m_shell.status[0], QStringLiteral("设计结束"));
  EXPECT_EQ(logCount(), 24);
}

}  // namespace
