// Drawing primitives and the five mechanism figures of the analysis panels. A figure paints a
// whole picture at one input angle and advances the angle, so the animation timer only has to
// call it once per tick.
#pragma once

#include "base/types.h"

#include <QColor>
#include <QPointF>
#include <vector>

class QFont;
class QImage;
class QPainter;
class QPoint;
class QString;

// The colours of links, labels and curves.
inline const QColor kRed{255, 0, 0};
inline const QColor kBlue{0, 0, 255};
inline const QColor kGreen{0, 128, 0};
inline const QColor kMaroon{128, 0, 0};

// Direction of the double rocker's swing, shared by every double-rocker animation of the run:
// false while the input link moves towards larger angles. It is also the assembly branch the
// double rocker is drawn in, so the linkage changes branch where the swing reverses.
extern bool SwingBack;

// A pixel coordinate: x rounded to the nearest integer, halves to even. A coordinate that is
// not finite or does not fit a pixel raises EFloatError instead of painting garbage.
int PixelRound(Extended x);

// The label font of figures and plots: 宋体, 12 pixels.
QFont FigureFont();

// Writes text with its top-left corner at (x, y) in the given colour; the pen is kept.
void TextOut(QPainter& canvas, int x, int y, const QString& text, const QColor& colour);

// A line from p to q with an arrow head at q (no head when p equals q).
void DrawArrow(QPainter& canvas, QPoint p, QPoint q);
// The x axis as an arrow of xLen pixels from o, the y axis as an arrow of yLen pixels up
// from s, labelled "X" and "Y" in the pen colour.
void DrawAxes(QPainter& canvas, QPoint o, QPoint s, int xLen, int yLen);
// A 30 × 16 slider block centred on p, its long side along dir (radians, counter-clockwise).
void DrawSlider(QPainter& canvas, QPoint p, Extended dir);
// The symbol of a pivot fixed to the frame at p; dir points from the pivot to the ground.
void DrawGroundPivot(QPainter& canvas, QPoint p, Extended dir);

// The coupler point of a four-bar figure: E at lenBE (mm) from B and at delta (rad) against
// BC, joined to B and C as the coupler triangle, and E's path (mm, A at the origin) as a thin
// curve under the links. lenBE 0 draws neither.
struct CouplerOverlay {
  Extended lenBE = 0, delta = 0;
  std::vector<QPointF> path;
};

// The figures paint the whole image (lengths in mm, phi in radians) and advance phi by 2°:
// the turning figures wrap to exactly 0 at 360°, the double rocker swings between the limits
// of its input link.
void DrawCrankRockerFrame(QImage& image, Extended& phi, Extended AB, Extended BC, Extended CD,
                          Extended AD,
                          const CouplerOverlay* coupler = nullptr);
void DrawParallelogramFrame(QImage& image, Extended& phi, Extended AB, Extended BC, Extended CD,
                            Extended AD,
                          const CouplerOverlay* coupler = nullptr);
void DrawDoubleRockerFrame(QImage& image, Extended& phi, Extended AB, Extended BC, Extended CD,
                           Extended AD,
                          const CouplerOverlay* coupler = nullptr);
void DrawCrankSliderFrame(QImage& image, Extended& phi, Extended r, Extended l, Extended e);
// Where the crank-slider figure of a width × height picture puts A, B and C at phi; returns its
// scale in pixels per mm.
Extended CrankSliderFigureJoints(int width, int height, Extended phi, Extended r, Extended l, Extended e,
                                 QPoint& A, QPoint& B, QPoint& C);
void DrawGuideBarFrame(QImage& image, Extended& phi, Extended r, Extended d);
