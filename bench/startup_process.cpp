// The program's start as a whole process, for timing from outside against bare_window: main()'s
// own start-up, then the process ends as soon as the main window has been shown and painted.
#include "app/application.h"
#include "app/session.h"
#include "base/appdir.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  SetupApplication(app);
  UserFiles files = UserFiles::Beside;
  SetAppDir(LocateAppDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../kinvora"), files), files);
  KinvoraSession session;
  session.mainWindow().show();
  QTimer::singleShot(0, &app, &QCoreApplication::quit);
  return app.exec();
}
