// The analysis panel: the step limits of its table and curves, linkages without curves or
// tables, the result folder, and the saved curve picture.
#include "analysis/analysis_panel.h"
#include "base/errors.h"
#include "link/kinematics.h"
#include "support/app_dir_fixture.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

class AnalysisPanelTest : public AppDirTest {
protected:
  void SetUp() override {
    AppDirTest::SetUp();
    m_panel = std::make_unique<AnalysisPanel>(AnalysisPanelConfig::CorrespondingFourBar());
    m_panel->setLinkage(kCrankRocker);
    m_panel->show();
  }
  void TearDown() override {
    m_panel.reset();
    AppDirTest::TearDown();
  }
  QWidget* focused() const { return m_panel->window()->focusWidget(); }
  QString tablePath() const { return AppDir() + QStringLiteral("result/temp.htm"); }

  const Linkage kCrankRocker = Linkage::FourBar(LinkageKind::FourBarByKind, 30, 100, 80, 110);
  std::unique_ptr<AnalysisPanel> m_panel;
};

TEST_F(AnalysisPanelTest, TableHoldsAtMost3601Rows) {
  struct Case {
    const char* step;
    bool written;
  } cases[] = {{"0.1", true}, {"0.09", false}};
  for (const Case& c : cases) {
    Scripted().clear();
    QFile::remove(tablePath());
    m_panel->stepEdit->setText(QString::fromLatin1(c.step));
    m_panel->outputClick();
    EXPECT_EQ(QFile::exists(tablePath()), c.written) << c.step;
    EXPECT_EQ(Scripted().opened, c.written ? QStringList{tablePath()} : QStringList{}) << c.step;
    if (!c.written) {
      EXPECT_EQ(Scripted().messages,
                QStringList{QStringLiteral("有必要输出这么多点吗？请减小输出角范围或增大步长值！")});
      EXPECT_EQ(focused(), m_panel->stepEdit);
    }
    EXPECT_TRUE(m_panel->outputButton->isEnabled());
  }
}

TEST_F(AnalysisPanelTest, ZeroSpeedIsRefusedByBothCommands) {
  m_panel->omegaEdit->setText(QStringLiteral("0"));
  m_panel->drawClick();
  m_panel->outputClick();
  EXPECT_EQ(Scripted().messages, QStringList(2, QStringLiteral("角速度不能为零！")));
  EXPECT_EQ(focused(), m_panel->omegaEdit);
  EXPECT_FALSE(m_panel->saveButton->isEnabled());
}

TEST_F(AnalysisPanelTest, SmallStepAsksAndNoKeepsTheOldPicture) {
  m_panel->drawClick();
  const QImage drawn = m_panel->curves();
  EXPECT_TRUE(m_panel->saveButton->isEnabled());
  m_panel->x2Edit->setText(QStringLiteral("180"));
  m_panel->stepEdit->setText(QStringLiteral("0.05"));
  Scripted().answers = {MsgAnswer::No};
  m_panel->drawClick();
  ASSERT_EQ(Scripted().questions.size(), 1u);
  EXPECT_EQ(Scripted().questions[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(m_panel->curves(), drawn);
  EXPECT_EQ(focused(), m_panel->stepEdit);
  Scripted().answers = {MsgAnswer::Yes};
  m_panel->drawClick();
  EXPECT_NE(m_panel->curves(), drawn);
}

TEST_F(AnalysisPanelTest, FailedPlotIsReportedAndDisablesSaving) {
  m_panel->drawClick();
  ASSERT_TRUE(m_panel->saveButton->isEnabled());
  m_panel->x2Edit->setText(QStringLiteral("0"));  // an empty range
  m_panel->drawClick();
  EXPECT_EQ(Scripted().messages, QStringList{QStringLiteral("绘制曲线图出错！")});
  EXPECT_FALSE(m_panel->saveButton->isEnabled());
  EXPECT_TRUE(m_panel->drawButton->isEnabled());

  // The crank-slider panel lets the failure reach the error box.
  AnalysisPanel slider(AnalysisPanelConfig::CorrespondingCrankSlider());
  slider.setLinkage(Linkage::CrankSlider(17, 29.572, 3.847));
  slider.x2Edit->setText(QStringLiteral("0"));
  EXPECT_THROW(slider.drawClick(), KvError);
}

TEST_F(AnalysisPanelTest, DoubleCrankHasNoCurvesTableOrAnimation) {
  const Linkage doubleCrank = Linkage::FourBar(LinkageKind::FourBarByKind, 60, 80, 70, 30);
  ASSERT_EQ(ClassifyFourBar(false, 60, 80, 70, 30), 11);
  m_panel->setLinkage(doubleCrank);
  m_panel->drawClick();
  m_panel->outputClick();
  m_panel->startClick();
  m_panel->animation().tick();
  EXPECT_EQ(Scripted().messages,
            (QStringList{QStringLiteral("暂无该类型机构的运动曲线绘制程序！"),
                         QStringLiteral("对不起，还没有该类型机构的运动分析程序！"),
                         QStringLiteral("暂无该类型的机构运动分析模块！"), QStringLiteral("该机构是双曲柄机构")}));
  EXPECT_FALSE(m_panel->animation().timerActive());
  EXPECT_FALSE(QFile::exists(tablePath()));
  EXPECT_TRUE(Scripted().opened.isEmpty());
}

TEST_F(AnalysisPanelTest, ParallelogramIsAnimatedButHasNeitherCurvesNorTable) {
  m_panel->setLinkage(Linkage::FourBar(LinkageKind::FourBarByKind, 40, 100, 40, 100));
  ASSERT_EQ(ClassifyFourBar(false, 40, 100, 40, 100), 110);
  m_panel->drawClick();
  m_panel->outputClick();
  EXPECT_EQ(Scripted().messages.size(), 2);
  EXPECT_FALSE(QFile::exists(tablePath()));
  m_panel->startClick();
  const QImage before = m_panel->animation().frame();
  m_panel->animation().tick();
  EXPECT_NE(m_panel->animation().frame(), before);
  EXPECT_TRUE(m_panel->animation().timerActive());
  EXPECT_EQ(m_panel->startButton->text(), QStringLiteral("停止"));
  EXPECT_TRUE(m_panel->pauseButton->isEnabled());
  m_panel->stopTimer();
}

TEST_F(AnalysisPanelTest, MissingResultFolderFailsTheTableButNotTheSavedPicture) {
  ASSERT_TRUE(QDir(AppDir() + QStringLiteral("result")).removeRecursively());
  m_panel->outputClick();
  EXPECT_EQ(Scripted().messages, QStringList{QStringLiteral("输出数据失败！")});
  EXPECT_TRUE(Scripted().opened.isEmpty());

  m_panel->drawClick();
  const QString jpg = AppDir() + QStringLiteral("result/curves.jpg");
  Scripted().saveResults = {jpg, AppDir() + QStringLiteral("result/curves")};
  m_panel->saveClick();
  EXPECT_EQ(Scripted().saveDialogs, QStringList{AppDir() + QStringLiteral("result/运动分析曲线.bmp")});
  QFile file(jpg);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.read(3).startsWith("\xFF\xD8\xFF"));  // JPEG, as the name says
  m_panel->saveClick();
  QFile bmp(AppDir() + QStringLiteral("result/curves.bmp"));
  ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
  EXPECT_EQ(bmp.read(2), QByteArray("BM"));
  EXPECT_EQ(QImage(bmp.fileName()).size(), QSize(425, 402));
}

TEST_F(AnalysisPanelTest, EachPanelCarriesTheNamesOfItsControls) {
  for (const AnalysisPanelConfig& c :
       {AnalysisPanelConfig::CorrespondingFourBar(), AnalysisPanelConfig::CorrespondingCrankSlider()}) {
    AnalysisPanel panel(c);
    EXPECT_EQ(panel.objectName(), c.page);
    for (const QString& name : {c.x1, c.x2, c.step, c.omega, c.draw, c.save, c.output, c.finish, c.start,
                                c.pause, c.trackBar, c.curvePicture, c.animationPicture})
      EXPECT_NE(panel.findChild<QWidget*>(name), nullptr) << name.toStdString();
    EXPECT_EQ(panel.lenBEEdit != nullptr, c.hasCouplerPoint());
  }
}

}  // namespace
