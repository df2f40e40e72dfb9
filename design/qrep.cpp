#include "design/qrep.h"

#include "base/numfmt.h"

#include <cmath>

namespace {

// Band heights, mm.
constexpr qreal kPageHeaderBand = 10.6;
constexpr qreal kTitleBand = 10.6;
constexpr qreal kColumnHeaderBand = 28.3;
constexpr qreal kDetailBand = 10.6;
constexpr qreal kFooterBand = 10.6;
constexpr qreal kFooterTop = kBodyHeightMm - kFooterBand;

// Columns of the table, mm from the left margin.
constexpr qreal kNameX = 19.1;
constexpr qreal kValueX = 74.3;
constexpr qreal kUnitX = 143.9;

constexpr int kValueDecimals = 3;  // the mask "#,##0.000"

int detailRowsBelow(qreal top) {
  return static_cast<int>(std::floor((kFooterTop - top) / kDetailBand + 1e-9));
}

}  // namespace

int TQRFrm::RowsOnFirstPage() {
  return detailRowsBelow(kPageHeaderBand + kTitleBand + kColumnHeaderBand);
}

int TQRFrm::RowsOnLaterPage() { return detailRowsBelow(kPageHeaderBand + kColumnHeaderBand); }

std::vector<ReportPage> TQRFrm::Pages() const {
  const QFont label = ReportSongTi(10);
  std::vector<ReportPage> pages;
  size_t next = 0;
  bool noteDone = m_note.isEmpty();  // the note follows the last row, on a page of its own if need be
  do {
    ReportPage page;
    auto text = [&page](qreal x, qreal y, const QString& s, const QFont& f) {
      page.texts.push_back({QPointF(x, y), s, f});
    };
    qreal y = kPageHeaderBand;  // the page header band is empty
    if (pages.empty()) {
      text(65.6, y + 2.1, QStringLiteral("设计结果输出"), ReportSongTi(16, true));
      y += kTitleBand;
    }
    page.rules.emplace_back(0, y + 2.1, kBodyWidthMm, y + 2.1);
    text(6.4, y + 6.4, QStringLiteral("设计单位："), label);
    text(25.4, y + 6.4, m_header.department, label);
    text(76.2, y + 6.4, QStringLiteral("设计者："), label);
    text(91.0, y + 6.4, m_header.designer, label);
    text(127.0, y + 6.4, QStringLiteral("设计日期："), label);
    text(146.1, y + 6.4, m_header.date, label);
    page.rules.emplace_back(0, y + 14.8, kBodyWidthMm, y + 14.8);
    text(kNameX, y + 19.1, QStringLiteral("名称"), label);
    text(kValueX, y + 19.1, QStringLiteral("数值"), label);
    text(kUnitX, y + 19.1, QStringLiteral("单位"), label);
    y += kColumnHeaderBand;

    for (; next < m_rows.size() && y + kDetailBand <= kFooterTop + 1e-9; ++next, y += kDetailBand) {
      const ReportRow& row = m_rows[next];
      text(kNameX, y + 2.1, row.name, label);
      text(kValueX, y + 2.1, FormatGrouped(static_cast<double>(row.value), kValueDecimals), label);
      text(kUnitX, y + 2.1, row.unit, label);
    }
    if (next == m_rows.size() && !noteDone && y + kDetailBand <= kFooterTop + 1e-9) {
      text(kNameX, y + 2.1, m_note, label);
      noteDone = true;
    }

    const QString number = QString::number(pages.size() + 1);
    text(78.6, kFooterTop + 2.1, QStringLiteral("第"), label);
    text(84.7, kFooterTop + 2.1, number, label);
    text(88.9, kFooterTop + 2.1, QStringLiteral("页"), label);
    pages.push_back(std::move(page));
  } while (next < m_rows.size() || !noteDone);
  return pages;
}
