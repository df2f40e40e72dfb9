// The table "报表" of the content database: the rows of the last simple report, each a
// quantity's name, value and unit, kept in the order written.
#pragma once

#include "base/types.h"
#include "design/content_db.h"

#include <QString>
#include <vector>

struct ReportRow {
  QString name;   // "名称"
  Extended value; // "数值"; stored as the number of its format-G text
  QString unit;   // "单位"
};

class ReportTable {
public:
  // Opens its own connection; throws EDatabaseError.
  ReportTable() = default;

  void Clear();                                  // deletes every row
  void Append(const ReportRow& row);
  // Clear and Append in one transaction: on a failure the table keeps its previous rows.
  void Replace(const std::vector<ReportRow>& rows);
  std::vector<ReportRow> Rows();                 // in insertion order

private:
  ContentDb m_db;
};
