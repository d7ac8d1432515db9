// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "chart/tickformat.h"

namespace kurvex {
namespace {

TEST(TickFormatTest, AutomaticDecimalsFollowTheRange) {
  EXPECT_EQ(AutoDecimals(-2, 1, 0), 2);
  EXPECT_EQ(AutoDecimals(-2, 10, 0), 1);
  EXPECT_EQ(AutoDecimals(-3, 50, 0), 0);
  EXPECT_EQ(AutoDecimals(-2, 0, 0.01), 4);  // reversed range, same width
  EXPECT_EQ(AutoDecimals(-2, 100, 0), 0);
  EXPECT_EQ(AutoDecimals(-2, 1000000, 0), -1);
  EXPECT_EQ(AutoDecimals(-2, 0.0001, 0), -1);
  EXPECT_EQ(AutoDecimals(5, 1000000, 0), 5);

  EXPECT_EQ(LogAutoDecimals(-2, 1, 1000), 0);
  EXPECT_EQ(LogAutoDecimals(-2, 0.01, 10), 3);
  EXPECT_EQ(LogAutoDecimals(-2, 1, 2e6), -1);
  EXPECT_EQ(LogAutoDecimals(-3, 0.01, 10), -3);
  EXPECT_EQ(LogAutoDecimals(1, 0.01, 10), 1);
}

TEST(TickFormatTest, FixedAndScientificText) {
  EXPECT_EQ(FormatTickValue(-12.5, 2), "-12.50");
  EXPECT_EQ(FormatTickValue(1234567.891, 0), "1234568");
  EXPECT_EQ(FormatTickValue(0.5, 3), "0.500");
  EXPECT_EQ(FormatTickValue(1500, -1), " 1.5E+03");
  EXPECT_EQ(FormatTickValue(-2e-5, -1), "-2.0E-05");
  EXPECT_EQ(FormatTickValue(9.96e4, -1), " 1.0E+05");
  // A three-digit exponent does not fit the eight characters of the form.
  EXPECT_EQ(FormatTickValue(1e100, -1), "********");
  EXPECT_EQ(FormatTickValue(-1.5e-120, -1), "********");
  EXPECT_EQ(FormatTickValue(9.99e99, -1), "********");  // rounds up into 1.0E+100
}

TEST(TickFormatTest, ZeroRuleAndLengthCut) {
  // Off zero only through rounding: labelled as 0.
  EXPECT_EQ(LinearTickLabel(1e-21, 1e-4, 0, -1), " 0.0E+00");
  EXPECT_EQ(LinearTickLabel(1e-21, 1, 0, 2), "0.00");
  EXPECT_EQ(LinearTickLabel(-1e-9, 2e6, 0, -1), "0.0");
  EXPECT_EQ(LinearTickLabel(1e-9, 2e6, 0, 0), "0");
  EXPECT_EQ(LinearTickLabel(1e-12, 1, 0, 14), "0.000000000001");  // 1e-12 of the range is not zero
  EXPECT_EQ(LinearTickLabel(123456789.125, 1e9, 0, 6), "123456789.1250");
  EXPECT_EQ(LinearTickLabel(12.5, 100, 0, 12), "12.50000000000");

  EXPECT_EQ(LogTickLabel(0.02, 4, true), "0.02");
  EXPECT_EQ(LogTickLabel(20, 2, true), "20");
  EXPECT_EQ(LogTickLabel(20, 2, false), "20.00");
  EXPECT_EQ(LogTickLabel(1e7, -1, true), " 1.0E+07");
}

TEST(TickFormatTest, UserTextsAndInscripts) {
  EXPECT_EQ(UserTickItem("a|b|c", 1), "a");
  EXPECT_EQ(UserTickItem("a|b|c", 3), "c");
  EXPECT_EQ(UserTickItem("a|b|c", 5), "c");
  EXPECT_EQ(UserTickItem("a||c", 2), "");
  EXPECT_EQ(UserTickItem("a|b|", 3), "");
  EXPECT_EQ(UserTickItem("a|b|", 9), "");
  EXPECT_EQ(UserTickItem("", 2), "");

  EXPECT_EQ(ApplyInscript("12", "U = & V"), "U = 12 V");
  EXPECT_EQ(ApplyInscript("12", "& V"), "12 V");
  EXPECT_EQ(ApplyInscript("12", "U="), "U=12");
  EXPECT_EQ(ApplyInscript("12", "a&b&c"), "a12b&c");
  EXPECT_EQ(ApplyInscript("", "U = & V"), "");
}

TEST(TickFormatTest, TimeLabels) {
  EXPECT_EQ(TimeTickLabel(3909, false), " 01:05:09");
  EXPECT_EQ(TimeTickLabel(-1.5, true), "-00:00:01.500");
  EXPECT_EQ(TimeTickLabel(0.2, true), " 00:00:00.200");
  EXPECT_EQ(TimeTickLabel(360000, false), " 100:00:00");
  // Ticks computed a hair below a whole value still show that value.
  EXPECT_EQ(TimeTickLabel(19.9999999999, false), " 00:00:20");
  EXPECT_EQ(TimeTickLabel(1.9999999999, true), " 00:00:02.000");
}

}  // namespace
}  // namespace kurvex
