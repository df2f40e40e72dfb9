// What the two report layouts share: the header, pages as placed texts and rules in mm, and
// painting those pages on a printer, a PDF writer or a picture.
#pragma once

#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QString>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// The design information printed under the title.
struct ReportHeader {
  QString department;
  QString designer;
  QString date;
};

// A4 portrait with 10 mm margins on all four sides; every position is in mm from the
// top-left corner of the margins.
inline constexpr qreal kPaperWidthMm = 210.0;
inline constexpr qreal kPaperHeightMm = 297.0;
inline constexpr qreal kMarginMm = 10.0;
inline constexpr qreal kBodyWidthMm = kPaperWidthMm - 2 * kMarginMm;
inline constexpr qreal kBodyHeightMm = kPaperHeightMm - 2 * kMarginMm;
inline constexpr qreal kMmPerInch = 25.4;

struct ReportText {
  QPointF pos;  // top-left of the text's line
  QString text;
  QFont font;
};

struct ReportPage {
  std::vector<ReportText> texts;
  std::vector<QLineF> rules;
};

// 宋体 (SimSun, with the CJK substitutes of the application) and Arial at a point size.
QFont ReportSongTi(qreal pointSize, bool bold = false);
QFont ReportArial(qreal pointSize);

// Line metrics of a font as printed, in mm.
struct PrintedLine {
  qreal ascent;
  qreal height;   // ascent + descent
  qreal spacing;  // baseline to baseline
};
PrintedLine PrintedLineOf(const QFont& font);

// The device that layout metrics and line wrapping are taken on: a printer's resolution,
// where hinting no longer shifts glyphs, so every device gets the same layout.
const QPaintDevice& LayoutDevice();
inline constexpr int kLayoutDpi = 1200;

class BandReport {
public:
  virtual ~BandReport() = default;

  void SetHeader(const ReportHeader& header) { m_header = header; }
  const ReportHeader& Header() const { return m_header; }

  virtual std::vector<ReportPage> Pages() const = 0;

  // Sets the device to A4 portrait with 10 mm margins and paints every page on it; returns
  // the number of pages. Throws EFileError when the device cannot be painted on.
  int Print(QPagedPaintDevice& device) const;

protected:
  ReportHeader m_header;
};

// Paints one page; the painter's origin is the margin corner and `pxPerMm` its scale.
void PaintReportPage(QPainter& painter, const ReportPage& page, qreal pxPerMm);

// The whole sheet of one page on white at `dpi`.
QImage RenderReportPage(const ReportPage& page, int dpi);
