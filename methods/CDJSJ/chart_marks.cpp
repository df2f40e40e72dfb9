#include "methods/CDJSJ/chart_marks.h"

#include "base/textfile.h"
#include "methods/CDJSJ/chart_view.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>

const QColor ChartMarks::kColour(220, 0, 0);

namespace {

constexpr int kCaptionPadding = 3;
constexpr int kCaptionGap = 10;  // between the first mark and its caption

}  // namespace

QPointF ChartToPanel(const ChartPicture& box, QPointF pixel) {
  const QImage& image = box.image();
  if (box.stretch && !image.isNull())
    pixel = QPointF(pixel.x() * box.width() / image.width(), pixel.y() * box.height() / image.height());
  return box.pos() + pixel;
}

ChartMarks::ChartMarks(ChartView& view) : QWidget(&view), m_view(view) {
  setObjectName(view.objectName() + QStringLiteral("Marks"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(view.rect());
  stackUnder(view.overlay());  // the overlay keeps the mouse and the menu
  connect(&view, &ChartView::boxChanged, this, qOverload<>(&QWidget::update));
}

void ChartMarks::LoadAxes(const QString& path) {
  m_axes.reset();
  ChartAxes axes;
  if (QFileInfo::exists(path) && ParseChartAxes(ReadTextLines(path), axes)) m_axes = axes;
  update();
}

void ChartMarks::SetReading(const ChartReading& reading) {
  m_reading = reading;
  update();
}

std::optional<QPointF> ChartMarks::PanelPoint(const ChartMark& mark) const {
  if (!m_axes || m_view.picture()->image().isNull()) return std::nullopt;
  const ChartPlot* plot = m_axes->Find(mark.quantity);
  if (!plot) return std::nullopt;
  return ChartToPanel(*m_view.picture(), plot->ToPixel(mark.x, mark.y));
}

QRect ChartMarks::CaptionRect() const {
  if (m_reading.caption.isEmpty()) return {};
  const QFontMetrics metrics(font());
  int width = 0;
  for (const QString& line : m_reading.caption) width = std::max(width, metrics.horizontalAdvance(line));
  QRect r(0, 0, width + 2 * kCaptionPadding, int(m_reading.caption.size()) * metrics.height() + 2 * kCaptionPadding);
  // Up and to the right of the first mark, else to its left or below it; inside the panel in
  // any case.
  const std::optional<QPointF> at =
      m_reading.marks.empty() ? std::nullopt : PanelPoint(m_reading.marks.front());
  if (at) {
    QPoint corner(qRound(at->x()) + kCaptionGap, qRound(at->y()) - kCaptionGap - r.height());
    if (corner.x() + r.width() > this->width())
      corner.setX(qRound(at->x()) - kCaptionGap - r.width());
    if (corner.y() < 0) corner.setY(qRound(at->y()) + kCaptionGap);
    r.moveTopLeft(corner);
  } else {
    r.moveTopRight(QPoint(this->width() - 1 - kCaptionPadding, kCaptionPadding));
  }
  r.moveLeft(std::clamp(r.left(), 0, std::max(0, this->width() - r.width())));
  r.moveTop(std::clamp(r.top(), 0, std::max(0, this->height() - r.height())));
  return r;
}

void ChartMarks::paintEvent(QPaintEvent*) {
  const ChartPicture& box = *m_view.picture();
  if (box.image().isNull() || m_reading.caption.isEmpty()) return;
  QPainter p(this);
  p.setClipRect(box.geometry().intersected(rect()));
  p.setPen(QPen(kColour, 1));
  for (const ChartMark& mark : m_reading.marks) {
    const std::optional<QPointF> at = PanelPoint(mark);
    if (!at) continue;
    // The lines run across the plot area the mark belongs to, whatever the scale.
    const QRectF area = m_axes->Find(mark.quantity)->area;
    const QPointF topLeft = ChartToPanel(box, area.topLeft()), bottomRight = ChartToPanel(box, area.bottomRight());
    p.drawLine(QPointF(at->x(), topLeft.y()), QPointF(at->x(), bottomRight.y()));
    p.drawLine(QPointF(topLeft.x(), at->y()), QPointF(bottomRight.x(), at->y()));
    p.drawEllipse(*at, 3, 3);
  }
  p.setClipping(false);
  const QRect caption = CaptionRect();
  p.setPen(QPen(kColour, 1));
  p.setBrush(QColor(255, 255, 255, 225));
  p.drawRect(caption.adjusted(0, 0, -1, -1));
  const QFontMetrics metrics(font());
  int y = caption.top() + kCaptionPadding + metrics.ascent();
  for (const QString& line : m_reading.caption) {
    p.drawText(caption.left() + kCaptionPadding, y, line);
    y += metrics.height();
  }
}
