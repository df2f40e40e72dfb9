// INI text files: section and key names compared without regard to case, keys kept in file
// order, unknown keys kept. Reads of a missing file, section, key or a bad value give the
// caller's default. Save() replaces the file atomically.
#pragma once

#include "base/types.h"
#include <QString>
#include <QStringList>
#include <vector>

class TIniFile {
public:
  explicit TIniFile(QString path);  // loads the file if it exists and can be read

  const QString& fileName() const { return m_path; }

  QString ReadString(const QString& section, const QString& key, const QString& def) const;
  int ReadInteger(const QString& section, const QString& key, int def) const;
  bool ReadBool(const QString& section, const QString& key, bool def) const;
  Extended ReadFloat(const QString& section, const QString& key, Extended def) const;
  bool ValueExists(const QString& section, const QString& key) const;
  bool SectionExists(const QString& section) const;
  QStringList ReadSection(const QString& section) const;  // key names in file order
  QStringList Sections() const;

  void WriteString(const QString& section, const QString& key, const QString& value);
  void WriteInteger(const QString& section, const QString& key, int value);
  void WriteBool(const QString& section, const QString& key, bool value);
  void WriteFloat(const QString& section, const QString& key, Extended value);  // format G
  void EraseSection(const QString& section);

  // Writes the whole file (GB18030, CR LF) through a temporary file. Throws EFileError.
  void Save() const;

private:
  struct Entry {
    QString key;   // empty for a line that is not "key=value" (kept as text)
    QString value;
    QString raw;
  };
  struct Section {
    QString name;
    std::vector<Entry> entries;
  };
  const Section* findSection(const QString& name) const;
  Section* findSection(const QString& name);
  const Entry* findEntry(const QString& section, const QString& key) const;

  QString m_path;
  std::vector<QString> m_preamble;  // lines before the first section
  std::vector<Section> m_sections;
};
