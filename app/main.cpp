// Kinvora: synthesis and kinematic analysis of planar four-bar linkages.
#include "app/about_frm.h"
#include "app/application.h"
#include "app/main_frm.h"
#include "app/msg_frm.h"
#include "app/qt_desktop.h"
#include "base/appdir.h"
#include "methods/CDJSJ/cdjsj_frm.h"
#include "methods/DYWZ/dywz_frm.h"
#include "methods/HSGX/hsgx_frm.h"
#include "methods/JHTX/jhtx_frm.h"
#include "methods/JSTX/jstx_frm.h"

#include <QApplication>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  SetupApplication(app);
  UserFiles files = UserFiles::Beside;
  const QString appDir = LocateAppDir(QApplication::applicationDirPath(), files);
  SetAppDir(appDir, files);

  // The main window and the message form now; every other window when it is first opened.
  TMainFrm mainFrm;
  TMsgFrm msgFrm(&mainFrm);
  QtDesktopServices desktop(&msgFrm);
  SetDesktop(&desktop);
  auto* shell = &mainFrm;
  mainFrm.RegisterDesignWindow(QStringLiteral("DYWZ"), [shell] { return new TDYWZFrm(shell); });
  mainFrm.RegisterDesignWindow(QStringLiteral("HSGX"), [shell] { return new THSGXFrm(shell); });
  mainFrm.RegisterDesignWindow(QStringLiteral("JHTX"), [shell] { return new TJHTXFrm(shell); });
  mainFrm.RegisterDesignWindow(QStringLiteral("JSTX"), [shell] { return new TJSTXFrm(shell); });
  mainFrm.RegisterDesignWindow(QStringLiteral("CDJSJ"), [shell] { return new TCDJSJFrm(shell); });
  mainFrm.SetAboutBox([shell] { return new TAboutFrm(shell); });

  mainFrm.show();
  return app.exec();
}
