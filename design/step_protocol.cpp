// The step-button protocol of the wizard: the information and type steps, entering, running
// and finishing steps, backtracking, timers, the report menu and the resume of a record.
#include "design/design_frm.h"

#include "analysis/analysis_panel.h"
#include "widgets/fonts.h"
#include "base/appdir.h"
#include "base/desktop.h"
#include "base/errors.h"
#include "base/inifile.h"
#include "base/numfmt.h"
#include "base/textfile.h"
#include "design/check_page.h"
#include "design/reports.h"
#include "link/animation.h"

#include <QCloseEvent>
#include <cfenv>
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

// --- Information and type steps ---

namespace {

// The long time format without a time-zone name: a log reads "23:21:08", not "23:21:08 UTC".
QString timeText(const QTime& time) {
  QString format = QLocale::system().timeFormat(QLocale::LongFormat);
  format.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b\\s*")));
  return QLocale::system().toString(time, format.trimmed());
}

}  // namespace

void TDesignFrm::SpStartClick() {
  if (!newClick()) return;
  RightPnl->show();
  Step0->show();
  for (WizardType& t : m_types) t.rightPanel->hide();
  const QDateTime now = QDateTime::currentDateTime();
  txtDate->setText(QLocale::system().toString(now.date(), QLocale::ShortFormat));
  txtTime->setText(timeText(now.time()));
  txtPerson->setFocus();
  SetStatus(0, QStringLiteral("输入设计信息"));
}

void TDesignFrm::DesignOkClick() {
  m_person = txtPerson->text().trimmed();
  m_department = txtDepartment->text().trimmed();
  m_date = txtDate->text().trimmed();
  m_time = txtTime->text().trimmed();
  if (m_policy.earlyHeader) WriteInformationLines();
  m_typeStepButton->show();
  m_typeStepButton->setEnabled(true);
  TypeStepClick();
  SetStatus(1, QStringLiteral("设计者：") + m_person);
  SetStatus(2, QStringLiteral("单位：") + m_department);
}

void TDesignFrm::DesignCancelClick() {
  for (QLineEdit* edit : {txtPerson, txtDepartment, txtDate, txtTime}) edit->clear();
  if (m_policy.earlyHeader) SetLogLines({});
  Step0->hide();
  SetStatus(1, QStringLiteral("设计者：") + txtPerson->text());
  SetStatus(2, QStringLiteral("单位：") + txtDepartment->text());
  SetStatus(0, QStringLiteral("就绪"));
}

bool TDesignFrm::AskBacktrack() {
  return Desktop().Question(QStringLiteral("确实要回溯设计吗？"), MsgButtons::OkCancel) == MsgAnswer::Ok;
}

void TDesignFrm::SpChoseClick() {
  if (!pnlType->isHidden()) {
    if (!AskBacktrack()) return;
    for (QToolButton* button : StepButtons()) button->setEnabled(false);
    if (!m_policy.earlyHeader) SetLogLines({});  // the early header's lines stay, cut below
  }
  StopTimers();
  hideAllGroups();
  for (WizardType& t : m_types) {
    t.rightPanel->hide();
    t.buttonPanel->hide();
    for (QWidget* panel : t.sharedPanels) panel->hide();
  }
  if (m_policy.earlyHeader) {
    // Every step button off and only the design information left in the log.
    for (const WizardType& t : m_types)
      for (const WizardStep& step : t.steps) step.button->setEnabled(false);
    CutLog(3);
  }
  RightPnl->show();
  if (Step1) Step1->show();
  pnlType->hide();
  SetStatus(0, QStringLiteral("选择设计类型"));
}

void TDesignFrm::DesignTypeClick() {
  const int index = DesignType->itemIndex();
  AboutDesignType->setText(index >= 0 ? m_types[index].explanation : QString());
}

void TDesignFrm::typecancelClick() {
  switch (m_policy.typeCancel) {
    case WizardPolicy::TypeCancel::Clear:
      DesignType->setItemIndex(-1);
      AboutDesignType->clear();
      break;
    case WizardPolicy::TypeCancel::Restart:
      DesignType->setItemIndex(-1);
      AboutDesignType->clear();
      SpStartClick();
      break;
    case WizardPolicy::TypeCancel::BackToInformation:
      hideAllGroups();
      RightPnl->show();
      Step0->show();
      m_typeStepButton->hide();
      m_typeStepButton->setEnabled(false);
      CutLog(3);
      break;
  }
}

// The type's step-button panels and right panel, none of the other types'.
void TDesignFrm::showTypePanels(const WizardType& type) {
  std::vector<QWidget*> shown = type.sharedPanels;
  shown.push_back(type.buttonPanel);
  for (WizardType& t : m_types) {
    for (QWidget* panel : t.sharedPanels) panel->setVisible(std::count(shown.begin(), shown.end(), panel) > 0);
    t.buttonPanel->setVisible(&t == &type);
    t.rightPanel->setVisible(&t == &type);
  }
}

void TDesignFrm::typeokClick() {
  const int index = DesignType->itemIndex();
  if (index < 0) {
    ShowMsg(QStringLiteral("请选择设计类型！"));
    return;
  }
  ConfirmType(index);
}

void TDesignFrm::ConfirmType(int index, bool runFirst) {
  ClearDesignCheck();
  m_designType = index;
  WizardType& type = m_types[index];
  pnlType->setText(type.label);
  pnlType->show();
  // Another type than last time is another design: the next save asks for a name.
  if (type.label != pnlType->toolTip()) {
    m_logPath.clear();
    m_recordPath.clear();
  }
  pnlType->setToolTip(type.label);
  if (m_policy.earlyHeader) AppendLog(QStringLiteral("    类型：") + type.label);
  showTypePanels(type);
  if (type.hideUnreached)
    for (WizardStep& step : type.steps) step.button->hide();
  RightPnl->hide();
  if (type.preamble) {
    ShowOnlyGroup(type.preamble);
    return;
  }
  if (runFirst && !type.steps.empty()) RunStep(index, 0);
}

// --- The step-button protocol ---

void TDesignFrm::stepClicked(int type, int k) {
  if (EnterStep(type, k)) OnStepEntered(type, k);
}

std::vector<QToolButton*> TDesignFrm::StepButtons() const {
  std::vector<QToolButton*> buttons;
  if (m_designType >= 0 && m_designType < TypeCount())
    for (const WizardStep& step : m_types[m_designType].steps) buttons.push_back(step.button);
  return buttons;
}

bool TDesignFrm::EnterStep(int type, int k) {
  WizardType& t = m_types[type];
  WizardStep& step = t.steps[k];
  const bool returning = k + 1 < int(t.steps.size()) && t.steps[k + 1].button->isEnabled();
  if (returning) {
    if (!AskBacktrack()) return false;
    for (size_t j = k + 1; j < t.steps.size(); ++j) t.steps[j].button->setEnabled(false);
    if (step.keptLines >= 0) CutLog(step.keptLines);
  }
  if (!step.stops)
    StopTimers();
  else
    for (MechanismAnimation* animation : *step.stops) animation->stopTimer();
  for (const WizardStep::Picture& picture : step.pictures) LoadPicture(picture.image, picture.file);
  if (step.group)
    ShowOnlyGroup(step.group);
  else
    hideAllGroups();
  if (step.calc) step.calc->setEnabled(true);
  if (step.confirm) step.confirm->setEnabled(false);
  for (const auto& [label, caption] : step.results) label->setText(caption);
  // Reports are what the end step is for; every earlier step switches them off.
  EnableReports(step.end);
  if (step.firstEdit && TabSet1->currentIndex() == 0) step.firstEdit->setFocus();
  if (!step.status.isEmpty()) SetStatus(0, step.status);
  if (m_policy.numbering == WizardPolicy::Numbering::OnEntry && step.number) m_step = *step.number;
  if (k < t.checkFromStep)
    ClearDesignCheck();
  else
    refreshDesignCheck();
  return true;
}

void TDesignFrm::refreshDesignCheck() {
  // The check simulates a linkage the user's numbers made: whatever it meets there stays out of
  // the command's own floating-point flags, and a check that cannot run leaves the tab empty.
  std::fenv_t env;
  std::feholdexcept(&env);
  std::optional<DesignCheckResult> check;
  try {
    check = DesignCheckOf();
  } catch (const std::exception&) {
    check.reset();
  }
  std::fesetenv(&env);
  if (check)
    ShowDesignCheck(*check);
  else
    ClearDesignCheck();
}

void TDesignFrm::OnStepEntered(int, int) {}

void TDesignFrm::RunStep(int type, int k) {
  const WizardStep& step = m_types[type].steps[k];
  if (m_policy.numbering == WizardPolicy::Numbering::OnRun && step.number) m_step = *step.number;
  QToolButton* button = step.button;
  button->show();
  button->setEnabled(true);
  stepClicked(type, k);
}

void TDesignFrm::FinishAnalysis(int type, bool run) {
  StopTimers();
  hideAllGroups();
  OnAnalysisFinished(type);
  OfferEnd(type);
  if (run) RunStep(type, int(m_types[type].steps.size()) - 1);
}

void TDesignFrm::OfferEnd(int type) {
  const WizardStep& end = m_types[type].steps.back();
  if (end.number) m_step = *end.number;
  end.button->show();
  end.button->setEnabled(true);
}

void TDesignFrm::EndStep() {
  StopTimers();
  SimpleReportClick();
  SetStatus(0, QStringLiteral("设计结束"));
}

void TDesignFrm::StopTimers() {
  for (MechanismAnimation* animation : m_animations) animation->stopTimer();
}

void TDesignFrm::EnableReports(bool enabled) {
  O4->setEnabled(enabled);
  O4->menuAction()->setEnabled(enabled);
}

bool TDesignFrm::ReportMenuEnabled() const { return O4->menuAction()->isEnabled(); }

void TDesignFrm::hideAllGroups() {
  // Every group of the design space, whether a step shows it or the window shows it itself.
  for (QWidget* panel : Notebook1->widget(0)->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    for (QWidget* group : panel->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) group->hide();
}

void TDesignFrm::ShowOnlyGroup(QWidget* group) {
  hideAllGroups();
  if (!group) return;
  QWidget* panel = group->parentWidget();
  RightPnl->setVisible(panel == RightPnl);
  for (WizardType& t : m_types) t.rightPanel->setVisible(t.rightPanel == panel);
  group->show();
}

void TDesignFrm::HideDesignSpace() {
  hideAllGroups();
  RightPnl->hide();
  for (WizardType& t : m_types) t.rightPanel->hide();
}


void TDesignFrm::slotClicked(QToolButton* button) {
  // A shared button stands in a slot of each type that uses it: the current type's counts.
  const auto find = [button](const WizardType& t) {
    for (size_t k = 0; k < t.steps.size(); ++k)
      if (t.steps[k].button == button) return int(k);
    return -1;
  };
  if (m_designType >= 0 && m_designType < TypeCount()) {
    const int k = find(m_types[m_designType]);
    if (k >= 0) return stepClicked(m_designType, k);
  }
  for (int t = 0; t < TypeCount(); ++t)
    if (const int k = find(m_types[t]); k >= 0) return stepClicked(t, k);
}


void TDesignFrm::resumeType(int resume) {
  WizardType& type = m_types[m_designType];
  m_typeStepButton->show();
  m_typeStepButton->setEnabled(true);
  RightPnl->hide();
  if (DesignType) DesignType->setItemIndex(m_designType);
  pnlType->setText(m_policy.resumeShowsCaption ? type.caption : type.label);
  showTypePanels(type);
  for (WizardStep& step : type.steps) step.button->show();
  if (ReportsOnResume()) EnableReports(true);
  pnlType->show();
  const int s = std::min(resume, int(type.steps.size()));
  for (int k = 0; k < s; ++k) type.steps[k].button->setEnabled(true);
  stepClicked(m_designType, s - 1);
  // A record that got this far keeps its reports, whatever the step entered switched.
  if (ReportsOnResume()) EnableReports(true);
  SetStatus(1, QStringLiteral("设计者：") + m_person);
  SetStatus(2, QStringLiteral("单位：") + m_department);
}


bool TDesignFrm::ReportsOnResume() const {
  return m_designType >= 0 && m_designType < TypeCount() && m_step > m_types[m_designType].reportsAfterStep;
}

std::optional<DesignCheckResult> TDesignFrm::DesignCheckOf() const { return std::nullopt; }

void TDesignFrm::ShowDesignCheck(const DesignCheckResult& result) {
  m_checkPage->setResult(result);
  TabSet1->setTabText(3, CheckTabCaption(result));
}

void TDesignFrm::ClearDesignCheck() {
  m_checkPage->clear();
  TabSet1->setTabText(3, CheckTabCaption({}));
}
