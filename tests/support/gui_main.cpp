// Test main for the non-widget layers: a GUI application (fonts, images) on the offscreen
// platform, with a scripted desktop installed for the whole run.
#include "support/scripted_desktop.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  ScriptedDesktop desktop;
  return RUN_ALL_TESTS();
}
