#include "widgets/fonts.h"

#include <QFont>

QFont SongTi(int pixelSize) {
  QFont font(QStringLiteral("SimSun"));
  font.setPixelSize(pixelSize);
  return font;
}
