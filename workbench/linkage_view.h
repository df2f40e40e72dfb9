// The large view of the linkage workbench: the scene fitted to the widget with its aspect
// kept, zoomed by the wheel about the pointer, panned by dragging empty space; dragging a
// joint reports where the pointer takes it, in millimetres.
#pragma once

#include "link/linkage_scene.h"

#include <QWidget>

class LinkageView : public QWidget {
  Q_OBJECT

public:
  explicit LinkageView(QWidget* parent = nullptr);

  // With `refit` the view fits the new scene's bounds and forgets zoom and pan; without it
  // (while a joint is dragged) the scale stays, so the linkage does not run from the pointer.
  void setScene(const LinkageScene& scene, bool refit);
  bool hasScene() const { return m_hasScene; }
  const LinkageScene& scene() const { return m_scene; }
  // Millimetres to pixels of a picture of `size`: the fit, then the user's zoom and pan.
  QTransform transform(QSizeF size) const;
  QTransform transform() const { return transform(size()); }
  // The scene on a white ground, as the view shows it at `size`.
  void paintScene(QPainter& painter, QSize size) const;
  QImage renderImage(QSize size) const;
  SceneJoint dragged() const { return m_dragged; }

signals:
  void jointDragged(SceneJoint joint, QPointF mm);
  void dragFinished();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

private:
  LinkageScene m_scene;
  bool m_hasScene = false;
  QRectF m_bounds;
  QTransform m_user;  // zoom and pan, in pixels, after the fit
  SceneJoint m_dragged = SceneJoint::None;
  bool m_panning = false;
  QPointF m_last;
};
