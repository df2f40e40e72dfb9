// Kinvora: synthesis and kinematic analysis of planar four-bar linkages.
#include "app/about_frm.h"
#include "app/application.h"
#include "app/command_line.h"
#include "app/main_frm.h"
#include "app/msg_frm.h"
#include "app/qt_desktop.h"
#include "base/appdir.h"
#include "base/desktop.h"
#include "methods/CDJSJ/cdjsj_frm.h"
#include "methods/DYWZ/dywz_frm.h"
#include "methods/HSGX/hsgx_frm.h"
#include "methods/JHTX/jhtx_frm.h"
#include "methods/JSTX/jstx_frm.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
  // An export runs with no display, so it is done before any window system is opened.
  if (const std::optional<int> status = RunCommandLine(argc, argv)) return *status;
  const QString record = RecordArgument(argc, argv);
  QApplication app(argc, argv);
  SetupApplication(app);
  UserFiles files = UserFiles::Beside;
  const QString appDir = LocateAppDir(QApplication::applicationDirPath(), files);
  SetAppDir(appDir, files);

  // The windows of the run, created once in this order and only shown and hidden after.
  TMainFrm mainFrm;
  TMsgFrm msgFrm(&mainFrm);
  QtDesktopServices desktop(&msgFrm);
  SetDesktop(&desktop);
  TDYWZFrm dywzFrm(&mainFrm);
  THSGXFrm hsgxFrm(&mainFrm);
  TJHTXFrm jhtxFrm(&mainFrm);
  TJSTXFrm jstxFrm(&mainFrm);
  TCDJSJFrm cdjsjFrm(&mainFrm);
  TAboutFrm aboutFrm(&mainFrm);
  mainFrm.RegisterDesignWindow(&dywzFrm);
  mainFrm.RegisterDesignWindow(&hsgxFrm);
  mainFrm.RegisterDesignWindow(&jhtxFrm);
  mainFrm.RegisterDesignWindow(&jstxFrm);
  mainFrm.RegisterDesignWindow(&cdjsjFrm);
  mainFrm.SetAboutBox(&aboutFrm);

  mainFrm.show();
  if (!record.isEmpty())
    QTimer::singleShot(0, &mainFrm, [&] { Guarded([&] { OpenRecordArgument(mainFrm, record); }); });
  return app.exec();
}
