// The main window: the design methods, the opening of saved designs, the navigator panel,
// the content area, the view switches and the status line of the whole program.
#pragma once

#include "base/types.h"
#include "design/shell.h"

#include <QMainWindow>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QStackedWidget;
class QTabWidget;
class QTextBrowser;
class QToolButton;
class QTreeWidget;
class Navigator;
class TAboutFrm;
class TLinkageFrm;
struct Linkage;

class TMainFrm : public QMainWindow, public ShellServices {
  Q_OBJECT

public:
  // The five design methods in menu order; their number is their place here plus one.
  static const QStringList& MethodCaptions();
  static const QStringList& MethodKeys();

  // FormCreate: the settings of the last run from AppDir + "config.ini".
  explicit TMainFrm(QWidget* parent = nullptr);
  ~TMainFrm() override;

  void RegisterDesignWindow(DesignWindow* window);
  // A design window made when it is first opened (start-up makes none of them).
  void RegisterDesignWindow(const QString& key, std::function<DesignWindow*()> make);
  void SetAboutBox(TAboutFrm* about) { m_about = about; }
  void SetAboutBox(std::function<TAboutFrm*()> make) { m_makeAbout = std::move(make); }

  // ShellServices
  void SetStatusText(int panel, const QString& text) override;
  void RunHelp() override { btnHelpClick(); }
  void RunAbout() override { AboutClick(); }
  QPoint MainWindowPos() const override { return pos(); }
  void OpenRecordLater(const QString& method, const QString& txtPath) override;

  // Commands.
  void OpenMethod(int number);  // 1 … 6
  void openClick();
  void OpenRecordByMethod(const QString& method, const QString& path);
  void ToolbarClick();
  void NavigatorClick();
  void StatusbarClick();
  void btnHelpClick();
  void CalculatorClick();
  void NotepadClick();
  void AboutClick();
  void btnFindClick();
  // A new linkage workbench, with the default linkage or the one given; returns it shown.
  TLinkageFrm* LinkageClick();
  TLinkageFrm* OpenWorkbench(const Linkage& linkage, Extended lenBE, Extended delta);
  // The navigator's width rule: at most 320, and a width of 64 or less becomes 65.
  void SetNavigatorWidth(int width);

  QString StatusText(int panel) const;
  Navigator* navigator() const { return m_navigator; }

  // Controls, named as in the window.
  QToolBar* ToolBar1;
  QToolButton *btnNew, *openButton, *btnFind, *btnHelp, *exit1;  // "open" is openButton
  QMenu* pmDesign;
  QAction* mnuLinkage;      // 分析 › 连杆机构分析
  QToolButton* btnLinkage;  // the same on the tool bar
  QAction *mnuToolbar, *mnuNavigator, *mnuStatusbar;
  QStatusBar* StatusBar1;
  QWidget* pnlleft;
  QTabWidget* NavigatorPages;
  QTreeWidget* DCInfoTree1;
  QLineEdit* txtFind;
  QTreeWidget* ListView1;
  QWidget* Right;
  QWidget* pnlNag;
  QToolButton* HidenN;
  QStackedWidget* pnlRight;
  QLabel* StartPicture;
  QWidget* pnlweb;
  QLabel* lblTitle;
  QTextBrowser* WebBrowser;

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  void buildMenus();
  void buildToolBar();
  void buildBody();
  void buildStatusBar();
  void centreNavigatorButton();
  static QString firstInstalled(const QStringList& programs);

  DesignWindow* designWindow(const QString& key);
  void openPendingRecord();

  std::map<QString, DesignWindow*> m_windows;
  std::map<QString, std::function<DesignWindow*()>> m_makeWindow;
  TAboutFrm* m_about = nullptr;
  std::function<TAboutFrm*()> m_makeAbout;
  std::optional<std::pair<QString, QString>> m_pendingRecord;  // method, log path
  Navigator* m_navigator = nullptr;  // tree, search and content area of the body
  std::vector<QLabel*> m_panels;
  std::vector<QAction*> m_methodItems;  // the method captions of the menus
  bool m_shown = false;
};
