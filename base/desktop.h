// Every modal interaction of the program goes through one interface: notices, questions,
// the default error box, file dialogs, shell "Open", starting programs and print preview.
// The application installs the real one; tests install a scripted one.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QPrinter;
class KvError;

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

class DesktopServices {
public:
  virtual ~DesktopServices() = default;

  // The one-line modal notice with the single button "确  定".
  virtual void ShowMsg(const QString& text) = 0;
  // The platform's message box with the application's title and an OK button.
  virtual void AppMessageBox(const QString& text) = 0;
  // A standard question box titled "提示".
  virtual MsgAnswer Question(const QString& text, MsgButtons buttons) = 0;
  // The application's default error box for a failure that ended a command.
  virtual void ShowError(const QString& text) = 0;

  // Standard dialogs; an empty result means the user cancelled.
  virtual QString GetOpenFileName(const QString& caption, const QString& dir,
                                  const QString& filter) = 0;
  virtual QString GetSaveFileName(const QString& caption, const QString& proposedPath,
                                  const QString& filter) = 0;

  // The desktop's "Open" for a file; false when nothing could open it.
  virtual bool ShellOpen(const QString& path) = 0;
  // Starts a program detached; false when it could not be started.
  virtual bool StartProgram(const QString& program, const QStringList& args) = 0;

  // Print preview of a document painted by `paint` on the printer it is given.
  virtual void PrintPreview(const QString& caption, const std::function<void(QPrinter&)>& paint) = 0;
};

DesktopServices& Desktop();            // the current instance (asserts one is installed)
void SetDesktop(DesktopServices* services);  // not owned
bool HasDesktop();

inline void ShowMsg(const QString& text) { Desktop().ShowMsg(text); }

// Runs one command: a KvError that ends it is shown in the default error box and goes no
// further, so nothing propagates into the event loop. Returns false when it failed.
bool Guarded(const std::function<void()>& command);
