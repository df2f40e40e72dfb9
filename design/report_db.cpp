#include "design/report_db.h"

#include "base/numfmt.h"

#include <QSqlError>
#include <QSqlQuery>

void ReportTable::Clear() { m_db.Exec(QStringLiteral("DELETE FROM \"报表\"")); }

void ReportTable::Append(const ReportRow& row) {
  // The column's numeric affinity turns the G text into a number.
  m_db.Exec(QStringLiteral("INSERT INTO \"报表\" (\"名称\", \"数值\", \"单位\") VALUES (?, ?, ?)"),
            {row.name, FormatG(row.value), row.unit});
}

void ReportTable::Replace(const std::vector<ReportRow>& rows) {
  QSqlDatabase& db = m_db.db();
  if (!db.transaction()) ThrowDatabaseError(QStringLiteral("数据库操作失败。"), db.lastError());
  try {
    Clear();
    for (const ReportRow& row : rows) Append(row);
  } catch (...) {
    db.rollback();
    throw;
  }
  if (!db.commit()) {
    const QSqlError error = db.lastError();
    db.rollback();
    ThrowDatabaseError(QStringLiteral("数据库操作失败。"), error);
  }
}

std::vector<ReportRow> ReportTable::Rows() {
  QSqlQuery query =
      m_db.Exec(QStringLiteral("SELECT \"名称\", \"数值\", \"单位\" FROM \"报表\" ORDER BY rowid"));
  std::vector<ReportRow> rows;
  while (query.next())
    rows.push_back({query.value(0).toString(), static_cast<Extended>(query.value(1).toDouble()),
                    query.value(2).toString()});
  return rows;
}
