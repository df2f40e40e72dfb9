// A desktop-services stand-in for tests: records every interaction and answers from scripts,
// so no test ever blocks on a modal window.
#pragma once

#include "base/desktop.h"

#include <QStringList>
#include <deque>

class ScriptedDesktop : public DesktopServices {
public:
  struct Question {
    QString text;
    MsgButtons buttons;
  };

  // Installs itself as the current instance for its lifetime.
  ScriptedDesktop();
  ~ScriptedDesktop() override;

  void ShowMsg(const QString& text) override { messages << text; }
  void AppMessageBox(const QString& text) override { boxes << text; }
  MsgAnswer Question(const QString& text, MsgButtons buttons) override;
  void ShowError(const QString& text) override { errors << text; }
  QString GetOpenFileName(const QString& caption, const QString& dir,
                          const QString& filter) override;
  QString GetSaveFileName(const QString& caption, const QString& proposedPath,
                          const QString& filter) override;
  bool ShellOpen(const QString& path) override;
  bool StartProgram(const QString& program, const QStringList& args) override;
  void PrintPreview(const QString& caption, const std::function<void(QPrinter&)>& paint) override;

  void clear();

  // What happened, in order.
  QStringList messages;   // ShowMsg
  QStringList boxes;      // AppMessageBox
  QStringList errors;     // ShowError
  std::vector<struct Question> questions;
  QStringList openDialogs, saveDialogs;  // the proposed dir/path of each dialog
  QStringList saveFilters;
  QStringList opened;                    // ShellOpen
  QStringList started;                   // StartProgram: program names
  QStringList previews;                  // PrintPreview captions

  // Scripts, consumed front first; when empty: Ok/Yes, cancelled dialogs.
  std::deque<MsgAnswer> answers;
  std::deque<QString> openResults, saveResults;
  bool shellOpenResult = true;
  bool startResult = true;
  // When set, PrintPreview paints the document into this PDF file through pdfPrinter.
  QString previewPdf;
  // Paints a document into a PDF file; the widget tests install the application's routine,
  // since the other test layers do not link Qt Print Support.
  std::function<void(const QString& path, const std::function<void(QPrinter&)>& paint)> pdfPrinter;
  // The painter of the last preview, for tests that render it themselves.
  std::function<void(QPrinter&)> lastPreview;

private:
  DesktopServices* m_previous = nullptr;
  bool m_hadPrevious = false;
};
