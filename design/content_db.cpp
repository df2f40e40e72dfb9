#include "design/content_db.h"

#include "base/appdir.h"
#include "base/errors.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace {
// The driver waits this long for a lock held by another connection.
constexpr int kBusyTimeoutMs = 15000;
int g_connections = 0;
}  // namespace

void ThrowDatabaseError(const QString& what, const QSqlError& error) {
  throw EDatabaseError(QStringLiteral("%1\n%2").arg(what, error.text()));
}

QString ContentDb::Path() { return AppDir() + QStringLiteral("data/data.db"); }

ContentDb::ContentDb() : m_name(QStringLiteral("kv_content_%1").arg(++g_connections)) {
  m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
  // mode=rw: the file must exist already; without it the driver would create an empty one.
  m_db.setConnectOptions(
      QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
  m_db.setDatabaseName(QUrl::fromLocalFile(Path()).toString(QUrl::FullyEncoded) +
                       QStringLiteral("?mode=rw"));
  const QString what = QStringLiteral("无法打开数据库“%1”。").arg(Path());
  if (!m_db.open()) {
    const QSqlError error = m_db.lastError();
    Close();
    ThrowDatabaseError(what, error);
  }
  // SQLite reads the file lazily; a file that is not a database fails here.
  QSqlQuery probe(m_db);
  if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
    const QSqlError error = probe.lastError();
    probe = QSqlQuery();
    Close();
    ThrowDatabaseError(what, error);
  }
}

ContentDb::~ContentDb() { Close(); }

void ContentDb::Close() {
  if (m_name.isEmpty()) return;
  m_db.close();
  m_db = QSqlDatabase();
  QSqlDatabase::removeDatabase(m_name);
  m_name.clear();
}

QSqlQuery ContentDb::Exec(const QString& sql, const QVariantList& values) {
  QSqlQuery query(m_db);
  if (!query.prepare(sql)) ThrowDatabaseError(QStringLiteral("数据库操作失败。"), query.lastError());
  for (const QVariant& v : values) query.addBindValue(v);
  if (!query.exec()) ThrowDatabaseError(QStringLiteral("数据库操作失败。"), query.lastError());
  return query;
}
