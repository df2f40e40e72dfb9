#include "base/appdir.h"

#include "base/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString g_appDir;
UserFiles g_files = UserFiles::Beside;

// ~/.local/share/kinvora/ or ~/.config/kinvora/ (the XDG folders where they are set).
QString userFolder(QStandardPaths::StandardLocation location) {
  return QStandardPaths::writableLocation(location) + QStringLiteral("/kinvora/");
}

void makeFolder(const QString& folder) {
  if (!QDir().mkpath(folder)) throw EFileError(QStringLiteral("无法创建文件夹") + folder);
}

// The result pages link to ../web/css/style.css and ../web/images/: give the user's data folder
// copies of them, renewed when the installation's are newer.
void mirrorPageFiles(const QString& userDir) {
  for (const QString& sub : {QStringLiteral("web/css/"), QStringLiteral("web/images/")}) {
    const QDir source(g_appDir + sub);
    if (!source.exists()) continue;
    if (!QDir().mkpath(userDir + sub)) continue;  // the pages then show without it
    for (const QFileInfo& file : source.entryInfoList(QDir::Files)) {
      const QString target = userDir + sub + file.fileName();
      const QFileInfo existing(target);
      if (existing.exists() && existing.lastModified() >= file.lastModified()) continue;
      QFile::remove(target);
      QFile::copy(file.filePath(), target);
    }
  }
}

}  // namespace

const QString& AppDir() { return g_appDir; }

void SetAppDir(const QString& dir, UserFiles files) {
  g_appDir = dir;
  if (!g_appDir.isEmpty() && !g_appDir.endsWith(u'/')) g_appDir += u'/';
  g_files = files;
}

QString LocateAppDir(const QString& exeDir, UserFiles& files) {
  const QDir exe(exeDir);
  const QString installed = exe.absoluteFilePath(QStringLiteral("../share/kinvora"));
  if (!QFileInfo::exists(exe.filePath(QStringLiteral("web"))) && QFileInfo::exists(installed + QStringLiteral("/web"))) {
    files = UserFiles::UserFolders;
    return QDir::cleanPath(installed);
  }
  files = QFileInfo(exeDir).isWritable() ? UserFiles::Beside : UserFiles::UserFolders;
  return exeDir;
}

QString ConfigPath() {
  if (g_files == UserFiles::Beside) return g_appDir + QStringLiteral("config.ini");
  const QString folder = userFolder(QStandardPaths::GenericConfigLocation);
  QDir().mkpath(folder);  // a folder that cannot be made leaves the settings at their defaults
  return folder + QStringLiteral("config.ini");
}

QString ResultDir() {
  if (g_files == UserFiles::Beside) return g_appDir + QStringLiteral("result/");
  const QString userDir = userFolder(QStandardPaths::GenericDataLocation);
  if (QDir().mkpath(userDir + QStringLiteral("result/"))) mirrorPageFiles(userDir);
  return userDir + QStringLiteral("result/");
}

QString EnsureResultDir() {
  const QString folder = ResultDir();
  makeFolder(folder);
  return folder;
}
