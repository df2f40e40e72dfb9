#include "base/appdir.h"

namespace {
QString g_appDir;
}

const QString& AppDir() { return g_appDir; }

void SetAppDir(const QString& dir) {
  g_appDir = dir;
  if (!g_appDir.isEmpty() && !g_appDir.endsWith(u'/')) g_appDir += u'/';
}
