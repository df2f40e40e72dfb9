// The wizard's window: its menu, tool bar, left and right panels, the information and type
// steps, and the building of types, steps and slots for the method windows.
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
  TabSet1->addTab(CheckTabCaption({}));
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
  m_checkPage = new CheckPage;
  Notebook1->addWidget(m_checkPage);

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

WizardStep& TDesignFrm::AddStep(int type, const StepSpec& declared) {
  WizardStep& step = AddStep(type, QString::fromLatin1(declared.button), declared.caption, declared.group);
  step.pictures = declared.pictures;
  step.status = declared.status;
  step.keptLines = declared.keptLines;
  step.firstEdit = declared.firstEdit;
  step.calc = declared.calc;
  step.confirm = declared.confirm;
  step.end = declared.end;
  for (QLabel* label : declared.results) AddResult(step, label);
  if (declared.calc && declared.onCalc) OnClick(declared.calc, declared.onCalc);
  if (declared.confirm && declared.onConfirm) OnClick(declared.confirm, declared.onConfirm);
  return step;
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
  const int k = int(t.steps.size());
  step.number = m_policy.numbering == WizardPolicy::Numbering::OnEntry ? k + 1 : k;
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

