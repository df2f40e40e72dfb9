#include "design/design_frm.h"

#include "analysis/analysis_panel.h"
#include "widgets/fonts.h"
#include "base/appdir.h"
#include "base/desktop.h"
#include "base/errors.h"
#include "base/inifile.h"
#include "design/check_page.h"
#include "design/design_log.h"
#include "design/design_record.h"
#include "base/numfmt.h"
#include "base/textfile.h"
#include "design/reports.h"
#include "link/animation.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <cstdio>

namespace {
const QString kTextFilter = QStringLiteral("文本文件(*.txt)");
}  // namespace

TDesignFrm::TDesignFrm(QString key, const QString& caption, QString configSection, const WizardPolicy& policy,
                       QWidget* parent)
    : QDialog(parent),
      m_policy(policy),
      m_key(std::move(key)),
      m_configSection(std::move(configSection)),
      m_method(m_key),
      m_numericFilter(new NumericKeyFilter(this)) {
  setObjectName(QStringLiteral("T%1Frm").arg(m_key));
  setFont(SongTi(12));
  buildFrame(caption);

  // FormCreate: the position of the last run.
  const TIniFile config(ConfigPath());
  move(config.ReadInteger(m_configSection, QStringLiteral("Left"), 231),
       config.ReadInteger(m_configSection, QStringLiteral("Top"), 148));
}

TDesignFrm::~TDesignFrm() = default;

// --- The log ---

QStringList TDesignFrm::LogLines() const { return DesignLog(Memo1).Lines(); }
void TDesignFrm::SetLogLines(const QStringList& lines) { DesignLog(Memo1).SetLines(lines); }
void TDesignFrm::AppendLog(const QString& line) { DesignLog(Memo1).Append(line); }
void TDesignFrm::CutLog(int kept) { DesignLog(Memo1).Cut(kept); }

void TDesignFrm::AppendLog(const QStringList& lines) {
  for (const QString& line : lines) AppendLog(line);
}

void TDesignFrm::WriteLogHeader(const QString& typeSuffix, const HeaderSpacing& spacing) {
  SetLogLines(LogHeaderLines(pnlType->text() + typeSuffix, {m_person, m_department, m_date, m_time}, spacing));
}

void TDesignFrm::WriteInformationLines() { SetLogLines(InformationLines({m_person, m_department, m_date, m_time})); }

void TDesignFrm::LoadPicture(PictureBox* image, const QString& file) const { image->LoadFile(PicturePath(file)); }

void TDesignFrm::SetModified(bool modified) {
  saveButton->setEnabled(modified);
  Save1->setEnabled(modified);
}

bool TDesignFrm::Modified() const { return saveButton->isEnabled(); }

QString TDesignFrm::PicturePath(const QString& file) const {
  if (file.contains(u'/')) return AppDir() + QStringLiteral("images/") + file;
  return AppDir() + QStringLiteral("images/") + m_key + u'/' + file;
}

// --- new, notes, reports ---

bool TDesignFrm::newClick() {
  StopTimers();
  if (Modified() &&
      Desktop().Question(QStringLiteral("保存设计过程吗？"), MsgButtons::YesNo) == MsgAnswer::Yes &&
      !saveClick())
    return false;  // the user cancelled the save dialog: keep the design
  m_typeStepButton->hide();
  if (!pnlType->text().isEmpty())
    for (QToolButton* button : StepButtons()) button->setEnabled(false);
  m_method = m_key;
  pnlType->clear();
  pnlType->hide();
  SetLogLines({});
  ClearDesignCheck();
  HideDesignSpace();
  for (WizardType& t : m_types) {
    t.buttonPanel->hide();
    for (QWidget* panel : t.sharedPanels) panel->hide();
  }
  SetModified(false);
  m_logPath.clear();
  m_recordPath.clear();
  Notebook1->setCurrentIndex(0);
  TabSet1->setCurrentIndex(0);
  EnableReports(false);
  if (m_policy.newSetsStatus) SetStatus(0, QStringLiteral("开始设计"));
  return true;
}

void TDesignFrm::TabSet1Change(int index) {
  Notebook1->setCurrentIndex(index);
  if (index != 2) return;
  pnlsm->show();
  const QString page = NotesPage();
  if (page.isEmpty()) {
    pnlsm->hide();
    return;
  }
  const QString path = AppDir() + QStringLiteral("web/") + page;
  if (!QFileInfo::exists(path)) {
    pnlsm->hide();
    if (m_policy.notesMissingMessage) ShowMsg(QStringLiteral("说明文件") + path + QStringLiteral("丢失！"));
    return;
  }
  wbsjsm->clear();
  wbsjsm->setSource(QUrl::fromLocalFile(path));
  wbsjsm->reload();
}

QString TDesignFrm::NotesPage() const {
  return m_designType >= 0 && m_designType < TypeCount() ? m_types[m_designType].notesPage : QString();
}

ReportHeader TDesignFrm::reportHeader() const { return {m_department, m_person, m_date}; }

void TDesignFrm::SimpleReportClick() {
  StopTimers();  // no animation draws behind the preview
  const auto& check = m_checkPage->result();
  RunSimpleReport(reportHeader(), ReportRows(), check ? CheckSummaryLine(*check) : QString());
}

void TDesignFrm::DetailReportClick() {
  QStringList lines = LogLines();
  if (const auto& check = m_checkPage->result()) lines << QString() << CheckReportLines(*check);
  RunDetailReport(reportHeader(), lines);
}

void TDesignFrm::PExitClick() { close(); }

void TDesignFrm::MHelpClick() {
  if (Shell()) Shell()->RunHelp();
}

void TDesignFrm::MAboutClick() {
  if (Shell()) Shell()->RunAbout();
}

// --- Records ---

QString TDesignFrm::ensureResultFolder() const { return EnsureResultDir(); }

QString TDesignFrm::ProposedFileName() const {
  return windowTitle() + u'_' + pnlType->text() + QStringLiteral(".txt");
}

RecordHeader TDesignFrm::recordHeader() const {
  return {m_method, m_person, m_department, m_date, m_time, m_step, m_designType};
}

bool TDesignFrm::saveClick() {
  if (m_logPath.isEmpty()) return saveas1Click();
  SaveDesignPair(m_logPath, LogLines(), recordHeader(), RecordFieldsOf());
  SetModified(false);
  return true;
}

bool TDesignFrm::saveas1Click() {
  const QString folder = ensureResultFolder();
  QString path = Desktop().GetSaveFileName(QStringLiteral("另存为"), folder + ProposedFileName(),
                                           kTextFilter);
  if (path.isEmpty()) return false;
  // A log always ends in ".txt": a name like "a.des" would make the log its own record.
  if (!path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive)) path += QStringLiteral(".txt");
  m_logPath = path;
  m_recordPath = RecordPathOf(path);
  m_dialogFileName = path;
  SetModified(true);
  return saveClick();
}

void TDesignFrm::N6Click() {
  const QString folder = ensureResultFolder();
  // Before any save or open the dialog opens in result/, never in the working folder.
  const QString proposed = m_dialogFileName.isEmpty() ? folder + ProposedFileName() : m_dialogFileName;
  QString path = Desktop().GetSaveFileName(QStringLiteral("文本输出"), proposed, kTextFilter);
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".txt");
  m_dialogFileName = path;
  WriteTextLines(path, LogLines());
}

void TDesignFrm::openClick() {
  const QString folder = ensureResultFolder();
  const QString path = Desktop().GetOpenFileName(QStringLiteral("打开"), folder, kTextFilter);
  if (!path.isEmpty()) LoadDesignRecord(path);
}

void TDesignFrm::LoadDesignRecord(const QString& txtPath) {
  if (!newClick()) return;
  // The paths are taken only once the pair has been read, so a later save can never write
  // over a log the user tried to open (a missing record, an unreadable log, a record chosen
  // as its own log).
  const QString recordPath = RecordPathOf(txtPath);
  if (!QFileInfo::exists(recordPath) || QFileInfo(recordPath) == QFileInfo(txtPath)) {
    ShowMsg(QStringLiteral("保存的设计过程已经丢失，无法打开！"));
    return;
  }
  SetLogLines(ReadTextLines(txtPath));
  m_logPath = txtPath;
  m_recordPath = recordPath;
  SetModified(false);
  m_dialogFileName = txtPath;

  const DesignRecordReader record(m_recordPath);
  const RecordHeader header = record.Header();
  if (header.method != m_key) {
    // Another method's record: its own window takes it over once this one has let it go.
    if (isVisible())
      close();  // its hide runs new
    else
      newClick();  // a window that was never shown must not keep another method's log
    if (Shell()) Shell()->OpenRecordLater(header.method, txtPath);
    return;
  }
  m_method = header.method;
  m_person = header.person;
  m_department = header.department;
  m_date = header.date;
  m_time = header.time;
  m_step = header.step;
  m_designType = header.type;
  record.Read(RecordFieldsOf());
  OnRecordRead();

  const int resume = ResumeStep();
  // A type the window does not have can only come from a hand-edited file: show the log only.
  if (resume > 0 && m_designType >= 0 && m_designType < TypeCount() && !m_types[m_designType].steps.empty())
    resumeType(resume);
  OnResumed();
}

// --- Window events ---

int TDesignFrm::ShowModal() { return exec(); }

void TDesignFrm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  SetModified(false);
  if (Shell()) move(Shell()->MainWindowPos());
}

void TDesignFrm::closeEvent(QCloseEvent* event) {
  if (Modified()) {
    bool keepOpen = false;
    const bool asked = Guarded([&] {
      switch (Desktop().Question(QStringLiteral("设计记录已更改，保存设计吗？"),
                                 MsgButtons::YesNoCancel)) {
        case MsgAnswer::Cancel: keepOpen = true; break;
        case MsgAnswer::Yes: keepOpen = !saveClick(); break;  // a cancelled save keeps the design
        default: break;
      }
    });
    if (keepOpen || !asked) {  // a failed save keeps the window and the design too
      event->ignore();
      return;
    }
  }
  // FormClose: the position for the next run.
  Guarded([this] {
    TIniFile config(ConfigPath());
    config.WriteInteger(m_configSection, QStringLiteral("Left"), x());
    config.WriteInteger(m_configSection, QStringLiteral("Top"), y());
    config.Save();
  });
  SetModified(false);
  SetStatus(0, QStringLiteral("就绪"));
  event->accept();
  QDialog::reject();  // ends a modal run and hides the window
}

void TDesignFrm::reject() { close(); }

void TDesignFrm::keyPressEvent(QKeyEvent* event) {
  // Enter in an edit confirms nothing (a dialog would press its default button): only a
  // focused button takes it, as a click.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled()) button->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TDesignFrm::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  if (!event->spontaneous()) Guarded([this] { newClick(); });
}