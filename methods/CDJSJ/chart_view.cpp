#include "methods/CDJSJ/chart_view.h"

#include "base/desktop.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

const QString kDragHint = QStringLiteral("拖动鼠标可查看全部图像");

// One drag for all the views: only one of them is visible at a time.
struct DragState {
  int x0 = 0, y0 = 0, left0 = 0, top0 = 0;
  int xMin = 0, xMax = 0, yMin = 0, yMax = 0;
} drag;

// Every division of the viewer truncates toward zero, as integer division in C++ does.
int truncated(double v) { return static_cast<int>(v); }

void centre(ChartView& view, int w, int h) {
  const QSize panel = view.size();
  view.picture()->setGeometry(truncated((panel.width() - w) / 2.0), truncated((panel.height() - h) / 2.0), w, h);
}

void dragHint(ChartView& view, bool on) {
  view.overlay()->setCursor(on ? Qt::OpenHandCursor : Qt::ArrowCursor);
  view.overlay()->setToolTip(on ? kDragHint : QString());
}

void zoom(ChartView& view, double factor) {
  ChartPicture* box = view.picture();
  box->stretch = true;
  box->autoSize = false;
  const int w = truncated(box->width() * factor), h = truncated(box->height() * factor);
  centre(view, w, h);
  dragHint(view, w > view.width() || h > view.height());
  emit view.boxChanged();
}

}  // namespace

// --- The picture ---

bool ChartPicture::LoadFile(const QString& path) {
  if (!QFileInfo::exists(path)) return false;
  QImage image(path);
  if (image.isNull()) return false;
  m_image = image;
  update();
  return true;
}

void ChartPicture::paintEvent(QPaintEvent*) {
  if (m_image.isNull()) return;
  QPainter p(this);
  if (stretch) {
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), m_image);
  } else {
    p.drawImage(QPoint(0, 0), m_image);  // cut at the box's edges
  }
}

// --- The view ---

ChartView::ChartView(const Names& names, QSize panelSize, QRect box, QWidget* parent) : QWidget(parent) {
  setObjectName(names.panel);
  setFixedSize(panelSize);
  m_picture = new ChartPicture(this);
  m_picture->setObjectName(names.picture);
  m_picture->setGeometry(box);
  m_overlay = new QLabel(this);
  m_overlay->setObjectName(names.overlay);
  m_overlay->setGeometry(rect());
  m_overlay->setAttribute(Qt::WA_TranslucentBackground);
  m_overlay->raise();
  m_overlay->installEventFilter(this);
  m_menu = new QMenu(this);
  m_menu->setObjectName(names.menu);
  zoomInAction = m_menu->addAction(QStringLiteral("放大"));
  zoomInAction->setObjectName(names.zoomIn);
  zoomOutAction = m_menu->addAction(QStringLiteral("缩小"));
  zoomOutAction->setObjectName(names.zoomOut);
  m_menu->addSeparator();
  restoreAction = m_menu->addAction(QStringLiteral("还原"));
  restoreAction->setObjectName(names.restore);
  connect(zoomInAction, &QAction::triggered, this, [this] { Guarded([this] { ZoomChartIn(*this); }); });
  connect(zoomOutAction, &QAction::triggered, this, [this] { Guarded([this] { ZoomChartOut(*this); }); });
  connect(restoreAction, &QAction::triggered, this, [this] { Guarded([this] { RestoreChart(*this); }); });
}

void ChartView::menuOnPicture() { m_picture->installEventFilter(this); }

bool ChartView::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ContextMenu:
      m_menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
      return true;
    case QEvent::MouseButtonPress:
      if (watched == m_overlay) {
        const auto* e = static_cast<QMouseEvent*>(event);
        const QPoint at = e->position().toPoint();
        BeginChartDrag(*this, e->button(), at.x(), at.y());
        if (e->button() == Qt::LeftButton && !m_overlay->toolTip().isEmpty())
          m_overlay->setCursor(Qt::ClosedHandCursor);
      }
      break;
    case QEvent::MouseMove:
      if (watched == m_overlay) {
        const auto* e = static_cast<QMouseEvent*>(event);
        const QPoint at = e->position().toPoint();
        DragChart(*this, e->buttons(), at.x(), at.y());
      }
      break;
    case QEvent::MouseButtonRelease:
      if (watched == m_overlay && !m_overlay->toolTip().isEmpty()) m_overlay->setCursor(Qt::OpenHandCursor);
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

// --- Commands ---

void ZoomChartIn(ChartView& view) { zoom(view, 1.2); }

void ZoomChartOut(ChartView& view) { zoom(view, 1 / 1.2); }

void RestoreChart(ChartView& view) {
  ChartPicture* box = view.picture();
  box->stretch = false;
  box->autoSize = true;
  box->resize(box->image().size());
  FitChart(view);
  dragHint(view, false);
  emit view.boxChanged();
}

void FitChart(ChartView& view) {
  ChartPicture* box = view.picture();
  const int pw = box->image().width(), ph = box->image().height();
  const int PW = view.width(), PH = view.height();
  int w = box->width(), h = box->height();
  const auto fitWidth = [&] {
    box->autoSize = false;
    h = truncated(double(ph) * PW / pw);
    w = PW;
  };
  const auto fitHeight = [&] {
    box->autoSize = false;
    w = truncated(double(pw) * PH / ph);
    h = PH;
  };
  if (pw > PW && ph > PH) {
    if (double(pw) / PW > double(ph) / PH)
      fitWidth();
    else
      fitHeight();
    box->stretch = true;
  } else if (pw > PW && ph < PH) {
    fitWidth();
    box->stretch = true;
  } else if (pw < PW && ph > PH) {
    fitHeight();
    box->stretch = true;
  }
  centre(view, w, h);
}

void BeginChartDrag(ChartView& view, Qt::MouseButton button, int x, int y) {
  if (button != Qt::LeftButton) return;
  const QRect box = view.picture()->geometry();
  drag.x0 = x;
  drag.y0 = y;
  drag.left0 = box.left();
  drag.top0 = box.top();
  drag.xMin = x - (box.width() - view.width() + box.left());
  drag.xMax = x - box.left();
  drag.yMin = y - (box.height() - view.height() + box.top());
  drag.yMax = y - box.top();
}

void DragChart(ChartView& view, Qt::MouseButtons buttons, int x, int y) {
  if (!(buttons & Qt::LeftButton)) return;
  x = std::clamp(x, std::min(drag.xMin, drag.xMax), std::max(drag.xMin, drag.xMax));
  y = std::clamp(y, std::min(drag.yMin, drag.yMax), std::max(drag.yMin, drag.yMax));
  ChartPicture* box = view.picture();
  QPoint at = box->pos();
  if (box->width() > view.width()) at.setX(x - drag.x0 + drag.left0);
  if (box->height() > view.height()) at.setY(y - drag.y0 + drag.top0);
  box->move(at);
  emit view.boxChanged();
}
