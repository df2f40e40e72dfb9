#include "tools/gif_writer.h"

#include <array>

namespace {

void put16(QByteArray& out, int v) {
  out.append(char(v & 0xff));
  out.append(char((v >> 8) & 0xff));
}

// LZW codes packed least significant bit first.
class CodeWriter {
public:
  void put(int code, int width) {
    bits_ |= quint32(code) << count_;
    count_ += width;
    while (count_ >= 8) {
      data_.append(char(bits_ & 0xff));
      bits_ >>= 8;
      count_ -= 8;
    }
  }
  QByteArray finish() {
    if (count_ > 0) data_.append(char(bits_ & 0xff));
    return data_;
  }

private:
  QByteArray data_;
  quint32 bits_ = 0;
  int count_ = 0;
};

constexpr int kClear = 256, kEnd = 257, kFirstFree = 258, kWidth = 9;
// The table is cleared before the decoder's next free code would reach 511: a decoder widens
// its codes to 10 bits at 512 (some already at 511), so every code stays 9 bits wide.
constexpr int kLastFree = 510;

QByteArray lzw(const QImage& image) {
  // table[prefix][pixel] is the code of prefix followed by pixel, 0 when absent.
  std::vector<std::array<quint16, 256>> table(512);
  auto reset = [&] {
    for (auto& row : table) row.fill(0);
  };
  CodeWriter out;
  out.put(kClear, kWidth);
  reset();
  int next = kFirstFree;
  int prefix = -1;
  for (int y = 0; y < image.height(); ++y) {
    const uchar* row = image.constScanLine(y);
    for (int x = 0; x < image.width(); ++x) {
      const int pixel = row[x];
      if (prefix < 0) {
        prefix = pixel;
        continue;
      }
      if (const int code = table[prefix][pixel]) {
        prefix = code;
        continue;
      }
      out.put(prefix, kWidth);
      table[prefix][pixel] = quint16(next++);
      prefix = pixel;
      if (next > kLastFree) {
        out.put(kClear, kWidth);
        reset();
        next = kFirstFree;
      }
    }
  }
  if (prefix >= 0) out.put(prefix, kWidth);
  out.put(kEnd, kWidth);
  return out.finish();
}

}  // namespace

QByteArray EncodeGif(const QImage& image) {
  Q_ASSERT(image.format() == QImage::Format_Indexed8 && image.colorCount() <= 256);
  QByteArray out("GIF89a");
  put16(out, image.width());
  put16(out, image.height());
  out.append(char(0xF7));  // global colour table, 8 bits per primary, 2^(7+1) entries
  out.append(char(0));     // background colour index
  out.append(char(0));     // square pixels
  const QList<QRgb> colours = image.colorTable();
  for (int i = 0; i < 256; ++i) {
    const QRgb c = i < colours.size() ? colours[i] : qRgb(0, 0, 0);
    out.append(char(qRed(c)));
    out.append(char(qGreen(c)));
    out.append(char(qBlue(c)));
  }
  out.append(',');  // image descriptor: the whole screen, no local table, not interlaced
  put16(out, 0);
  put16(out, 0);
  put16(out, image.width());
  put16(out, image.height());
  out.append(char(0));
  out.append(char(8));  // minimum code size
  const QByteArray data = lzw(image);
  for (qsizetype i = 0; i < data.size(); i += 255) {
    const QByteArray block = data.mid(i, 255);
    out.append(char(block.size()));
    out.append(block);
  }
  out.append(char(0));  // block terminator
  out.append(';');      // trailer
  return out;
}
