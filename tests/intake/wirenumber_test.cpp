// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "intake/singleprecision.h"
#include "intake/wirenumber.h"
#include "platform/system/error.h"

namespace kurvex {
namespace {

// A line that is not a number in full takes the value its start makes
// sense of; a unit after the number is part of a good line; a line without
// a number has no value at all.
TEST(WireNumberTest, ReadsTheInstrumentFormatUnitsAndTheSensibleValueOfTheRest) {
  struct Case {
    const char* Text;
    std::optional<double> Value;
    bool Complete;
  };
  for (const Case& c : std::vector<Case>{
           {"12.5", 12.5, true}, {"-0.003", -0.003, true}, {"1.2E3", 1200, true}, {"+7", 7, true},
           {".5", 0.5, true}, {"5.", 5, true}, {"2e-3", 0.002, true}, {"0", 0, true},
           {"12,5", 12.5, true}, {"-1,5", -1.5, true},  // German instrument locale
           {"12.5 V", 12.5, true}, {"12,5 V", 12.5, true}, {"12,5V", 12.5, true}, {"12,5 °C", 12.5, true},
           {"21,5 %", 21.5, true}, {"3,25 mA", 3.25, true}, {"-1,5e2 mV", -150, true}, {"5 eV", 5, true},
           {"3e", 3, false}, {"1e", 1, false}, {"1.2.3", 1.2, false}, {"1,2,3", 1.2, false}, {"18:35:45", 18, false},
           {"12,5 V2", 12.5, false}, {"", 0, false},  // the empty line is 0, as ever
           {"abc", {}, false}, {"-", {}, false}, {".", {}, false}, {"nan", {}, false}, {"inf", {}, false},
           {"-inf", {}, false}, {";;;", {}, false}, {"0x10", {}, false}, {"\xff\xfe" "8", {}, false},
           {"9xxxx:5", {}, false}}) {
    const TWireNumber n = ReadWireNumber(c.Text);
    EXPECT_EQ(n.Complete, c.Complete) << c.Text;
    ASSERT_EQ(n.Value.has_value(), c.Value.has_value()) << c.Text;
    if (c.Value) {
      EXPECT_DOUBLE_EQ(static_cast<double>(*n.Value), *c.Value) << c.Text;
    }
  }
}

TEST(WireNumberTest, NumbersBeyondExtendedRangeReadAsInfinityOrZero) {
  EXPECT_TRUE(std::isinf(*ReadWireNumber("1e5000").Value));
  EXPECT_TRUE(std::isinf(*ReadWireNumber("-1e99999999999999999999999").Value));
  EXPECT_TRUE(*ReadWireNumber("-1e5000").Value < 0);
  EXPECT_EQ(*ReadWireNumber("1e-5000").Value, 0);
  EXPECT_EQ(*ReadWireNumber("0.0000001e-4950").Value, 0);
}

TEST(WireNumberTest, ReadAndRoundedToNearestSingleOnlyWhatRoundsToInfinityOverflows) {
  const auto single = [](const char* text) { return ToSingle(*ReadWireNumber(text).Value); };
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
