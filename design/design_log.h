// The design log: the lines of the "设计记录" page, and the header lines every log begins with.
#pragma once

#include <QString>
#include <QStringList>

class QPlainTextEdit;

// The blanks between the parts of the header lines, for the windows that space them otherwise.
struct HeaderSpacing {
  QString beforeDepartment = QStringLiteral("    ");
  QString beforeTime = QStringLiteral("   ");
};

// Who designed it and when, as the information step took it.
struct DesignInformation {
  QString person, department, date, time;
};

// The log held by a text page: its lines without the page's own line ends.
class DesignLog {
public:
  explicit DesignLog(QPlainTextEdit* page) : m_page(page) {}
  QStringList Lines() const;
  void SetLines(const QStringList& lines);
  void Append(const QString& line);
  void Cut(int kept);  // keeps the first `kept` lines

private:
  QPlainTextEdit* m_page;
};

// "设计信息", the type, the designer with the department, the date with the time.
QStringList LogHeaderLines(const QString& type, const DesignInformation& info, const HeaderSpacing& spacing = {});
// The header without its type line, as a window that writes the type later begins it.
QStringList InformationLines(const DesignInformation& info);
