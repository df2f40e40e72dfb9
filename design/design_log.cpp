#include "design/design_log.h"

#include <QPlainTextEdit>

QStringList DesignLog::Lines() const {
  const QString text = m_page->toPlainText();
  if (text.isEmpty()) return {};
  return text.split(u'\n');
}

void DesignLog::SetLines(const QStringList& lines) { m_page->setPlainText(lines.join(u'\n')); }

void DesignLog::Append(const QString& line) {
  if (m_page->document()->isEmpty())
    m_page->setPlainText(line);
  else
    m_page->appendPlainText(line);
}

void DesignLog::Cut(int kept) {
  const QStringList lines = Lines();
  if (lines.size() > kept) SetLines(lines.mid(0, kept));
}

QStringList LogHeaderLines(const QString& type, const DesignInformation& info, const HeaderSpacing& spacing) {
  return {QStringLiteral("设计信息"), QStringLiteral("    类型：") + type,
          QStringLiteral("    设计人：") + info.person + spacing.beforeDepartment + QStringLiteral("单位：") +
              info.department,
          QStringLiteral("    日期：") + info.date + spacing.beforeTime + QStringLiteral("时间：") + info.time};
}

QStringList InformationLines(const DesignInformation& info) {
  return {QStringLiteral("设计信息"), QStringLiteral("    设计人：") + info.person + QStringLiteral("    单位：") + info.department,
          QStringLiteral("    日期：") + info.date + QStringLiteral("   时间：") + info.time};
}
