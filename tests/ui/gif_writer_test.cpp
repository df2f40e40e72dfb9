// The GIF writer of the build's picture tool, read back by Qt's own GIF reader.
#include "tools/gif_writer.h"

#include <QImage>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

QImage indexed(int w, int h, int colours) {
  QImage image(w, h, QImage::Format_Indexed8);
  QList<QRgb> table;
  for (int i = 0; i < colours; ++i) table.append(qRgb(i, 255 - i, (i * 37) % 256));
  image.setColorTable(table);
  return image;
}

// Every pixel of the decoded picture is the colour of its index.
void expectRoundTrip(const QImage& image) {
  const QImage decoded = QImage::fromData(EncodeGif(image), "GIF").convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(decoded.isNull());
  ASSERT_EQ(decoded.size(), image.size());
  int wrong = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (decoded.pixel(x, y) != (image.color(image.pixelIndex(x, y)) | 0xff000000u)) ++wrong;
  EXPECT_EQ(wrong, 0);
}

TEST(GifWriterTest, LongRunsRepeatedPatternsAndNoiseDecodeExactly) {
  // Runs grow the code table fast (codes that refer to the entry just made), noise fills it
  // with short strings: both cross the table's clearing point many times.
  QImage image = indexed(203, 157, 256);
  QRandomGenerator random(7515);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      int index = 0;
      if (y < 50) index = 0;                                  // one long run
      else if (y < 100) index = (x / 3 + y) % 7;              // repeated strings
      else index = int(random.bounded(256));                 // no repetition at all
      image.setPixel(x, y, uint(index));
    }
  expectRoundTrip(image);
}

TEST(GifWriterTest, SmallTablesAndTinyImages) {
  QImage two = indexed(1, 1, 2);
  two.setPixel(0, 0, 1);
  expectRoundTrip(two);
  QImage stripes = indexed(300, 3, 2);
  for (int x = 0; x < 300; ++x)
    for (int y = 0; y < 3; ++y) stripes.setPixel(x, y, uint((x / 5 + y) % 2));
  expectRoundTrip(stripes);
}

}  // namespace
