// The figures of the teaching page on coupler curves (PNG, under web/images/jc/), drawn by the
// workbench's own scene painter from the program's coupler-point kinematics.
#include "tools/pictures/kit.h"

#include "link/linkage_scene.h"

#include <cmath>

namespace pictures {
namespace {

// The linkage at sample `index` of its path with E's whole curve, fitted to the picture.
QImage couplerFigure(const CouplerLinkage& k, int index, QSize size) {
  QImage image = canvas(size.width(), size.height());
  CouplerPath path;
  LinkageScene scene;
  if (!TraceCouplerPath(k, 1, 720, path) || !MakeLinkageScene(k, path, index, 1, scene)) return image;
  QPainter p(&image);
  PaintLinkageScene(p, scene, FitLinkageScene(LinkageSceneBounds(scene), QSizeF(size), 18));
  return image;
}

}  // namespace

void AddCouplerPictures(const QString& root, PictureList& list) {
  const QString jc = root + QStringLiteral("web/images/jc/");
  constexpr Extended kDeg = kPi / 180;
  // The workbench's opening linkage: a crank-rocker.
  const CouplerLinkage crankRocker{Linkage::FourBar(LinkageKind::FourBarByKind, 40, 120, 80, 100), 60, 30 * kDeg, false};
  // Watt's linkage: equal rockers, E the coupler's midpoint, the frame across the middle position.
  const Extended r = 100, b = 60, d = std::hypot(2 * r, b);
  const CouplerLinkage watt{Linkage::FourBar(LinkageKind::FourBarByKind, r, b, r, d), b / 2, 0, false};
  list.insert(list.end(), {
      {jc + QStringLiteral("lgqx.png"), couplerFigure(crankRocker, 100, QSize(460, 320))},
      {jc + QStringLiteral("lgqx_watt.png"), couplerFigure(watt, 240, QSize(460, 320))},
  });
}

}  // namespace pictures
