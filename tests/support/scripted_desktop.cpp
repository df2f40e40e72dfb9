#include "support/scripted_desktop.h"

ScriptedDesktop::ScriptedDesktop() {
  m_hadPrevious = HasDesktop();
  if (m_hadPrevious) m_previous = &Desktop();
  SetDesktop(this);
}

ScriptedDesktop::~ScriptedDesktop() { SetDesktop(m_hadPrevious ? m_previous : nullptr); }

MsgAnswer ScriptedDesktop::Question(const QString& text, MsgButtons buttons) {
  questions.push_back({text, buttons});
  if (answers.empty()) return buttons == MsgButtons::OkCancel || buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Yes;
  const MsgAnswer a = answers.front();
  answers.pop_front();
  return a;
}

QString ScriptedDesktop::GetOpenFileName(const QString&, const QString& dir, const QString&) {
  openDialogs << dir;
  if (openResults.empty()) return {};
  const QString r = openResults.front();
  openResults.pop_front();
  return r;
}

QString ScriptedDesktop::GetSaveFileName(const QString&, const QString& proposedPath,
                                         const QString& filter) {
  saveDialogs << proposedPath;
  saveFilters << filter;
  if (saveResults.empty()) return {};
  const QString r = saveResults.front();
  saveResults.pop_front();
  return r;
}

bool ScriptedDesktop::ShellOpen(const QString& path) {
  opened << path;
  return shellOpenResult;
}

bool ScriptedDesktop::StartProgram(const QString& program, const QStringList&) {
  started << program;
  return startResult;
}

void ScriptedDesktop::PrintPreview(const QString& caption,
                                   const std::function<void(QPrinter&)>& paint) {
  previews << caption;
  lastPreview = paint;
  if (!previewPdf.isEmpty() && pdfPrinter) pdfPrinter(previewPdf, paint);
}

void ScriptedDesktop::clear() {
  messages.clear();
  boxes.clear();
  errors.clear();
  questions.clear();
  openDialogs.clear();
  saveDialogs.clear();
  saveFilters.clear();
  opened.clear();
  started.clear();
  previews.clear();
  lastPreview = nullptr;
}
