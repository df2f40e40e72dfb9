// The design wizard that every design window derives from: the window frame, the
// information and type steps, the step-button protocol, the design log, new/open/save,
// the notes tab, the reports and the window events. A method window declares its types,
// steps, quantities, record keys and report rows; this class does the rest.
#pragma once

#include "base/desktop.h"
#include "base/types.h"
#include "design/design_log.h"
#include "design/design_record.h"
#include "design/report_db.h"
#include "design/shell.h"
#include "widgets/controls.h"

#include <QAbstractButton>
#include <QDialog>
#include <QStringList>
#include <climits>
#include <functional>
#include <optional>
#include <vector>

class AnalysisPanel;
class CheckPage;
struct DesignCheckResult;
struct AnalysisPanelConfig;
class MechanismAnimation;
class NumericKeyFilter;
class QAbstractButton;
class QAction;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QTabWidget;
class QTextBrowser;
class QToolBar;
class QVBoxLayout;
class TIniFile;
struct ReportHeader;

// One step of a design type, as the step-button protocol needs it.
struct WizardStep {
  QToolButton* button = nullptr;
  QWidget* group = nullptr;  // the step's group on the type's right panel; none for "结束"
  struct Picture {
    PictureBox* image;
    QString file;  // under images/<method>/
  };
  std::vector<Picture> pictures;
  QString status;         // status panel 0 on entry
  int keptLines = -1;     // log lines kept on a return; −1 keeps them all
  QWidget* firstEdit = nullptr;  // focused on entry of a type's first input step
  QAbstractButton* calc = nullptr;     // "计算": enabled on entry
  QAbstractButton* confirm = nullptr;  // "确定": disabled on entry
  std::vector<std::pair<QLabel*, QString>> results;  // result labels and their bare captions
  bool end = false;  // the "结束" step: the report menu stays on
  // The design's step number once this step is reached (entered or run, as the window counts);
  // none keeps the number it had.
  std::optional<int> number;
  // The animations entering the step stops; all of them unless the method names some (or none).
  std::optional<std::vector<MechanismAnimation*>> stops;
};

// A step as a window declares it, in one statement: its button, group and pictures, what its
// entry shows and keeps, and its "计算" and "确定" buttons with their commands.
struct StepSpec {
  const char* button;  // object name of the step button
  QString caption;
  QWidget* group = nullptr;
  std::vector<WizardStep::Picture> pictures = {};
  QString status = {};
  int keptLines = -1;
  QWidget* firstEdit = nullptr;
  QAbstractButton* calc = nullptr;
  QAbstractButton* confirm = nullptr;
  std::vector<QLabel*> results = {};  // their present texts are the bare captions
  std::function<void()> onCalc = {};
  std::function<void()> onConfirm = {};
  bool end = false;
};

// A design type: its caption in the type list, its step-button panel and right panel, and the
// slots of its step list (a slot's button may be shared with another type or swapped).
struct WizardType {
  QString caption;
  QString explanation;  // shown in AboutDesignType
  QString label;        // shown in pnlType; the caption unless the method gives a short one
  QWidget* buttonPanel = nullptr;  // pnlType1, pnlType2, ...
  QWidget* rightPanel = nullptr;   // RightPnlType1, ...
  std::vector<QWidget*> sharedPanels;  // further step-button panels the type uses (PnlLeft)
  QWidget* preamble = nullptr;  // shown by the type confirm instead of running the first step
  bool hideUnreached = false;   // step buttons stay hidden until the wizard reaches them
  QString notesPage;            // the "设计说明" page under web/
  int reportsAfterStep = INT_MAX;  // a record resumed past this step keeps its reports
  int checkFromStep = INT_MAX;     // the step (index) whose linkage is known: the design check
  std::vector<WizardStep> steps;
};

// How a window departs from the common wizard; the defaults are the common wizard.
struct WizardPolicy {
  // Object names of the controls every window has.
  QString startButtonName = QStringLiteral("SpStart");
  QString startPanelName = QStringLiteral("RightPnl");
  QString infoGroupName = QStringLiteral("Step0"), infoOkName = QStringLiteral("DesignOk"),
          infoCancelName = QStringLiteral("DesignCancel");
  QString typeGroupName = QStringLiteral("Step1"), typeListName = QStringLiteral("DesignType"),
          typeOkName = QStringLiteral("typeok"), typeCancelName = QStringLiteral("typecancel");
  QString textExportName = QStringLiteral("N6");
  // Enter in the information step's edits.
  enum class Enter { Stays, PersonToDepartment, BothToDepartment } enter = Enter::PersonToDepartment;
  bool typeStep = true;  // false: the window puts its own step in place of "选择类型"
  // "取消" of the type step: clears the choice; clears it and starts over at the design
  // information; or goes back to the design-information group.
  enum class TypeCancel { Clear, Restart, BackToInformation } typeCancel = TypeCancel::Clear;
  // The information confirm writes the first three header lines and the type confirm the type
  // line, instead of the first input step writing all four.
  bool earlyHeader = false;
  bool notesMissingMessage = true;  // false: a missing notes page hides the view silently
  bool newSetsStatus = true;
  bool resumeShowsCaption = false;  // pnlType shows the type list's caption on a resume
  int typeListColumns = 2;          // long captions want one column
  // When a step counts as reached: on entry (step k is number k + 1), or when an earlier step
  // (or the type confirm) runs it (step k is number k).
  enum class Numbering { OnEntry, OnRun } numbering = Numbering::OnEntry;
};

class TDesignFrm : public QDialog, public DesignWindow {
  Q_OBJECT

public:
  ~TDesignFrm() override;

  // DesignWindow
  QString MethodKey() const override { return m_key; }
  void LoadDesignRecord(const QString& txtPath) override;
  int ShowModal() override;

  // Commands, named after their controls.
  void SpStartClick();
  void DesignOkClick();
  void DesignCancelClick();
  void SpChoseClick();
  void DesignTypeClick();
  void typecancelClick();
  void typeokClick();
  bool newClick();  // false when a save it asked for was cancelled
  void TabSet1Change(int index);
  bool saveClick();   // false when the save dialog was cancelled
  bool saveas1Click();
  void openClick();
  void N6Click();
  void SimpleReportClick();
  void DetailReportClick();
  void PExitClick();
  void MHelpClick();
  void MAboutClick();

  // The design as held.
  QStringList LogLines() const;
  bool Modified() const;
  const QString& LogPath() const { return m_logPath; }
  const QString& RecordPath() const { return m_recordPath; }
  int DesignTypeIndex() const { return m_designType; }
  int StepNumber() const { return m_step; }
  QString Designer() const { return m_person; }
  QString Department() const { return m_department; }
  const WizardType& Type(int index) const { return m_types[index]; }
  int TypeCount() const { return int(m_types.size()); }
  bool ReportMenuEnabled() const;

  // Controls of every design window, named as in the window.
  QToolBar* ToolBar1;
  QToolButton *newButton, *openButton, *saveButton, *btnHelp, *PExit;  // "new", "open", "save"
  QMenuBar* MainMenu1;
  QAction *new1, *Open1, *Save1, *saveas1, *X1, *SimpleReport, *DetailReport, *N6, *MHelp, *MAbout;
  QMenu* O4;
  QWidget* PanelLeft;
  QTabWidget* PageControl1;
  QWidget* TabSheet1;
  QWidget* PnlStart;
  QToolButton* SpStart;
  QToolButton* SpChose;
  QLabel* pnlType;
  QWidget* PanelRigth;
  QTabBar* TabSet1;
  QStackedWidget* Notebook1;
  QWidget* RightPnl;
  QGroupBox* Step0;
  QLineEdit *txtPerson, *txtDepartment, *txtDate, *txtTime;
  QPushButton *DesignOk, *DesignCancel;
  QGroupBox* Step1;
  RadioGroup* DesignType;
  QLabel* AboutDesignType;
  QPushButton *typeok, *typecancel;
  QPlainTextEdit* Memo1;
  QWidget* pnlsm;
  QTextBrowser* wbsjsm;
  CheckPage* checkPage() const { return m_checkPage; }

protected:
  // key: "DYWZ" ...; caption: the window's caption; section: its section of config.ini.
  TDesignFrm(QString key, const QString& caption, QString configSection, const WizardPolicy& policy = {},
             QWidget* parent = nullptr);

  // --- Building the window (from the method window's constructor) ---
  // Adds a design type with its step-button panel and right panel; returns its index.
  int AddType(const QString& caption, const QString& explanation, const QString& buttonPanelName,
              const QString& rightPanelName);
  // Adds the next step of a type: its button on the type's panel and its group (may be null).
  WizardStep& AddStep(int type, const QString& buttonName, const QString& caption,
                      QWidget* group);
  // Adds the next step of a type as declared.
  WizardStep& AddStep(int type, const StepSpec& declared);
  // A step button on any panel (a shared one, or the other button of a slot); its clicks enter
  // the slot of the current type that holds it.
  QToolButton* AddStepButton(QWidget* panel, const QString& name, const QString& caption);
  // Adds the next slot of a type with an existing button (shared by several types).
  WizardStep& AddSlot(int type, QToolButton* button, QWidget* group);
  WizardStep& Slot(int type, int k) { return m_types[type].steps[k]; }
  // Puts another button (and group) into slot k of a type, as a choice made in an earlier step.
  void SetSlotButton(int type, int k, QToolButton* button, QWidget* group);
  // A panel of step buttons beside the types' own (PnlLeft), hidden until a type uses it.
  QWidget* AddButtonPanel(const QString& name);
  // A button of PnlStart under "选择类型", hidden: a window's own step in its place.
  QToolButton* AddStartButton(const QString& name, const QString& caption);
  // The button in the place of "选择类型", shown by the information confirm and the resume.
  void SetTypeStepButton(QToolButton* button) { m_typeStepButton = button; }
  // A step group on the type's right panel (or on RightPnl for type −1), hidden.
  QGroupBox* AddStepGroup(int type, const QString& name, const QString& title);
  // A type's short label in pnlType.
  void SetTypeLabel(int type, const QString& label) { m_types[type].label = label; }
  // Records a result label's current text as its bare caption.
  static void AddResult(WizardStep& step, QLabel* label);
  void AddNumericEdits(const std::vector<QLineEdit*>& edits);
  // Connects a button to a command that runs inside the guard of every event handler.
  template <class Command>
  void OnClick(QAbstractButton* button, Command command) {
    connect(button, &QAbstractButton::clicked, this, [command] { Guarded(command); });
  }
  // The animations the wizard stops on every step change.
  void AddAnimation(MechanismAnimation* animation);
  // The analysis panel of a type, on its right panel (on RightPnl for type −1, shared by the
  // types); its "完成" finishes the analysis and, when `runEnd`, runs the "结束" step.
  AnalysisPanel* AddAnalysisPanel(int type, const AnalysisPanelConfig& config, bool runEnd = true);

  // --- The step-button protocol ---
  // Runs the protocol for entering step k of a type; false when the user declined to go back.
  bool EnterStep(int type, int k);
  // What a method does on entering a step after the protocol (step numbers, labels, ...).
  virtual void OnStepEntered(int type, int k);
  // Enables step k and runs its button (a confirm handler's last act).
  void RunStep(int type, int k);
  // The analysis panel's "完成": stops the timers, hides the step groups, lets the method
  // record it, offers the end and runs it when `run`.
  void FinishAnalysis(int type, bool run = true);
  // The design has reached its end: the end's step number, its button shown and enabled.
  void OfferEnd(int type);
  virtual void OnAnalysisFinished(int type) { Q_UNUSED(type); }
  // The end step: the step number is the method's, then the simple report.
  void EndStep();
  void StopTimers();
  // The design check: filled on entering a step at or past the type's checkFromStep (and so on
  // a resume there), emptied by a return before it, "新建" or another type.
  void ShowDesignCheck(const DesignCheckResult& result);
  void ClearDesignCheck();
  void refreshDesignCheck();
  void EnableReports(bool enabled);
  // The type confirm after its index is known: label, paths, slots, panels, then the preamble
  // or, when `runFirst`, the first step.
  void ConfirmType(int index, bool runFirst = true);
  // "确实要回溯设计吗？"; true for OK.
  static bool AskBacktrack();
  // Hides every group of the design space and shows `group` with the panel that holds it.
  void ShowOnlyGroup(QWidget* group);
  // The design space empty: no group and no right panel shown.
  void HideDesignSpace();
  // Buttons of the current type's slots, in step order.
  std::vector<QToolButton*> StepButtons() const;

  // --- The design log ---
  void SetLogLines(const QStringList& lines);
  void AppendLog(const QString& line);
  void AppendLog(const QStringList& lines);
  void CutLog(int kept);
  // Clears the log and writes the four header lines of a first input step.
  void WriteLogHeader(const QString& typeSuffix = {}, const HeaderSpacing& spacing = {});
  // The header without its type line (the early header of the information confirm).
  void WriteInformationLines();
  void LoadPicture(PictureBox* image, const QString& file) const;

  // --- What a method supplies ---
  // Notes page under web/ for the current design type; empty for none.
  virtual QString NotesPage() const;
  // The method's own fields of the record for the current type, in the order they are written.
  virtual RecordFields RecordFieldsOf() { return {}; }
  // What a method does once its fields have been read from a record.
  virtual void OnRecordRead() {}
  // The step (1-based) to enter after an opened record; 0 or less resumes none.
  virtual int ResumeStep() const { return m_step; }
  // What the window does once a record has been restored (a resumed step or not).
  virtual void OnResumed() {}
  // The information confirm runs the type step (or the window's step in its place).
  virtual void TypeStepClick() { SpChoseClick(); }
  bool ReportsOnResume() const;
  virtual std::vector<ReportRow> ReportRows() const { return {}; }
  // The check of the design the window holds, for its current type; none for a type without one.
  virtual std::optional<DesignCheckResult> DesignCheckOf() const;
  // Save as and the text export propose result/ + this name.
  virtual QString ProposedFileName() const;

  // A picture under images/<method>/, or under images/ for a name with a folder ("DYWZ/PPP1.bmp").
  QString PicturePath(const QString& file) const;
  void SetModified(bool modified);
  void SetStatus(int panel, const QString& text) const { SetStatusText(panel, text); }

  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void reject() override;  // Escape closes through the close query
  void keyPressEvent(QKeyEvent* event) override;

  WizardPolicy m_policy;
  QString m_key;
  QString m_configSection;
  QString m_method;  // DsMethod
  QString m_person, m_department, m_date, m_time;
  int m_designType = -1;
  int m_step = 0;
  QString m_logPath, m_recordPath;
  QString m_dialogFileName;  // what the save dialog last held
  std::vector<WizardType> m_types;

private:
  friend class FourBarSteps;  // the shared four-bar steps drive the wizard like a method does

  void buildFrame(const QString& caption);
  QWidget* buildInformationStep();
  QWidget* buildTypeStep();
  void hideAllGroups();
  void slotClicked(QToolButton* button);
  void connectStepButton(QToolButton* button);
  void resumeType(int resume);
  void showTypePanels(const WizardType& type);
  RecordHeader recordHeader() const;
  QString ensureResultFolder() const;
  ReportHeader reportHeader() const;
  void stepClicked(int type, int k);

  QToolButton* m_typeStepButton;  // SpChose, or the window's step in its place
  QGridLayout* m_designSpace;
  CheckPage* m_checkPage;
  int m_checkStep = -1;  // the step whose linkage the check holds  // page 0: the right panels in one cell, at most one shown
  NumericKeyFilter* m_numericFilter;
  std::vector<MechanismAnimation*> m_animations;
};
