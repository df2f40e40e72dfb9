// The teaching content as the build stages it: every navigator entry reaches its target, every
// page is a GB18030 page whose links, pictures and style sheet exist, and the HTML view shows
// every character of it in a font that has the character.
#include "app/main_frm.h"
#include "base/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRawFont>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <set>

namespace {

const QString kAppDir = QStringLiteral(KV_TEST_APPDIR);

struct Entry {
  QString name;
  int kind;
  QString target;
  QString text;  // what the search reads of its page
};

std::vector<Entry> stagedEntries() {
  std::vector<Entry> entries;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("content_test"));
    db.setDatabaseName(kAppDir + QStringLiteral("data/data.db"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    EXPECT_TRUE(db.open());
    QSqlQuery rows(QStringLiteral("select CName, Pindex, v.Ctable, Body from vtree v left join vtext t on t.Ctable = "
                                  "trim(v.Ctable) order by CID"), db);
    while (rows.next()) entries.push_back({rows.value(0).toString(), rows.value(1).toInt(), rows.value(2).toString(), rows.value(3).toString()});
  }
  QSqlDatabase::removeDatabase(QStringLiteral("content_test"));
  return entries;
}

QStringList stagedPages() {
  QStringList pages;
  for (const QString& name : QDir(kAppDir + QStringLiteral("web")).entryList({QStringLiteral("*.htm")}, QDir::Files))
    pages << kAppDir + QStringLiteral("web/") + name;
  return pages;
}

QString readPage(const QString& path) {
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
  return DecodeText(file.readAll());
}

TEST(ContentTest, EveryEntryReachesItsTarget) {
  const std::vector<Entry> entries = stagedEntries();
  ASSERT_FALSE(entries.empty());
  QStringList windows;
  int pages = 0;
  QTextBrowser view;
  for (const Entry& entry : entries) {
    if (entry.kind == 4) {
      ++pages;
      const QString page = kAppDir + QStringLiteral("web/") + entry.target + QStringLiteral(".htm");
      EXPECT_TRUE(QFileInfo::exists(page)) << entry.name.toStdString() << " → " << entry.target.toStdString();
      // the search finds in the text what the page view shows, where the view shows it
      view.clear();
      view.setSource(QUrl::fromLocalFile(page));
      EXPECT_EQ(entry.text, view.toPlainText()) << entry.target.toStdString();
    } else if (entry.kind == 1) {
      windows << entry.target;
      const int method = entry.target.toInt();
      ASSERT_TRUE(method >= 1 && method <= TMainFrm::MethodCaptions().size()) << entry.target.toStdString();
      EXPECT_EQ(entry.name, TMainFrm::MethodCaptions()[method - 1]);
    } else {
      EXPECT_EQ(entry.kind, 0) << entry.name.toStdString();  // headings only
      EXPECT_TRUE(entry.target.isEmpty()) << entry.name.toStdString();
    }
  }
  windows.sort();
  EXPECT_EQ(windows, QStringList({"1", "2", "3", "4", "5", "6"}));
  EXPECT_GE(pages, 15);
}

TEST(ContentTest, PagesAreGb18030PagesWhoseLinksAndPicturesExist) {
  const QStringList pages = stagedPages();
  ASSERT_GE(pages.size(), 17);
  const QRegularExpression reference(QStringLiteral("(?:src|href)=\"([^\"]+)\""));
  const QRegularExpression tag(QStringLiteral("<(/?)([a-zA-Z0-9]+)[^>]*>"));
  const std::set<QString> empty = {"img", "br", "hr", "meta", "link"};
  for (const QString& path : pages) {
    SCOPED_TRACE(path.toStdString());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(EncodeText(DecodeText(bytes)), bytes);  // valid GB18030 throughout
    const QString text = DecodeText(bytes);
    // The HTML view decodes by the charset the page names; it must read the same text.
    QStringDecoder viewDecoder = QStringDecoder::decoderForHtml(bytes);
    ASSERT_TRUE(viewDecoder.isValid());
    EXPECT_EQ(QString(viewDecoder.decode(bytes)), text);
    EXPECT_TRUE(text.startsWith(QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01")));
    EXPECT_TRUE(text.contains(QStringLiteral("content=\"text/html; charset=gb2312\"")));
    EXPECT_TRUE(text.contains(QStringLiteral("<link href=\"css/style.css\" rel=\"stylesheet\" type=\"text/css\">")));
    EXPECT_TRUE(text.contains(QStringLiteral("<img ")));  // every page has a figure
    for (const QRegularExpressionMatch& m : reference.globalMatch(text)) {
      const QString target = m.captured(1).section(u'#', 0, 0);
      EXPECT_TRUE(QFileInfo::exists(QFileInfo(path).absolutePath() + u'/' + target)) << target.toStdString();
    }
    // Every element we open is closed again, in order.
    QStringList open;
    for (const QRegularExpressionMatch& m : tag.globalMatch(text)) {
      const QString name = m.captured(2).toLower();
      if (empty.count(name)) continue;
      if (m.captured(1).isEmpty()) {
        open << name;
      } else {
        ASSERT_FALSE(open.isEmpty()) << "</" << name.toStdString() << "> closes nothing";
        ASSERT_EQ(open.takeLast(), name) << "at offset " << m.capturedStart();
      }
    }
    EXPECT_TRUE(open.isEmpty()) << open.join(u' ').toStdString();
  }
}

// Whether some face the text is set in, or a substitute registered for it, has the character.
bool covered(char32_t ucs4, const QFont& font) {
  QStringList families = font.families();
  if (families.isEmpty()) families << font.family();
  for (const QString& family : QStringList(families))
    families << QFont::substitutes(family);
  for (const QString& family : families) {
    QFont face(family);
    face.setPixelSize(14);
    const QRawFont raw = QRawFont::fromFont(face);
    if (raw.isValid() && raw.familyName().compare(family, Qt::CaseInsensitive) == 0 && raw.supportsCharacter(ucs4))
      return true;
  }
  return false;
}

TEST(ContentTest, HtmlViewShowsEveryCharacterAndPicture) {
  QTextBrowser view;
  for (const QString& path : stagedPages()) {
    SCOPED_TRACE(path.toStdString());
    view.clear();
    view.setSource(QUrl::fromLocalFile(path));
    const QTextDocument* doc = view.document();
    EXPECT_FALSE(doc->toPlainText().trimmed().isEmpty());
    QString missing;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QFont font = fragment.charFormat().font();
        for (const char32_t c : fragment.text().toUcs4())
          if (QChar::isPrint(c) && c != U'\uFFFC' && !QChar::isSpace(c) && !covered(c, font))
            missing += QString::fromUcs4(&c, 1);
        if (fragment.charFormat().isImageFormat()) {
          const QUrl image(fragment.charFormat().toImageFormat().name());
          EXPECT_FALSE(view.loadResource(QTextDocument::ImageResource, view.source().resolved(image)).isNull())
              << image.toString().toStdString();
        }
      }
    EXPECT_TRUE(missing.isEmpty()) << missing.toStdString();
  }
}

}  // namespace
