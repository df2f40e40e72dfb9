// The real desktop services: message forms, Qt's standard dialogs, the desktop's "Open".
#pragma once

#include "base/desktop.h"

class QWidget;
class TMsgFrm;

class QtDesktopServices : public DesktopServices {
public:
  // The message form of ShowMsg is created once, at start-up, by the program.
  explicit QtDesktopServices(TMsgFrm* msgFrm = nullptr) : m_msgFrm(msgFrm) {}

  void ShowMsg(const QString& text) override;
  void AppMessageBox(const QString& text) override;
  MsgAnswer Question(const QString& text, MsgButtons buttons) override;
  void ShowError(const QString& text) override;
  QString GetOpenFileName(const QString& caption, const QString& dir,
                          const QString& filter) override;
  QString GetSaveFileName(const QString& caption, const QString& proposedPath,
                          const QString& filter) override;
  bool ShellOpen(const QString& path) override;
  bool StartProgram(const QString& program, const QStringList& args) override;
  void PrintPreview(const QString& caption, const std::function<void(QPrinter&)>& paint) override;

private:
  static QWidget* parent();
  TMsgFrm* m_msgFrm;
};
