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

QString FormatGrouped(double v, int decimals) {
  if (!std::isfinite(v)) return FormatG(v);
  // A double times 10^3 is exact in the 64-bit mantissa of long double, so halves are seen
  // exactly and rounded away from zero, as a display mask does.
  const long double scaled = std::fabs(static_cast<long double>(v)) * std::pow(10.0L, decimals);
  char buf[5000];
  std::snprintf(buf, sizeof buf, "%.0Lf", std::roundl(scaled));
  QString digits = QString::fromLatin1(buf);
  if (digits.size() <= decimals) digits = QString(decimals + 1 - digits.size(), u'0') + digits;
  QString text = digits.left(digits.size() - decimals);
  for (qsizetype i = text.size() - 3; i > 0; i -= 3) text.insert(i, u',');
  if (decimals > 0) text += u'.' + digits.right(decimals);
  const bool zero = std::all_of(digits.cbegin(), digits.cend(), [](QChar c) { return c == u'0'; });
  return v < 0 && !zero ? u'-' + text : text;
}
