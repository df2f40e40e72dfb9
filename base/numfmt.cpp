// Formats G and Rd, and the fixed-decimal formats of the result tables.
#include "base/numfmt.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kDigits = 15;

QString stripZeros(QString digits) {
  while (digits.size() > 1 && digits.endsWith(u'0')) digits.chop(1);
  return digits;
}

}  // namespace

QString FormatG(Extended v) {
  if (std::isnan(v)) return QStringLiteral("NAN");
  if (std::isinf(v)) return v < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
  if (v == 0) return QStringLiteral("0");

  // Round to 15 significant digits once; the exponent is that of the rounded value.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*Le", kDigits - 1, v);
  const bool negative = buf[0] == '-';
  const char* p = buf + (negative ? 1 : 0);
  QString digits;
  digits += QChar(p[0]);
  const char* q = p + 2;  // past "d."
  while (*q && *q != 'e') digits += QChar(*q++);
  const int exponent = std::atoi(q + 1);
  digits = stripZeros(digits);

  QString out;
  if (exponent >= -5 && exponent < kDigits) {
    if (exponent < 0) {
      out = QStringLiteral("0.") + QString(-exponent - 1, u'0') + digits;
    } else if (digits.size() <= exponent + 1) {
      out = digits + QString(exponent + 1 - digits.size(), u'0');
    } else {
      out = digits.left(exponent + 1) + u'.' + digits.mid(exponent + 1);
    }
  } else {
    out = digits.left(1);
    if (digits.size() > 1) out += u'.' + digits.mid(1);
    out += u'E' + QString::number(exponent);
  }
  return negative ? u'-' + out : out;
}

QString FormatR(Extended v, int d) {
  const double scale = std::pow(10.0, -d);
  const double q = std::nearbyint(static_cast<double>(v) / scale);  // ties to even
  return FormatG(static_cast<Extended>(q * scale));
}

QString FormatFixed(Extended v, int decimals) {
  // Result tables write thousands of these: scale, round in extended precision (halves to
  // even) and write the integer, instead of a far slower long double printf.
  Extended scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  const Extended q = std::rint(v * scale);  // only "inexact" may be raised, which stays silent
  if (decimals < 0 || decimals > 18 || !(std::fabs(q) < 1e18L)) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.*Lf", std::max(decimals, 0), v);
    return QString::fromLatin1(buf);
  }
  const unsigned long long n = static_cast<unsigned long long>(std::fabs(q));
  char digits[24];
  const int len = static_cast<int>(std::to_chars(digits, digits + sizeof digits, n).ptr - digits);
  const int pad = std::max(decimals + 1 - len, 0);  // leading zeros, e.g. 5 -> "0.005"
  char buf[48];
  char* out = buf;
  if (q < 0 && n != 0) *out++ = '-';  // no "-0.000"
  for (int i = 0; i < pad + len; ++i) {
    if (i == pad + len - decimals) *out++ = '.';
    *out++ = i < pad ? '0' : digits[i - pad];
  }
  return QString::fromLatin1(buf, out - buf);
}

QString FormatExp(Extended v, int decimals) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "%.*LE", decimals, v == 0 ? Extended(0) : v);  // no "-0"
  return QString::fromLatin1(buf);
}
