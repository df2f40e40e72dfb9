#include "design/design_frm.h"

#include "analysis/analysis_panel.h"
#include "app/application.h"
#include "base/appdir.h"
#include "base/desktop.h"
#include "base/errors.h"
#include "base/inifile.h"
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

const QString kRecordSection = QStringLiteral("DesignInfo");
const QString kTextFilter = QStringLiteral("文本文件(*.txt)");
constexpr int kStepButtonsMax = 7;

QToolButton* makeToolButton(QToolBar* bar, const QString& name, const QString& hint,
                            QStyle::StandardPixmap icon) {
  auto* button = new QToolButton(bar);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setAutoRaise(true);
  button->setFixedSize(31, 30);
  button->setIcon(bar->style()->standardIcon(icon));
  bar->addWidget(button);
  return button;
}

QAction* makeItem(QMenu* menu, const QString& name, const QString& caption, const QString& hint = {},
                  const QKeySequence& shortcut = {}) {
  QAction* item = menu->addAction(caption);
  item->setObjectName(name);
  item->setStatusTip(hint);
  item->setShortcut(shortcut);
  return item;
}

// A full-size panel whose children share one cell, so at most one of them shows.
QWidget* makeStackPanel(const QString& name, QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(name);
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  panel->hide();
  return panel;
}

void placeInCell(QWidget* panel, QWidget* child) {
  static_cast<QGridLayout*>(panel->layout())->addWidget(child, 0, 0);
}

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

void TDesignFrm::buildFrame(const QString& caption) {
  setWindowTitle(caption);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);

  // Main menu.
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* file = MainMenu1->addMenu(QStringLiteral("文件(&F)"));
  new1 = makeItem(file, "new1", QStringLiteral("新建(&N)"), QStringLiteral("新建文件"),
                  QKeySequence(Qt::CTRL | Qt::Key_N));
  Open1 = makeItem(file, "Open1", QStringLiteral("打开(&O)"), QStringLiteral("打开文件"),
                   QKeySequence(Qt::CTRL | Qt::Key_O));
  file->addSeparator();
  Save1 = makeItem(file, "Save1", QStringLiteral("保存(&S)"), QStringLiteral("保存文件"),
                   QKeySequence(Qt::CTRL | Qt::Key_S));
  saveas1 = makeItem(file, "saveas1", QStringLiteral("另存为(&A)..."));
  file->addSeparator();
  X1 = makeItem(file, "X1", QStringLiteral("返回主程序(&R)"));
  QMenu* output = MainMenu1->addMenu(QStringLiteral("输出(&O)"));
  O4 = output->addMenu(QStringLiteral("报表输出(&R)"));
  O4->setObjectName(QStringLiteral("O4"));
  SimpleReport = makeItem(O4, "SimpleReport", QStringLiteral("简单报表(&S)"));
  DetailReport = makeItem(O4, "DetailReport", QStringLiteral("详细报表(&D)"));
  N6 = makeItem(output, m_policy.textExportName, QStringLiteral("文本输出(&T)"));
  QMenu* help = MainMenu1->addMenu(QStringLiteral("帮助(&H)"));
  MHelp = makeItem(help, "MHelp", QStringLiteral("帮助主题(&C)"), {}, QKeySequence(Qt::Key_F1));
  help->addSeparator();
  MAbout = makeItem(help, "MAbout", QStringLiteral("关于(&A)..."));
  outer->setMenuBar(MainMenu1);

  // Tool bar.
  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setIconSize(QSize(20, 20));
  newButton = makeToolButton(ToolBar1, "new", QStringLiteral("新建"), QStyle::SP_FileIcon);
  openButton = makeToolButton(ToolBar1, "open", QStringLiteral("打开"), QStyle::SP_DialogOpenButton);
  saveButton = makeToolButton(ToolBar1, "save", QStringLiteral("保存"), QStyle::SP_DialogSaveButton);
  ToolBar1->addSeparator();
  btnHelp = makeToolButton(ToolBar1, "btnHelp", QStringLiteral("帮助"), QStyle::SP_MessageBoxQuestion);
  ToolBar1->addSeparator();
  PExit = makeToolButton(ToolBar1, "PExit", QStringLiteral("返回主程序"), QStyle::SP_ArrowBack);
  outer->addWidget(ToolBar1);

  auto* body = new QHBoxLayout;
  body->setContentsMargins(2, 0, 0, 0);
  body->setSpacing(2);
  outer->addLayout(body, 1);

  // Left panel: the start and type buttons, the chosen type, the step-button panels.
  PanelLeft = new QWidget(this);
  PanelLeft->setObjectName(QStringLiteral("PanelLeft"));
  PanelLeft->setFixedWidth(176);
  auto* leftLayout = new QVBoxLayout(PanelLeft);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  PageControl1 = new QTabWidget(PanelLeft);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  PageControl1->addTab(TabSheet1, QStringLiteral("设计"));
  leftLayout->addWidget(PageControl1);
  auto* sheet = new QVBoxLayout(TabSheet1);
  sheet->setContentsMargins(2, 2, 2, 2);
  sheet->setSpacing(0);
  PnlStart = new QWidget(TabSheet1);
  PnlStart->setObjectName(QStringLiteral("PnlStart"));
  auto* start = new QVBoxLayout(PnlStart);
  start->setContentsMargins(0, 0, 0, 0);
  start->setSpacing(0);
  SpStart = MakeSpeedButton(m_policy.startButtonName, QStringLiteral("开始新的计算"), 12, Qt::black, PnlStart);
  SpChose = MakeSpeedButton("SpChose", QStringLiteral("选择类型"), 12, Qt::black, PnlStart);
  SpChose->hide();
  m_typeStepButton = SpChose;
  pnlType = new QLabel(PnlStart);
  pnlType->setObjectName(QStringLiteral("pnlType"));
  pnlType->setFixedSize(160, 45);
  pnlType->setFrameShape(QFrame::Panel);
  pnlType->setFrameShadow(QFrame::Sunken);
  pnlType->setAlignment(Qt::AlignCenter);
  pnlType->setWordWrap(true);
  pnlType->setFont(SongTi(14));
  pnlType->setStyleSheet(QStringLiteral("color: red"));
  pnlType->hide();
  start->addWidget(SpStart);
  start->addWidget(SpChose);
  start->addWidget(pnlType);
  sheet->addWidget(PnlStart);
  sheet->addStretch(1);  // the type panels go above this
  body->addWidget(PanelLeft);

  // Right panel: the notebook over the tab set.
  PanelRigth = new QWidget(this);
  PanelRigth->setObjectName(QStringLiteral("PanelRigth"));
  auto* right = new QVBoxLayout(PanelRigth);
  right->setContentsMargins(0, 0, 0, 0);
  right->setSpacing(0);
  Notebook1 = new QStackedWidget(PanelRigth);
  Notebook1->setObjectName(QStringLiteral("Notebook1"));
  TabSet1 = new QTabBar(PanelRigth);
  TabSet1->setObjectName(QStringLiteral("TabSet1"));
  TabSet1->setShape(QTabBar::RoundedSouth);
  TabSet1->addTab(QStringLiteral("设计空间"));
  TabSet1->addTab(QStringLiteral("设计记录"));
  TabSet1->addTab(QStringLiteral("设计说明"));
  right->addWidget(Notebook1, 1);
  right->addWidget(TabSet1);
  body->addWidget(PanelRigth, 1);

  auto* space = new QWidget;
  space->setObjectName(QStringLiteral("DesignSpace"));
  m_designSpace = new QGridLayout(space);
  m_designSpace->setContentsMargins(0, 0, 0, 0);
  Notebook1->addWidget(space);
  RightPnl = makeStackPanel(m_policy.startPanelName, space);
  m_designSpace->addWidget(RightPnl, 0, 0);
  placeInCell(RightPnl, buildInformationStep());
  if (m_policy.typeStep) {
    placeInCell(RightPnl, buildTypeStep());
  } else {
    Step1 = nullptr;
    DesignType = nullptr;
    AboutDesignType = nullptr;
    typeok = typecancel = nullptr;
  }

  auto* logPage = new QGroupBox(QStringLiteral("设计记录"));
  auto* logLayout = new QVBoxLayout(logPage);
  Memo1 = new QPlainTextEdit(logPage);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  logLayout->addWidget(Memo1);
  Notebook1->addWidget(logPage);

  auto* notesPage = new QGroupBox(QStringLiteral("设计说明"));
  auto* notesLayout = new QVBoxLayout(notesPage);
  pnlsm = new QWidget(notesPage);
  pnlsm->setObjectName(QStringLiteral("pnlsm"));
  auto* sm = new QVBoxLayout(pnlsm);
  sm->setContentsMargins(0, 0, 0, 0);
  wbsjsm = new QTextBrowser(pnlsm);
  wbsjsm->setObjectName(QStringLiteral("wbsjsm"));
  sm->addWidget(wbsjsm);
  notesLayout->addWidget(pnlsm);
  Notebook1->addWidget(notesPage);

  // A fixed window of 802 × 554 below its menu.
  setFixedSize(802, 554 + MainMenu1->sizeHint().height());

  // Commands.
  auto guard = [](auto command) { return [command] { Guarded(command); }; };
  OnClick(newButton, [this] { newClick(); });
  connect(new1, &QAction::triggered, this, guard([this] { newClick(); }));
  OnClick(openButton, [this] { openClick(); });
  connect(Open1, &QAction::triggered, this, guard([this] { openClick(); }));
  OnClick(saveButton, [this] { saveClick(); });
  connect(Save1, &QAction::triggered, this, guard([this] { saveClick(); }));
  connect(saveas1, &QAction::triggered, this, guard([this] { saveas1Click(); }));
  connect(X1, &QAction::triggered, this, [this] { PExitClick(); });
  connect(PExit, &QToolButton::clicked, this, [this] { PExitClick(); });
  connect(SimpleReport, &QAction::triggered, this, guard([this] { SimpleReportClick(); }));
  connect(DetailReport, &QAction::triggered, this, guard([this] { DetailReportClick(); }));
  connect(N6, &QAction::triggered, this, guard([this] { N6Click(); }));
  connect(MHelp, &QAction::triggered, this, [this] { MHelpClick(); });
  connect(btnHelp, &QToolButton::clicked, this, [this] { MHelpClick(); });
  connect(MAbout, &QAction::triggered, this, [this] { MAboutClick(); });
  OnClick(SpStart, [this] { SpStartClick(); });
  OnClick(SpChose, [this] { SpChoseClick(); });
  connect(TabSet1, &QTabBar::currentChanged, this, [this](int i) { Guarded([=, this] { TabSet1Change(i); }); });
  connect(Memo1, &QPlainTextEdit::textChanged, this, [this] { SetModified(true); });

  SetModified(false);
  EnableReports(false);
}

QWidget* TDesignFrm::buildInformationStep() {
  Step0 = new QGroupBox(QStringLiteral("输入设计信息"), RightPnl);
  Step0->setObjectName(m_policy.infoGroupName);
  Step0->setFixedSize(360, 260);
  auto* grid = new QGridLayout(Step0);
  grid->setContentsMargins(30, 24, 30, 16);
  grid->setVerticalSpacing(14);
  txtPerson = MakeEdit("txtPerson", {}, Step0);
  txtDepartment = MakeEdit("txtDepartment", {}, Step0);
  txtDate = MakeEdit("txtDate", {}, Step0);
  txtTime = MakeEdit("txtTime", {}, Step0);
  const std::pair<const char*, QLineEdit*> rows[] = {
      {"设计者：", txtPerson}, {"单  位：", txtDepartment}, {"日  期：", txtDate}, {"时  间：", txtTime}};
  int row = 0;
  for (const auto& [label, edit] : rows) {
    grid->addWidget(new QLabel(QString::fromUtf8(label), Step0), row, 0);
    grid->addWidget(edit, row++, 1, 1, 2);
  }
  for (QLineEdit* edit : {txtDate, txtTime}) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    edit->setPalette(palette);
  }
  DesignOk = MakeButton(m_policy.infoOkName, QStringLiteral("确认"), Step0);
  DesignCancel = MakeButton(m_policy.infoCancelName, QStringLiteral("取消"), Step0);
  grid->addWidget(DesignOk, row, 1);
  grid->addWidget(DesignCancel, row, 2);
  Step0->hide();

  OnClick(DesignOk, [this] { DesignOkClick(); });
  OnClick(DesignCancel, [this] { DesignCancelClick(); });
  // Enter in the designer's edit moves on to the department (txtPersonKeyPress); in some
  // windows Enter in the department's edit keeps the focus there too.
  if (m_policy.enter != WizardPolicy::Enter::Stays)
    connect(txtPerson, &QLineEdit::returnPressed, txtDepartment, [this] { txtDepartment->setFocus(); });
  if (m_policy.enter == WizardPolicy::Enter::BothToDepartment)
    connect(txtDepartment, &QLineEdit::returnPressed, txtDepartment, [this] { txtDepartment->setFocus(); });
  return Step0;
}

QWidget* TDesignFrm::buildTypeStep() {
  Step1 = new QGroupBox(RightPnl);
  Step1->setObjectName(m_policy.typeGroupName);
  auto* layout = new QVBoxLayout(Step1);
  DesignType = new RadioGroup(QStringLiteral("选择设计类型"), {}, m_policy.typeListColumns, Step1);
  DesignType->setObjectName(m_policy.typeListName);
  layout->addWidget(DesignType);
  layout->addWidget(new QLabel(QStringLiteral("设计类型说明："), Step1));
  AboutDesignType = new QLabel(Step1);
  AboutDesignType->setObjectName(QStringLiteral("AboutDesignType"));
  AboutDesignType->setWordWrap(true);
  AboutDesignType->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  AboutDesignType->setMinimumHeight(80);
  layout->addWidget(AboutDesignType);
  layout->addStretch(1);
  auto* buttons = new QHBoxLayout;
  typeok = MakeButton(m_policy.typeOkName, QStringLiteral("确定"), Step1);
  typecancel = MakeButton(m_policy.typeCancelName, QStringLiteral("取消"), Step1);
  buttons->addStretch(1);
  buttons->addWidget(typeok);
  buttons->addWidget(typecancel);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  Step1->hide();

  OnClick(typeok, [this] { typeokClick(); });
  OnClick(typecancel, [this] { typecancelClick(); });
  return Step1;
}

int TDesignFrm::AddType(const QString& caption, const QString& explanation,
                        const QString& buttonPanelName, const QString& rightPanelName) {
  WizardType type;
  type.caption = caption;
  type.explanation = explanation;
  type.label = caption;
  type.buttonPanel = new QWidget(TabSheet1);
  type.buttonPanel->setObjectName(buttonPanelName);
  auto* column = new QVBoxLayout(type.buttonPanel);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  type.buttonPanel->hide();
  auto* sheet = static_cast<QVBoxLayout*>(TabSheet1->layout());
  sheet->insertWidget(sheet->count() - 1, type.buttonPanel);
  type.rightPanel = makeStackPanel(rightPanelName, RightPnl->parentWidget());
  m_designSpace->addWidget(type.rightPanel, 0, 0);
  m_types.push_back(type);
  m_types.back().steps.reserve(kStepButtonsMax);  // AddStep hands out references to steps

  if (!DesignType) return int(m_types.size()) - 1;  // a window without a type list
  // The type list is rebuilt with every added type.
  QStringList captions;
  for (const WizardType& t : m_types) captions << t.caption;
  auto* layout = static_cast<QVBoxLayout*>(Step1->layout());
  auto* list = new RadioGroup(QStringLiteral("选择设计类型"), captions, m_policy.typeListColumns, Step1);
  list->setObjectName(m_policy.typeListName);
  layout->replaceWidget(DesignType, list);
  delete DesignType;
  DesignType = list;
  connect(DesignType, &RadioGroup::clicked, this, [this] { Guarded([this] { DesignTypeClick(); }); });
  return int(m_types.size()) - 1;
}

WizardStep& TDesignFrm::AddStep(int type, const QString& buttonName, const QString& caption,
                                QWidget* group) {
  WizardType& t = m_types[type];
  Q_ASSERT(t.steps.size() < kStepButtonsMax);
  return AddSlot(type, AddStepButton(t.buttonPanel, buttonName, caption), group);
}

QToolButton* TDesignFrm::AddStepButton(QWidget* panel, const QString& name, const QString& caption) {
  QToolButton* button = MakeSpeedButton(name, caption, 14, Qt::blue, panel);
  button->setEnabled(false);
  panel->layout()->addWidget(button);
  connect(button, &QToolButton::clicked, this, [this, button] { Guarded([=, this] { slotClicked(button); }); });
  return button;
}

WizardStep& TDesignFrm::AddSlot(int type, QToolButton* button, QWidget* group) {
  WizardType& t = m_types[type];
  Q_ASSERT(t.steps.size() < kStepButtonsMax);
  WizardStep step;
  step.button = button;
  step.group = group;
  t.steps.push_back(step);
  return t.steps.back();
}

void TDesignFrm::SetSlotButton(int type, int k, QToolButton* button, QWidget* group) {
  WizardStep& step = m_types[type].steps[k];
  step.button = button;
  step.group = group;
}

QWidget* TDesignFrm::AddButtonPanel(const QString& name) {
  auto* panel = new QWidget(TabSheet1);
  panel->setObjectName(name);
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  panel->hide();
  auto* sheet = static_cast<QVBoxLayout*>(TabSheet1->layout());
  sheet->insertWidget(sheet->count() - 1, panel);
  return panel;
}

QToolButton* TDesignFrm::AddStartButton(const QString& name, const QString& caption) {
  QToolButton* button = MakeSpeedButton(name, caption, 12, Qt::black, PnlStart);
  button->hide();
  auto* column = static_cast<QVBoxLayout*>(PnlStart->layout());
  column->insertWidget(column->indexOf(SpChose) + 1, button);
  return button;
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

QGroupBox* TDesignFrm::AddStepGroup(int type, const QString& name, const QString& title) {
  QWidget* panel = type < 0 ? RightPnl : m_types[type].rightPanel;
  auto* group = new QGroupBox(title, panel);
  group->setObjectName(name);
  group->hide();
  placeInCell(panel, group);
  return group;
}

void TDesignFrm::AddResult(WizardStep& step, QLabel* label) {
  step.results.emplace_back(label, label->text());
}

void TDesignFrm::AddNumericEdits(const std::vector<QLineEdit*>& edits) {
  for (QLineEdit* edit : edits) edit->installEventFilter(m_numericFilter);
}

void TDesignFrm::AddAnimation(MechanismAnimation* animation) { m_animations.push_back(animation); }

AnalysisPanel* TDesignFrm::AddAnalysisPanel(int type, const AnalysisPanelConfig& config, bool runEnd) {
  QWidget* home = type < 0 ? RightPnl : m_types[type].rightPanel;
  auto* panel = new AnalysisPanel(config, home);
  placeInCell(home, panel);
  panel->hide();
  AddAnimation(&panel->animation());
  connect(panel, &AnalysisPanel::finished, this, [this, type, runEnd] {
    Guarded([=, this] { FinishAnalysis(type < 0 ? m_designType : type, runEnd); });
  });
  return panel;
}

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
  return true;
}

void TDesignFrm::OnStepEntered(int, int) {}

void TDesignFrm::RunStep(int type, int k) {
  QToolButton* button = m_types[type].steps[k].button;
  button->show();
  button->setEnabled(true);
  stepClicked(type, k);
}

void TDesignFrm::FinishAnalysis(int type, bool run) {
  StopTimers();
  hideAllGroups();
  OnAnalysisFinished(type);
  const int last = int(m_types[type].steps.size()) - 1;
  QToolButton* end = m_types[type].steps[last].button;
  end->show();
  end->setEnabled(true);
  if (run) RunStep(type, last);
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

// --- The log ---

QStringList TDesignFrm::LogLines() const {
  const QString text = Memo1->toPlainText();
  if (text.isEmpty()) return {};
  return text.split(u'\n');
}

void TDesignFrm::SetLogLines(const QStringList& lines) { Memo1->setPlainText(lines.join(u'\n')); }

void TDesignFrm::AppendLog(const QString& line) {
  if (Memo1->document()->isEmpty())
    Memo1->setPlainText(line);
  else
    Memo1->appendPlainText(line);
}

void TDesignFrm::AppendLog(const QStringList& lines) {
  for (const QString& line : lines) AppendLog(line);
}

void TDesignFrm::CutLog(int kept) {
  QStringList lines = LogLines();
  if (lines.size() <= kept) return;
  SetLogLines(lines.mid(0, kept));
}

void TDesignFrm::WriteLogHeader(const QString& typeSuffix, const HeaderSpacing& spacing) {
  SetLogLines({QStringLiteral("设计信息"), QStringLiteral("    类型：") + pnlType->text() + typeSuffix,
               QStringLiteral("    设计人：") + m_person + spacing.beforeDepartment + QStringLiteral("单位：") +
                   m_department,
               QStringLiteral("    日期：") + m_date + spacing.beforeTime + QStringLiteral("时间：") + m_time});
}

void TDesignFrm::WriteInformationLines() {
  SetLogLines({QStringLiteral("设计信息"),
               QStringLiteral("    设计人：") + m_person + QStringLiteral("    单位：") + m_department,
               QStringLiteral("    日期：") + m_date + QStringLiteral("   时间：") + m_time});
}

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

ReportHeader TDesignFrm::reportHeader() const { return {m_department, m_person, m_date}; }

void TDesignFrm::SimpleReportClick() {
  StopTimers();  // no animation draws behind the preview
  RunSimpleReport(reportHeader(), ReportRows());
}

void TDesignFrm::DetailReportClick() { RunDetailReport(reportHeader(), LogLines()); }

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

void TDesignFrm::WriteReal(TIniFile& ini, const QString& key, Extended value) {
  ini.WriteFloat(kRecordSection, key, static_cast<double>(value));
}

Extended TDesignFrm::ReadReal(const TIniFile& ini, const QString& key, Extended def) {
  return ini.ReadFloat(kRecordSection, key, def);
}

void TDesignFrm::writeRecord() const {
  TIniFile ini(m_recordPath);
  ini.WriteString(kRecordSection, QStringLiteral("DsMethod"), m_method);
  ini.WriteString(kRecordSection, QStringLiteral("DsPerson"), m_person);
  ini.WriteString(kRecordSection, QStringLiteral("DsDepartment"), m_department);
  ini.WriteString(kRecordSection, QStringLiteral("DsDate"), m_date);
  ini.WriteString(kRecordSection, QStringLiteral("DsTime"), m_time);
  ini.WriteInteger(kRecordSection, QStringLiteral("DsStep"), m_step);
  ini.WriteInteger(kRecordSection, QStringLiteral("DsType"), m_designType);
  WriteMethodKeys(ini);
  ini.Save();
}

static QString recordPathOf(const QString& logPath) { return logPath.left(logPath.size() - 4) + QStringLiteral(".des"); }

bool TDesignFrm::saveClick() {
  if (m_logPath.isEmpty()) return saveas1Click();
  // The log waits beside its place until the record is written, so a failure of either
  // leaves the pair on disk as it was.
  const QString pending = m_logPath + QStringLiteral(".~new");
  WriteTextLines(pending, LogLines());
  try {
    writeRecord();
  } catch (...) {
    QFile::remove(pending);
    throw;
  }
  if (std::rename(QFile::encodeName(pending).constData(), QFile::encodeName(m_logPath).constData()) != 0) {
    QFile::remove(pending);
    throw EFileError(QStringLiteral("无法写入文件") + m_logPath);
  }
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
  m_recordPath = recordPathOf(path);
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
  const QString recordPath = recordPathOf(txtPath);
  if (!QFileInfo::exists(recordPath) || QFileInfo(recordPath) == QFileInfo(txtPath)) {
    ShowMsg(QStringLiteral("保存的设计过程已经丢失，无法打开！"));
    return;
  }
  SetLogLines(ReadTextLines(txtPath));
  m_logPath = txtPath;
  m_recordPath = recordPath;
  SetModified(false);
  m_dialogFileName = txtPath;

  const TIniFile ini(m_recordPath);
  const QString method = ini.ReadString(kRecordSection, QStringLiteral("DsMethod"), {});
  if (method != m_key) {
    PendingMethod = method;
    PendingFile = txtPath;
    PendingOpen = true;
    if (isVisible())
      close();  // its hide runs new
    else
      newClick();  // a window that was never shown must not keep another method's log
    return;
  }
  m_method = method;
  m_person = ini.ReadString(kRecordSection, QStringLiteral("DsPerson"), {});
  m_department = ini.ReadString(kRecordSection, QStringLiteral("DsDepartment"), {});
  m_date = ini.ReadString(kRecordSection, QStringLiteral("DsDate"), {});
  m_time = ini.ReadString(kRecordSection, QStringLiteral("DsTime"), {});
  m_step = ini.ReadInteger(kRecordSection, QStringLiteral("DsStep"), 0);
  m_designType = ini.ReadInteger(kRecordSection, QStringLiteral("DsType"), -1);
  ReadMethodKeys(ini);

  const int resume = ResumeStep();
  // A type the window does not have can only come from a hand-edited file: show the log only.
  if (resume > 0 && m_designType >= 0 && m_designType < TypeCount() && !m_types[m_designType].steps.empty())
    resumeType(resume);
  OnResumed();
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
