// A connection to the content database AppDir + "data/data.db". Each holder gets its own
// connection, closed when the holder goes.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

class QSqlQuery;

class ContentDb {
public:
  // Opens the existing file read-write; a missing or unreadable file throws EDatabaseError
  // with the driver's text and is never created.
  ContentDb();
  ~ContentDb();
  ContentDb(const ContentDb&) = delete;
  ContentDb& operator=(const ContentDb&) = delete;

  static QString Path();  // AppDir + "data/data.db"

  QSqlDatabase& db() { return m_db; }
  // Runs one statement with bound values; a failure throws EDatabaseError.
  QSqlQuery Exec(const QString& sql, const QVariantList& values = {});

private:
  void Close();  // also on a failed open, before the error leaves the constructor

  QString m_name;
  QSqlDatabase m_db;
};

// Throws EDatabaseError with `what` and the driver's text of `error`.
[[noreturn]] void ThrowDatabaseError(const QString& what, const class QSqlError& error);
