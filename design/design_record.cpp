#include "design/design_record.h"

#include "base/errors.h"
#include "base/textfile.h"

#include <QFile>
#include <cstdio>

namespace {

const QString kSection = QStringLiteral("DesignInfo");

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};

}  // namespace

QString RecordPathOf(const QString& logPath) { return logPath.left(logPath.size() - 4) + QStringLiteral(".des"); }

DesignRecordReader::DesignRecordReader(const QString& recordPath) : m_ini(recordPath) {}

QString DesignRecordReader::Method() const { return m_ini.ReadString(kSection, QStringLiteral("DsMethod"), {}); }

Extended DesignRecordReader::Real(const QString& key, Extended def) const { return m_ini.ReadFloat(kSection, key, def); }
int DesignRecordReader::Integer(const QString& key, int def) const { return m_ini.ReadInteger(kSection, key, def); }
QString DesignRecordReader::Text(const QString& key, const QString& def) const { return m_ini.ReadString(kSection, key, def); }

RecordHeader DesignRecordReader::Header() const {
  RecordHeader h;
  h.method = Method();
  h.person = m_ini.ReadString(kSection, QStringLiteral("DsPerson"), {});
  h.department = m_ini.ReadString(kSection, QStringLiteral("DsDepartment"), {});
  h.date = m_ini.ReadString(kSection, QStringLiteral("DsDate"), {});
  h.time = m_ini.ReadString(kSection, QStringLiteral("DsTime"), {});
  h.step = m_ini.ReadInteger(kSection, QStringLiteral("DsStep"), 0);
  h.type = m_ini.ReadInteger(kSection, QStringLiteral("DsType"), -1);
  return h;
}

void DesignRecordReader::Read(const RecordFields& fields) const {
  for (const RecordField& f : fields) {
    std::visit(Overloaded{
                   [&](Extended* v) { *v = m_ini.ReadFloat(kSection, f.key, f.fallback.toDouble()); },
                   [&](double* v) { *v = double(m_ini.ReadFloat(kSection, f.key, f.fallback.toDouble())); },
                   [&](int* v) { *v = m_ini.ReadInteger(kSection, f.key, f.fallback.isValid() ? f.fallback.toInt() : -1); },
                   [&](QString* v) { *v = m_ini.ReadString(kSection, f.key, f.fallback.toString()); },
               },
               f.target);
  }
}

void SaveDesignPair(const QString& logPath, const QStringList& logLines, const RecordHeader& header,
                    const RecordFields& fields) {
  const QString pending = logPath + QStringLiteral(".~new");
  WriteTextLines(pending, logLines);
  try {
    TIniFile ini(RecordPathOf(logPath));
    ini.WriteString(kSection, QStringLiteral("DsMethod"), header.method);
    ini.WriteString(kSection, QStringLiteral("DsPerson"), header.person);
    ini.WriteString(kSection, QStringLiteral("DsDepartment"), header.department);
    ini.WriteString(kSection, QStringLiteral("DsDate"), header.date);
    ini.WriteString(kSection, QStringLiteral("DsTime"), header.time);
    ini.WriteInteger(kSection, QStringLiteral("DsStep"), header.step);
    ini.WriteInteger(kSection, QStringLiteral("DsType"), header.type);
    for (const RecordField& f : fields) {
      // Reals go through double, as every record has always held them.
      std::visit(Overloaded{
                     [&](Extended* v) { ini.WriteFloat(kSection, f.key, static_cast<double>(*v)); },
                     [&](double* v) { ini.WriteFloat(kSection, f.key, *v); },
                     [&](int* v) { ini.WriteInteger(kSection, f.key, *v); },
                     [&](QString* v) { ini.WriteString(kSection, f.key, *v); },
                 },
                 f.target);
    }
    ini.Save();
  } catch (...) {
    QFile::remove(pending);
    throw;
  }
  if (std::rename(QFile::encodeName(pending).constData(), QFile::encodeName(logPath).constData()) != 0) {
    QFile::remove(pending);
    throw EFileError(QStringLiteral("无法写入文件") + logPath);
  }
}
