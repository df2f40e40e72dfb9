// The navigator of the main window: the table of contents held in the table "vtree" of the
// content database, the keyword search over its entries' names and over the text of their pages
// (table "vtext"), and the content area that an entry leads to (a design window, or a teaching
// page under web/ with the entry's name as title).
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class ContentDb;
class QAction;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QTabWidget;
class QTextBrowser;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

class Navigator : public QObject {
  Q_OBJECT

public:
  // The main window's controls the navigator works on; it owns none of them.
  struct Controls {
    QTabWidget* pages;          // "目录" and "查询"
    QTreeWidget* tree;          // DCInfoTree1
    QLineEdit* keyword;         // txtFind
    QTreeWidget* results;       // ListView1
    QStackedWidget* content;    // pnlRight
    QWidget* startPicture;
    QWidget* pagePanel;         // pnlweb
    QLabel* title;              // lblTitle
    QTextBrowser* browser;      // WebBrowser
    QToolButton* navigatorButton;  // HidenN
    QAction* navigatorCommand;     // "导航器(&N)"
  };
  // Entry kinds of the column Pindex.
  static constexpr int kDesignWindow = 1, kPage = 4;

  // `openMethod` opens design window 1 … 6 modally (and does nothing for a method without one).
  Navigator(const Controls& controls, std::function<void(int)> openMethod, QObject* parent);
  ~Navigator() override;

  // Opens the content database and fills the tree; throws EDatabaseError and leaves the tree
  // empty when the database cannot be opened or read.
  void Open();

  void GotoFrm(int kind, const QString& target);
  void DCInfoTree1Click(QTreeWidgetItem* item);
  void txtFindKeyPress(int key);  // only Enter searches
  void ListView1Click();
  void PageControl1Change();
  void btnFindClick();

private:
  void showStartPicture();
  void setNavigatorButtonAvailable(bool available);
  void search(const QString& keyword);
  void selectInPage(const QString& keyword);

  // A page entry with the text its page shows, read from the database at the first search.
  struct PageEntry {
    int cid;
    QString name;
    QString target;
    QString text;
  };
  const std::vector<PageEntry>& pageEntries();

  Controls m_c;
  std::function<void(int)> m_openMethod;
  std::unique_ptr<ContentDb> m_db;  // open for the whole run once the first show opened it
  std::unique_ptr<std::vector<PageEntry>> m_pages;
};
