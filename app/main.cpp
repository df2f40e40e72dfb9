// Kinvora: synthesis and kinematic analysis of planar four-bar linkages.
#include "app/application.h"
#include "app/main_frm.h"
#include "app/qt_desktop.h"
#include "base/appdir.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  SetupApplication(app);
  SetAppDir(QApplication::applicationDirPath());
  QtDesktopServices desktop;
  SetDesktop(&desktop);

  TMainFrm mainFrm;
  mainFrm.show();
  return app.exec();
}
