// Tokenizer and evaluator of typed functions.
#include "base/numfmt.h"
#include "js/js.h"
#include "support/scripted_desktop.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

struct Outcome {
  bool ok;
  QString result;
  QStringList boxes;
};

// Tokenize, substitute x, evaluate in degrees as the function-generation window does.
Outcome evaluate(const QString& text, const QString& x = "0", bool degrees = true) {
  ScriptedDesktop desktop;
  DegreeMode = degrees;
  Outcome out{false, QStringLiteral("unchanged"), {}};
  if (TokenizeExpression(text)) {
    SubstituteVariable(x);
    out.ok = EvaluateTokens(out.result);
  }
  out.boxes = desktop.boxes;
  return out;
}

struct Case {
  const char* text;
  const char* x;
  const char* result;  // nullptr: no result
  const char* box;     // expected message, nullptr: none
  friend void PrintTo(const Case& c, std::ostream* os) { *os << c.text; }
};

class EvaluatorTest : public ::testing::TestWithParam<Case> {};

TEST_P(EvaluatorTest, GivesTheResultOrTheMessage) {
  const Case& c = GetParam();
  const Outcome out = evaluate(QString::fromUtf8(c.text), c.x);
  if (c.result) {
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(out.result.toStdString(), c.result);
  } else {
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.result, "unchanged");
  }
  if (c.box) {
    ASSERT_EQ(out.boxes.size(), 1);
    EXPECT_EQ(out.boxes[0].toStdString(), c.box);
  } else {
    EXPECT_TRUE(out.boxes.isEmpty()) << out.boxes.join("|").toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Expressions, EvaluatorTest,
    ::testing::Values(
        Case{"2*x", "30", "60", nullptr}, Case{"sin(x)", "30", "0.5", nullptr},
        Case{"-2^2", "0", nullptr, "幂底数 <=0 错误!"}, Case{"x^2", "-1", nullptr, "幂底数 <=0 错误!"},
        Case{"sqr(x)", "-1", "1", nullptr}, Case{"cot(0)", "0", nullptr, "角度是90度的偶数倍错误"},
        Case{"2x", "5", "2", nullptr}, Case{"2 + x", "7", "2", nullptr},
        Case{"SIN(X)", "30", "0.5", nullptr}, Case{"Sqrt(4)", "0", "2", nullptr},
        Case{"(2+3", "0", "5", nullptr}, Case{"-lg(x)", "10", nullptr, nullptr},
        Case{"-ln(x)", "1", "0", nullptr}, Case{"2*-x", "3", "-6", nullptr},
        Case{"2^3^2", "0", "64", nullptr}, Case{"10-4-3", "0", "3", nullptr},
        Case{"8/4/2", "0", "1", nullptr}, Case{"1+2*3^2", "0", "19", nullptr},
        Case{"[x+1]*{2}", "2", "6", nullptr}, Case{"x/0", "1", nullptr, "除数为0 错误!"},
        Case{"lg(0)", "0", nullptr, "真数<=0， 错误!"}, Case{"sqrt(x)", "-4", nullptr, "被开方数 <0 错误"},
        Case{"arcsin(x)", "2", nullptr, "arcsin(x): |X|>1错误"},
        Case{"arccos(x)", "-1.5", nullptr, "arccos(x): |X|>1错误"},
        Case{"arcsin(x)", "0.5", "30", nullptr}, Case{"arccot(x)", "1", "45", nullptr},
        Case{"abs(x)+exp(0)", "-3", "4", nullptr}, Case{"x+", "1", nullptr, nullptr},
        Case{"()", "1", nullptr, nullptr},
        // a ")" without its "(" would pop the stack's bottom mark
        Case{"x)+1", "1", nullptr, "表达式错误：右括号“)”没有对应的左括号！"},
        // seven letters name no function and no single variable
        Case{"abcdefg+1", "1", nullptr, "表达式错误：“abcdef…”不是可识别的函数名或变量名！"},
        Case{"abcdef+1", "1", "2", nullptr}));

}  // namespace

TEST(EvaluatorTest, TokensOfTheWorkedExample) {
  ScriptedDesktop desktop;
  ASSERT_TRUE(TokenizeExpression("2*x"));
  ASSERT_EQ(TokenCount, 3);
  EXPECT_EQ(Tokens[0].code, 1);
  EXPECT_EQ(Tokens[1].code, 20);
  EXPECT_EQ(Tokens[2].code, 2);
  EXPECT_EQ(Tokens[2].text, "x");
  ASSERT_TRUE(TokenizeExpression("sqrtx"));
  EXPECT_EQ(Tokens[0].code, 54);
}

TEST(EvaluatorTest, TanOfNinetyDegreesIsLargeNotAnError) {
  const Outcome out = evaluate("tan(90)");
  ASSERT_TRUE(out.ok);
  EXPECT_GT(std::fabs(out.result.toDouble()), 1e15);
}

TEST(EvaluatorTest, AgreesWithTheSameFormulaInCpp) {
  for (double x = -3; x <= 3; x += 0.37) {
    const Outcome out = evaluate("3*x^2*sin(x)/(x+1)", FormatG(x), false);
    if (x <= 0) {  // a base that is not positive
      EXPECT_FALSE(out.ok);
      continue;
    }
    ASSERT_TRUE(out.ok) << x;
    EXPECT_NEAR(out.result.toDouble(), 3 * std::pow(x, 2) * std::sin(x) / (x + 1), 1e-12) << x;
  }
  const Outcome deg = evaluate("sin(x)+cos(x)/2", "60");
  EXPECT_NEAR(deg.result.toDouble(), std::sin(M_PI / 3) + std::cos(M_PI / 3) / 2, 1e-13);
}

TEST(EvaluatorTest, OverlongExpressionsAreRejected) {
  QString text = "x";
  for (int i = 0; i < 60; ++i) text += "+x";
  const Outcome out = evaluate(text, "1");
  EXPECT_FALSE(out.ok);
  ASSERT_EQ(out.boxes.size(), 1);
  EXPECT_EQ(out.boxes[0], "表达式过长：最多允许100个符号！");
  EXPECT_EQ(TokenCount, 0);

  QString fits = "x";
  for (int i = 0; i < 49; ++i) fits += "+x";  // 99 tokens
  EXPECT_EQ(evaluate(fits, "1").result, "50");

  QString deep;  // 98 operators fit the stack; more are refused, never written past it
  for (int i = 0; i < 99; ++i) deep += "(";
  deep += "1";
  EXPECT_FALSE(evaluate(deep).ok);
}

TEST(EvaluatorTest, RandomTextNeverCrashes) {
  ScriptedDesktop desktop;
  std::mt19937 rng(3);
  const QString alphabet = "0123456789.+-*/^()[]{} xXsincotalgqrpbe";
  for (int trial = 0; trial < 4000; ++trial) {
    QString text;
    const int len = static_cast<int>(rng() % 60);
    for (int i = 0; i < len; ++i) text += alphabet[static_cast<int>(rng() % alphabet.size())];
    DegreeMode = trial % 2;
    QString result;
    if (TokenizeExpression(text)) {
      ASSERT_LE(TokenCount, kMaxTokens);
      SubstituteVariable(trial % 3 ? "1.5" : "-2");
      EvaluateTokens(result);
    }
  }
}
