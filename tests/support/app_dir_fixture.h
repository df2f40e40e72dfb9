// A test fixture for the windows: a temporary AppDir with the content database and result/,
// a status bar that records what the windows write, and a cleared scripted desktop.
#pragma once

#include "base/appdir.h"
#include "base/desktop.h"
#include "design/shell.h"
#include "support/scripted_desktop.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

inline ScriptedDesktop& Scripted() { return dynamic_cast<ScriptedDesktop&>(Desktop()); }

class RecordingShell : public ShellServices {
public:
  void SetStatusText(int panel, const QString& text) override { status[panel] = text; }
  void RunHelp() override { ++helpRuns; }
  void RunAbout() override { ++aboutRuns; }
  QPoint MainWindowPos() const override { return {}; }
  void OpenRecordLater(const QString& method, const QString& txtPath) override { handedOn << method << txtPath; }
  std::map<int, QString> status;
  QStringList handedOn;  // method, path, …
  int helpRuns = 0, aboutRuns = 0;
};

class AppDirTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    m_oldAppDir = AppDir();
    SetAppDir(m_dir.path());
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("data")));
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("result")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(KV_TEST_APPDIR "data/data.db"),
                            AppDir() + QStringLiteral("data/data.db")));
    Scripted().clear();
    SetShell(&m_shell);
  }
  void TearDown() override {
    SetShell(nullptr);
    SetAppDir(m_oldAppDir);
    Scripted().previewPdf.clear();
    Scripted().answers.clear();
    Scripted().saveResults.clear();
    Scripted().openResults.clear();
    Scripted().clear();
  }

  QTemporaryDir m_dir;
  QString m_oldAppDir;
  RecordingShell m_shell;
};
