#include "design/detail_rep.h"

#include "base/textfile.h"

#include <QRectF>
#include <QTextLayout>
#include <cmath>

namespace {

constexpr qreal kTitleBand = 10.6;
constexpr qreal kSummaryBand = 254.8;
constexpr qreal kFooterBand = 10.6;
constexpr qreal kFooterTop = kBodyHeightMm - kFooterBand;

constexpr qreal kLogX = 6.4;
constexpr qreal kLogTop = 21.2;  // within the summary band
constexpr qreal kLogWidth = 178.1;
constexpr qreal kLogHeight = 231.0;

QFont logFont() { return ReportArial(10); }

// Splits one log line into the rows it takes at the area's width.
QStringList wrapLine(const QString& line, const QFont& font) {
  if (line.isEmpty()) return {QString()};
  QTextLayout layout(line, font, &LayoutDevice());
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  QStringList rows;
  layout.beginLayout();
  for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
    row.setLineWidth(kLogWidth / kMmPerInch * kLayoutDpi);
    rows << line.mid(row.textStart(), row.textLength());
  }
  layout.endLayout();
  return rows;
}

}  // namespace

QRectF TDetailRepFrm::LogArea() {
  return QRectF(kLogX, kTitleBand + kLogTop, kLogWidth, kLogHeight);
}

void TDetailRepFrm::LoadLog(const QString& path) { m_log = ReadTextLines(path); }

QStringList TDetailRepFrm::LogAreaRows() const {
  const QFont font = logFont();
  const PrintedLine line = PrintedLineOf(font);
  // The last row needs its own height, not the leading below it.
  const int capacity =
      kLogHeight < line.height ? 0 : 1 + int(std::floor((kLogHeight - line.height) / line.spacing));
  QStringList rows;
  for (const QString& logLine : m_log) {
    for (const QString& row : wrapLine(logLine, font)) {
      if (rows.size() == capacity) return rows;
      rows << row;
    }
  }
  return rows;
}

std::vector<ReportPage> TDetailRepFrm::Pages() const {
  const QFont label = ReportArial(10);
  ReportPage page;
  auto text = [&page](qreal x, qreal y, const QString& s, const QFont& f) {
    page.texts.push_back({QPointF(x, y), s, f});
  };
  text(80.4, 4.2, QStringLiteral("详细报表输出"), ReportSongTi(16, true));

  const qreal y = kTitleBand;
  page.rules.emplace_back(0, y + 2.1, kBodyWidthMm, y + 2.1);
  text(6.4, y + 10.6, QStringLiteral("设计单位："), label);
  text(29.6, y + 10.6, m_header.department, label);
  text(72.0, y + 10.6, QStringLiteral("设计者："), label);
  text(93.1, y + 10.6, m_header.designer, label);
  text(133.4, y + 10.6, QStringLiteral("设计日期："), label);
  text(158.8, y + 10.6, m_header.date, label);
  page.rules.emplace_back(0, y + 19.1, kBodyWidthMm, y + 19.1);

  const QRectF area = LogArea();
  const qreal spacing = PrintedLineOf(label).spacing;
  qreal rowTop = area.top();
  for (const QString& row : LogAreaRows()) {
    text(area.left(), rowTop, row, label);
    rowTop += spacing;
  }

  // The summary band is printed once and the whole report fits on one page.
  static_assert(kTitleBand + kSummaryBand + kFooterBand <= kBodyHeightMm);
  text(93.1, kFooterTop + 4.2, QStringLiteral("1"), label);
  return {page};
}
