// The navigator of the main window: the tree from "vtree", the keyword search, and where tree
// and result clicks lead (design windows, pages, the start picture).
#include "app/main_frm.h"
#include "app/navigator/page_text.h"
#include "design/content_db.h"
#include "support/app_dir_fixture.h"

#include <QAction>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>

namespace {

class Window : public DesignWindow {
public:
  explicit Window(QString key) : m_key(std::move(key)) {}
  QString MethodKey() const override { return m_key; }
  void LoadDesignRecord(const QString&) override {}
  int ShowModal() override { return ++shows; }
  int shows = 0;

private:
  QString m_key;
};

class NavigatorTest : public AppDirTest {
protected:
  void TearDown() override {
    m_frm.reset();
    AppDirTest::TearDown();
  }
  // Runs statements on the fixture's copy of the content database before the window opens it.
  void exec(const QString& sql, const QVariantList& values = {}) {
    ContentDb db;
    db.Exec(sql, values);
  }
  void addEntry(int cid, int pid, const QString& name, int kind, const QVariant& target) {
    exec(QStringLiteral("insert into vtree (CID, PID, CName, Pindex, Ctable) values (?, ?, ?, ?, ?)"),
         {cid, pid, name, kind, target});
  }
  void writePage(const QString& name, const QByteArray& html = "<html><body><p>page</p></body></html>") {
    ASSERT_TRUE(QDir(AppDir()).mkpath(QStringLiteral("web")));
    QFile page(AppDir() + QStringLiteral("web/") + name + QStringLiteral(".htm"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write(html);
  }
  TMainFrm& open() {
    m_frm = std::make_unique<TMainFrm>();
    m_frm->RegisterDesignWindow(&m_cdjsj);
    m_frm->show();
    return *m_frm;
  }
  void search(const QString& keyword) {
    m_frm->btnFind->click();  // the search tab, keeping the results
    m_frm->txtFind->setText(keyword);
    QTest::keyClick(m_frm->txtFind, Qt::Key_Return);
  }
  QStringList results() const {
    QStringList captions;
    for (int i = 0; i < m_frm->ListView1->topLevelItemCount(); ++i) captions << m_frm->ListView1->topLevelItem(i)->text(0);
    return captions;
  }
  void clickResult(const QString& caption) {
    const auto found = m_frm->ListView1->findItems(caption, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << caption.toStdString();
    clickItem(m_frm->ListView1, found[0]);
  }
  QTreeWidgetItem* treeItem(const QString& caption) const {
    const auto found = m_frm->DCInfoTree1->findItems(caption, Qt::MatchExactly | Qt::MatchRecursive);
    EXPECT_EQ(found.size(), 1) << caption.toStdString();
    return found.value(0);
  }
  void clickTree(const QString& caption) {
    QTreeWidgetItem* item = treeItem(caption);
    ASSERT_NE(item, nullptr);
    m_frm->NavigatorPages->setCurrentIndex(0);
    for (QTreeWidgetItem* up = item->parent(); up; up = up->parent()) up->setExpanded(true);
    clickItem(m_frm->DCInfoTree1, item);
  }
  static void clickItem(QTreeWidget* view, QTreeWidgetItem* item) {
    QCoreApplication::processEvents();  // a tab just selected lays out its view first
    view->scrollToItem(item);
    // near the left end of the row: the result list's column is far wider than the view
    const QRect row = view->visualItemRect(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(row.left() + 12, row.center().y()));
  }
  bool pageShown() const { return m_frm->pnlRight->currentWidget() == m_frm->pnlweb; }
  bool navigatorButtonAvailable() const { return !m_frm->HidenN->isHidden() && m_frm->mnuNavigator->isEnabled(); }

  std::unique_ptr<TMainFrm> m_frm;
  Window m_cdjsj{QStringLiteral("CDJSJ")};
};

TEST_F(NavigatorTest, TreeIsBuiltFromParentsAndOrderedByEntryNumber) {
  exec(QStringLiteral("delete from vtree"));
  // inserted out of order; 9 names a parent that does not exist, 8 names itself
  addEntry(30, 0, QStringLiteral("丙"), 0, {});
  addEntry(5, 0, QStringLiteral("甲"), 0, {});
  addEntry(12, 5, QStringLiteral("甲二"), 4, QStringLiteral("p"));
  addEntry(11, 5, QStringLiteral("甲一"), 4, QStringLiteral("p"));
  addEntry(13, 11, QStringLiteral("甲一之一"), 4, QStringLiteral("p"));
  addEntry(9, 77, QStringLiteral("孤儿"), 4, QStringLiteral("p"));
  addEntry(8, 8, QStringLiteral("自身"), 4, QStringLiteral("p"));
  TMainFrm& frm = open();
  QTreeWidget* tree = frm.DCInfoTree1;
  ASSERT_EQ(tree->topLevelItemCount(), 2);
  EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("甲"));
  EXPECT_EQ(tree->topLevelItem(1)->text(0), QStringLiteral("丙"));
  QTreeWidgetItem* first = tree->topLevelItem(0);
  ASSERT_EQ(first->childCount(), 2);
  EXPECT_EQ(first->child(0)->text(0), QStringLiteral("甲一"));
  EXPECT_EQ(first->child(1)->text(0), QStringLiteral("甲二"));
  EXPECT_EQ(first->child(0)->child(0)->text(0), QStringLiteral("甲一之一"));
  EXPECT_EQ(tree->findItems(QStringLiteral("孤儿"), Qt::MatchRecursive).size(), 0);
  EXPECT_EQ(tree->findItems(QStringLiteral("自身"), Qt::MatchRecursive).size(), 0);
  // an entry opens when it is selected
  EXPECT_FALSE(first->isExpanded());
  tree->setCurrentItem(first);
  EXPECT_TRUE(first->isExpanded());
  // the selected entry shows another image than the others
  const QIcon icon = first->icon(0);
  EXPECT_NE(icon.pixmap(QSize(34, 16), QIcon::Normal).toImage(), icon.pixmap(QSize(34, 16), QIcon::Selected).toImage());
}

TEST_F(NavigatorTest, KeywordsAreMatchedLiterallyAndNeverBreakTheQuery) {
  addEntry(900, 0, QStringLiteral("百分之百%的把握"), 4, QStringLiteral("a"));
  addEntry(901, 0, QStringLiteral("下划线_条目"), 4, QStringLiteral("b"));
  addEntry(902, 0, QStringLiteral("引号'条目"), 4, QStringLiteral("c"));
  addEntry(903, 0, QStringLiteral("a'b机构"), 4, QStringLiteral("d"));
  addEntry(904, 0, QStringLiteral("ab机构"), 4, QStringLiteral("e"));
  addEntry(905, 0, QStringLiteral("反斜杠\\条目"), 4, QStringLiteral("f"));
  addEntry(906, 0, QStringLiteral("不列出的传动角"), 0, QStringLiteral("g"));
  addEntry(907, 0, QStringLiteral("负的传动角"), -1, QStringLiteral("h"));
  addEntry(908, 0, QStringLiteral("效率的页"), 4, QStringLiteral("t"));
  exec(QStringLiteral("delete from vtext"));  // only pages whose text holds the keywords here
  exec(QStringLiteral("insert into vtext values ('t', ?), ('g', '传动角'), ('h', '传动角')"),
       {QStringLiteral("效率可达95%，记作η_1，即'机械效率'")});
  open();
  const struct {
    const char* keyword;
    QStringList found;
  } cases[] = {
      {"传动角", {QStringLiteral("死点位置、传动角与最小传动角"), QStringLiteral("按传动角设计四杆机构"),
                  QStringLiteral("按传动角设计窗口的使用")}},  // kinds 0 and -1 are never listed
      {"'", {QStringLiteral("引号'条目"), QStringLiteral("a'b机构"), QStringLiteral("效率的页")}},
      {"%", {QStringLiteral("百分之百%的把握"), QStringLiteral("效率的页")}},  // not every entry
      {"_", {QStringLiteral("下划线_条目"), QStringLiteral("效率的页")}},      // not every entry
      {"a'b", {QStringLiteral("a'b机构")}},
      {"\\", {QStringLiteral("反斜杠\\条目")}},
      {"  传动角设计窗口 ", {QStringLiteral("按传动角设计窗口的使用")}},  // blanks around are dropped
      {"找不到的词", {}},
  };
  for (const auto& c : cases) {
    search(QString::fromUtf8(c.keyword));
    EXPECT_EQ(results(), c.found) << c.keyword;
  }
  EXPECT_TRUE(Scripted().errors.isEmpty());

  search(QStringLiteral("_"));
  search(QStringLiteral("   "));  // a blank keyword does nothing
  EXPECT_EQ(results(), QStringList({QStringLiteral("下划线_条目"), QStringLiteral("效率的页")}));
}

// The staged pages and their text: names first in entry order, then the pages that say the
// keyword, most often first, as counted here in what the page view shows of each page.
TEST_F(NavigatorTest, PagesAreFoundByWhatTheySayAndShownAtTheWord) {
  for (QDirIterator it(QStringLiteral(KV_TEST_APPDIR "web"), QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
    ASSERT_TRUE(QDir().mkpath(AppDir() + it.next().mid(int(strlen(KV_TEST_APPDIR))).section(u'/', 0, -2)) &&
                QFile::copy(it.filePath(), AppDir() + it.filePath().mid(int(strlen(KV_TEST_APPDIR)))));
  TMainFrm& frm = open();
  ContentDb db;
  // each keyword with one of the pages that teach it
  for (const auto& [word, teaches] : {std::pair{"压力角", "死点位置、传动角与最小传动角"}, {"格拉霍夫", "曲柄存在条件与四杆机构的类型"},
                                      {"切比雪夫", "按函数关系设计窗口的使用"}, {"结构误差", "按函数关系设计窗口的使用"},
                                      {"曲柄", "急回特性：极位夹角θ与行程速比系数K"}, {"角", "近似停歇的原理"}}) {
    const QString keyword = QString::fromUtf8(word);
    SCOPED_TRACE(word);
    QStringList expected;
    std::vector<std::pair<qsizetype, QString>> inText;  // (−count, name), entry order within a count
    QTextBrowser view;
    for (QSqlQuery e = db.Exec(QStringLiteral("select Pindex, CName, Ctable from vtree order by CID")); e.next();) {
      if (e.value(0).toInt() > 0 && e.value(1).toString().contains(keyword)) {
        expected << e.value(1).toString();
      } else if (e.value(0).toInt() == 4) {
        view.setSource(QUrl::fromLocalFile(AppDir() + "web/" + e.value(2).toString() + ".htm"));
        if (const qsizetype n = view.toPlainText().count(keyword)) inText.emplace_back(-n, e.value(1).toString());
      }
    }
    std::stable_sort(inText.begin(), inText.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& found : inText) expected << found.second;
    search(keyword);
    ASSERT_EQ(results(), expected);
    EXPECT_TRUE(expected.contains(QString::fromUtf8(teaches)));
    ASSERT_FALSE(inText.empty());
    QTreeWidgetItem* first = frm.ListView1->topLevelItem(int(expected.size() - inText.size()));
    EXPECT_TRUE(first->text(1).contains(keyword) && first->text(1).size() <= keyword.size() + 42) << first->text(1).toStdString();
    clickResult(first->text(0));
    EXPECT_EQ(frm.WebBrowser->textCursor().selectedText(), keyword);
    EXPECT_TRUE(frm.WebBrowser->viewport()->rect().contains(frm.WebBrowser->cursorRect()));
  }
}

TEST_F(NavigatorTest, PageResultShowsThePageUnderItsTitle) {
  writePage(QStringLiteral("jc_cdj"));
  TMainFrm& frm = open();
  search(QStringLiteral("传动角"));
  clickResult(QStringLiteral("死点位置、传动角与最小传动角"));
  EXPECT_TRUE(pageShown());
  EXPECT_EQ(frm.lblTitle->text(), QStringLiteral("死点位置、传动角与最小传动角"));
  EXPECT_EQ(frm.WebBrowser->source(), QUrl::fromLocalFile(AppDir() + QStringLiteral("web/jc_cdj.htm")));
  EXPECT_TRUE(frm.WebBrowser->toPlainText().contains(QStringLiteral("page")));
  EXPECT_TRUE(navigatorButtonAvailable());
  EXPECT_EQ(m_cdjsj.shows, 0);
}

TEST_F(NavigatorTest, DesignWindowResultOpensTheWindowAndLeavesNoTitle) {
  TMainFrm& frm = open();
  search(QStringLiteral("传动角"));
  clickResult(QStringLiteral("按传动角设计四杆机构"));
  EXPECT_EQ(m_cdjsj.shows, 1);
  EXPECT_TRUE(frm.lblTitle->text().isEmpty());
  EXPECT_FALSE(pageShown());
  EXPECT_FALSE(navigatorButtonAvailable());

  // A method whose window this build lacks leaves the start picture.
  search(QStringLiteral("急回特性设计"));
  clickResult(QStringLiteral("按从动件的急回特性设计"));
  EXPECT_FALSE(pageShown());
  EXPECT_TRUE(Scripted().errors.isEmpty());
}

TEST_F(NavigatorTest, TreeEntriesLeadToPagesWindowsOrTheStartPicture) {
  addEntry(910, 0, QStringLiteral("缺页的条目"), 4, QStringLiteral("no_such_page"));
  addEntry(911, 0, QStringLiteral("其他种类"), 7, QStringLiteral("jc_sgjg"));
  writePage(QStringLiteral("jc_sgjg"));
  TMainFrm& frm = open();

  clickTree(QStringLiteral("平面四杆机构及其组成"));
  EXPECT_TRUE(pageShown());
  EXPECT_EQ(frm.lblTitle->text(), QStringLiteral("平面四杆机构及其组成"));
  EXPECT_TRUE(navigatorButtonAvailable());

  // A missing page: the start picture, but the navigator button stays.
  clickTree(QStringLiteral("缺页的条目"));
  EXPECT_FALSE(pageShown());
  EXPECT_TRUE(navigatorButtonAvailable());
  EXPECT_EQ(frm.lblTitle->text(), QStringLiteral("缺页的条目"));

  // A heading without a target only resets the content area.
  clickTree(QStringLiteral("平面四杆机构基础"));
  EXPECT_FALSE(pageShown());
  EXPECT_FALSE(navigatorButtonAvailable());
  EXPECT_TRUE(frm.lblTitle->text().isEmpty());

  clickTree(QStringLiteral("其他种类"));
  EXPECT_FALSE(pageShown());
  EXPECT_FALSE(navigatorButtonAvailable());

  clickTree(QStringLiteral("按传动角设计四杆机构"));
  EXPECT_EQ(m_cdjsj.shows, 1);
  EXPECT_TRUE(frm.lblTitle->text().isEmpty());
  EXPECT_TRUE(Scripted().errors.isEmpty());
}

TEST_F(NavigatorTest, DesignWindowTargetThatIsNoWholeNumberIsAConversionError) {
  addEntry(920, 0, QStringLiteral("坏目标"), 1, QStringLiteral("五"));
  addEntry(921, 0, QStringLiteral("空目标"), 1, {});
  open();
  clickTree(QStringLiteral("坏目标"));
  ASSERT_EQ(Scripted().errors.size(), 1);
  EXPECT_TRUE(Scripted().errors[0].contains(QStringLiteral("五")));
  // From the search a null target arrives as an empty text, which is no number either.
  search(QStringLiteral("空目标"));
  clickResult(QStringLiteral("空目标"));
  EXPECT_EQ(Scripted().errors.size(), 2);
  EXPECT_EQ(m_cdjsj.shows, 0);
}

TEST_F(NavigatorTest, SwitchingTabsEmptiesTheResultsButTheFindButtonDoesNot) {
  writePage(QStringLiteral("jc_cdj"));
  TMainFrm& frm = open();
  frm.btnFind->click();
  EXPECT_EQ(frm.NavigatorPages->currentIndex(), 1);
  search(QStringLiteral("传动角"));
  clickResult(QStringLiteral("死点位置、传动角与最小传动角"));
  const qsizetype found = results().size();
  ASSERT_GE(found, 3);
  frm.btnFind->click();
  EXPECT_EQ(results().size(), found);
  EXPECT_TRUE(pageShown());

  frm.NavigatorPages->setCurrentIndex(0);
  EXPECT_TRUE(results().isEmpty());
  EXPECT_TRUE(frm.lblTitle->text().isEmpty());
  EXPECT_FALSE(pageShown());
  EXPECT_FALSE(navigatorButtonAvailable());
  frm.btnFind->click();  // from the tree tab: no change of tab by the user, nothing else happens
  EXPECT_EQ(frm.NavigatorPages->currentIndex(), 1);
}

TEST_F(NavigatorTest, WithoutItsDatabaseTheNavigatorStaysHiddenAndEmpty) {
  ASSERT_TRUE(QFile::remove(AppDir() + QStringLiteral("data/data.db")));
  TMainFrm& frm = open();
  EXPECT_EQ(Scripted().errors.size(), 1);
  EXPECT_FALSE(frm.pnlleft->isVisible());
  EXPECT_EQ(frm.DCInfoTree1->topLevelItemCount(), 0);
  EXPECT_FALSE(QFile::exists(AppDir() + QStringLiteral("data/data.db")));  // never made empty
  search(QStringLiteral("传动角"));  // nothing to search: no further notice
  EXPECT_EQ(Scripted().errors.size(), 1);
}

TEST(PageTextTest, OccurrencesExcerptsAndPlainText) {
  const struct { const char *text, *keyword; int count; qsizetype first; const char* excerpt; } cases[] = {
      {"Freudenstein方程，即freudenstein的", "FREUDENSTEIN", 2, 0, "Freudenstein方程，即freudenstein的"},
      {"曲柄曲柄曲柄", "曲柄曲柄", 1, 0, "曲柄曲柄曲柄"},  // occurrences never overlap
      {"一二三四五六七八九十一二三四五六七八九十一二三\n\n四五六七八九十一二三四五六七八九十一二三四五六", "三\n", 1, 22,
       "…三四五六七八九十一二三四五六七八九十一二三 四五六七八九十一二三四五六七八九十一二…"},
  };
  for (const auto& c : cases) {
    const QString text = QString::fromUtf8(c.text), keyword = QString::fromUtf8(c.keyword);
    const TextHits hits = FindInText(text, keyword);
    EXPECT_EQ(std::pair(hits.count, hits.first), std::pair(c.count, c.first)) << c.text;
    EXPECT_EQ(Excerpt(text, hits.first, keyword.size()), QString::fromUtf8(c.excerpt)) << c.text;
  }
  EXPECT_EQ(PagePlainText(QStringLiteral("<head><title>题</title><style>p{}</style><script>s='曲柄'</script></head><body>"
                                         "<!-- 曲柄 --><p>&gamma; &ge; 40&deg;，&lt;曲柄&gt;</p><p>二&nbsp;行</p></body>"), QUrl()),
            QStringLiteral("γ ≥ 40°，<曲柄>\n二 行"));
}

}  // namespace
