// Kinvora: synthesis and kinematic analysis of planar four-bar linkages.
#include "app/application.h"
#include "app/session.h"
#include "base/appdir.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  SetupApplication(app);
  UserFiles files = UserFiles::Beside;
  const QString appDir = LocateAppDir(QApplication::applicationDirPath(), files);
  SetAppDir(appDir, files);

  KinvoraSession session;
  session.mainWindow().show();
  return app.exec();
}
