// The analysis panel: the step limits of its table and curves, linkages without curves or
// tables, the result folder, and the saved curve picture.
#include "analysis/analysis_panel.h"
#include "base/errors.h"
#include "link/animation.h"
#include "link/kinematics.h"
#include "support/app_dir_fixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

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

std::vector<AnalysisPanelConfig> AllPanels() {
  return {AnalysisPanelConfig::CorrespondingFourBar(),     AnalysisPanelConfig::CorrespondingCrankSlider(),
          AnalysisPanelConfig::FunctionGeneration(),       AnalysisPanelConfig::QuickReturnCrankRocker(),
          AnalysisPanelConfig::QuickReturnCrankSlider(),   AnalysisPanelConfig::QuickReturnGuideBar(),
          AnalysisPanelConfig::DwellCrankRocker(),         AnalysisPanelConfig::DwellCrankSlider(),
          AnalysisPanelConfig::TransmissionCrankRocker1(), AnalysisPanelConfig::TransmissionCrankRocker2(),
          AnalysisPanelConfig::TransmissionCrankSlider()};
}

TEST_F(AnalysisPanelTest, EachPanelCarriesTheNamesOfItsControls) {
  for (const AnalysisPanelConfig& c : AllPanels()) {
    AnalysisPanel panel(c);
    EXPECT_EQ(panel.objectName(), c.page);
    for (const QString& name : {c.x1, c.x2, c.step, c.omega, c.draw, c.save, c.output, c.finish, c.start,
                                c.pause, c.trackBar, c.curvePicture, c.animationPicture})
      EXPECT_NE(panel.findChild<QWidget*>(name), nullptr) << c.page.toStdString() << " " << name.toStdString();
    EXPECT_NE(panel.findChild<MechanismAnimation*>(c.timer), nullptr) << c.page.toStdString();
    EXPECT_EQ(panel.lenBEEdit != nullptr, c.hasCouplerPoint()) << c.page.toStdString();
    if (c.hasCouplerPoint()) {
      EXPECT_EQ(panel.lenBEEdit->objectName(), c.lenBE);
      EXPECT_EQ(panel.deltaEdit->objectName(), c.delta);
    }
  }
}

// How the panels of the five windows differ, observed through their commands.
struct PanelRow {
  const char* name;
  AnalysisPanelConfig (*config)();
  LinkageKind kind;
  const char* proposedFile;
  bool resetsInterval, drawChecksSpeed, outputChecksSpeed, truncates;
};

void PrintTo(const PanelRow& row, std::ostream* os) { *os << row.name; }

Linkage Example(LinkageKind kind) {
  switch (kind) {
    case LinkageKind::FourBarByKind:
    case LinkageKind::CrankRocker: return Linkage::FourBar(kind, 30, 100, 80, 110);
    case LinkageKind::CrankSlider: return Linkage::CrankSlider(17, 29.572, 3.847);
    case LinkageKind::GuideBar: return Linkage::GuideBar(40, 100);
  }
  return {};
}

class AnalysisPanelRowTest : public AppDirTest, public ::testing::WithParamInterface<PanelRow> {
protected:
  void SetUp() override {
    AppDirTest::SetUp();
    m_panel = std::make_unique<AnalysisPanel>(GetParam().config());
    m_panel->setLinkage(Example(GetParam().kind));
    m_panel->show();
  }
  void TearDown() override {
    m_panel.reset();
    AppDirTest::TearDown();
  }
  QString tablePath() const { return AppDir() + QStringLiteral("result/temp.htm"); }
  std::unique_ptr<AnalysisPanel> m_panel;
};

TEST_P(AnalysisPanelRowTest, ProposesItsCurveFile) {
  m_panel->saveClick();
  EXPECT_EQ(Scripted().saveDialogs,
            QStringList{AppDir() + QStringLiteral("result/") + QString::fromUtf8(GetParam().proposedFile)});
  EXPECT_EQ(Scripted().saveFilters, QStringList{QStringLiteral("*.bmp;;*.jpg")});
}

TEST_P(AnalysisPanelRowTest, StartKeepsOrForgetsTheTrackBarSpeed) {
  m_panel->trackBar->setValue(1);
  ASSERT_EQ(m_panel->animation().interval(), 100);
  m_panel->startClick();
  EXPECT_EQ(m_panel->animation().interval(), GetParam().resetsInterval ? 10 : 100);
  m_panel->stopTimer();
}

TEST_P(AnalysisPanelRowTest, ZeroSpeedIsRefusedWhereChecked) {
  m_panel->omegaEdit->setText(QStringLiteral("0"));
  m_panel->drawClick();
  EXPECT_EQ(m_panel->saveButton->isEnabled(), !GetParam().drawChecksSpeed);
  Scripted().clear();
  m_panel->outputClick();
  EXPECT_EQ(Scripted().messages.contains(QStringLiteral("角速度不能为零！")), GetParam().outputChecksSpeed);
  EXPECT_EQ(QFile::exists(tablePath()), !GetParam().outputChecksSpeed);
}

TEST_P(AnalysisPanelRowTest, StepLimitRoundsOrTruncates) {
  m_panel->x2Edit->setText(QStringLiteral("360.06"));  // 3600.6 steps of 0.1°
  m_panel->stepEdit->setText(QStringLiteral("0.1"));
  m_panel->outputClick();
  EXPECT_EQ(QFile::exists(tablePath()), GetParam().truncates);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Panels, AnalysisPanelRowTest, ::testing::Values(
  //       name            config                                         linkage                     proposed file          resets draw   output trunc
  PanelRow{"DYWZFourBar",  &AnalysisPanelConfig::CorrespondingFourBar,     LinkageKind::FourBarByKind, "运动分析曲线.bmp", true,  true,  true,  false},
  PanelRow{"DYWZSlider",   &AnalysisPanelConfig::CorrespondingCrankSlider, LinkageKind::CrankSlider,   "运动分析曲线.bmp", true,  true,  true,  false},
  PanelRow{"HSGX",         &AnalysisPanelConfig::FunctionGeneration,       LinkageKind::FourBarByKind, "运动分析曲线.bmp", true,  true,  false, false},
  PanelRow{"JHTXRocker",   &AnalysisPanelConfig::QuickReturnCrankRocker,   LinkageKind::CrankRocker,   "运动分析曲线.bmp", true,  true,  true,  false},
  PanelRow{"JHTXSlider",   &AnalysisPanelConfig::QuickReturnCrankSlider,   LinkageKind::CrankSlider,   "运动分析曲线.bmp", true,  true,  true,  false},
  PanelRow{"JHTXGuideBar", &AnalysisPanelConfig::QuickReturnGuideBar,      LinkageKind::GuideBar,      "运动分析曲线.bmp", true,  true,  true,  false},
  PanelRow{"JSTXRocker",   &AnalysisPanelConfig::DwellCrankRocker,         LinkageKind::CrankRocker,   "temp.bmp",         false, true,  true,  true},
  PanelRow{"JSTXSlider",   &AnalysisPanelConfig::DwellCrankSlider,         LinkageKind::CrankSlider,   "运动分析曲线.bmp", false, true,  true,  true},
  PanelRow{"CDJSJRocker1", &AnalysisPanelConfig::TransmissionCrankRocker1, LinkageKind::CrankRocker,   "temp.bmp",         false, false, true,  false},
  PanelRow{"CDJSJRocker2", &AnalysisPanelConfig::TransmissionCrankRocker2, LinkageKind::CrankRocker,   "temp.bmp",         false, false, true,  false},
  PanelRow{"CDJSJSlider",  &AnalysisPanelConfig::TransmissionCrankSlider,  LinkageKind::CrankSlider,   "temp.bmp",         false, false, true,  false}),
  [](const ::testing::TestParamInfo<PanelRow>& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(AnalysisPanelTest, TableRowsFollowTheEditsInDegrees) {
  m_panel->outputClick();  // 0° to 360° by 3°
  QFile file(tablePath());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray page = file.readAll();
  EXPECT_TRUE(page.contains("<tr><td>0</td><td>0.000</td>"));
  EXPECT_TRUE(page.contains("<tr><td>120</td><td>360.000</td>"));
  EXPECT_FALSE(page.contains("<tr><td>121</td>"));
}

// Regression: the coupler-point edits were read only after the checks.
TEST_F(AnalysisPanelTest, TextThatIsNotANumberFailsBeforeAnyCheck) {
  m_panel->omegaEdit->setText(QStringLiteral("0"));
  m_panel->lenBEEdit->setText(QStringLiteral("5O"));
  EXPECT_THROW(m_panel->outputClick(), EConvertError);
  EXPECT_TRUE(Scripted().messages.isEmpty());
}

// Records whether the output button was enabled when the table was opened.
class OpenWatch : public ScriptedDesktop {
public:
  explicit OpenWatch(QPushButton* button) : m_button(button) {}
  bool ShellOpen(const QString& path) override {
    enabledAtOpen = m_button->isEnabled();
    return ScriptedDesktop::ShellOpen(path);
  }
  bool enabledAtOpen = false;

private:
  QPushButton* m_button;
};

TEST_F(AnalysisPanelTest, OutputButtonIsDisabledWhileWriting) {
  OpenWatch watch(m_panel->outputButton);
  m_panel->outputClick();
  ASSERT_EQ(watch.opened.size(), 1);
  EXPECT_FALSE(watch.enabledAtOpen);
  EXPECT_TRUE(m_panel->outputButton->isEnabled());
}

// The second crank-rocker of the transmission-angle window moves no focus, keeps its output
// button enabled, and says "输出数据失败！" only when the design holds no solution.
TEST_F(AnalysisPanelTest, SecondTransmissionCrankRockerIsQuiet) {
  AnalysisPanel panel(AnalysisPanelConfig::TransmissionCrankRocker2());
  panel.show();
  panel.finishButton->setFocus();
  panel.outputClick();
  EXPECT_EQ(Scripted().messages, QStringList{QStringLiteral("输出数据失败！")});

  panel.setLinkage(Linkage::FourBar(LinkageKind::CrankRocker, 0.308169L, 0.532088L, 0.901027L, 1));
  Scripted().clear();
  Scripted().answers = {MsgAnswer::No};
  panel.stepEdit->setText(QStringLiteral("0.05"));
  panel.drawClick();
  panel.outputClick();  // 7200 steps: refused
  EXPECT_EQ(Scripted().messages,
            QStringList{QStringLiteral("有必要输出这么多点吗？请减小输出角范围或增大步长值！")});
  EXPECT_EQ(panel.window()->focusWidget(), panel.finishButton);

  panel.stepEdit->setText(QStringLiteral("3"));
  {
    OpenWatch watch(panel.outputButton);
    panel.outputClick();
    EXPECT_EQ(watch.opened, QStringList{tablePath()});
    EXPECT_TRUE(watch.enabledAtOpen);
  }
  ASSERT_TRUE(QDir(AppDir() + QStringLiteral("result")).removeRecursively());
  Scripted().clear();
  panel.outputClick();  // the failed write goes unreported
  EXPECT_TRUE(Scripted().messages.isEmpty());
  EXPECT_TRUE(Scripted().opened.isEmpty());
}

// The transmission-angle crank-slider comes as ratios to the stroke: its figure and table
// show a stroke of 100 mm.
TEST_F(AnalysisPanelTest, RatiosToTheStrokeAreShownAtAStrokeOf100) {
  const Linkage ratios = Linkage::CrankSlider(0.17L, 0.29572L, 0.03847L);
  const Linkage millimetres = Linkage::CrankSlider(17, 29.572L, 3.847L);
  AnalysisPanel scaled(AnalysisPanelConfig::TransmissionCrankSlider());
  AnalysisPanel plain(AnalysisPanelConfig::CorrespondingCrankSlider());
  scaled.setLinkage(ratios);
  plain.setLinkage(millimetres);

  scaled.animation().tick();
  plain.animation().tick();
  EXPECT_TRUE(scaled.animation().frame() == plain.animation().frame());

  auto table = [this](AnalysisPanel& panel) {
    panel.outputClick();
    QFile file(tablePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  const QByteArray page = table(plain);
  EXPECT_FALSE(page.isEmpty());
  EXPECT_TRUE(table(scaled) == page) << "the table is not the one of the lengths in mm";
}

}  // namespace
