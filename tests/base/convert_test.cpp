// Text to number and the floating-point fault check.
#include "base/convert.h"
#include "base/errors.h"
#include "base/fpu.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(ConvertTest, AcceptsSignedDecimalsWithExponent) {
  EXPECT_EQ(StrToFloat(" 5 "), 5);
  EXPECT_EQ(StrToFloat("+5"), 5);
  EXPECT_EQ(StrToFloat("-5"), -5);
  EXPECT_EQ(StrToFloat("1e3"), 1000);
  EXPECT_EQ(StrToFloat("2.5E-1"), 0.25L);
  EXPECT_EQ(StrToFloat(".5"), 0.5L);
  EXPECT_EQ(StrToFloat("5."), 5);
  EXPECT_EQ(StrToInt(" 42 "), 42);
  EXPECT_EQ(StrToInt("-7"), -7);
  EXPECT_EQ(StrToInt("+7"), 7);
}

TEST(ConvertTest, RejectsEverythingElseNamingTheText) {
  for (const char* bad : {"", " ", "1.2.3", "abc", "5,", "1,5", "1e", "e3", "--5", "5 5", ".",
                          "1e99999", "0x10", "inf", "nan"}) {
    try {
      StrToFloat(bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const EConvertError& e) {
      EXPECT_TRUE(e.message().contains(QString::fromUtf8(bad))) << bad;
    }
  }
  for (const char* bad : {"", "1.0", "1e3", "abc", "5,", "99999999999"})
    EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
}

TEST(FpuTest, NamesTheFaultAndIgnoresUnderflow) {
  volatile Extended zero = 0, one = 1, big = 1e4000L, tiny = 1e-4000L;
  FpuClear();
  volatile Extended r = one / zero;
  (void)r;
  try {
    FpuCheck();
    ADD_FAILURE();
  } catch (const EFloatError& e) {
    EXPECT_EQ(e.kind(), EFloatError::Kind::ZeroDivide);
  }
  FpuClear();
  r = std::sqrt(-one);
  EXPECT_THROW(FpuCheck(), EFloatError);
  FpuClear();
  r = big * big;
  try {
    FpuCheck();
    ADD_FAILURE();
  } catch (const EFloatError& e) {
    EXPECT_EQ(e.kind(), EFloatError::Kind::Overflow);
  }
  FpuClear();
  r = tiny * tiny;  // underflow and inexact stay silent
  EXPECT_NO_THROW(FpuCheck());
  r = one / zero;
  EXPECT_THROW(FpuCheck(), EFloatError);
  EXPECT_NO_THROW(FpuCheck());  // the check clears the flags
}
