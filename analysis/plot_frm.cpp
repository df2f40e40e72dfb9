#include "analysis/plot_frm.h"

#include "base/appdir.h"
#include "base/desktop.h"
#include "base/errors.h"
#include "base/numfmt.h"
#include "link/tables.h"

#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QValueAxis>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

namespace {

constexpr Extended kToDeg = 180 / kPi;
constexpr qreal kWheelZoom = 1.25;  // one wheel notch

}  // namespace

// A chart that reports the input angle under the mouse, zooms with the wheel about the
// cursor and draws the cursor and the animation's angle as vertical lines.
class PlotChartView : public QChartView {
public:
  PlotChartView(QChart* chart, QWidget* parent) : QChartView(chart, parent) {
    setRubberBand(QChartView::HorizontalRubberBand);
    setMouseTracking(true);
    setRenderHint(QPainter::Antialiasing);
  }

  std::function<void(Extended)> onCursor;
  qreal cursor = qQNaN(), marker = qQNaN();

protected:
  void mouseMoveEvent(QMouseEvent* event) override {
    QChartView::mouseMoveEvent(event);
    const QPointF value = chart()->mapToValue(chart()->mapFromScene(mapToScene(event->pos())));
    if (onCursor) Guarded([&] { onCursor(value.x()); });
  }

  void wheelEvent(QWheelEvent* event) override {
    const qreal factor = event->angleDelta().y() > 0 ? kWheelZoom : 1 / kWheelZoom;
    auto* axis = static_cast<QValueAxis*>(chart()->axes(Qt::Horizontal).value(0));
    if (!axis) return;
    const qreal at = chart()->mapToValue(chart()->mapFromScene(mapToScene(event->position().toPoint()))).x();
    axis->setRange(at - (at - axis->min()) / factor, at + (axis->max() - at) / factor);
    event->accept();
  }

  void drawForeground(QPainter* painter, const QRectF& rect) override {
    QChartView::drawForeground(painter, rect);
    const QRectF area = chart()->plotArea();
    const auto line = [&](qreal x, const QColor& colour) {
      if (std::isnan(x)) return;
      const qreal px = chart()->mapToPosition(QPointF(x, 0)).x();
      if (px < area.left() || px > area.right()) return;
      painter->setPen(QPen(colour, 1));
      painter->drawLine(QPointF(px, area.top()), QPointF(px, area.bottom()));
    };
    line(marker, Qt::red);
    line(cursor, Qt::darkGray);
  }
};

TPlotFrm::TPlotFrm(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("TPlotFrm"));
  resize(760, 820);
  auto* column = new QVBoxLayout(this);
  tabCharts = new QTabWidget(this);
  tabCharts->setObjectName(QStringLiteral("tabCharts"));
  lblReadout = new QLabel(this);
  lblReadout->setObjectName(QStringLiteral("lblReadout"));
  lblReadout->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* buttons = new QHBoxLayout;
  const auto button = [&](QPushButton*& b, const char* name, const QString& caption, void (TPlotFrm::*command)()) {
    b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    buttons->addWidget(b);
    connect(b, &QPushButton::clicked, this, [this, command] { Guarded([this, command] { (this->*command)(); }); });
  };
  button(btnReset, "btnReset", QStringLiteral("还原"), &TPlotFrm::resetZoom);
  buttons->addStretch(1);
  button(btnPng, "btnPng", QStringLiteral("导出PNG…"), &TPlotFrm::exportPng);
  button(btnSvg, "btnSvg", QStringLiteral("导出SVG…"), &TPlotFrm::exportSvg);
  button(btnCsv, "btnCsv", QStringLiteral("导出数据…"), &TPlotFrm::exportData);
  column->addWidget(tabCharts, 1);
  column->addWidget(lblReadout);
  column->addLayout(buttons);
}

QString TPlotFrm::KindCaption(MotionTableKind kind) {
  switch (kind) {
    case MotionTableKind::CrankRocker: return QStringLiteral("曲柄摇杆机构");
    case MotionTableKind::DoubleRocker: return QStringLiteral("双摇杆机构");
    case MotionTableKind::CrankSlider: return QStringLiteral("曲柄滑块机构");
    case MotionTableKind::GuideBar: return QStringLiteral("导杆机构");
  }
  return {};
}

std::vector<TPlotFrm::Curve> TPlotFrm::curvesOf(MotionTableKind kind) const {
  const auto deg = [](Extended MotionRow::*m) { return [m](const MotionRow& r) { return r.*m * kToDeg; }; };
  const auto raw = [](Extended MotionRow::*m) { return [m](const MotionRow& r) { return r.*m; }; };
  switch (kind) {
    case MotionTableKind::CrankSlider:
      return {{QStringLiteral("滑块位移 s"), QStringLiteral("mm"), raw(&MotionRow::position)},
              {QStringLiteral("滑块速度 v"), QStringLiteral("mm/s"), raw(&MotionRow::velocity)},
              {QStringLiteral("滑块加速度 a"), QStringLiteral("mm/s²"), raw(&MotionRow::acceleration)}};
    case MotionTableKind::GuideBar:
      return {{QStringLiteral("导杆摆角 ψ"), QStringLiteral("°"), deg(&MotionRow::position)},
              {QStringLiteral("导杆角速度 ω"), QStringLiteral("°/s"), deg(&MotionRow::velocity)},
              {QStringLiteral("导杆角加速度 α"), QStringLiteral("°/s²"), deg(&MotionRow::acceleration)}};
    default:
      return {{QStringLiteral("摇杆位置角 φ3"), QStringLiteral("°"), deg(&MotionRow::position)},
              {QStringLiteral("摇杆角速度 ω"), QStringLiteral("°/s"), deg(&MotionRow::velocity)},
              {QStringLiteral("摇杆角加速度 α"), QStringLiteral("°/s²"), deg(&MotionRow::acceleration)},
              {QStringLiteral("E点 x"), QStringLiteral("mm"), raw(&MotionRow::ex)},
              {QStringLiteral("E点 y"), QStringLiteral("mm"), raw(&MotionRow::ey)},
              {QStringLiteral("E点速度"), QStringLiteral("mm/s"), raw(&MotionRow::couplerSpeed)}};
  }
}

void TPlotFrm::setMotion(MotionTableKind kind, const Linkage& linkage, const MotionSettings& settings) {
  MotionSettings s = settings;
  s.couplerSpeed = true;
  std::vector<MotionRow> rows = MotionRows(kind, linkage, s);
  m_kind = kind;
  m_linkage = linkage;
  m_settings = s;
  m_rows = std::move(rows);
  m_hasCursor = false;
  setWindowTitle(QStringLiteral("运动曲线 — ") + KindCaption(kind));
  buildCharts();
  lblReadout->setText(readout());
}

void TPlotFrm::buildCharts() {
  while (tabCharts->count() > 0) delete tabCharts->widget(0);
  m_views.clear();
  m_curves = curvesOf(m_kind);
  Extended lo = 0, hi = 0;
  for (std::size_t n = 0; n < m_rows.size(); ++n) {
    const Extended x = m_rows[n].phi * kToDeg;
    lo = n == 0 ? x : std::min(lo, x);
    hi = n == 0 ? x : std::max(hi, x);
  }
  if (hi <= lo) hi = lo + 1;
  m_lo = lo;
  m_hi = hi;
  QWidget* page = nullptr;
  for (std::size_t c = 0; c < m_curves.size(); ++c) {
    if (c % 3 == 0) {
      page = new QWidget(tabCharts);
      new QVBoxLayout(page);
      tabCharts->addTab(page, c == 0 ? QStringLiteral("输出构件") : QStringLiteral("连杆上E点"));
    }
    auto* chart = new QChart;
    chart->setTitle(m_curves[c].title);
    chart->legend()->setVisible(m_kind == MotionTableKind::DoubleRocker);
    // The double rocker's two strokes are two series over the same angles.
    QLineSeries* series[2] = {new QLineSeries, nullptr};
    series[0]->setName(QStringLiteral("工作行程"));
    for (const MotionRow& r : m_rows) {
      if (r.returnStroke && !series[1]) {
        series[1] = new QLineSeries;
        series[1]->setName(QStringLiteral("回程"));
      }
      const qreal y = static_cast<qreal>(m_curves[c].value(r));
      if (std::isfinite(y)) series[r.returnStroke ? 1 : 0]->append(static_cast<qreal>(r.phi * kToDeg), y);
    }
    auto* x = new QValueAxis;
    x->setTitleText(QStringLiteral("输入杆转角 φ (°)"));
    x->setRange(static_cast<qreal>(lo), static_cast<qreal>(hi));
    auto* y = new QValueAxis;
    y->setTitleText(m_curves[c].title + QStringLiteral(" (") + m_curves[c].unit + QStringLiteral(")"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QLineSeries* s : series) {
      if (!s) continue;
      chart->addSeries(s);
      s->attachAxis(x);
      s->attachAxis(y);
    }
    y->applyNiceNumbers();
    auto* view = new PlotChartView(chart, page);
    view->onCursor = [this](Extended degrees) { showCursor(degrees); };
    connect(x, &QValueAxis::rangeChanged, this, [this](qreal min, qreal max) { syncRange(min, max); });
    page->layout()->addWidget(view);
    m_views.push_back(view);
  }
}

// The charts share the input angle: a zoom of one is the zoom of all.
void TPlotFrm::syncRange(Extended min, Extended max) {
  if (m_syncing) return;
  m_syncing = true;
  for (PlotChartView* v : m_views)
    static_cast<QValueAxis*>(v->chart()->axes(Qt::Horizontal).value(0))->setRange(double(min), double(max));
  m_syncing = false;
}

void TPlotFrm::resetZoom() {
  for (PlotChartView* v : m_views) v->chart()->zoomReset();
  syncRange(m_lo, m_hi);
}

void TPlotFrm::showCursor(Extended degrees) {
  m_cursor = degrees;
  m_hasCursor = true;
  for (PlotChartView* v : m_views) {
    v->cursor = static_cast<qreal>(degrees);
    v->viewport()->update();
  }
  lblReadout->setText(readout());
}

void TPlotFrm::setAnimationAngle(Extended degrees) {
  for (PlotChartView* v : m_views) {
    v->marker = static_cast<qreal>(degrees);
    v->viewport()->update();
  }
}

// φ and every value at the row nearest to the cursor (of the working stroke).
QString TPlotFrm::readout() const {
  if (m_rows.empty()) return QStringLiteral("无数据");
  if (!m_hasCursor) return QStringLiteral("将鼠标移到曲线上读取数值");
  const MotionRow* best = &m_rows.front();
  for (const MotionRow& r : m_rows)
    if (!r.returnStroke && std::fabs(r.phi * kToDeg - m_cursor) < std::fabs(best->phi * kToDeg - m_cursor)) best = &r;
  QString text = QStringLiteral("φ=") + FormatFixed(best->phi * kToDeg, 3) + QStringLiteral("°");
  for (const Curve& c : m_curves)
    text += QStringLiteral("，") + c.title + u'=' + FormatFixed(c.value(*best), 3) + c.unit;
  return text;
}

QWidget* TPlotFrm::currentPage() const { return tabCharts->currentWidget() ? tabCharts->currentWidget() : tabCharts; }

void TPlotFrm::exportPng() {
  QString path = Desktop().GetSaveFileName(QStringLiteral("导出PNG"), EnsureResultDir() + QStringLiteral("运动曲线.png"),
                                           QStringLiteral("PNG 图片 (*.png)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".png");
  if (!currentPage()->grab().save(path, "PNG")) throw EFileError(QStringLiteral("无法写入文件") + path);
}

void TPlotFrm::exportSvg() {
  QString path = Desktop().GetSaveFileName(QStringLiteral("导出SVG"), EnsureResultDir() + QStringLiteral("运动曲线.svg"),
                                           QStringLiteral("SVG 矢量图 (*.svg)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".svg");
  QWidget* page = currentPage();
  QSvgGenerator svg;
  svg.setFileName(path);
  svg.setSize(page->size());
  svg.setViewBox(QRect(QPoint(0, 0), page->size()));
  svg.setTitle(windowTitle());
  QPainter painter;
  if (!painter.begin(&svg)) throw EFileError(QStringLiteral("无法写入文件") + path);
  page->render(&painter);
  painter.end();
}

void TPlotFrm::exportData() {
  const QString csv = QStringLiteral("CSV 表格 (*.csv)"), html = QStringLiteral("HTML 网页 (*.htm)");
  QString path = Desktop().GetSaveFileName(QStringLiteral("导出数据"), EnsureResultDir() + QStringLiteral("运动数据.csv"),
                                           csv + QStringLiteral(";;") + html);
  if (path.isEmpty()) return;
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix.isEmpty()) path += QStringLiteral(".csv");
  const TableFormat format = suffix.startsWith(QStringLiteral("htm")) ? TableFormat::Html : TableFormat::Csv;
  MotionSettings s = m_settings;
  s.couplerSpeed = false;
  if (!WriteMotionTable(path, format, m_kind, m_linkage, s)) ShowMsg(QStringLiteral("输出数据失败！"));
}
