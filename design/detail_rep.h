// The detailed report: the whole design log under the title and the design information, in a
// log area of fixed size on one page; what does not fit in the area is not printed.
#pragma once

#include "design/report_page.h"

#include <QStringList>

class TDetailRepFrm : public BandReport {
public:
  void SetLog(QStringList lines) { m_log = std::move(lines); }
  // Loads the log area from a text file (GB18030). Throws EFileError.
  void LoadLog(const QString& path);
  const QStringList& Log() const { return m_log; }

  // The printed rows of the log area: the log lines wrapped to the area's width, as many as
  // its height holds.
  QStringList LogAreaRows() const;

  std::vector<ReportPage> Pages() const override;

  // The log area, mm from the margin corner.
  static QRectF LogArea();

private:
  QStringList m_log;
};
