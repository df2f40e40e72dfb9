// The wizard base with every window's policy, through small test windows: the information and
// type steps, shared and swapped slot buttons, buttons hidden until reached, the preamble, the
// resume table with its report-menu threshold, the notes page, Enter in the designer's edit,
// the key filter and the faults mended in the base.
#include "base/inifile.h"
#include "base/textfile.h"
#include "design/design_frm.h"
#include "support/app_dir_fixture.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QVBoxLayout>
#include <array>
#include <QToolButton>

namespace {

// The four kinds of window the methods are: the common wizard; one whose own step stands in
// place of the type step, with buttons shared by its types; one whose type cancel starts over
// and whose second type has a preamble; and one with other control names, the early header,
// explanation preambles, buttons hidden until reached and a slot of two buttons.
enum class Kind { Common, OwnTypeStep, StartOver, Explained };

WizardPolicy policyOf(Kind kind) {
  WizardPolicy p;
  switch (kind) {
    case Kind::Common: break;
    case Kind::OwnTypeStep:
      p.typeStep = false;
      p.enter = WizardPolicy::Enter::Stays;
      p.numbering = WizardPolicy::Numbering::OnRun;
      break;
    case Kind::StartOver:
      p.typeCancel = WizardPolicy::TypeCancel::Restart;
      p.enter = WizardPolicy::Enter::Stays;
      p.notesMissingMessage = false;
      p.numbering = WizardPolicy::Numbering::OnRun;
      break;
    case Kind::Explained:
      p.startButtonName = QStringLiteral("SpSjks");
      p.startPanelName = QStringLiteral("Panelrightstart");
      p.infoGroupName = QStringLiteral("groupboxsjxx");
      p.infoOkName = QStringLiteral("sjxxok");
      p.infoCancelName = QStringLiteral("sjxxcancel");
      p.typeGroupName = QStringLiteral("groupboxsjlxxz");
      p.typeListName = QStringLiteral("ridioDesignType");
      p.typeOkName = QStringLiteral("sjlxxzok");
      p.typeCancelName = QStringLiteral("sjlxxzcancel");
      p.textExportName = QStringLiteral("MenuItem3");
      p.enter = WizardPolicy::Enter::BothToDepartment;
      p.typeCancel = WizardPolicy::TypeCancel::BackToInformation;
      p.earlyHeader = true;
      p.notesMissingMessage = false;
      p.newSetsStatus = false;
      p.resumeShowsCaption = true;
      break;
  }
  return p;
}

class TestWizard : public TDesignFrm {
public:
  explicit TestWizard(Kind kind)
      : TDesignFrm(QStringLiteral("TEST"), QStringLiteral("测试设计"), QStringLiteral("TEST"), policyOf(kind)),
        m_kind(kind) {
    switch (kind) {
      case Kind::Common: buildCommon(); break;
      case Kind::OwnTypeStep: buildOwnTypeStep(); break;
      case Kind::StartOver: buildStartOver(); break;
      case Kind::Explained: buildExplained(); break;
    }
    for (int t = 0; t < TypeCount(); ++t)
      m_types[t].reportsAfterStep = kind == Kind::OwnTypeStep ? 4
                                    : kind == Kind::StartOver ? (t == 0 ? 2 : 1)
                                    : kind == Kind::Explained ? 3
                                                              : 2;
  }

  QLineEdit* numeric = nullptr;
  QToolButton* IniCond = nullptr;
  int nodes = 3;
  int finished = 0;  // calls of the analysis-finished hook

protected:
  void OnStepEntered(int type, int k) override {
    if (Slot(type, k).end && m_kind != Kind::Explained) EndStep();
    if (Slot(type, k).end && m_kind == Kind::Explained) SimpleReportClick();
  }
  void OnAnalysisFinished(int) override { ++finished; }
  QString NotesPage() const override { return m_designType == 0 ? QStringLiteral("TEST0.htm") : QString(); }
  int ResumeStep() const override {
    switch (m_kind) {
      case Kind::OwnTypeStep: return m_step < 0 ? 0 : m_step + 1;
      case Kind::StartOver: return m_step <= 0 ? 0 : m_step + 1;
      default: return m_step;
    }
  }
  void TypeStepClick() override {
    if (m_kind == Kind::OwnTypeStep) return IniCondClick();
    TDesignFrm::TypeStepClick();
  }

private:
  // A step whose group holds a confirm button "<button>ok": it appends `lines` log lines (the
  // header first for a first step) and enters the next slot of the current type.
  QGroupBox* stepGroup(int home, const QString& button, int lines, bool first) {
    QGroupBox* group = AddStepGroup(home, button + QStringLiteral("grp"), {});
    auto* layout = new QVBoxLayout(group);
    QPushButton* ok = MakeButton(button + QStringLiteral("ok"), QStringLiteral("确定"), group);
    layout->addWidget(ok);
    OnClick(ok, [this, lines, first, button] {
      if (first && !policyEarly()) WriteLogHeader();
      for (int i = 0; i < lines; ++i) AppendLog(QStringLiteral("    ") + button);
      const int type = m_designType;
      int k = 0;
      while (Slot(type, k).group->objectName() != button + QStringLiteral("grp")) ++k;
      RunStep(type, k + 1);
    });
    return group;
  }
  bool policyEarly() const { return m_kind == Kind::Explained; }
  WizardStep& step(int type, const QString& name, int kept, int lines, bool first = false) {
    WizardStep& s = AddStep(type, name, name, stepGroup(type, name, lines, first));
    s.keptLines = kept;
    s.status = name;
    return s;
  }
  // The analysis stand-in: its "完成" finishes the analysis, running "结束" or not.
  void analysis(int type, int home, const QString& name, bool runEnd, QToolButton* shared = nullptr) {
    QGroupBox* group = AddStepGroup(home, name + QStringLiteral("grp"), {});
    auto* layout = new QVBoxLayout(group);
    QPushButton* done = MakeButton(name + QStringLiteral("ok"), QStringLiteral("完成"), group);
    layout->addWidget(done);
    OnClick(done, [this, runEnd] { FinishAnalysis(m_designType, runEnd); });
    WizardStep& s = shared ? AddSlot(type, shared, group) : AddStep(type, name, name, group);
    s.status = QStringLiteral("运动分析");
  }
  void end(int type, const QString& name, const QString& status, QToolButton* shared = nullptr) {
    WizardStep& s = shared ? AddSlot(type, shared, nullptr) : AddStep(type, name, QStringLiteral("结束"), nullptr);
    s.status = status;
    s.end = true;
    if (m_kind == Kind::OwnTypeStep) s.number.reset();
  }

  void buildCommon() {
    AddType(QStringLiteral("甲类型"), QStringLiteral("　　甲"), QStringLiteral("pnlType1"), QStringLiteral("RightPnlType1"));
    AddType(QStringLiteral("乙类型"), QStringLiteral("　　乙"), QStringLiteral("pnlType2"), QStringLiteral("RightPnlType2"));
    for (int t = 0; t < 2; ++t) {
      const QString p = QStringLiteral("type%1").arg(t + 1);
      step(t, p + QStringLiteral("sp1"), 0, 2, true);
      step(t, p + QStringLiteral("sp2"), 6, 2);
      analysis(t, t, p + QStringLiteral("sp3"), true);
      end(t, p + QStringLiteral("sp4"), QStringLiteral("设计结束"));
    }
    // A group the window shows by itself, outside every step.
    AddStepGroup(0, QStringLiteral("loose"), {})->show();
    numeric = MakeEdit(QStringLiteral("num"), {}, Slot(0, 0).group);
    AddNumericEdits({numeric});
  }

  void buildOwnTypeStep() {
    IniCond = AddStartButton(QStringLiteral("IniCond"), QStringLiteral("输入初始条件"));
    SetTypeStepButton(IniCond);
    OnClick(IniCond, [this] { IniCondClick(); });
    QGroupBox* conditions = AddStepGroup(-1, QStringLiteral("Step1"), {});
    auto* layout = new QVBoxLayout(conditions);
    QPushButton* ok = MakeButton(QStringLiteral("bntIniOk"), QStringLiteral("确定"), conditions);
    layout->addWidget(ok);
    OnClick(ok, [this] {
      ConfirmType(nodes == 3 ? 0 : 1);
      WriteLogHeader(QStringLiteral("铰链四杆机构"));
      for (int i = 0; i < 5; ++i) AppendLog(QStringLiteral("    初始条件"));
    });
    AddType(QStringLiteral("三插值点设计"), {}, QStringLiteral("pnlType1"), QStringLiteral("RightPnlType1"));
    AddType(QStringLiteral("五插值点设计"), {}, QStringLiteral("pnlType2"), QStringLiteral("RightPnlType2"));
    QWidget* shared = AddButtonPanel(QStringLiteral("PnlLeft"));
    step(0, QStringLiteral("type1sp1"), 9, 9);
    step(0, QStringLiteral("type1sp2"), 18, 4);
    step(1, QStringLiteral("type2sp1"), 9, 12);
    step(1, QStringLiteral("type2sp2"), 21, 6);
    const int kept[][2] = {{22, 27}, {26, 31}, {28, 33}};
    const int lines[] = {4, 2, 5};
    for (int i = 0; i < 3; ++i) {
      const QString name = QStringLiteral("typesp%1").arg(i + 3);
      QToolButton* button = AddStepButton(shared, name, name);
      QGroupBox* group = stepGroup(-1, name, lines[i], false);
      for (int t = 0; t < 2; ++t) {
        WizardStep& s = AddSlot(t, button, group);
        s.keptLines = kept[i][t];
        s.status = name;
      }
    }
    QToolButton* six = AddStepButton(shared, QStringLiteral("typesp6"), QStringLiteral("运动分析"));
    QToolButton* seven = AddStepButton(shared, QStringLiteral("typesp7"), QStringLiteral("结束"));
    for (int t = 0; t < 2; ++t) {
      m_types[t].sharedPanels = {shared};
      if (t == 0) analysis(t, -1, QStringLiteral("Step6"), true, six);
      else AddSlot(t, six, findChild<QGroupBox*>(QStringLiteral("Step6grp"))).status = QStringLiteral("运动分析");
      end(t, {}, QStringLiteral("设计结束"), seven);
    }
  }

  void IniCondClick() {
    if ((Slot(0, 0).button->isEnabled() || Slot(1, 0).button->isEnabled()) && !AskBacktrack()) return;
    for (int t = 0; t < 2; ++t)
      for (QToolButton* b : {Slot(t, 0).button, Slot(t, 1).button}) b->setEnabled(false);
    StopTimers();
    ShowOnlyGroup(findChild<QGroupBox*>(QStringLiteral("Step1")));
    SetStatus(0, QStringLiteral("选择设计类型，输入初始条件"));
  }

  void buildStartOver() {
    AddType(QStringLiteral("曲柄摇杆机构的设计"), QStringLiteral("　　甲"), QStringLiteral("pnlType1"),
            QStringLiteral("RightPnlType1"));
    AddType(QStringLiteral("曲柄滑块机构的设计"), QStringLiteral("　　乙"), QStringLiteral("pnlType2"),
            QStringLiteral("RightPnlType2"));
    for (int t = 0; t < 2; ++t) {
      const QString p = QStringLiteral("type%1").arg(t + 1);
      step(t, p + QStringLiteral("sp1"), 0, 6, true);
      step(t, p + QStringLiteral("sp2"), 10, 3);
      analysis(t, t, p + QStringLiteral("sp3"), true);
      end(t, p + QStringLiteral("sp4"), QStringLiteral("设计结束"));
    }
    // The offset of the second type is asked before its first step.
    QGroupBox* offset = AddStepGroup(1, QStringLiteral("step2"), {});
    auto* layout = new QVBoxLayout(offset);
    QPushButton* ok = MakeButton(QStringLiteral("Btok"), QStringLiteral("确定"), offset);
    layout->addWidget(ok);
    OnClick(ok, [this] { RunStep(1, 0); });
    m_types[1].preamble = offset;
  }

  void buildExplained() {
    const QString names[] = {QStringLiteral("qbyg1"), QStringLiteral("qbyg2")};
    for (int t = 0; t < 2; ++t) {
      AddType(QStringLiteral("按最小传动角设计的第%1种曲柄摇杆机构").arg(t + 1), QStringLiteral("说明"),
              QStringLiteral("Panelleft") + names[t], QStringLiteral("RightPnl") + names[t]);
      SetTypeLabel(t, QStringLiteral("曲柄摇杆机构%1").arg(t + 1));
      m_types[t].hideUnreached = true;
      QGroupBox* explanation = AddStepGroup(t, names[t] + QStringLiteral("sm"), QStringLiteral("说明"));
      auto* layout = new QVBoxLayout(explanation);
      QPushButton* go = MakeButton(names[t] + QStringLiteral("go"), QStringLiteral("点击继续"), explanation);
      layout->addWidget(go);
      OnClick(go, [this, t] { RunStep(t, 0); });
      m_types[t].preamble = explanation;
      step(t, names[t] + QStringLiteral("sp1"), 4, 2);
      step(t, names[t] + QStringLiteral("sp2"), 6, 2);
      if (t == 1) {
        // Slot 3 is one of two buttons, by the way chosen in step 2.
        step(t, names[t] + QStringLiteral("sp31"), 8, 2);
        QToolButton* other = AddStepButton(m_types[t].buttonPanel, QStringLiteral("qbyg2sp32"), QStringLiteral("公式"));
        other->hide();
        m_formulaGroup = stepGroup(t, QStringLiteral("qbyg2sp32"), 2, false);
        m_formula = other;
      } else {
        step(t, names[t] + QStringLiteral("sp3"), 8, 2);
      }
      analysis(t, t, names[t] + QStringLiteral("sp4"), false);
      end(t, names[t] + QStringLiteral("sp5"), {});
    }
  }

public:
  // Type 1's third slot in the formula way.
  void useFormulaWay() { SetSlotButton(1, 2, m_formula, m_formulaGroup); }

private:
  Kind m_kind;
  QToolButton* m_formula = nullptr;
  QWidget* m_formulaGroup = nullptr;
};

class WizardTest : public AppDirTest {
protected:
  void open(Kind kind) {
    m_frm = std::make_unique<TestWizard>(kind);
    m_frm->show();
  }
  void TearDown() override {
    if (m_frm) m_frm->hide();
    m_frm.reset();
    AppDirTest::TearDown();
  }
  template <class T = QWidget>
  T* find(const QString& name) const {
    T* w = m_frm->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }
  void click(const QString& name) { find<QAbstractButton>(name)->click(); }
  bool enabled(const QString& name) const { return find(name)->isEnabled(); }
  bool shown(const QString& name) const { return !find(name)->isHidden(); }
  int logCount() const { return int(m_frm->LogLines().size()); }
  void information(const QString& ok = QStringLiteral("DesignOk")) {
    click(m_frm->SpStart->objectName());
    m_frm->txtPerson->setText(QStringLiteral("张三"));
    m_frm->txtDepartment->setText(QStringLiteral("机械系"));
    m_frm->txtDate->setText(QStringLiteral("2026-12-10"));
    m_frm->txtTime->setText(QStringLiteral("10:00:00"));
    click(ok);
  }
  void chooseType(int index, const QString& ok = QStringLiteral("typeok")) {
    m_frm->DesignType->setItemIndex(index);
    click(ok);
  }
  // Writes a record pair of the test method at the given type and step.
  QString record(int type, int step) {
    const QString log = AppDir() + QStringLiteral("result/r.txt");
    QStringList lines;
    for (int i = 0; i < 40; ++i) lines << QStringLiteral("    行%1").arg(i);
    WriteTextLines(log, lines);
    TIniFile ini(AppDir() + QStringLiteral("result/r.des"));
    ini.WriteString(QStringLiteral("DesignInfo"), QStringLiteral("DsMethod"), QStringLiteral("TEST"));
    ini.WriteInteger(QStringLiteral("DesignInfo"), QStringLiteral("DsStep"), step);
    ini.WriteInteger(QStringLiteral("DesignInfo"), QStringLiteral("DsType"), type);
    ini.Save();
    return log;
  }

  std::unique_ptr<TestWizard> m_frm;
};

// --- Resume: which slot runs, and the report menu ---

struct ResumeCase {
  const char* name;
  Kind kind;
  int type, step;
  const char* entered;  // the button of the slot entered; "" for none
  bool reports;
};

class ResumeTest : public WizardTest, public ::testing::WithParamInterface<ResumeCase> {};

TEST_P(ResumeTest, EntersTheSlotAndSetsTheReportMenu) {
  const ResumeCase& c = GetParam();
  open(c.kind);
  m_frm->LoadDesignRecord(record(c.type, c.step));
  EXPECT_EQ(logCount(), 40);
  std::vector<QToolButton*> buttons;
  if (c.type < m_frm->TypeCount())
    for (const WizardStep& s : m_frm->Type(c.type).steps) buttons.push_back(s.button);
  if (*c.entered == 0) {
    EXPECT_TRUE(m_frm->pnlType->isHidden());
    for (QToolButton* b : buttons) EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
  } else {
    // The slots up to the entered one are enabled, the later ones not.
    bool reached = false;
    for (QToolButton* b : buttons) {
      EXPECT_EQ(b->isEnabled(), !reached) << b->objectName().toStdString();
      if (b->objectName() == QLatin1String(c.entered)) reached = true;
    }
    EXPECT_TRUE(reached);
    EXPECT_FALSE(m_frm->pnlType->isHidden());
  }
  EXPECT_EQ(m_frm->ReportMenuEnabled(), c.reports);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ResumeTest,
    ::testing::Values(
        ResumeCase{"commonNone", Kind::Common, 0, 0, "", false},
        ResumeCase{"commonSecond", Kind::Common, 0, 2, "type1sp2", false},
        ResumeCase{"commonAnalysis", Kind::Common, 1, 3, "type2sp3", true},
        // regression: the end step kept the report menu off
        ResumeCase{"commonEnd", Kind::Common, 0, 4, "type1sp4", true},
        ResumeCase{"ownBelowZero", Kind::OwnTypeStep, 0, -1, "", false},
        ResumeCase{"ownZero", Kind::OwnTypeStep, 0, 0, "type1sp1", false},
        ResumeCase{"ownSharedRatio", Kind::OwnTypeStep, 1, 2, "typesp3", false},
        ResumeCase{"ownAnalysis", Kind::OwnTypeStep, 0, 5, "typesp6", true},
        ResumeCase{"startOverZero", Kind::StartOver, 0, 0, "", false},
        ResumeCase{"startOverThreshold", Kind::StartOver, 0, 2, "type1sp3", false},
        ResumeCase{"startOverThresholdOther", Kind::StartOver, 1, 2, "type2sp3", true},
        ResumeCase{"startOverEnd", Kind::StartOver, 0, 3, "type1sp4", true},
        ResumeCase{"explainedThird", Kind::Explained, 0, 3, "qbyg1sp3", false},
        ResumeCase{"explainedEnd", Kind::Explained, 1, 5, "qbyg2sp5", true},
        ResumeCase{"typeUnknown", Kind::Common, 5, 2, "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WizardTest, ResumeShowsTheCaptionOrTheLabel) {
  open(Kind::Explained);
  m_frm->LoadDesignRecord(record(1, 2));
  EXPECT_EQ(m_frm->pnlType->text(), QStringLiteral("按最小传动角设计的第2种曲柄摇杆机构"));
  for (const WizardStep& s : m_frm->Type(1).steps) EXPECT_FALSE(s.button->isHidden());
  EXPECT_EQ(m_shell.status[1], QStringLiteral("设计者："));
}

// --- The information and type steps by policy ---

TEST_F(WizardTest, ExplainedWindowNamesItsControlsOtherwise) {
  open(Kind::Explained);
  for (const char* name : {"SpSjks", "Panelrightstart", "groupboxsjxx", "sjxxok", "sjxxcancel", "groupboxsjlxxz",
                           "ridioDesignType", "sjlxxzok", "sjlxxzcancel"})
    find(QString::fromLatin1(name));
  EXPECT_NE(m_frm->findChild<QAction*>(QStringLiteral("MenuItem3")), nullptr);
  EXPECT_EQ(m_frm->findChild<QWidget*>(QStringLiteral("SpStart")), nullptr);
}

TEST_F(WizardTest, EarlyHeaderAndExplanationPreamble) {
  open(Kind::Explained);
  information(QStringLiteral("sjxxok"));
  EXPECT_EQ(m_frm->LogLines(), QStringList({QStringLiteral("设计信息"), QStringLiteral("    设计人：张三    单位：机械系"),
                                            QStringLiteral("    日期：2026-12-10   时间：10:00:00")}));
  chooseType(0, QStringLiteral("sjlxxzok"));
  EXPECT_EQ(logCount(), 4);
  EXPECT_EQ(m_frm->LogLines().last(), QStringLiteral("    类型：曲柄摇杆机构1"));
  EXPECT_EQ(m_frm->pnlType->text(), QStringLiteral("曲柄摇杆机构1"));
  // The explanation shows, the column's buttons are hidden until reached.
  EXPECT_TRUE(shown(QStringLiteral("qbyg1sm")));
  EXPECT_TRUE(shown(QStringLiteral("Panelleftqbyg1")));
  EXPECT_FALSE(shown(QStringLiteral("qbyg1sp1")));
  click(QStringLiteral("qbyg1go"));
  EXPECT_TRUE(shown(QStringLiteral("qbyg1sp1")));
  EXPECT_FALSE(shown(QStringLiteral("qbyg1sp2")));
  click(QStringLiteral("qbyg1sp1ok"));
  EXPECT_TRUE(shown(QStringLiteral("qbyg1sp2")));
  EXPECT_EQ(logCount(), 6);
  // Back to the type step: the design information stays in the log.
  click(QStringLiteral("SpChose"));
  EXPECT_EQ(logCount(), 3);
  EXPECT_FALSE(enabled(QStringLiteral("qbyg1sp1")));
  // Its cancel goes back to the information group and hides the type step's button.
  click(QStringLiteral("sjlxxzcancel"));
  EXPECT_TRUE(shown(QStringLiteral("groupboxsjxx")));
  EXPECT_FALSE(shown(QStringLiteral("SpChose")));
  EXPECT_EQ(logCount(), 3);
  click(QStringLiteral("sjxxcancel"));
  EXPECT_EQ(logCount(), 0);
}

TEST_F(WizardTest, SlotFilledByEitherOfTwoButtons) {
  open(Kind::Explained);
  information(QStringLiteral("sjxxok"));
  chooseType(1, QStringLiteral("sjlxxzok"));
  m_frm->useFormulaWay();
  click(QStringLiteral("qbyg2go"));
  click(QStringLiteral("qbyg2sp1ok"));
  click(QStringLiteral("qbyg2sp2ok"));
  EXPECT_TRUE(shown(QStringLiteral("qbyg2sp32grp")));
  EXPECT_TRUE(enabled(QStringLiteral("qbyg2sp32")));
  EXPECT_FALSE(shown(QStringLiteral("qbyg2sp31")));
  click(QStringLiteral("qbyg2sp32ok"));
  EXPECT_TRUE(shown(QStringLiteral("qbyg2sp4grp")));
  // Backtracking works on the slot in use: the formula button goes back to step 3.
  Scripted().answers = {MsgAnswer::Ok};
  click(QStringLiteral("qbyg2sp32"));
  EXPECT_EQ(logCount(), 8);
  EXPECT_FALSE(enabled(QStringLiteral("qbyg2sp4")));
}

TEST_F(WizardTest, AnalysisFinishedWithoutRunningTheEnd) {
  open(Kind::Explained);
  information(QStringLiteral("sjxxok"));
  chooseType(0, QStringLiteral("sjlxxzok"));
  click(QStringLiteral("qbyg1go"));
  for (const char* ok : {"qbyg1sp1ok", "qbyg1sp2ok", "qbyg1sp3ok"}) click(QString::fromLatin1(ok));
  m_shell.status[0] = QStringLiteral("之前");
  click(QStringLiteral("qbyg1sp4ok"));
  EXPECT_EQ(m_frm->finished, 1);
  EXPECT_TRUE(shown(QStringLiteral("qbyg1sp5")));
  EXPECT_TRUE(enabled(QStringLiteral("qbyg1sp5")));
  EXPECT_TRUE(Scripted().previews.isEmpty());
  EXPECT_EQ(m_frm->StepNumber(), 5);  // the end is reached: its number, before it runs
  // "结束" changes neither the step number nor the status text; the report sets its own.
  m_shell.status[0] = QStringLiteral("之前");
  const int previews = Scripted().previews.size();
  click(QStringLiteral("qbyg1sp5"));
  EXPECT_EQ(m_frm->StepNumber(), 5);
  EXPECT_TRUE(m_frm->ReportMenuEnabled());
  EXPECT_GE(Scripted().previews.size(), previews);
}

TEST_F(WizardTest, NewLeavesTheStatusOrSetsIt) {
  for (Kind kind : {Kind::Common, Kind::Explained}) {
    open(kind);
    m_shell.status[0] = QStringLiteral("之前");
    m_frm->newClick();
    EXPECT_EQ(m_shell.status[0], kind == Kind::Common ? QStringLiteral("开始设计") : QStringLiteral("之前"));
  }
}

TEST_F(WizardTest, OwnStepInPlaceOfTheTypeStep) {
  open(Kind::OwnTypeStep);
  EXPECT_EQ(m_frm->DesignType, nullptr);
  information();
  EXPECT_TRUE(shown(QStringLiteral("IniCond")));
  EXPECT_FALSE(shown(QStringLiteral("SpChose")));
  EXPECT_TRUE(shown(QStringLiteral("Step1")));
  m_frm->nodes = 5;
  click(QStringLiteral("bntIniOk"));
  EXPECT_EQ(m_frm->pnlType->text(), QStringLiteral("五插值点设计"));
  EXPECT_TRUE(shown(QStringLiteral("pnlType2")));
  EXPECT_TRUE(shown(QStringLiteral("PnlLeft")));
  EXPECT_FALSE(shown(QStringLiteral("pnlType1")));
  EXPECT_EQ(m_frm->LogLines()[1], QStringLiteral("    类型：五插值点设计铰链四杆机构"));
  EXPECT_EQ(logCount(), 9);
}

// The shared buttons keep the lines of the type in use.
class SharedSlotTest : public WizardTest, public ::testing::WithParamInterface<std::array<int, 4>> {};

TEST_P(SharedSlotTest, KeptLinesDependOnTheType) {
  const auto [nodes, keptRatio, keptKnown, keptLength] = GetParam();
  open(Kind::OwnTypeStep);
  information();
  m_frm->nodes = nodes;
  click(QStringLiteral("bntIniOk"));
  const QString p = nodes == 3 ? QStringLiteral("type1") : QStringLiteral("type2");
  click(p + QStringLiteral("sp1ok"));
  click(p + QStringLiteral("sp2ok"));
  EXPECT_EQ(logCount(), keptRatio);
  for (const char* ok : {"typesp3ok", "typesp4ok", "typesp5ok"}) click(QString::fromLatin1(ok));
  EXPECT_TRUE(shown(QStringLiteral("Step6grp")));
  EXPECT_EQ(m_frm->StepNumber(), 5);
  const std::pair<const char*, int> returns[] = {{"typesp5", keptLength}, {"typesp4", keptKnown}, {"typesp3", keptRatio}};
  for (const auto& [button, kept] : returns) {
    Scripted().answers = {MsgAnswer::Ok};
    click(QString::fromLatin1(button));
    EXPECT_EQ(logCount(), kept) << button;
    EXPECT_FALSE(enabled(QStringLiteral("typesp7")));
  }
}

INSTANTIATE_TEST_SUITE_P(Types, SharedSlotTest,
                         ::testing::Values(std::array<int, 4>{3, 22, 26, 28}, std::array<int, 4>{5, 27, 31, 33}));

TEST_F(WizardTest, TypeCancelStartsOverAndPreambleComesFirst) {
  open(Kind::StartOver);
  information();
  m_frm->DesignType->setItemIndex(1);
  m_frm->DesignTypeClick();
  click(QStringLiteral("typecancel"));
  EXPECT_EQ(m_frm->DesignType->itemIndex(), -1);
  EXPECT_TRUE(shown(QStringLiteral("Step0")));
  EXPECT_EQ(m_shell.status[0], QStringLiteral("输入设计信息"));
  information();
  chooseType(1);
  EXPECT_TRUE(shown(QStringLiteral("step2")));
  EXPECT_FALSE(enabled(QStringLiteral("type2sp1")));
  click(QStringLiteral("Btok"));
  EXPECT_TRUE(shown(QStringLiteral("type2sp1grp")));
  EXPECT_FALSE(shown(QStringLiteral("step2")));
}

// --- Notes page, Enter, key filter ---

struct NotesCase {
  const char* name;
  Kind kind;
  int type;
  bool pageExists;
  bool message;
};

class NotesTest : public WizardTest, public ::testing::WithParamInterface<NotesCase> {};

TEST_P(NotesTest, MissingPageWithOrWithoutMessage) {
  const NotesCase& c = GetParam();
  open(c.kind);
  if (c.pageExists) {
    QDir().mkpath(AppDir() + QStringLiteral("web"));
    WriteTextLines(AppDir() + QStringLiteral("web/TEST0.htm"), {QStringLiteral("<html><body>说明</body></html>")});
  }
  m_frm->LoadDesignRecord(record(c.type, 1));
  m_frm->TabSet1->setCurrentIndex(2);
  EXPECT_EQ(Scripted().messages.size(), c.message ? 1 : 0);
  EXPECT_EQ(!m_frm->pnlsm->isHidden(), c.pageExists && c.type == 0);
}

INSTANTIATE_TEST_SUITE_P(Windows, NotesTest,
                         ::testing::Values(NotesCase{"shown", Kind::Common, 0, true, false},
                                           NotesCase{"missingWithMessage", Kind::Common, 0, false, true},
                                           NotesCase{"missingQuietly", Kind::StartOver, 0, false, false},
                                           NotesCase{"noPageForTheType", Kind::Common, 1, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct EnterCase {
  Kind kind;
  bool personMoves, departmentKeeps;
};

class EnterTest : public WizardTest, public ::testing::WithParamInterface<EnterCase> {};

TEST_P(EnterTest, EnterInTheInformationEdits) {
  open(GetParam().kind);
  click(m_frm->SpStart->objectName());
  m_frm->txtPerson->setFocus();
  QTest::keyClick(m_frm->txtPerson, Qt::Key_Return);
  EXPECT_EQ(m_frm->focusWidget() == m_frm->txtDepartment, GetParam().personMoves);
  EXPECT_FALSE(m_frm->Step0->isHidden());  // Enter confirms nothing
  m_frm->txtDate->setFocus();
  QTest::keyClick(m_frm->txtDepartment, Qt::Key_Return);
  EXPECT_EQ(m_frm->focusWidget() == m_frm->txtDepartment, GetParam().departmentKeeps);
}

INSTANTIATE_TEST_SUITE_P(Windows, EnterTest,
                         ::testing::Values(EnterCase{Kind::Common, true, false}, EnterCase{Kind::OwnTypeStep, false, false},
                                           EnterCase{Kind::Explained, true, true}));

TEST_F(WizardTest, KeyFilterOnTheWindowsNumericEdits) {
  open(Kind::Common);
  QTest::keyClicks(m_frm->numeric, QStringLiteral("-1e3.5 "));
  EXPECT_EQ(m_frm->numeric->text(), QStringLiteral("13.5"));
}

// --- Groups, reports, export, Escape ---

TEST_F(WizardTest, EveryGroupIsHiddenByTheProtocol) {
  open(Kind::Common);
  find(QStringLiteral("loose"))->show();
  information();
  chooseType(0);
  EXPECT_TRUE(shown(QStringLiteral("type1sp1grp")));
  EXPECT_FALSE(shown(QStringLiteral("loose")));
}

TEST_F(WizardTest, EndStepKeepsTheReportMenu) {
  open(Kind::Common);
  information();
  chooseType(0);
  for (const char* ok : {"type1sp1ok", "type1sp2ok", "type1sp3ok"}) click(QString::fromLatin1(ok));
  EXPECT_TRUE(enabled(QStringLiteral("type1sp4")));
  EXPECT_TRUE(m_frm->ReportMenuEnabled());  // regression: "完成" switched it off
  EXPECT_EQ(m_shell.status[0], QStringLiteral("设计结束"));
  EXPECT_EQ(Scripted().previews.size(), 1);
}

TEST_F(WizardTest, TextExportProposesResultFolderBeforeAnySave) {
  open(Kind::Common);
  information();
  chooseType(0);
  m_frm->N6Click();
  ASSERT_EQ(Scripted().saveDialogs.size(), 1);
  EXPECT_EQ(Scripted().saveDialogs[0], AppDir() + QStringLiteral("result/测试设计_甲类型.txt"));
}

TEST_F(WizardTest, TimeHasNoZoneName) {
  open(Kind::Common);
  click(QStringLiteral("SpStart"));
  const QString time = m_frm->txtTime->text();
  EXPECT_FALSE(time.contains(QStringLiteral("UTC"))) << time.toStdString();
  EXPECT_TRUE(time.contains(QRegularExpression(QStringLiteral("^\\d{1,2}:\\d\\d:\\d\\d")))) << time.toStdString();
}

TEST_F(WizardTest, EscapeWithAModifiedDesignAsksTheCloseQuestion) {
  open(Kind::Common);
  information();
  chooseType(0);
  click(QStringLiteral("type1sp1ok"));
  ASSERT_TRUE(m_frm->Modified());
  QApplication::setActiveWindow(m_frm.get());
  Scripted().answers = {MsgAnswer::Cancel};
  QTest::keyClick(m_frm.get(), Qt::Key_Escape);
  ASSERT_EQ(Scripted().questions.size(), 1);
  EXPECT_EQ(Scripted().questions[0].text, QStringLiteral("设计记录已更改，保存设计吗？"));
  EXPECT_TRUE(m_frm->isVisible());
  EXPECT_EQ(logCount(), 6);
}

}  // namespace
