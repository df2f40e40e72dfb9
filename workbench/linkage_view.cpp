// The workbench's view of the linkage: fitting, zoom, pan and the dragging of joints.
#include "workbench/linkage_view.h"

#include "base/desktop.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kMargin = 24;     // pixels around the fitted scene
constexpr double kGrabRadius = 9;  // how near a joint the pointer must be to take it
constexpr double kWheelStep = 1.15;
// Zoom limits against the fit: far enough to see a joint's detail or the whole curve small,
// near enough that no coordinate leaves what a painter can draw.
constexpr double kZoomMin = 0.05, kZoomMax = 200;

}  // namespace

LinkageView::LinkageView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("LinkageView"));
  setMinimumSize(320, 240);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setMouseTracking(true);
  setFocusPolicy(Qt::WheelFocus);
}

void LinkageView::setScene(const LinkageScene& scene, bool refit) {
  m_scene = scene;
  if (refit || !m_hasScene) {
    m_bounds = LinkageSceneBounds(scene);
    m_user.reset();
  }
  m_hasScene = true;
  update();
}

QTransform LinkageView::transform(QSizeF size) const {
  return FitLinkageScene(m_bounds, size, kMargin) * m_user;
}

void LinkageView::paintScene(QPainter& painter, QSize size) const {
  painter.fillRect(QRect(QPoint(), size), Qt::white);
  if (m_hasScene) PaintLinkageScene(painter, m_scene, transform(size));
}

QImage LinkageView::renderImage(QSize size) const {
  QImage image(size, QImage::Format_RGB32);
  QPainter painter(&image);
  paintScene(painter, size);
  return image;
}

void LinkageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Guarded([&] { paintScene(painter, size()); });
}

void LinkageView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_hasScene) return;
  m_last = event->position();
  m_dragged = LinkageSceneJointAt(m_scene, transform(), m_last, kGrabRadius);
  m_panning = m_dragged == SceneJoint::None;
  if (m_panning) setCursor(Qt::ClosedHandCursor);
}

void LinkageView::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  if (m_dragged != SceneJoint::None) {
    bool invertible = false;
    const QPointF mm = transform().inverted(&invertible).map(at);
    if (invertible) emit jointDragged(m_dragged, mm);
  } else if (m_panning) {
    m_user *= QTransform::fromTranslate(at.x() - m_last.x(), at.y() - m_last.y());
    update();
  } else if (m_hasScene) {
    const bool over = LinkageSceneJointAt(m_scene, transform(), at, kGrabRadius) != SceneJoint::None;
    setCursor(over ? Qt::PointingHandCursor : Qt::OpenHandCursor);
  }
  m_last = at;
}

void LinkageView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const bool wasDragging = m_dragged != SceneJoint::None;
  m_dragged = SceneJoint::None;
  m_panning = false;
  unsetCursor();
  if (wasDragging) emit dragFinished();
}

void LinkageView::wheelEvent(QWheelEvent* event) {
  const double steps = event->angleDelta().y() / 120.0;
  if (steps == 0) return;
  const double zoom = m_user.m11();
  const double factor = std::clamp(zoom * std::pow(kWheelStep, steps), kZoomMin, kZoomMax) / zoom;
  const QPointF p = event->position();
  // Zoom about the pointer: the point under it stays under it.
  m_user *= QTransform::fromTranslate(-p.x(), -p.y()) * QTransform::fromScale(factor, factor) *
            QTransform::fromTranslate(p.x(), p.y());
  update();
  event->accept();
}
