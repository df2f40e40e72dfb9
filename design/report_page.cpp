#include "design/report_page.h"

#include "base/errors.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

namespace {

constexpr qreal kRuleWidthMm = 0.3;

QImage blankSheet(qreal pxPerMm, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  const int dpm = qRound(pxPerMm * 1000);
  image.setDotsPerMeterX(dpm);
  image.setDotsPerMeterY(dpm);
  image.fill(Qt::white);
  return image;
}

}  // namespace

const QPaintDevice& LayoutDevice() {
  static const QImage device = blankSheet(kLayoutDpi / kMmPerInch, 1, 1);
  return device;
}

QFont ReportSongTi(qreal pointSize, bool bold) {
  QFont font(QStringLiteral("SimSun"));
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  return font;
}

QFont ReportArial(qreal pointSize) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(pointSize);
  return font;
}

PrintedLine PrintedLineOf(const QFont& font) {
  const QFontMetricsF fm(font, &LayoutDevice());
  const qreal mmPerPx = kMmPerInch / kLayoutDpi;
  return {fm.ascent() * mmPerPx, fm.height() * mmPerPx, fm.lineSpacing() * mmPerPx};
}

void PaintReportPage(QPainter& painter, const ReportPage& page, qreal pxPerMm) {
  painter.save();
  QPen pen(Qt::black);
  pen.setWidthF(kRuleWidthMm * pxPerMm);
  painter.setPen(pen);
  for (const QLineF& rule : page.rules)
    painter.drawLine(QLineF(rule.p1() * pxPerMm, rule.p2() * pxPerMm));
  for (const ReportText& t : page.texts) {
    painter.setFont(t.font);
    // Texts of one line share a baseline whatever fallback fonts their glyphs come from.
    const qreal ascent = QFontMetricsF(t.font, painter.device()).ascent();
    painter.drawText(QPointF(t.pos.x() * pxPerMm, t.pos.y() * pxPerMm + ascent), t.text);
  }
  painter.restore();
}

int BandReport::Print(QPagedPaintDevice& device) const {
  const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                           QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                           QPageLayout::Millimeter);
  if (!device.setPageLayout(layout)) {
    // A printer whose least margins are wider keeps them; the page still sits at 10 mm.
    device.setPageSize(layout.pageSize());
    device.setPageOrientation(QPageLayout::Portrait);
  }
  const std::vector<ReportPage> pages = Pages();
  QPainter painter;
  if (!painter.begin(&device)) throw EFileError(QStringLiteral("无法输出报表。"));
  const int dpi = device.logicalDpiX();
  const qreal pxPerMm = dpi / kMmPerInch;
  // The painter starts at the device's own margin corner.
  const QRect paintRect = device.pageLayout().paintRectPixels(dpi);
  painter.translate(kMarginMm * pxPerMm - paintRect.left(), kMarginMm * pxPerMm - paintRect.top());
  for (size_t i = 0; i < pages.size(); ++i) {
    if (i > 0 && !device.newPage()) {
      painter.end();
      throw EFileError(QStringLiteral("无法输出报表。"));
    }
    PaintReportPage(painter, pages[i], pxPerMm);
  }
  painter.end();
  return static_cast<int>(pages.size());
}

QImage RenderReportPage(const ReportPage& page, int dpi) {
  const qreal pxPerMm = dpi / kMmPerInch;
  QImage image =
      blankSheet(pxPerMm, qRound(kPaperWidthMm * pxPerMm), qRound(kPaperHeightMm * pxPerMm));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(kMarginMm * pxPerMm, kMarginMm * pxPerMm);
  PaintReportPage(painter, page, pxPerMm);
  return image;
}
