// Test main for the windows: a widgets application on the offscreen platform, with the
// application's fonts and a scripted desktop installed for the whole run.
#include "app/application.h"
#include "app/print_preview.h"
#include "support/scripted_desktop.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  SetupApplication(app);
  ::testing::InitGoogleTest(&argc, argv);
  ScriptedDesktop desktop;
  desktop.pdfPrinter = &PrintToPdf;
  return RUN_ALL_TESTS();
}
