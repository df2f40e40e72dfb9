// The simple report: one table row per design quantity (name, value, unit) under the title
// and the design information, paged with "第 N 页" footers.
#pragma once

#include "design/report_db.h"
#include "design/report_page.h"

class TQRFrm : public BandReport {
public:
  void SetRows(std::vector<ReportRow> rows) { m_rows = std::move(rows); }
  const std::vector<ReportRow>& Rows() const { return m_rows; }
  // A line under the rows (the design check's summary); none when empty.
  void SetNote(QString note) { m_note = std::move(note); }

  std::vector<ReportPage> Pages() const override;

  // How many detail rows the first and each later page hold.
  static int RowsOnFirstPage();
  static int RowsOnLaterPage();

private:
  std::vector<ReportRow> m_rows;
  QString m_note;
};
