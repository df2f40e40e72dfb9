// Pixel probes for the pictures of the link layer.
#pragma once

#include "link/figures.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <functional>

// The application maps 宋体 to installed CJK faces at start-up; the link tests run without it.
inline void RegisterFigureFonts() {
  QFont::insertSubstitutions(QStringLiteral("SimSun"),
                             {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
}

// The palette colour nearest to the pixel; anti-aliased text counts for the colour it leans to.
inline QColor NearestPaletteColour(QRgb p) {
  static const QColor palette[] = {Qt::white, Qt::black, kRed, kBlue, kGreen, kMaroon};
  QColor best;
  int bestDistance = INT_MAX;
  for (const QColor& c : palette) {
    const int dr = qRed(p) - c.red(), dg = qGreen(p) - c.green(), db = qBlue(p) - c.blue();
    const int d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) bestDistance = d, best = c;
  }
  return best;
}

inline bool Is(const QImage& image, int x, int y, const QColor& colour) {
  return image.pixel(x, y) == colour.rgb();
}

inline int CountIn(const QImage& image, QRect area, const std::function<bool(QRgb)>& test) {
  int n = 0;
  area &= image.rect();
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) n += test(image.pixel(x, y)) ? 1 : 0;
  return n;
}

inline int CountLike(const QImage& image, QRect area, const QColor& colour) {
  return CountIn(image, area, [&](QRgb p) { return NearestPaletteColour(p) == colour; });
}

inline int CountExact(const QImage& image, QRect area, const QColor& colour) {
  return CountIn(image, area, [&](QRgb p) { return p == colour.rgb(); });
}
