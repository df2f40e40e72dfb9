#include "app/navigator/navigator.h"

#include "app/navigator/page_text.h"
#include "base/appdir.h"
#include "base/convert.h"
#include "base/desktop.h"
#include "design/content_db.h"

#include <QAction>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextCursor>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <map>
#include <set>

namespace {

// What an item of the tree or of the result list carries besides its caption.
constexpr int kKindRole = Qt::UserRole;
constexpr int kTargetRole = Qt::UserRole + 1;
constexpr int kKeywordRole = Qt::UserRole + 2;  // of a result found in its page's text
constexpr int kExcerptColumn = 1;
constexpr int kTargetColumn = 2;  // the result list's hidden column
constexpr int kSearchTab = 1;

// The tree's three 16 × 16 images: a closed book for every entry (0), an open one while the
// entry is selected (1), and the small marker beside each entry (2).
QPixmap treeImage(int index) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor cover(28, 84, 150), pages(250, 250, 244), edge(20, 40, 70);
  p.setPen(QPen(edge, 1));
  if (index == 0) {
    p.setBrush(pages);
    p.drawRect(QRectF(4.5, 2.5, 9, 12));
    p.setBrush(cover);
    p.drawRect(QRectF(2.5, 1.5, 9, 12));
    p.setPen(QPen(pages, 1));
    p.drawLine(QPointF(4.5, 4.5), QPointF(9.5, 4.5));
  } else if (index == 1) {
    p.setBrush(pages);
    p.drawPolygon(QPolygonF({QPointF(8, 4), QPointF(1.5, 2.5), QPointF(1.5, 13), QPointF(8, 14.5)}));
    p.drawPolygon(QPolygonF({QPointF(8, 4), QPointF(14.5, 2.5), QPointF(14.5, 13), QPointF(8, 14.5)}));
    p.setPen(QPen(cover, 1));
    for (double y : {6.0, 8.5, 11.0}) {
      p.drawLine(QPointF(3.5, y - 1), QPointF(6.5, y));
      p.drawLine(QPointF(9.5, y), QPointF(12.5, y - 1));
    }
  } else {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 120, 30));
    p.drawEllipse(QPointF(8, 8), 2.5, 2.5);
  }
  return pixmap;
}

// Each entry's icon: the marker (image 2) left of image 0, or of image 1 while selected.
QIcon entryIcon() {
  auto composed = [](int image) {
    QPixmap both(34, 16);
    both.fill(Qt::transparent);
    QPainter p(&both);
    p.drawPixmap(0, 0, treeImage(2));
    p.drawPixmap(18, 0, treeImage(image));
    return both;
  };
  QIcon icon;
  icon.addPixmap(composed(0), QIcon::Normal);
  icon.addPixmap(composed(1), QIcon::Selected);
  return icon;
}

// The pattern under "LIKE ? ESCAPE '\'" that finds `keyword` literally anywhere in a name,
// whatever '%', '_' or '\' it holds.
QString likePattern(const QString& keyword) {
  QString escaped = keyword;
  escaped.replace(u'\\', QStringLiteral("\\\\"));
  escaped.replace(u'%', QStringLiteral("\\%"));
  escaped.replace(u'_', QStringLiteral("\\_"));
  return u'%' + escaped + u'%';
}

}  // namespace

Navigator::Navigator(const Controls& controls, std::function<void(int)> openMethod, QObject* parent)
    : QObject(parent), m_c(controls), m_openMethod(std::move(openMethod)) {
  QTreeWidget* tree = m_c.tree;
  tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree->setSelectionBehavior(QAbstractItemView::SelectRows);
  tree->setIconSize(QSize(34, 16));
  connect(tree, &QTreeWidget::currentItemChanged, this, [](QTreeWidgetItem* current) {
    if (current) current->setExpanded(true);
  });
  connect(tree, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { Guarded([&] { DCInfoTree1Click(item); }); });

  QTreeWidget* list = m_c.results;
  list->setColumnCount(3);
  list->headerItem()->setText(kExcerptColumn, QStringLiteral("摘录"));
  list->setColumnHidden(kTargetColumn, true);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  connect(list, &QTreeWidget::itemClicked, this, [this] { Guarded([this] { ListView1Click(); }); });

  connect(m_c.keyword, &QLineEdit::returnPressed, this,
          [this] { Guarded([this] { txtFindKeyPress(Qt::Key_Return); }); });
  connect(m_c.pages, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });
}

Navigator::~Navigator() = default;

void Navigator::Open() {
  auto db = std::make_unique<ContentDb>();
  QSqlQuery rows = db->Exec(QStringLiteral("select * from vtree order by cid"));
  struct Entry {
    int cid;
    QString name;
    int kind;
    QVariant target;
  };
  std::map<int, std::vector<Entry>> children;  // by PID, each list in CID order
  while (rows.next())
    children[rows.value(QStringLiteral("PID")).toInt()].push_back(
        {rows.value(QStringLiteral("CID")).toInt(), rows.value(QStringLiteral("CName")).toString(),
         rows.value(QStringLiteral("Pindex")).toInt(), rows.value(QStringLiteral("Ctable"))});

  const QIcon icon = entryIcon();
  QTreeWidget* tree = m_c.tree;
  tree->clear();
  std::set<int> placed;  // an entry that names itself or a descendant as parent is placed once
  std::function<void(int, QTreeWidgetItem*)> addChildren = [&](int pid, QTreeWidgetItem* parent) {
    const auto found = children.find(pid);
    if (found == children.end()) return;
    for (const Entry& entry : found->second) {
      if (!placed.insert(entry.cid).second) continue;
      auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
      item->setText(0, entry.name);
      item->setToolTip(0, entry.name);
      item->setIcon(0, icon);
      item->setData(0, kKindRole, entry.kind);
      item->setData(0, kTargetRole, entry.target);
      addChildren(entry.cid, item);
    }
  };
  addChildren(0, nullptr);
  m_db = std::move(db);
}

void Navigator::showStartPicture() { m_c.content->setCurrentWidget(m_c.startPicture); }

void Navigator::setNavigatorButtonAvailable(bool available) {
  m_c.navigatorButton->setVisible(available);
  m_c.navigatorCommand->setEnabled(available);
}

void Navigator::GotoFrm(int kind, const QString& target) {
  if (kind == kDesignWindow) {
    showStartPicture();
    m_openMethod(StrToInt(target));
  } else if (kind == kPage) {
    m_c.content->setCurrentWidget(m_c.pagePanel);
    setNavigatorButtonAvailable(true);
    const QString page = AppDir() + QStringLiteral("web/") + target + QStringLiteral(".htm");
    if (QFileInfo(page).isFile()) {
      m_c.browser->clear();
      m_c.browser->setSource(QUrl::fromLocalFile(page));
      m_c.browser->reload();
    } else {
      showStartPicture();
    }
  } else {
    showStartPicture();
  }
}

void Navigator::DCInfoTree1Click(QTreeWidgetItem* item) {
  m_c.title->clear();
  setNavigatorButtonAvailable(false);
  showStartPicture();
  if (!item) return;
  const int kind = item->data(0, kKindRole).toInt();
  const QVariant target = item->data(0, kTargetRole);
  if (target.isNull()) return;
  if (kind != kDesignWindow) m_c.title->setText(item->text(0));
  GotoFrm(kind, target.toString());
}

void Navigator::txtFindKeyPress(int key) {
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
  const QString keyword = m_c.keyword->text().trimmed();
  if (keyword.isEmpty() || !m_db) return;
  search(keyword);
}

const std::vector<Navigator::PageEntry>& Navigator::pageEntries() {
  if (!m_pages) {
    QSqlQuery rows = m_db->Exec(QStringLiteral(
        "select v.CID, v.CName, t.Ctable, t.Body from vtree v join vtext t on t.Ctable = trim(v.Ctable) "
        "where v.Pindex = 4 order by v.CID"));
    auto pages = std::make_unique<std::vector<PageEntry>>();
    while (rows.next())
      pages->push_back({rows.value(0).toInt(), rows.value(1).toString(), rows.value(2).toString(),
                        rows.value(3).toString()});
    m_pages = std::move(pages);
  }
  return *m_pages;
}

void Navigator::search(const QString& keyword) {
  // Everything is read first, so a failing query leaves the list as it was.
  const std::vector<PageEntry>& pages = pageEntries();
  QSqlQuery rows = m_db->Exec(
      QStringLiteral("select * from vtree where Pindex > 0 and CName like ? escape '\\' order by CID"),
      {likePattern(keyword)});
  auto newItem = [](const QString& name, int kind, const QString& target) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, name);
    item->setData(0, kKindRole, kind);
    item->setText(kTargetColumn, target);
    return item;
  };
  QList<QTreeWidgetItem*> items;
  std::set<int> listed;
  while (rows.next()) {
    listed.insert(rows.value(QStringLiteral("CID")).toInt());
    items << newItem(rows.value(QStringLiteral("CName")).toString(), rows.value(QStringLiteral("Pindex")).toInt(),
                     rows.value(QStringLiteral("Ctable")).toString().trimmed());
  }

  // Pages that say the keyword without naming it, the most talkative first.
  std::vector<std::pair<const PageEntry*, TextHits>> inText;
  for (const PageEntry& page : pages)
    if (const TextHits hits = FindInText(page.text, keyword); hits.count > 0 && !listed.count(page.cid))
      inText.emplace_back(&page, hits);
  std::stable_sort(inText.begin(), inText.end(),
                   [](const auto& a, const auto& b) { return a.second.count > b.second.count; });
  QString longest;
  for (const auto& [page, hits] : inText) {
    QTreeWidgetItem* item = newItem(page->name, kPage, page->target);
    const QString excerpt = Excerpt(page->text, hits.first, keyword.size());
    if (excerpt.size() > longest.size()) longest = excerpt;
    item->setText(kExcerptColumn, excerpt);
    item->setToolTip(0, excerpt);
    item->setToolTip(kExcerptColumn, excerpt);
    item->setData(0, kKeywordRole, keyword);
    items << item;
  }
  m_c.results->clear();
  m_c.results->addTopLevelItems(items);
  // The names in full, the excerpts beside them. Measuring every excerpt would be most of the
  // search's time; the longest at the width of a Chinese character each is room enough.
  m_c.results->resizeColumnToContents(0);
  const QFontMetrics metrics = m_c.results->fontMetrics();
  m_c.results->setColumnWidth(kExcerptColumn, int(longest.size() + 2) * metrics.horizontalAdvance(u'中'));
}

void Navigator::selectInPage(const QString& keyword) {
  const TextHits hits = FindInText(m_c.browser->toPlainText(), keyword);
  if (hits.count == 0) return;
  QTextCursor cursor(m_c.browser->document());
  cursor.setPosition(int(hits.first));
  cursor.setPosition(int(hits.first + keyword.size()), QTextCursor::KeepAnchor);
  m_c.browser->setTextCursor(cursor);
  // the word a third down the view, under the lines that lead to it
  QScrollBar* bar = m_c.browser->verticalScrollBar();
  bar->setValue(bar->value() + m_c.browser->cursorRect().top() - m_c.browser->viewport()->height() / 3);
}

void Navigator::ListView1Click() {
  QTreeWidgetItem* item = m_c.results->currentItem();
  if (m_c.results->topLevelItemCount() == 0 || !item || !item->isSelected()) return;
  setNavigatorButtonAvailable(false);
  const int kind = item->data(0, kKindRole).toInt();
  if (kind != kDesignWindow) m_c.title->setText(item->text(0));
  GotoFrm(kind, item->text(kTargetColumn));
  const QString keyword = item->data(0, kKeywordRole).toString();
  if (!keyword.isEmpty() && m_c.content->currentWidget() == m_c.pagePanel) selectInPage(keyword);
}

void Navigator::PageControl1Change() {
  m_c.results->clear();
  m_c.title->clear();
  showStartPicture();
  setNavigatorButtonAvailable(false);
  if (m_c.pages->currentIndex() == kSearchTab) m_c.keyword->setFocus();
}

void Navigator::btnFindClick() {
  // Selecting the tab from here is no change of tab by the user: the results stay.
  const QSignalBlocker quiet(m_c.pages);
  m_c.pages->setCurrentIndex(kSearchTab);
  m_c.keyword->setFocus();
}
