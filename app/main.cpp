// Kinvora: synthesis and kinematic analysis of planar four-bar linkages.
#include "app/application.h"
#include "app/command_line.h"
#include "app/session.h"
#include "base/appdir.h"
#include "base/desktop.h"

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

  KinvoraSession session;
  TMainFrm& mainFrm = session.mainWindow();
  mainFrm.show();
  if (!record.isEmpty())
    QTimer::singleShot(0, &mainFrm, [&] { Guarded([&] { OpenRecordArgument(mainFrm, record); }); });
  return app.exec();
}
