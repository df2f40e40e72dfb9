// The picture of a linkage with its coupler curve: frame and pivots, the links in one pose,
// E's whole path, the swing of an input that does not turn and E's velocity as an arrow.
// It is painted in millimetres through a transform, so the workbench's view, its PNG and SVG
// and the teaching page's figure are one drawing.
#pragma once

#include "link/coupler.h"

#include <QPolygonF>
#include <QRectF>
#include <QTransform>

class QPainter;

struct LinkageScene {
  CouplerLinkage linkage;
  CouplerPose pose;
  InputRange range;
  QPolygonF path;         // E's path, mm
  double arrowScale = 0;  // mm of arrow per mm/s of E's speed; 0 draws no arrow
};

// The joints a pointer can take hold of.
enum class SceneJoint { None, B, C, D, E };

// A scene of the linkage in the pose at sample `index` of its path; the arrow of E's largest
// speed is a fifth of the curve's size. False where the pose cannot be assembled.
bool MakeLinkageScene(const CouplerLinkage& k, const CouplerPath& path, int index, Extended omega,
                      LinkageScene& scene);

// The box (mm) that holds the frame, the cranks' circles and the path.
QRectF LinkageSceneBounds(const LinkageScene& scene);

// Millimetres to pixels: `bounds` centred in `size` less a margin, y upwards, aspect kept.
QTransform FitLinkageScene(const QRectF& bounds, const QSizeF& size, double margin);

// Paints the scene over what is there (the caller clears the background).
void PaintLinkageScene(QPainter& painter, const LinkageScene& scene, const QTransform& toPixel);

// The joint within `radius` pixels of the point `pixel`, E before B, C and D.
SceneJoint LinkageSceneJointAt(const LinkageScene& scene, const QTransform& toPixel, QPointF pixel,
                               double radius);
