// Tokenizer and operator-precedence evaluator of the function-generation window.
#include "js/js.h"

#include "base/desktop.h"
#include "base/numfmt.h"

#include <cmath>

GongsiNode Tokens[kMaxTokens];
int TokenCount = 0;
bool DegreeMode = false;

namespace {

constexpr int kNumber = 1, kVariable = 2, kClose = 3;
constexpr int kPlus = 10, kMinus = 11, kTimes = 20, kDivide = 21, kPower = 30;
constexpr int kUnaryPlus = 40, kUnaryMinus = 41, kOpen = 90;
constexpr int kMaxOperators = 98;
constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

int classOf(int code) { return code / 10; }

int operatorCode(QChar c) {
  switch (c.unicode()) {
    case '(': case '[': case '{': return kOpen;
    case ')': case ']': case '}': return kClose;
    case '+': return kPlus;
    case '-': return kMinus;
    case '*': return kTimes;
    case '/': return kDivide;
    case '^': return kPower;
    default: return 0;
  }
}

int functionCode(const QString& word) {
  static const struct { const char* name; int code; } kFunctions[] = {
      {"lg", 49},  {"ln", 50},  {"exp", 51}, {"abs", 52}, {"sqr", 53}, {"sqrt", 54},
      {"sin", 60}, {"cos", 61}, {"tan", 62}, {"cot", 63}, {"arcsin", 64},
      {"arccos", 65}, {"arctan", 66}, {"arccot", 67}};
  for (const auto& f : kFunctions)
    if (word.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0) return f.code;
  return 0;
}

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

void reject(const QString& message) {
  TokenCount = 0;
  Desktop().AppMessageBox(message);
}

}  // namespace

bool TokenizeExpression(const QString& text) {
  TokenCount = 0;
  bool overflow = false;
  auto append = [&](int code, const QString& token) {
    if (TokenCount == kMaxTokens) {
      overflow = true;
      return;
    }
    Tokens[TokenCount++] = {code, token};
  };

  const int n = text.size();
  int i = 0;
  int depth = 0;
  while (i < n && !overflow) {
    const QChar c = text[i];
    if (c.unicode() == 0) {
      ++i;
    } else if (isDigit(c)) {
      const int s = i;
      while (i < n && isDigit(text[i])) ++i;
      if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && isDigit(text[i])) ++i;
      }
      append(kNumber, text.mid(s, i - s));
    } else {
      // Word scan: ends at an operator, at a function name, or at six characters.
      const int s = i;
      for (;;) {
        if (i == n) {
          if (i > s) append(kVariable, text.mid(s, i - s));
          break;
        }
        const int op = operatorCode(text[i]);
        if (op) {
          if (i > s) append(kVariable, text.mid(s, i - s));
          if (op == kOpen) ++depth;
          if (op == kClose && --depth < 0) {
            reject(QStringLiteral("表达式错误：右括号“%1”没有对应的左括号！").arg(text[i]));
            return false;
          }
          append(op, QString(text[i]));
          ++i;
          break;
        }
        ++i;
        const QString word = text.mid(s, i - s);
        const int len = i - s;
        if (len == 2 || len == 3) {
          int code = functionCode(word);
          if (code == 53 && i < n && (text[i] == u't' || text[i] == u'T')) {
            ++i;
            code = 54;
            append(code, text.mid(s, i - s));
            break;
          }
          if (code) {
            append(code, word);
            break;
          }
        } else if (len == 6) {
          const int code = functionCode(word);
          if (code >= 64) {
            append(code, word);
            break;
          }
          // A word of seven or more characters names neither a function nor one variable.
          if (i < n && !operatorCode(text[i])) {
            reject(QStringLiteral("表达式错误：“%1…”不是可识别的函数名或变量名！").arg(word));
            return false;
          }
          append(kVariable, word);
          break;
        }
      }
    }
  }
  if (overflow) {
    reject(QStringLiteral("表达式过长：最多允许%1个符号！").arg(kMaxTokens));
    return false;
  }

  // Unary signs: the first token, and a sign after an operator, function or "(".
  for (int k = 0; k < TokenCount - 1; ++k) {
    GongsiNode& t = Tokens[k];
    if (classOf(t.code) != 1) continue;
    if (k == 0 || classOf(Tokens[k - 1].code) > 0) t.code = t.code == kPlus ? kUnaryPlus : kUnaryMinus;
  }
  return true;
}

void SubstituteVariable(const QString& value) {
  for (int k = 0; k < TokenCount; ++k) {
    if (Tokens[k].code == kVariable) Tokens[k] = {kNumber, value};
  }
}

namespace {

struct Evaluator {
  int ops[kMaxOperators + 2] = {0};
  int opTop = 0;  // ops[0] is the bottom mark 0
  double vals[kMaxTokens + 1] = {0};
  int valTop = 0;
  bool ok = true;

  void fail(const QString& message) {
    ok = false;
    Desktop().AppMessageBox(message);
  }

  double toRad(double v) const { return DegreeMode ? v * kDegToRad : v; }
  double fromRad(double v) const { return DegreeMode ? v / kDegToRad : v; }

  // Applies a one-operand operator to the top of the value stack.
  void applyUnary(int code) {
    if (code == 0 || code == 1) return;
    if (valTop < 1) {
      ok = false;  // a missing operand ends the evaluation without a message
      return;
    }
    double& v = vals[valTop];
    switch (code) {
      case kUnaryPlus: break;
      case kUnaryMinus: v = -v; break;
      case 49:
      case 50:
        if (v <= 0) return fail(QStringLiteral("真数<=0， 错误!"));
        v = code == 49 ? std::log10(v) : std::log(v);
        break;
      case 51: v = std::exp(v); break;
      case 52: v = std::fabs(v); break;
      case 53: v = v * v; break;
      case 54:
        if (v < 0) return fail(QStringLiteral("被开方数 <0 错误"));
        v = std::sqrt(v);
        break;
      case 60: v = std::sin(toRad(v)); break;
      case 61: v = std::cos(toRad(v)); break;
      case 62: {
        const double r = toRad(v);
        if (std::cos(r) == 0) return fail(QStringLiteral("角度是90度的奇数倍错误"));
        v = std::sin(r) / std::cos(r);
        break;
      }
      case 63: {
        const double r = toRad(v);
        if (std::sin(r) == 0) return fail(QStringLiteral("角度是90度的偶数倍错误"));
        v = std::cos(r) / std::sin(r);
        break;
      }
      case 64:
        if (std::fabs(v) > 1) return fail(QStringLiteral("arcsin(x): |X|>1错误"));
        v = fromRad(std::asin(v));
        break;
      case 65:
        if (std::fabs(v) > 1) return fail(QStringLiteral("arccos(x): |X|>1错误"));
        v = fromRad(std::acos(v));
        break;
      case 66: v = fromRad(std::atan(v)); break;
      case 67: v = fromRad(std::atan(1.0) * 2 - std::atan(v)); break;
      default: break;
    }
  }

  void applyBinary(int code) {
    if (valTop < 2) {
      ok = false;
      return;
    }
    const double right = vals[valTop--];
    double& left = vals[valTop];
    switch (code) {
      case kPlus: left += right; break;
      case kMinus: left -= right; break;
      case kTimes: left *= right; break;
      case kDivide:
        if (right == 0) return fail(QStringLiteral("除数为0 错误!"));
        left /= right;
        break;
      case kPower:
        if (left <= 0) return fail(QStringLiteral("幂底数 <=0 错误!"));
        left = std::pow(left, right);
        break;
      default: break;
    }
  }

  void pushOp(int code) {
    if (opTop == kMaxOperators) return fail(QStringLiteral("表达式过长错误！"));
    ops[++opTop] = code;
  }

  bool run(QString& result) {
    if (TokenCount == 0) return false;
    int k = 0;
    while (ok && (k < TokenCount || ops[opTop] != 0)) {
      const int t = k < TokenCount ? Tokens[k].code : 0;
      const int e = ops[opTop];
      if (t == kNumber) {
        const QString& text = Tokens[k].text;
        if (text.isEmpty()) {
          fail(QStringLiteral("空字符串错误！"));
          break;
        }
        bool isNumber = false;
        const double v = text.toDouble(&isNumber);
        if (!isNumber) {
          fail(QStringLiteral("变量不是数字！"));
          break;
        }
        vals[++valTop] = v;
        ++k;
      } else if (classOf(e) < classOf(t)) {
        pushOp(t == kOpen ? 1 : t);
        ++k;
      } else if (classOf(e) == classOf(t) && t == kClose) {
        --opTop;
        ++k;
      } else if (e < 10 || e > 39) {
        if (t == kUnaryPlus || t == kUnaryMinus) {
          pushOp(t);
          ++k;
        } else {
          applyUnary(e);
          --opTop;
        }
      } else {
        applyBinary(e);
        --opTop;
      }
    }
    if (!ok || valTop < 1) return false;
    result = FormatG(vals[1]);
    return true;
  }
};

}  // namespace

bool EvaluateTokens(QString& result) {
  Evaluator evaluator;
  return evaluator.run(result);
}
