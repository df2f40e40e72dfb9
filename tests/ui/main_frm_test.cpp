// The main window's settings, help and helper programs, the message form and the about box.
#include "app/about_frm.h"
#include "app/main_frm.h"
#include "app/msg_frm.h"
#include "base/inifile.h"
#include "support/app_dir_fixture.h"

#include <QAction>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

class MainFrmTest : public AppDirTest {
protected:
  void TearDown() override {
    SetShell(nullptr);
    AppDirTest::TearDown();
  }
  void writeConfig(const QByteArray& text) {
    QFile file(AppDir() + QStringLiteral("config.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  TIniFile config() const { return TIniFile(AppDir() + QStringLiteral("config.ini")); }
};

TEST_F(MainFrmTest, FirstStartShowsToolBarAndNavigatorButNoStatusBar) {
  TMainFrm frm;
  frm.show();
  EXPECT_TRUE(frm.ToolBar1->isVisible());
  EXPECT_TRUE(frm.pnlleft->isVisible());
  EXPECT_FALSE(frm.StatusBar1->isVisible());
  EXPECT_EQ(frm.pnlleft->width(), 185);
  EXPECT_EQ(frm.StatusText(0), QStringLiteral("就绪"));
  EXPECT_FALSE(frm.mnuNavigator->isEnabled());
  frm.close();
  const TIniFile ini = config();
  EXPECT_EQ(ini.ReadString(QStringLiteral("MAIN"), QStringLiteral("Toolbar1"), {}), QStringLiteral("0"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("MAIN"), QStringLiteral("Statusbar"), {}), QStringLiteral("1"));
  EXPECT_EQ(ini.ReadString(QStringLiteral("MAIN"), QStringLiteral("Navigator"), {}), QStringLiteral("0"));
  EXPECT_EQ(ini.ReadInteger(QStringLiteral("MAIN"), QStringLiteral("LeftWidth"), 0), 185);
  EXPECT_TRUE(ini.ValueExists(QStringLiteral("MAIN"), QStringLiteral("Left")));
}

TEST_F(MainFrmTest, StoredSwitchesAreReadWhateverTheCaseOfTheSection) {
  writeConfig("[main]\r\ntoolbar1=1\r\nStatusbar=0\r\nleftwidth=200\r\n");
  TMainFrm frm;
  frm.show();
  EXPECT_FALSE(frm.ToolBar1->isVisible());
  EXPECT_TRUE(frm.StatusBar1->isVisible());
  EXPECT_EQ(frm.StatusText(0), QStringLiteral("就绪"));
  EXPECT_EQ(frm.pnlleft->width(), 200);
  frm.close();
  EXPECT_EQ(config().Sections().size(), 1);  // "main" and "MAIN" are one section
  EXPECT_EQ(config().ReadInteger(QStringLiteral("Main"), QStringLiteral("Toolbar1"), -1), 1);
}

TEST_F(MainFrmTest, NavigatorWidthStaysBetween65And320) {
  const std::pair<const char*, int> cases[] = {{"500", 320}, {"10", 65}, {"64", 65}, {"65", 65}, {"320", 320}, {"x", 185}};
  for (const auto& [stored, width] : cases) {
    writeConfig(QByteArray("[MAIN]\r\nLeftWidth=") + stored + "\r\n");
    TMainFrm frm;
    EXPECT_EQ(frm.pnlleft->width(), width) << stored;
  }
}

TEST_F(MainFrmTest, HelpOpensThePageOrSaysItIsMissing) {
  TMainFrm frm;
  frm.btnHelpClick();
  EXPECT_EQ(Scripted().messages, QStringList{QStringLiteral("系统找不到相应的帮助文件！")});
  ASSERT_TRUE(QDir(AppDir()).mkpath(QStringLiteral("help")));
  QFile page(AppDir() + QStringLiteral("help/help.html"));
  ASSERT_TRUE(page.open(QIODevice::WriteOnly));
  page.close();
  frm.RunHelp();  // what the design windows call
  EXPECT_EQ(Scripted().opened, QStringList{page.fileName()});
  Scripted().shellOpenResult = false;  // no browser: said, not silent
  frm.RunHelp();
  Scripted().shellOpenResult = true;
  EXPECT_EQ(Scripted().messages.size(), 2);
}

TEST_F(MainFrmTest, HelperProgramsAreStartedOrTheirAbsenceIsSaid) {
  TMainFrm frm;
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", "/nonexistent");
  qunsetenv("VISUAL");
  frm.CalculatorClick();
  frm.NotepadClick();
  qputenv("PATH", path);
  EXPECT_EQ(Scripted().messages.size(), 2);
  EXPECT_TRUE(Scripted().started.isEmpty());
}

TEST_F(MainFrmTest, MessageFormIsAtLeast215WideAndCentresItsControls) {
  TMsgFrm msg;
  EXPECT_EQ(msg.Label1->text(), QStringLiteral("请选择设计类型"));
  EXPECT_EQ(msg.Button1->text(), QStringLiteral("确  定"));
  msg.Prepare(QStringLiteral("短"));
  EXPECT_EQ(msg.width(), 215);
  EXPECT_EQ(msg.Button1->x(), (215 - 75 + 1) / 2);  // 70, rounded from 70
  EXPECT_NEAR(msg.Label1->x() * 2 + msg.Label1->width(), 215, 1);

  // A text whose label is wider than 215 pixels widens the form by 50.
  QString text = QStringLiteral("求解结果P0小于零/P1大于零，不符工程实际！");
  while (QFontMetrics(msg.Label1->font()).horizontalAdvance(text) <= 215) text += text;
  msg.Prepare(text);
  EXPECT_GT(msg.Label1->width(), 215);
  EXPECT_EQ(msg.width(), msg.Label1->width() + 50);
  EXPECT_NEAR(msg.Button1->x() * 2 + 75, msg.width(), 1);
  EXPECT_EQ(msg.Label1->text(), text);
}

TEST_F(MainFrmTest, AboutBoxTakesItsPictureFromTheImagesFolder) {
  TAboutFrm about;
  EXPECT_EQ(about.size(), QSize(566, 354));
  const QImage drawn = about.Picture->pixmap().toImage();
  ASSERT_TRUE(QDir(AppDir()).mkpath(QStringLiteral("images")));
  QImage replacement(240, 350, QImage::Format_RGB32);
  replacement.fill(Qt::red);
  ASSERT_TRUE(replacement.save(AppDir() + QStringLiteral("images/关于.bmp"), "BMP"));
  QTimer::singleShot(0, &about, &QDialog::accept);
  about.ShowModal();
  EXPECT_NE(about.Picture->pixmap().toImage(), drawn);
  EXPECT_EQ(about.Picture->pixmap().toImage().pixel(10, 10), QColor(Qt::red).rgb());
}

TEST_F(MainFrmTest, MethodsWithoutAWindowAreGreyedOut) {
  TMainFrm frm;
  class Window : public DesignWindow {
  public:
    QString MethodKey() const override { return QStringLiteral("JHTX"); }
    void LoadDesignRecord(const QString&) override {}
    int ShowModal() override { return ++shows; }
    int shows = 0;
  } jhtx;
  frm.RegisterDesignWindow(&jhtx);
  for (QAction* item : frm.pmDesign->actions())
    EXPECT_EQ(item->isEnabled(), item->text() == QStringLiteral("按从动件的急回特性设计")) << item->text().toStdString();
  frm.OpenMethod(3);
  frm.OpenMethod(1);  // not registered: nothing
  EXPECT_EQ(jhtx.shows, 1);
}

}  // namespace
