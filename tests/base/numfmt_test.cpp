// Formats G and Rd.
#include "base/numfmt.h"

#include <gtest/gtest.h>

struct FormatCase {
  Extended value;
  const char* text;
  friend void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.text; }
};

class FormatGTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatGTest, WritesShortestFifteenDigitText) {
  EXPECT_EQ(FormatG(GetParam().value).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatGTest,
    ::testing::Values(FormatCase{0, "0"}, FormatCase{1, "1"}, FormatCase{-2.5L, "-2.5"},
                      FormatCase{100, "100"}, FormatCase{0.1L, "0.1"},
                      FormatCase{1.0L / 3, "0.333333333333333"},
                      FormatCase{2.0L / 3, "0.666666666666667"},
                      FormatCase{1e-5L, "0.00001"}, FormatCase{1.5e-5L, "0.000015"},
                      FormatCase{1e-7L, "1E-7"}, FormatCase{-1.25e-6L, "-1.25E-6"},
                      FormatCase{999999999999999.0L, "999999999999999"},
                      FormatCase{1e15L, "1E15"}, FormatCase{1.5e20L, "1.5E20"},
                      // rounding to 15 digits carries into a new leading digit
                      FormatCase{9.9999999999999999L, "10"},
                      FormatCase{123456.789012345678L, "123456.789012346"},
                      FormatCase{60, "60"}, FormatCase{0.5L, "0.5"}));

TEST(FormatRTest, RoundsInDoubleWithHalvesToEven) {
  EXPECT_EQ(FormatR(2.5L, 3), "2.5");
  EXPECT_EQ(FormatR(100, 3), "100");
  EXPECT_EQ(FormatR(1.23456789L, 5), "1.23457");
  EXPECT_EQ(FormatR(1.23456789L, 4), "1.2346");
  EXPECT_EQ(FormatR(-29.64999L, 3), "-29.65");
  EXPECT_EQ(FormatR(0.0005L, 3), "0");      // 0.5 rounds to the even 0
  EXPECT_EQ(FormatR(0.0015L, 3), "0.002");  // 1.5 rounds to the even 2
  EXPECT_EQ(FormatR(1e-9L, 5), "0");
  EXPECT_EQ(FormatR(131.8867924528L, 5), "131.88679");
}

TEST(FormatFixedTest, FixedDecimalsWithoutANegativeZero) {
  EXPECT_EQ(FormatFixed(-12.5L, 3), "-12.500");
  EXPECT_EQ(FormatFixed(51.31781L, 3), "51.318");
  EXPECT_EQ(FormatFixed(0, 3), "0.000");
  EXPECT_EQ(FormatFixed(-0.0004L, 3), "0.000");
  EXPECT_EQ(FormatFixed(-0.0L, 3), "0.000");
  EXPECT_EQ(FormatFixed(-0.0006L, 3), "-0.001");
  EXPECT_EQ(FormatFixed(1234567.8L, 3), "1234567.800");
}

TEST(FormatExpTest, ThreeDecimalsAndASignedTwoDigitExponent) {
  EXPECT_EQ(FormatExp(-12.5L, 3), "-1.250E+01");
  EXPECT_EQ(FormatExp(0, 3), "0.000E+00");
  EXPECT_EQ(FormatExp(-0.0L, 3), "0.000E+00");
  EXPECT_EQ(FormatExp(0.00077621L, 3), "7.762E-04");
  EXPECT_EQ(FormatExp(9.9996L, 3), "1.000E+01");
  EXPECT_EQ(FormatExp(1.5e123L, 3), "1.500E+123");
}

TEST(FormatFixedTest, OtherDecimalCounts) {
  EXPECT_EQ(FormatFixed(0.05L, 3), "0.050");
  EXPECT_EQ(FormatFixed(7, 0), "7");
  EXPECT_EQ(FormatFixed(-2.5L, 0), "-2");  // halves to even
  EXPECT_EQ(FormatFixed(1.4L, 1), "1.4");
  EXPECT_EQ(FormatFixed(123.456789L, 5), "123.45679");
  EXPECT_EQ(FormatFixed(1e20L, 3), "100000000000000000000.000");
}
