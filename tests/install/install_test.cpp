// Kinvora installed into a read-only prefix: its files where desktops look for them, valid
// desktop and AppStream metadata, a program that starts from there, and a run that saves its
// design, settings and result pages in the user's folders and writes nothing into the prefix.
#include "app/main_frm.h"
#include "base/appdir.h"
#include "methods/DYWZ/dywz_frm.h"
#include "support/app_dir_fixture.h"

#include <QDateTime>
#include <QDirIterator>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <map>

namespace {

const QString kPrefix = QStringLiteral(KV_INSTALL_PREFIX);

// Every file under the prefix with its size and time, to see that nothing changed.
std::map<QString, QString> snapshot() {
  std::map<QString, QString> files;
  QDirIterator it(kPrefix, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QFileInfo info(it.next());
    files[info.filePath()] = QString::number(info.size()) + u' ' + info.lastModified().toString(Qt::ISODateWithMs);
  }
  return files;
}

class InstallTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(QFileInfo::exists(kPrefix + QStringLiteral("/bin/kinvora"))) << "the install fixture did not run";
    m_oldAppDir = AppDir();
    qputenv("XDG_CONFIG_HOME", (m_home.path() + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (m_home.path() + QStringLiteral("/data")).toUtf8());
    Scripted().clear();
  }
  void TearDown() override {
    SetAppDir(m_oldAppDir);
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
    Scripted().clear();
    Scripted().saveResults.clear();
  }
  static int run(const QString& program, const QStringList& args, QString* output = nullptr) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(60000)) return -1;
    if (output) *output = QString::fromUtf8(p.readAll());
    return p.exitCode();
  }
  QTemporaryDir m_home;
  QString m_oldAppDir;
};

TEST_F(InstallTest, FilesAreWhereDesktopsLookForThem) {
  for (const char* file : {"bin/kinvora", "share/kinvora/data/data.db", "share/kinvora/web/css/style.css",
                           "share/kinvora/web/DYWZ0.htm", "share/kinvora/images/DYWZ/PPP1.bmp",
                           "share/kinvora/help/help.html", "share/applications/kinvora.desktop",
                           "share/metainfo/org.kinvora.Kinvora.metainfo.xml",
                           "share/icons/hicolor/scalable/apps/kinvora.svg",
                           "share/icons/hicolor/48x48/apps/kinvora.png", "share/icons/hicolor/256x256/apps/kinvora.png"})
    EXPECT_TRUE(QFileInfo::exists(kPrefix + u'/' + QString::fromLatin1(file))) << file;
  EXPECT_EQ(QImage(kPrefix + QStringLiteral("/share/icons/hicolor/48x48/apps/kinvora.png")).size(), QSize(48, 48));
  EXPECT_FALSE(QFileInfo::exists(kPrefix + QStringLiteral("/share/kinvora/result")));
  EXPECT_FALSE(QFileInfo::exists(kPrefix + QStringLiteral("/share/kinvora/config.ini")));
}

TEST_F(InstallTest, DesktopEntryIsValid) {
  const QString tool = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
  if (tool.isEmpty()) GTEST_SKIP() << "desktop-file-validate is not installed (package desktop-file-utils)";
  QString output;
  EXPECT_EQ(run(tool, {kPrefix + QStringLiteral("/share/applications/kinvora.desktop")}, &output), 0)
      << output.toStdString();
}

TEST_F(InstallTest, AppStreamMetadataIsValid) {
  const QString tool = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
  if (tool.isEmpty()) GTEST_SKIP() << "appstreamcli is not installed (package appstream)";
  QString output;
  EXPECT_EQ(run(tool, {QStringLiteral("validate"), QStringLiteral("--no-net"),
                       kPrefix + QStringLiteral("/share/metainfo/org.kinvora.Kinvora.metainfo.xml")},
                &output),
            0)
      << output.toStdString();
}

TEST_F(InstallTest, ProgramStartsFromThePrefixAndWritesNothingThere) {
  const auto before = snapshot();
  QProcess program;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("HOME"), m_home.path());
  program.setProcessEnvironment(env);
  program.setProcessChannelMode(QProcess::MergedChannels);
  program.start(kPrefix + QStringLiteral("/bin/kinvora"), {});
  ASSERT_TRUE(program.waitForStarted());
  // Still running after its start-up (the main window shown) means it found its data.
  EXPECT_FALSE(program.waitForFinished(3000)) << program.readAll().toStdString();
  program.kill();
  program.waitForFinished();
  EXPECT_EQ(snapshot(), before);
}

TEST_F(InstallTest, ARunSavesInTheUsersFolders) {
  const auto before = snapshot();
  UserFiles files = UserFiles::Beside;
  const QString appDir = LocateAppDir(kPrefix + QStringLiteral("/bin"), files);
  SetAppDir(appDir, files);
  ASSERT_EQ(AppDir(), kPrefix + QStringLiteral("/share/kinvora/"));
  RecordingShell shell;
  SetShell(&shell);
  {
    TMainFrm mainFrm;
    TDYWZFrm frm(&mainFrm);
    mainFrm.RegisterDesignWindow(&frm);
    mainFrm.show();
    frm.show();
    frm.SpStartClick();
    frm.txtPerson->setText(QStringLiteral("王五"));
    frm.DesignOkClick();
    frm.DesignType->setItemIndex(0);
    frm.typeokClick();
    frm.findChild<QPushButton*>(QStringLiteral("Param1OK"))->click();
    // "保存" of a new design asks for a name in the user's result folder.
    const QString result = m_home.path() + QStringLiteral("/data/kinvora/result/");
    Scripted().saveResults = {result + QStringLiteral("设计.txt")};
    EXPECT_TRUE(frm.saveClick());
    EXPECT_EQ(Scripted().saveDialogs.value(0).left(result.size()), result);
    EXPECT_TRUE(QFileInfo::exists(result + QStringLiteral("设计.txt")));
    EXPECT_TRUE(QFileInfo::exists(result + QStringLiteral("设计.des")));
    frm.close();
    mainFrm.close();
  }
  SetShell(nullptr);
  EXPECT_TRUE(QFileInfo::exists(m_home.path() + QStringLiteral("/config/kinvora/config.ini")));
  EXPECT_EQ(snapshot(), before);
}

}  // namespace
