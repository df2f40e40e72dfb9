// Builds the content database from its SQL text: make_data_db OUTPUT.db [--pages DIR] FILE.sql...
// The statements of every file run in one transaction on a fresh file beside OUTPUT, which then
// replaces OUTPUT, so a failed build never leaves a half-made database behind. With --pages, the
// text of every page an entry of "vtree" leads to is read from DIR and stored in "vtext", for
// the navigator's search; a page that is missing fails the build.
#include "app/navigator/page_text.h"
#include "base/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUrl>

#include <cstdio>

namespace {

// Splits SQL text at the semicolons that end statements; quoted names and strings and
// "--" comments may hold semicolons of their own.
QStringList SplitStatements(const QString& sql) {
  QStringList out;
  QString current;
  QChar quote;
  for (qsizetype i = 0; i < sql.size(); ++i) {
    const QChar c = sql[i];
    if (!quote.isNull()) {
      current += c;
      if (c == quote) quote = QChar();  // a doubled quote closes and reopens: same result
    } else if (c == u'\'' || c == u'"') {
      quote = c;
      current += c;
    } else if (c == u'-' && i + 1 < sql.size() && sql[i + 1] == u'-') {
      while (i < sql.size() && sql[i] != u'\n') ++i;
      current += u'\n';
    } else if (c == u';') {
      if (!current.trimmed().isEmpty()) out << current.trimmed();
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.trimmed().isEmpty()) out << current.trimmed();
  return out;
}

bool Fail(const QString& text) {
  std::fprintf(stderr, "make_data_db: %s\n", qPrintable(text));
  return false;
}

// The entries' targets are read from the table just built, so a page added to the table of
// contents is searchable without any list of pages kept here.
bool StorePageTexts(QSqlDatabase& db, const QString& pagesDir) {
  QSqlQuery targets(db);
  if (!targets.exec(QStringLiteral("select distinct trim(Ctable) from vtree where Pindex = 4 and Ctable is not null")))
    return Fail(targets.lastError().text());
  QSqlQuery store(db);
  store.prepare(QStringLiteral("insert into vtext (Ctable, Body) values (?, ?)"));
  while (targets.next()) {
    const QString target = targets.value(0).toString();
    const QString path = QFileInfo(pagesDir + u'/' + target + QStringLiteral(".htm")).absoluteFilePath();
    QFile page(path);
    if (!page.open(QIODevice::ReadOnly)) return Fail(QStringLiteral("cannot read the page ") + path);
    store.addBindValue(target);
    store.addBindValue(PagePlainText(DecodeText(page.readAll()), QUrl::fromLocalFile(path)));
    if (!store.exec()) return Fail(path + QStringLiteral(": ") + store.lastError().text());
  }
  return true;
}

bool Build(const QString& path, const QString& pagesDir, const QStringList& sqlFiles) {
  QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("build"));
  db.setDatabaseName(path);
  if (!db.open()) return Fail(db.lastError().text());
  if (!db.transaction()) return Fail(db.lastError().text());
  for (const QString& file : sqlFiles) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return Fail(QStringLiteral("cannot read ") + file);
    for (const QString& statement : SplitStatements(QString::fromUtf8(f.readAll()))) {
      QSqlQuery query(db);
      if (!query.exec(statement))
        return Fail(file + QStringLiteral(": ") + query.lastError().text() +
                    QStringLiteral("\n  in: ") + statement);
    }
  }
  if (!pagesDir.isEmpty() && !StorePageTexts(db, pagesDir)) return false;
  if (!db.commit()) return Fail(db.lastError().text());
  db.close();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");  // the pages are laid out as text, never shown
  QGuiApplication app(argc, argv);
  QStringList args = QCoreApplication::arguments().mid(1);
  QString pagesDir;
  if (args.size() > 2 && args[1] == QStringLiteral("--pages")) {
    pagesDir = args[2];
    args.remove(1, 2);
  }
  if (args.size() < 2) {
    Fail(QStringLiteral("usage: make_data_db OUTPUT.db [--pages DIR] FILE.sql..."));
    return 2;
  }
  const QString output = args.takeFirst();
  const QString fresh = output + QStringLiteral(".new");
  QFile::remove(fresh);
  const bool ok = Build(fresh, pagesDir, args);
  QSqlDatabase::removeDatabase(QStringLiteral("build"));
  if (!ok) {
    QFile::remove(fresh);
    return 1;
  }
  QFile::remove(output);
  if (!QFile::rename(fresh, output)) {
    Fail(QStringLiteral("cannot replace ") + output);
    return 1;
  }
  return 0;
}
