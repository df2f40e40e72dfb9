// The design wizard that every design window derives from: the window frame, the
// information and type steps, the step-button protocol, the design log, new/open/save,
// the notes tab, the reports and the window events. A method window declares its types,
// steps, quantities, record keys and report rows; this class does the rest.
#pragma once

#include "base/desktop.h"
#include "base/types.h"
#include "design/report_db.h"
#include "design/shell.h"
#include "design/wizard_controls.h"

#include <QAbstractButton>
#include <QDialog>
#include <QStringList>
#include <functional>
#include <vector>

class AnalysisPanel;
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
};

struct WizardType {
  QString caption;
  QString explanation;  // shown in AboutDesignType
  QWidget* buttonPanel = nullptr;  // pnlType1, pnlType2, ...
  QWidget* rightPanel = nullptr;   // RightPnlType1, ...
  std::vector<WizardStep> steps;
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

protected:
  // key: "DYWZ" ...; caption: the window's caption; section: its section of config.ini.
  TDesignFrm(QString key, const QString& caption, QString configSection, QWidget* parent = nullptr);

  // --- Building the window (from the method window's constructor) ---
  // Adds a design type with its step-button panel and right panel; returns its index.
  int AddType(const QString& caption, const QString& explanation, const QString& buttonPanelName,
              const QString& rightPanelName);
  // Adds the next step of a type: its button on the type's panel and its group (may be null).
  WizardStep& AddStep(int type, const QString& buttonName, const QString& caption,
                      QWidget* group);
  // A step group on the type's right panel (or on RightPnl for type −1), hidden.
  QGroupBox* AddStepGroup(int type, const QString& name, const QString& title);
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
  // The analysis panel of a type, on its right panel; its "完成" finishes the analysis and,
  // when `runEnd`, runs the "结束" step.
  AnalysisPanel* AddAnalysisPanel(int type, const AnalysisPanelConfig& config, bool runEnd = true);

  // --- The step-button protocol ---
  // Runs the protocol for entering step k of a type; false when the user declined to go back.
  bool EnterStep(int type, int k);
  // What a method does on entering a step after the protocol (step numbers, labels, ...).
  virtual void OnStepEntered(int type, int k);
  // Enables step k and runs its button (a confirm handler's last act).
  void RunStep(int type, int k);
  // The analysis panel's "完成": stops the timers, hides the type's groups, enables the
  // "结束" button and runs it when `run`.
  void FinishAnalysis(int type, bool run = true);
  // The end step: the step number is the method's, then the simple report.
  void EndStep();
  void StopTimers();
  void EnableReports(bool enabled);

  // --- The design log ---
  void SetLogLines(const QStringList& lines);
  void AppendLog(const QString& line);
  void AppendLog(const QStringList& lines);
  void CutLog(int kept);
  // Clears the log and writes the four header lines of a first input step.
  void WriteLogHeader(const QString& typeSuffix = {});

  // --- What a method supplies ---
  // Notes page under web/ for the current design type; empty for none.
  virtual QString NotesPage() const { return {}; }
  virtual void WriteMethodKeys(TIniFile& ini) const { Q_UNUSED(ini); }
  virtual void ReadMethodKeys(const TIniFile& ini) { Q_UNUSED(ini); }
  // The step to resume after an opened record; 0 or less resumes none.
  virtual int ResumeStep() const { return m_step; }
  virtual bool ReportsOnResume() const { return false; }
  virtual std::vector<ReportRow> ReportRows() const { return {}; }
  // Save as proposes result/ + this name.
  virtual QString ProposedFileName() const;

  static void WriteReal(TIniFile& ini, const QString& key, Extended value);
  static Extended ReadReal(const TIniFile& ini, const QString& key, Extended def = 0);

  QString PicturePath(const QString& file) const;
  void SetModified(bool modified);
  void SetStatus(int panel, const QString& text) const { SetStatusText(panel, text); }

  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void reject() override;  // Escape closes through the close query

  QString m_key;
  QString m_configSection;
  QString m_method;  // DsMethod
  QString m_person, m_department, m_date, m_time;
  int m_designType = -1;
  int m_step = 0;
  std::vector<QToolButton*> m_stepButtons;  // of the current type, in step order
  QString m_logPath, m_recordPath;
  QString m_dialogFileName;  // what the save dialog last held
  std::vector<WizardType> m_types;

private:
  void buildFrame(const QString& caption);
  QWidget* buildInformationStep();
  QWidget* buildTypeStep();
  void hideAllGroups();
  void showOnlyGroup(int type, QWidget* group);
  void writeRecord() const;
  QString ensureResultFolder() const;
  ReportHeader reportHeader() const;
  void stepClicked(int type, int k);

  QGridLayout* m_designSpace;  // page 0: the right panels in one cell, at most one shown
  NumericKeyFilter* m_numericFilter;
  std::vector<MechanismAnimation*> m_animations;
};
