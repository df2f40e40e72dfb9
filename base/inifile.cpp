// INI files with case-insensitive names, kept order and atomic replacement.
#include "base/inifile.h"

#include "base/convert.h"
#include "base/errors.h"
#include "base/numfmt.h"
#include "base/textfile.h"

#include <QFileInfo>

namespace {

bool sameName(const QString& a, const QString& b) {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

}  // namespace

TIniFile::TIniFile(QString path) : m_path(std::move(path)) {
  if (!QFileInfo::exists(m_path)) return;
  QStringList lines;
  try {
    lines = ReadTextLines(m_path);
  } catch (const EFileError&) {
    return;  // an unreadable file reads as an empty one: every value takes its default
  }
  Section* current = nullptr;
  for (const QString& raw : lines) {
    const QString line = raw.trimmed();
    if (line.startsWith(u'[') && line.endsWith(u']')) {
      const QString name = line.mid(1, line.size() - 2).trimmed();
      current = findSection(name);
      if (!current) {
        m_sections.push_back({name, {}});
        current = &m_sections.back();
      }
      continue;
    }
    Entry entry;
    entry.raw = raw;
    const int eq = raw.indexOf(u'=');
    if (eq > 0 && !line.startsWith(u';')) {
      entry.key = raw.left(eq).trimmed();
      entry.value = raw.mid(eq + 1).trimmed();  // "DsMethod = DYWZ" as a hand edit leaves it
    }
    if (current)
      current->entries.push_back(entry);
    else
      m_preamble.push_back(raw);
  }
}

const TIniFile::Section* TIniFile::findSection(const QString& name) const {
  for (const Section& s : m_sections)
    if (sameName(s.name, name)) return &s;
  return nullptr;
}

TIniFile::Section* TIniFile::findSection(const QString& name) {
  for (Section& s : m_sections)
    if (sameName(s.name, name)) return &s;
  return nullptr;
}

const TIniFile::Entry* TIniFile::findEntry(const QString& section, const QString& key) const {
  const Section* s = findSection(section);
  if (!s) return nullptr;
  for (const Entry& e : s->entries)
    if (!e.key.isEmpty() && sameName(e.key, key)) return &e;  // the first of duplicates wins
  return nullptr;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& def) const {
  const Entry* e = findEntry(section, key);
  return e ? e->value : def;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int def) const {
  const Entry* e = findEntry(section, key);
  if (!e) return def;
  try {
    return StrToInt(e->value);
  } catch (const EConvertError&) {
    return def;
  }
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

Extended TIniFile::ReadFloat(const QString& section, const QString& key, Extended def) const {
  const Entry* e = findEntry(section, key);
  if (!e) return def;
  try {
    return StrToFloat(e->value);
  } catch (const EConvertError&) {
    return def;
  }
}

bool TIniFile::ValueExists(const QString& section, const QString& key) const {
  return findEntry(section, key) != nullptr;
}

bool TIniFile::SectionExists(const QString& section) const { return findSection(section); }

QStringList TIniFile::ReadSection(const QString& section) const {
  QStringList keys;
  if (const Section* s = findSection(section))
    for (const Entry& e : s->entries)
      if (!e.key.isEmpty()) keys << e.key;
  return keys;
}

QStringList TIniFile::Sections() const {
  QStringList names;
  for (const Section& s : m_sections) names << s.name;
  return names;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
  Section* s = findSection(section);
  if (!s) {
    m_sections.push_back({section, {}});
    s = &m_sections.back();
  }
  for (Entry& e : s->entries) {
    if (!e.key.isEmpty() && sameName(e.key, key)) {
      e.value = value;
      e.raw = e.key + u'=' + value;
      return;
    }
  }
  s->entries.push_back({key, value, key + u'=' + value});
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value) {
  WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value) {
  WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::WriteFloat(const QString& section, const QString& key, Extended value) {
  WriteString(section, key, FormatG(value));
}

void TIniFile::EraseSection(const QString& section) {
  for (auto it = m_sections.begin(); it != m_sections.end(); ++it) {
    if (sameName(it->name, section)) {
      m_sections.erase(it);
      return;
    }
  }
}

void TIniFile::Save() const {
  QStringList lines(m_preamble.begin(), m_preamble.end());
  for (const Section& s : m_sections) {
    lines << u'[' + s.name + u']';
    for (const Entry& e : s.entries) lines << e.raw;
  }
  WriteTextLines(m_path, lines);
}
