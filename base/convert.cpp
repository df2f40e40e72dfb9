// Text to number.
#include "base/convert.h"

#include "base/errors.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Accepts [sign] digits [. digits] [e [sign] digits] with at least one mantissa digit.
bool isFloatText(const QString& s) {
  int i = 0;
  const int n = s.size();
  if (i < n && (s[i] == u'+' || s[i] == u'-')) ++i;
  int mantissa = 0;
  while (i < n && isDigit(s[i])) ++i, ++mantissa;
  if (i < n && s[i] == u'.') {
    ++i;
    while (i < n && isDigit(s[i])) ++i, ++mantissa;
  }
  if (mantissa == 0) return false;
  if (i < n && (s[i] == u'e' || s[i] == u'E')) {
    ++i;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) ++i;
    int exp = 0;
    while (i < n && isDigit(s[i])) ++i, ++exp;
    if (exp == 0) return false;
  }
  return i == n;
}

}  // namespace

Extended StrToFloat(const QString& text) {
  const QString s = text.trimmed();
  if (isFloatText(s)) {
    const QByteArray latin = s.toLatin1();
    errno = 0;
    const Extended v = std::strtold(latin.constData(), nullptr);
    if (std::isfinite(v)) return v;
  }
  throw EConvertError(QStringLiteral("“%1”不是有效的浮点数。").arg(text));
}

int StrToInt(const QString& text) {
  const QString s = text.trimmed();
  int i = 0;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ++i;
  bool ok = i < s.size();
  for (int j = i; j < s.size(); ++j) ok = ok && isDigit(s[j]);
  if (ok) {
    const QByteArray latin = s.toLatin1();
    errno = 0;
    const long long v = std::strtoll(latin.constData(), nullptr, 10);
    if (errno == 0 && v >= INT_MIN && v <= INT_MAX) return static_cast<int>(v);
  }
  throw EConvertError(QStringLiteral("“%1”不是有效的整数。").arg(text));
}
