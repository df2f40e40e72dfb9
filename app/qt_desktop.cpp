#include "app/qt_desktop.h"

#include "app/msg_frm.h"
#include "app/print_preview.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

QWidget* QtDesktopServices::parent() { return QApplication::activeWindow(); }

void QtDesktopServices::ShowMsg(const QString& text) {
  if (m_msgFrm)
    m_msgFrm->ShowMsg(text);
  else
    QMessageBox::information(parent(), QApplication::applicationDisplayName(), text);
}

void QtDesktopServices::AppMessageBox(const QString& text) {
  QMessageBox::information(parent(), QApplication::applicationDisplayName(), text);
}

MsgAnswer QtDesktopServices::Question(const QString& text, MsgButtons buttons) {
  QMessageBox::StandardButtons set;
  switch (buttons) {
    case MsgButtons::Ok: set = QMessageBox::Ok; break;
    case MsgButtons::OkCancel: set = QMessageBox::Ok | QMessageBox::Cancel; break;
    case MsgButtons::YesNo: set = QMessageBox::Yes | QMessageBox::No; break;
    case MsgButtons::YesNoCancel:
      set = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
      break;
  }
  switch (QMessageBox::question(parent(), QStringLiteral("提示"), text, set)) {
    case QMessageBox::Ok: return MsgAnswer::Ok;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    default: return MsgAnswer::Cancel;
  }
}

void QtDesktopServices::ShowError(const QString& text) {
  QMessageBox::critical(parent(), QApplication::applicationDisplayName(), text);
}

QString QtDesktopServices::GetOpenFileName(const QString& caption, const QString& dir,
                                           const QString& filter) {
  return QFileDialog::getOpenFileName(parent(), caption, dir, filter);
}

QString QtDesktopServices::GetSaveFileName(const QString& caption, const QString& proposedPath,
                                           const QString& filter) {
  return QFileDialog::getSaveFileName(parent(), caption, proposedPath, filter);
}

bool QtDesktopServices::ShellOpen(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtDesktopServices::StartProgram(const QString& program, const QStringList& args) {
  return QProcess::startDetached(program, args);
}

void QtDesktopServices::PrintPreview(const QString& caption,
                                     const std::function<void(QPrinter&)>& paint) {
  PrintPreviewWindow window(caption, paint, parent());
  window.exec();
}
