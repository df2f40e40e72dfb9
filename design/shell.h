// What the design windows and the application shell (the main window) need of each other.
// The main window implements ShellServices; each design window implements DesignWindow.
#pragma once

#include <QPoint>
#include <QString>

class ShellServices {
public:
  virtual ~ShellServices() = default;
  // Status bar panel 0 (activity), 1 (designer), 2 (department).
  virtual void SetStatusText(int panel, const QString& text) = 0;
  virtual void RunHelp() = 0;   // the main window's help command
  virtual void RunAbout() = 0;  // the main window's about command
  virtual QPoint MainWindowPos() const = 0;  // where a design window is shown
  // A design window met a record of another method: the shell opens it in that method's
  // window once the calling window has let go of it.
  virtual void OpenRecordLater(const QString& method, const QString& txtPath) = 0;
};

ShellServices* Shell();                 // may be null (no main window yet, some tests)
void SetShell(ShellServices* shell);    // not owned
void SetStatusText(int panel, const QString& text);  // does nothing without a shell

class DesignWindow {
public:
  virtual ~DesignWindow() = default;
  virtual QString MethodKey() const = 0;  // "DYWZ", "HSGX", "JHTX", "JSTX" or "CDJSJ"
  // Restores the window from a saved pair (the .txt log and the .des beside it), or hands
  // the pair to the main window when it belongs to another method.
  virtual void LoadDesignRecord(const QString& txtPath) = 0;
  virtual int ShowModal() = 0;  // returns when the window closes
};
