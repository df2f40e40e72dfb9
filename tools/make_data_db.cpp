// Builds the content database from its SQL text: make_data_db OUTPUT.db FILE.sql...
// The statements of every file run in one transaction on a fresh file beside OUTPUT, which then
// replaces OUTPUT, so a failed build never leaves a half-made database behind.
#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

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

bool Build(const QString& path, const QStringList& sqlFiles) {
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
  if (!db.commit()) return Fail(db.lastError().text());
  db.close();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = QCoreApplication::arguments().mid(1);
  if (args.size() < 2) {
    Fail(QStringLiteral("usage: make_data_db OUTPUT.db FILE.sql..."));
    return 2;
  }
  const QString output = args.takeFirst();
  const QString fresh = output + QStringLiteral(".new");
  QFile::remove(fresh);
  const bool ok = Build(fresh, args);
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
