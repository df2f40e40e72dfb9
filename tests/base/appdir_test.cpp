// Where the program's data and the user's files are: beside the program in a writable tree,
// the data under <prefix>/share/kinvora and the user's files in the user's folders when installed.
#include "base/appdir.h"

#include "base/errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void touch(const QString& path) {
  QDir().mkpath(path.left(path.lastIndexOf(u'/')));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("x");
}

class AppDirRuleTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_oldAppDir = AppDir();
    qputenv("XDG_CONFIG_HOME", (m_home.path() + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (m_home.path() + QStringLiteral("/data")).toUtf8());
  }
  void TearDown() override {
    SetAppDir(m_oldAppDir);
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
  }
  QTemporaryDir m_home, m_tree;
  QString m_oldAppDir;
};

TEST_F(AppDirRuleTest, BuildTreeKeepsEverythingBesideTheProgram) {
  touch(m_tree.filePath(QStringLiteral("web/css/style.css")));
  UserFiles files = UserFiles::UserFolders;
  EXPECT_EQ(LocateAppDir(m_tree.path(), files), m_tree.path());
  EXPECT_EQ(files, UserFiles::Beside);
  SetAppDir(m_tree.path(), files);
  EXPECT_EQ(ConfigPath(), m_tree.path() + QStringLiteral("/config.ini"));
  EXPECT_EQ(ResultDir(), m_tree.path() + QStringLiteral("/result/"));
  EXPECT_FALSE(QDir(ResultDir()).exists());  // named only: a command that needs it makes it
  EXPECT_EQ(EnsureResultDir(), m_tree.path() + QStringLiteral("/result/"));
  EXPECT_TRUE(QDir(ResultDir()).exists());
}

TEST_F(AppDirRuleTest, InstalledTreeReadsItsShareFolderAndWritesTheUsersFolders) {
  const QString prefix = m_tree.path();
  touch(prefix + QStringLiteral("/bin/kinvora"));
  touch(prefix + QStringLiteral("/share/kinvora/web/css/style.css"));
  touch(prefix + QStringLiteral("/share/kinvora/web/images/jlsg.gif"));
  UserFiles files = UserFiles::Beside;
  const QString appDir = LocateAppDir(prefix + QStringLiteral("/bin"), files);
  EXPECT_EQ(appDir, prefix + QStringLiteral("/share/kinvora"));
  EXPECT_EQ(files, UserFiles::UserFolders);  // even where the prefix is writable, as for root
  SetAppDir(appDir, files);
  EXPECT_EQ(AppDir(), prefix + QStringLiteral("/share/kinvora/"));
  EXPECT_EQ(ConfigPath(), m_home.path() + QStringLiteral("/config/kinvora/config.ini"));
  EXPECT_TRUE(QDir(m_home.path() + QStringLiteral("/config/kinvora")).exists());
  const QString result = ResultDir();
  EXPECT_EQ(result, m_home.path() + QStringLiteral("/data/kinvora/result/"));
  EXPECT_TRUE(QDir(result).exists());
  // The result pages' links to ../web/ find the style sheet and the sketch.
  EXPECT_TRUE(QFile::exists(result + QStringLiteral("../web/css/style.css")));
  EXPECT_TRUE(QFile::exists(result + QStringLiteral("../web/images/jlsg.gif")));
  EXPECT_FALSE(QDir(prefix + QStringLiteral("/share/kinvora/result")).exists());
}

TEST_F(AppDirRuleTest, UnwritableFolderBesideTheProgramUsesTheUsersFolders) {
  // Root writes anywhere, so the rule's other input is checked where the folder does not exist.
  UserFiles files = UserFiles::Beside;
  EXPECT_EQ(LocateAppDir(m_tree.path() + QStringLiteral("/missing"), files), m_tree.path() + QStringLiteral("/missing"));
  EXPECT_EQ(files, UserFiles::UserFolders);
}

}  // namespace
