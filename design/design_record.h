// A saved design is a pair of files: the log (.txt) the user reads and, beside it, the record
// (.des, an INI file) that restores the window at its step. The record's section holds the
// header every window writes (Ds* keys) and each method's own fields, declared once as a table
// of {key, member} that both writes and reads.
#pragma once

#include "base/inifile.h"
#include "base/types.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <variant>
#include <vector>

// What every record begins with.
struct RecordHeader {
  QString method;  // DsMethod: "DYWZ", "HSGX", …
  QString person, department, date, time;
  int step = 0;    // DsStep
  int type = -1;   // DsType
};

// One field of a method's record: its key, where its value lives, and the value a record
// without the key gives (reals 0, integers −1, texts empty unless the field says otherwise).
struct RecordField {
  using Target = std::variant<Extended*, double*, int*, QString*>;
  QString key;
  Target target;
  QVariant fallback = {};

  RecordField(const char* k, Target t, QVariant f = {}) : key(QString::fromLatin1(k)), target(t), fallback(std::move(f)) {}
};
using RecordFields = std::vector<RecordField>;

// The record file (.des) of a log.
QString RecordPathOf(const QString& logPath);

// Reads a record: its header and the fields given.
class DesignRecordReader {
public:
  explicit DesignRecordReader(const QString& recordPath);
  RecordHeader Header() const;
  void Read(const RecordFields& fields) const;
  // The method a saved record belongs to; empty when it names none.
  QString Method() const;
  // One value by its key, for readers that are not the window (the command line).
  Extended Real(const QString& key, Extended def = 0) const;
  int Integer(const QString& key, int def) const;
  QString Text(const QString& key, const QString& def = {}) const;

private:
  TIniFile m_ini;
};

// Writes the pair: the log waits beside its place until the record is written, so a failure of
// either leaves the pair on disk as it was. Throws EFileError.
void SaveDesignPair(const QString& logPath, const QStringList& logLines, const RecordHeader& header,
                    const RecordFields& fields);
