#include "app/main_frm.h"

#include "app/about_frm.h"
#include "widgets/fonts.h"
#include "app/navigator/navigator.h"
#include "analysis/analysis_panel.h"
#include "base/appdir.h"
#include "base/desktop.h"
#include "base/errors.h"
#include "base/inifile.h"
#include "design/design_record.h"
#include "workbench/linkage_frm.h"

#include <QAction>
#include <QTimer>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <cmath>

namespace {

const QString kMain = QStringLiteral("MAIN");
const QString kMainLower = QStringLiteral("main");  // the section name the switches are read from
constexpr int kNavigatorMax = 320, kNavigatorMin = 65;
constexpr int kPanelWidths[] = {400, 200, 200, 350};

QString configPath() { return ConfigPath(); }

// Graphical calculators and editors commonly installed on Linux desktops, preferred first.
const QStringList kCalculators = {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                                  QStringLiteral("galculator"), QStringLiteral("qalculate-gtk"),
                                  QStringLiteral("mate-calc"), QStringLiteral("xcalc")};
const QStringList kEditors = {QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"),
                              QStringLiteral("kate"), QStringLiteral("kwrite"), QStringLiteral("mousepad"),
                              QStringLiteral("xed"), QStringLiteral("pluma"), QStringLiteral("leafpad")};

}  // namespace

const QStringList& TMainFrm::MethodCaptions() {
  static const QStringList captions = {
      QStringLiteral("按两连架杆预定的对应位置设计"), QStringLiteral("按两连架杆角位置呈连续函数关系设计"),
      QStringLiteral("按从动件的急回特性设计"), QStringLiteral("按从动件近似停歇要求设计"),
      QStringLiteral("按传动角设计四杆机构"), QStringLiteral("按连杆预定位置设计")};
  return captions;
}

const QStringList& TMainFrm::MethodKeys() {
  static const QStringList keys = {QStringLiteral("DYWZ"), QStringLiteral("HSGX"), QStringLiteral("JHTX"),
                                   QStringLiteral("JSTX"), QStringLiteral("CDJSJ"), QStringLiteral("LWZ")};
  return keys;
}

TMainFrm::TMainFrm(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("TMainFrm"));
  setWindowTitle(QStringLiteral("Kinvora"));
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFont(SongTi(12));
  buildMenus();
  buildToolBar();
  buildBody();
  buildStatusBar();
  SetShell(this);

  const TIniFile config(configPath());
  move(config.ReadInteger(kMain, QStringLiteral("Left"), 231), config.ReadInteger(kMain, QStringLiteral("Top"), 148));
  // The stored switches say "hidden"; the first show inverts each tick once.
  mnuToolbar->setChecked(config.ReadBool(kMainLower, QStringLiteral("Toolbar1"), false));
  mnuStatusbar->setChecked(config.ReadBool(kMainLower, QStringLiteral("Statusbar"), true));
  SetNavigatorWidth(config.ReadInteger(kMainLower, QStringLiteral("LeftWidth"), 185));
  mnuNavigator->setChecked(false);
  pnlleft->hide();  // as its tick says, until the first show has filled it
  NavigatorPages->setCurrentIndex(0);
  SetStatusText(0, QStringLiteral("就绪"));

  AnalysisPanel::SetWorkbenchOpener(
      [this](const Linkage& linkage, Extended lenBE, Extended delta) { OpenWorkbench(linkage, lenBE, delta); });
}

TMainFrm::~TMainFrm() {
  AnalysisPanel::SetWorkbenchOpener(nullptr);
  qApp->removeEventFilter(this);
  if (Shell() == this) SetShell(nullptr);
}

void TMainFrm::buildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&S)"));
  QMenu* fileNew = file->addMenu(QStringLiteral("新建(&N)"));
  QMenu* design = menuBar()->addMenu(QStringLiteral("设计(&D)"));
  pmDesign = new QMenu(this);
  pmDesign->setObjectName(QStringLiteral("pmDesign"));
  for (int i = 0; i < MethodCaptions().size(); ++i)
    for (QMenu* menu : {fileNew, design, pmDesign}) {
      QAction* item = menu->addAction(MethodCaptions()[i]);
      item->setData(i);
      item->setEnabled(false);  // until the method's window is registered
      m_methodItems.push_back(item);
      connect(item, &QAction::triggered, this, [this, i] { Guarded([=, this] { OpenMethod(i + 1); }); });
    }
  QAction* open = file->addAction(QStringLiteral("打开(&O)..."));
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  connect(open, &QAction::triggered, this, [this] { Guarded([this] { openClick(); }); });
  file->addSeparator();
  connect(file->addAction(QStringLiteral("计算器(&C)")), &QAction::triggered, this,
          [this] { Guarded([this] { CalculatorClick(); }); });
  connect(file->addAction(QStringLiteral("记事本(&N)")), &QAction::triggered, this,
          [this] { Guarded([this] { NotepadClick(); }); });
  file->addSeparator();
  connect(file->addAction(QStringLiteral("退出(&X)")), &QAction::triggered, this, &QWidget::close);

  QMenu* analysis = menuBar()->addMenu(QStringLiteral("分析(&A)"));
  mnuLinkage = analysis->addAction(QStringLiteral("连杆机构分析(&L)…"));
  mnuLinkage->setObjectName(QStringLiteral("mnuLinkage"));
  connect(mnuLinkage, &QAction::triggered, this, [this] { Guarded([this] { LinkageClick(); }); });

  QMenu* view = menuBar()->addMenu(QStringLiteral("视图(&V)"));
  mnuToolbar = view->addAction(QStringLiteral("工具栏(&T)"));
  mnuNavigator = view->addAction(QStringLiteral("导航器(&N)"));
  mnuStatusbar = view->addAction(QStringLiteral("状态栏(&S)"));
  mnuToolbar->setObjectName(QStringLiteral("mnuToolbar"));
  mnuNavigator->setObjectName(QStringLiteral("mnuNavigator"));
  mnuStatusbar->setObjectName(QStringLiteral("mnuStatusbar"));
  mnuNavigator->setShortcut(QKeySequence(Qt::Key_F8));
  for (QAction* tick : {mnuToolbar, mnuNavigator, mnuStatusbar}) tick->setCheckable(true);
  // The commands set the tick themselves.
  connect(mnuToolbar, &QAction::triggered, this, [this] { mnuToolbar->toggle(); ToolbarClick(); });
  connect(mnuNavigator, &QAction::triggered, this, [this] { mnuNavigator->toggle(); NavigatorClick(); });
  connect(mnuStatusbar, &QAction::triggered, this, [this] { mnuStatusbar->toggle(); StatusbarClick(); });

  QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
  QAction* topics = help->addAction(QStringLiteral("帮助主题(&C)"));
  topics->setShortcut(QKeySequence(Qt::Key_F1));
  connect(topics, &QAction::triggered, this, [this] { Guarded([this] { btnHelpClick(); }); });
  connect(help->addAction(QStringLiteral("关于(&A)...")), &QAction::triggered, this, [this] { AboutClick(); });
}

void TMainFrm::buildToolBar() {
  ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setMovable(false);
  ToolBar1->setIconSize(QSize(24, 24));
  auto add = [this](const QString& name, const QString& hint, QStyle::StandardPixmap icon) {
    auto* button = new QToolButton(ToolBar1);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setIcon(style()->standardIcon(icon));
    ToolBar1->addWidget(button);
    return button;
  };
  btnNew = add(QStringLiteral("btnNew"), QStringLiteral("新建"), QStyle::SP_FileIcon);
  btnNew->setMenu(pmDesign);
  btnNew->setPopupMode(QToolButton::MenuButtonPopup);
  openButton = add(QStringLiteral("open"), QStringLiteral("打开"), QStyle::SP_DialogOpenButton);
  openButton->setText(QStringLiteral("打开"));
  ToolBar1->addSeparator();
  btnFind = add(QStringLiteral("btnFind"), QStringLiteral("查找"), QStyle::SP_FileDialogContentsView);
  btnHelp = add(QStringLiteral("btnHelp"), QStringLiteral("帮助"), QStyle::SP_MessageBoxQuestion);
  btnLinkage = add(QStringLiteral("btnLinkage"), QStringLiteral("连杆机构分析"), QStyle::SP_BrowserReload);
  ToolBar1->addSeparator();
  exit1 = add(QStringLiteral("exit1"), QStringLiteral("退出"), QStyle::SP_DialogCloseButton);
  connect(btnNew, &QToolButton::clicked, this, [this] { Guarded([this] { OpenMethod(1); }); });
  connect(openButton, &QToolButton::clicked, this, [this] { Guarded([this] { openClick(); }); });
  connect(btnFind, &QToolButton::clicked, this, [this] { btnFindClick(); });
  connect(btnHelp, &QToolButton::clicked, this, [this] { Guarded([this] { btnHelpClick(); }); });
  connect(btnLinkage, &QToolButton::clicked, this, [this] { Guarded([this] { LinkageClick(); }); });
  connect(exit1, &QToolButton::clicked, this, &QWidget::close);
}

void TMainFrm::buildBody() {
  auto* body = new QWidget(this);
  auto* row = new QHBoxLayout(body);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);

  pnlleft = new QWidget(body);
  pnlleft->setObjectName(QStringLiteral("pnlleft"));
  auto* left = new QVBoxLayout(pnlleft);
  left->setContentsMargins(0, 0, 0, 0);
  NavigatorPages = new QTabWidget(pnlleft);
  NavigatorPages->setObjectName(QStringLiteral("PageControl1"));
  DCInfoTree1 = new QTreeWidget;
  DCInfoTree1->setObjectName(QStringLiteral("DCInfoTree1"));
  DCInfoTree1->setHeaderHidden(true);
  NavigatorPages->addTab(DCInfoTree1, QStringLiteral("目录"));
  auto* search = new QWidget;
  auto* searchColumn = new QVBoxLayout(search);
  searchColumn->addWidget(new QLabel(QStringLiteral("请键入要查找的关键词"), search));
  txtFind = new QLineEdit(search);
  txtFind->setObjectName(QStringLiteral("txtFind"));
  searchColumn->addWidget(txtFind);
  ListView1 = new QTreeWidget(search);
  ListView1->setObjectName(QStringLiteral("ListView1"));
  ListView1->setHeaderLabels({QStringLiteral("查询结果")});
  ListView1->setRootIsDecorated(false);
  ListView1->header()->resizeSection(0, 1020);
  searchColumn->addWidget(ListView1, 1);
  NavigatorPages->addTab(search, QStringLiteral("查询"));
  left->addWidget(NavigatorPages);
  row->addWidget(pnlleft);

  Right = new QWidget(body);
  Right->setObjectName(QStringLiteral("Right"));
  auto* right = new QHBoxLayout(Right);
  right->setContentsMargins(0, 0, 0, 0);
  right->setSpacing(0);
  pnlNag = new QWidget(Right);
  pnlNag->setObjectName(QStringLiteral("pnlNag"));
  pnlNag->setFixedWidth(8);
  HidenN = new QToolButton(pnlNag);
  HidenN->setObjectName(QStringLiteral("HidenN"));
  HidenN->setFixedSize(8, 22);
  HidenN->setToolTip(QStringLiteral("显示/隐藏导航器"));
  HidenN->hide();
  connect(HidenN, &QToolButton::clicked, this, &TMainFrm::NavigatorClick);
  right->addWidget(pnlNag);
  pnlRight = new QStackedWidget(Right);
  pnlRight->setObjectName(QStringLiteral("pnlRight"));
  StartPicture = new QLabel;
  StartPicture->setObjectName(QStringLiteral("StartPicture"));
  StartPicture->setScaledContents(true);
  StartPicture->setPixmap(DrawLinkageSketch(QSize(624, 524), QStringLiteral("Kinvora"),
                                            QStringLiteral("平面四杆机构设计与运动分析")));
  pnlRight->addWidget(StartPicture);
  pnlweb = new QWidget;
  pnlweb->setObjectName(QStringLiteral("pnlweb"));
  auto* web = new QVBoxLayout(pnlweb);
  web->setContentsMargins(0, 0, 0, 0);
  web->setSpacing(0);
  lblTitle = new QLabel(pnlweb);
  lblTitle->setObjectName(QStringLiteral("lblTitle"));
  lblTitle->setFixedHeight(25);
  lblTitle->setFont(SongTi(14));
  WebBrowser = new QTextBrowser(pnlweb);
  WebBrowser->setObjectName(QStringLiteral("WebBrowser"));
  web->addWidget(lblTitle);
  web->addWidget(WebBrowser, 1);
  pnlRight->addWidget(pnlweb);
  right->addWidget(pnlRight, 1);
  row->addWidget(Right, 1);
  setCentralWidget(body);
  m_navigator = new Navigator({NavigatorPages, DCInfoTree1, txtFind, ListView1, pnlRight, StartPicture, pnlweb,
                               lblTitle, WebBrowser, HidenN, mnuNavigator},
                              [this](int method) { OpenMethod(method); }, this);
}

void TMainFrm::buildStatusBar() {
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setSizeGripEnabled(false);
  for (int width : kPanelWidths) {
    auto* panel = new QLabel(StatusBar1);
    panel->setFixedWidth(width);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    StatusBar1->addWidget(panel);
    m_panels.push_back(panel);
  }
  setStatusBar(StatusBar1);
  // A fixed window of 802 × 554 between its menu and its edges.
  setFixedSize(802, 554 + menuBar()->sizeHint().height());
}

void TMainFrm::RegisterDesignWindow(DesignWindow* window) {
  const QString key = window->MethodKey();
  RegisterDesignWindow(key, [window] { return window; });
}

void TMainFrm::RegisterDesignWindow(const QString& key, std::function<DesignWindow*()> make) {
  m_windows.erase(key);
  m_makeWindow[key] = std::move(make);
  const int number = int(MethodKeys().indexOf(key));
  for (QAction* item : m_methodItems)
    if (item->data().toInt() == number) item->setEnabled(true);
}

void TMainFrm::SetStatusText(int panel, const QString& text) {
  if (panel >= 0 && panel < int(m_panels.size())) m_panels[panel]->setText(text);
}

QString TMainFrm::StatusText(int panel) const {
  return panel >= 0 && panel < int(m_panels.size()) ? m_panels[panel]->text() : QString();
}

void TMainFrm::SetNavigatorWidth(int width) {
  if (width > kNavigatorMax) width = kNavigatorMax;
  if (width < kNavigatorMin) width = kNavigatorMin;
  pnlleft->setFixedWidth(width);
}

void TMainFrm::centreNavigatorButton() {
  // (height − 22) / 2 rounded to the nearest, halves to even
  HidenN->move(0, int(std::nearbyint((Right->height() - HidenN->height()) / 2.0)));
}

// --- View switches: each inverts its tick and shows its element exactly when ticked. ---

void TMainFrm::ToolbarClick() {
  mnuToolbar->setChecked(!mnuToolbar->isChecked());
  ToolBar1->setVisible(mnuToolbar->isChecked());
}

void TMainFrm::StatusbarClick() {
  mnuStatusbar->setChecked(!mnuStatusbar->isChecked());
  StatusBar1->setVisible(mnuStatusbar->isChecked());
}

void TMainFrm::NavigatorClick() {
  mnuNavigator->setChecked(!mnuNavigator->isChecked());
  const bool shown = mnuNavigator->isChecked();
  pnlleft->setVisible(shown);
  const QString picture = AppDir() + (shown ? QStringLiteral("images/Hiden.BMP") : QStringLiteral("images/Show.BMP"));
  if (QFileInfo::exists(picture)) HidenN->setIcon(QIcon(picture));
  HidenN->setToolTip(shown ? QStringLiteral("隐藏导航器") : QStringLiteral("显示导航器"));
}

void TMainFrm::btnFindClick() { m_navigator->btnFindClick(); }

// --- Window events ---

void TMainFrm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (m_shown) return;
  m_shown = true;
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - frameGeometry().center() + pos());
  // Without its content database the window shows as it was made: no navigator, no tree.
  if (!Guarded([this] { m_navigator->Open(); })) return;
  centreNavigatorButton();
  NavigatorClick();
  ToolbarClick();
  StatusbarClick();
  pnlRight->setCurrentWidget(StartPicture);
  QPixmap picture;
  if (picture.load(AppDir() + QStringLiteral("images/Vantrel.bmp"))) StartPicture->setPixmap(picture);
  if (pnlleft->isVisible()) DCInfoTree1->setFocus();
  mnuNavigator->setEnabled(false);  // only while a content page shows
}

void TMainFrm::closeEvent(QCloseEvent* event) {
  Guarded([this] {
    TIniFile config(configPath());
    config.WriteInteger(kMain, QStringLiteral("Left"), x());
    config.WriteInteger(kMain, QStringLiteral("Top"), y());
    config.WriteBool(kMain, QStringLiteral("Toolbar1"), !mnuToolbar->isChecked());
    config.WriteBool(kMain, QStringLiteral("Statusbar"), !mnuStatusbar->isChecked());
    config.WriteInteger(kMain, QStringLiteral("LeftWidth"), pnlleft->width());
    config.WriteBool(kMain, QStringLiteral("Navigator"), !mnuNavigator->isChecked());
    config.Save();
  });
  event->accept();
}

// --- Design windows and records ---

void TMainFrm::OpenMethod(int number) {
  if (number < 1 || number > MethodKeys().size()) return;
  if (DesignWindow* window = designWindow(MethodKeys()[number - 1])) window->ShowModal();
}

void TMainFrm::openClick() {
  const QString folder = EnsureResultDir();
  const QString path =
      Desktop().GetOpenFileName(QStringLiteral("打开设计文件"), folder, QStringLiteral("文本文件(*.txt)"));
  if (path.isEmpty()) return;
  const QString record = path.left(path.size() - 4) + QStringLiteral(".des");
  if (!QFileInfo::exists(record)) {
    ShowMsg(QStringLiteral("保存的设计过程已经丢失，无法打开！"));
    return;
  }
  OpenRecordByMethod(DesignRecordReader(record).Method(), path);
}

DesignWindow* TMainFrm::designWindow(const QString& key) {
  if (const auto made = m_windows.find(key); made != m_windows.end()) return made->second;
  const auto maker = m_makeWindow.find(key);
  if (maker == m_makeWindow.end()) return nullptr;  // a method this build does not have
  return m_windows[key] = maker->second();
}

void TMainFrm::OpenRecordLater(const QString& method, const QString& txtPath) {
  m_pendingRecord = {method, txtPath};
  // Taken up once the window that met the record has closed and the event loop runs again.
  QTimer::singleShot(0, this, [this] { Guarded([this] { openPendingRecord(); }); });
}

void TMainFrm::openPendingRecord() {
  if (!m_pendingRecord) return;
  const auto [method, path] = *m_pendingRecord;
  OpenRecordByMethod(method, path);
}

void TMainFrm::OpenRecordByMethod(const QString& method, const QString& path) {
  m_pendingRecord.reset();
  if (!MethodKeys().contains(method)) return;  // matched exactly: "jhtx" is no method
  {
    DesignWindow* window = designWindow(method);
    if (!window) return;
    try {
      window->LoadDesignRecord(path);
    } catch (const std::exception&) {
      ShowMsg(QStringLiteral("文件打开失败！"));
      return;
    }
    // A window that handed the record on again has closed; the pending hand-off takes over.
    if (!m_pendingRecord) window->ShowModal();
  }
}

// --- Help, calculator, notepad, about ---

void TMainFrm::btnHelpClick() {
  const QString help = AppDir() + QStringLiteral("help/help.html");
  if (!QFileInfo::exists(help))
    ShowMsg(QStringLiteral("系统找不到相应的帮助文件！"));
  else if (!Desktop().ShellOpen(help))
    ShowMsg(QStringLiteral("没有找到可以打开帮助文件的浏览器：") + help);
}

QString TMainFrm::firstInstalled(const QStringList& programs) {
  for (const QString& program : programs) {
    const QString path = QStandardPaths::findExecutable(program);
    if (!path.isEmpty()) return path;
  }
  return {};
}

void TMainFrm::CalculatorClick() {
  const QString calculator = firstInstalled(kCalculators);
  if (calculator.isEmpty())
    ShowMsg(QStringLiteral("没有找到可用的计算器程序，请安装 gnome-calculator 或 kcalc。"));
  else
    Desktop().StartProgram(calculator, {});
}

void TMainFrm::NotepadClick() {
  const QString editor = firstInstalled(kEditors);
  if (!editor.isEmpty()) {
    Desktop().StartProgram(editor, {});
    return;
  }
  // A terminal editor in a terminal window is still a notepad.
  QString terminalEditor = qEnvironmentVariable("VISUAL");
  if (terminalEditor.isEmpty()) terminalEditor = qEnvironmentVariable("EDITOR");
  const QString terminal = firstInstalled({QStringLiteral("x-terminal-emulator")});
  if (!terminalEditor.isEmpty() && !terminal.isEmpty()) {
    Desktop().StartProgram(terminal, {QStringLiteral("-e"), terminalEditor});
    return;
  }
  ShowMsg(QStringLiteral("没有找到可用的记事本程序，请安装 gedit 或 mousepad。"));
}

void TMainFrm::AboutClick() {
  if (!m_about && m_makeAbout) m_about = m_makeAbout();
  if (m_about) m_about->ShowModal();
}

// --- The linkage workbench ---

TLinkageFrm* TMainFrm::LinkageClick() {
  // A modal design window blocks every window but its own: the workbench it opens is its child.
  QWidget* modal = QApplication::activeModalWidget();
  auto* frm = new TLinkageFrm(modal ? modal : this);
  frm->show();
  return frm;
}

TLinkageFrm* TMainFrm::OpenWorkbench(const Linkage& linkage, Extended lenBE, Extended delta) {
  TLinkageFrm* frm = LinkageClick();
  frm->LoadLinkage(linkage, lenBE, delta);
  return frm;
}
