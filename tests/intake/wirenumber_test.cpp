// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "intake/singleprecision.h"
#include "intake/wirenumber.h"
#include "platform/system/error.h"

namespace kurvex {
namespace {

TEST(WireNumberTest, ReadsTheInstrumentFormat) {
  for (const auto& [text, value] : std::vector<std::pair<std::string, double>>{
           {"12.5", 12.5}, {"-0.003", -0.003}, {"1.2E3", 1200}, {"+7", 7}, {".5", 0.5},
           {"5.", 5}, {"2e-3", 0.002}, {"0", 0}}) {
    const TWireNumber n = ReadWireNumber(text);
    EXPECT_TRUE(n.Complete) << text;
    EXPECT_DOUBLE_EQ(static_cast<double>(n.Value), value) << text;
  }
}

TEST(WireNumberTest, IncompleteLinesTakeTheirSensibleValue) {
  const auto value = [](const char* t) { return static_cast<double>(ReadWireNumber(t).Value); };
  EXPECT_DOUBLE_EQ(value("12,5"), 12.5);  // German instrument locale
  EXPECT_DOUBLE_EQ(value("-1,5"), -1.5);
  EXPECT_TRUE(ReadWireNumber("12,5").Complete);
  EXPECT_DOUBLE_EQ(value("12.5 V"), 12.5);
  EXPECT_FALSE(ReadWireNumber("12.5 V").Complete);
  EXPECT_DOUBLE_EQ(value("3e"), 3);
  EXPECT_DOUBLE_EQ(value("1.2.3"), 1.2);
  EXPECT_DOUBLE_EQ(value("1,2,3"), 1);
  EXPECT_EQ(value("abc"), 0);
  EXPECT_EQ(value("-"), 0);
  EXPECT_EQ(value("."), 0);
  EXPECT_FALSE(ReadWireNumber("").Complete);
  EXPECT_FALSE(ReadWireNumber("nan").Complete);
  EXPECT_FALSE(ReadWireNumber("inf").Complete);
}

TEST(WireNumberTest, NumbersBeyondExtendedRangeReadAsInfinityOrZero) {
  EXPECT_TRUE(std::isinf(ReadWireNumber("1e5000").Value));
  EXPECT_TRUE(std::isinf(ReadWireNumber("-1e99999999999999999999999").Value));
  EXPECT_TRUE(ReadWireNumber("-1e5000").Value < 0);
  EXPECT_EQ(ReadWireNumber("1e-5000").Value, 0);
  EXPECT_EQ(ReadWireNumber("0.0000001e-4950").Value, 0);
}

TEST(WireNumberTest, ReadAndRoundedToNearestSingleOnlyWhatRoundsToInfinityOverflows) {
  const auto single = [](const char* text) { return ToSingle(ReadWireNumber(text).Value); };
  EXPECT_EQ(single("-3.40282346638529e38"), -FLT_MAX);  // 15 digits, above FLT_MAX
  EXPECT_EQ(single("3.40282347e38"), FLT_MAX);
  EXPECT_EQ(single("-3.4028234e38"), -FLT_MAX);
  // Halfway from FLT_MAX to 2^128 is 340282356779733661637539395458142568448.
  EXPECT_EQ(single("3.4028235677973366e38"), FLT_MAX);  // just below halfway
  EXPECT_THROW(single("340282356779733661637539395458142568448"), EKurvexError);  // a tie goes to even: 2^128
  EXPECT_THROW(single("3.4028235677973367e38"), EKurvexError);
  EXPECT_THROW(single("-1e39"), EKurvexError);
  EXPECT_THROW(single("1e400"), EKurvexError);
  EXPECT_EQ(single("1e-50"), 0);
}

TEST(WireNumberTest, TrimRemovesControlBytesAndBlanksAtBothEnds) {
  EXPECT_EQ(TrimControlBytes(std::string("\0\t 12.5 \x1f", 8)), "12.5");
  EXPECT_EQ(TrimControlBytes(" 1 2 "), "1 2");
  EXPECT_EQ(TrimControlBytes("\r\n"), "");
}

}  // namespace
}  // namespace kurvex
