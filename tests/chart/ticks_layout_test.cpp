// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "chart/ticklayout.h"
#include "tests/chart/ticks_fixture.h"

namespace kurvex::test {
namespace {

TTickParams Range(double low, double high, int minTicks = 3) {
  TTickParams p;
  p.Low = low;
  p.High = high;
  p.MinTicks = minTicks;
  return p;
}

void ExpectValues(const std::vector<double>& actual, const std::vector<double>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-9) << i;
}

TEST(NiceTickStepTest, WorkedExamples) {
  struct Case {
    int minTicks;
    double high, low, dist;
    int nSub;
    double first;
  };
  for (const Case& c : {Case{3, 100, 0, 20, 4, 0}, Case{6, 100, 0, 10, 5, 0}, Case{3, 200, 1, 50, 5, 50},
                        Case{6, 200, 1, 20, 4, 20}, Case{3, 0, 100, -20, 4, 100},  // reversed: the step runs downwards
                        Case{3, 7, 7, 0, 0, 7}}) {
    SCOPED_TRACE(testing::Message() << c.minTicks << ", " << c.high << ", " << c.low);
    const TTickStep s = NiceTickStep(c.minTicks, c.high, c.low);
    EXPECT_DOUBLE_EQ(s.Dist, c.dist);
    EXPECT_EQ(s.NSub, c.dist != 0 ? c.nSub : s.NSub);
    EXPECT_DOUBLE_EQ(s.First, c.first);
  }
}

TEST(NiceTickStepTest, ExactDecadesAndTolerances) {
  // r = 1000 is a decade: mantissa 1, never 5 through a rounded logarithm.
  TTickStep s = NiceTickStep(2, 2000, 0);
  EXPECT_DOUBLE_EQ(s.Dist, 1000);
  EXPECT_EQ(s.NSub, 5);
  s = NiceTickStep(3, 0.3, 0);  // r = 0.1 (a decade below one)
  EXPECT_NEAR(s.Dist, 0.1, 1e-15);
  // r exactly 2 or 5 times a power of ten takes that mantissa only when r
  // exceeds it by a relative 2.3e-10.
  EXPECT_DOUBLE_EQ(NiceTickStep(2, 4, 0).Dist, 1);
  EXPECT_DOUBLE_EQ(NiceTickStep(2, 4 * (1 + 1e-9), 0).Dist, 2);
  EXPECT_DOUBLE_EQ(NiceTickStep(2, 10, 0).Dist, 2);
  EXPECT_DOUBLE_EQ(NiceTickStep(2, 10 * (1 + 1e-9), 0).Dist, 5);
  // First may lie 0.1 % of a step below the range.
  EXPECT_DOUBLE_EQ(NiceTickStep(3, 100, 20.01).First, 20);
  EXPECT_DOUBLE_EQ(NiceTickStep(3, 100, 20.03).First, 40);
  EXPECT_DOUBLE_EQ(NiceTickStep(3, 0, -95).First, -80);
}

TEST(LinearTicksTest, PositionsAndRecordedOrderByOrientation) {
  TTickParams p = Range(0, 100);
  TTickLayout h = Layout(p);
  ExpectValues(Values(h, true), {0, 20, 40, 60, 80, 100});
  std::vector<double> fives;
  for (int v = 0; v <= 100; v += 5) fives.push_back(v);
  ExpectValues(Values(h, false), fives);
  // Horizontal: only the short ticks (which include the labelled ones).
  ExpectValues(Recorded(h), fives);
  EXPECT_FALSE(h.EventBeforeLabel);

  p.Vertical = true;
  TTickLayout v = Layout(p);
  std::vector<double> expected = fives;
  for (int t = 0; t <= 100; t += 20) expected.push_back(t);
  ExpectValues(Recorded(v), expected);
  EXPECT_TRUE(v.EventBeforeLabel);

  p.ShortTicks = false;
  p.Vertical = false;
  TTickLayout bare = Layout(p);
  EXPECT_TRUE(Values(bare, false).empty());
  ExpectValues(Recorded(bare), {0, 20, 40, 60, 80, 100});

  p = Range(0, 100, 6);
  TTickLayout six = Layout(p);
  EXPECT_EQ(Values(six, true).size(), 11u);
  EXPECT_NEAR(Values(six, false)[1], 2, 1e-12);
}

TEST(LinearTicksTest, ApplicationDefaultAndReversedRange) {
  TTickLayout y = Layout(Range(1, 200));
  ExpectValues(Values(y, true), {50, 100, 150, 200});
  EXPECT_EQ(Labels(y), (std::vector<std::string>{"50", "100", "150", "200"}));
  EXPECT_NEAR(Values(y, false).front(), 10, 1e-12);

  TTickLayout down = Layout(Range(100, 0));
  ExpectValues(Values(down, true), {100, 80, 60, 40, 20, 0});
  EXPECT_EQ(Labels(down).front(), "100");
  EXPECT_NEAR(Values(down, false).back(), 0, 1e-12);
}

TEST(LinearTicksTest, LabelsFollowTheRangeAndTheLabelType) {
  EXPECT_EQ(Labels(Layout(Range(10.5, 11.5))),
            (std::vector<std::string>{"10.60", "10.80", "11.00", "11.20", "11.40"}));
  const std::vector<std::string> sci = Labels(Layout(Range(0, 2000000)));
  ASSERT_GE(sci.size(), 2u);
  EXPECT_EQ(sci[0], "0.0");
  EXPECT_EQ(sci[1], " 5.0E+05");

  TTickParams p = Range(0, 100);
  p.LabelType = ftUserText;
  p.UserTickText = "a|b|c";
  EXPECT_EQ(Labels(Layout(p)), (std::vector<std::string>{"a", "b", "c", "c", "c", "c"}));
  p.LabelType = ftNum;
  p.ScaleInscript = "& V";
  EXPECT_EQ(Labels(Layout(p))[1], "20 V");
  p.LabelType = ftNoFigs;
  for (const std::string& label : Labels(Layout(p))) EXPECT_EQ(label, "");
  p = Range(0, 100);
  p.DecPlaces = 3;
  EXPECT_EQ(Labels(Layout(p))[1], "20.000");
}

TEST(LinearTicksTest, UnusableRangesGiveNoTicksInsteadOfLoopingForever) {
  EXPECT_TRUE(Layout(Range(5, 5)).Marks.empty());
  EXPECT_LT(Layout(Range(-1.7e308, 1.7e308)).Marks.size(), 30u);
  EXPECT_TRUE(Layout(Range(0, std::numeric_limits<double>::infinity())).Marks.empty());
  EXPECT_TRUE(Layout(Range(0, std::numeric_limits<double>::quiet_NaN())).Marks.empty());
}

// An axis of sample numbers as the window has it: no decimals, whole ticks.
TTickParams Samples(double low, double high, int minTicks = 3) {
  TTickParams p = Range(low, high, minTicks);
  p.DecPlaces = 0;
  p.WholeNumbers = true;
  return p;
}

TEST(WholeNumberTicksTest, FewSamplesInViewGiveEachWholeNumberOneLabel) {
  struct Case {
    double low, high;
    int minTicks;
    std::vector<std::string> labels;
  };
  for (const Case& c : {Case{0.8, 3.2, 3, {"1", "2", "3"}}, Case{0.8, 3.2, 6, {"1", "2", "3"}},
                        Case{1, 3, 6, {"1", "2", "3"}}, Case{3.2, 0.8, 3, {"3", "2", "1"}},
                        Case{0.5, 7.5, 6, {"1", "2", "3", "4", "5", "6", "7"}},
                        Case{0, 12, 3, {"0", "2", "4", "6", "8", "10", "12"}},
                        Case{1.2, 1.8, 3, {}}}) {
    SCOPED_TRACE(testing::Message() << c.low << " .. " << c.high << ", " << c.minTicks);
    const TTickLayout layout = Layout(Samples(c.low, c.high, c.minTicks));
    EXPECT_EQ(Labels(layout), c.labels);
    for (const TTickMark& mark : layout.Marks) EXPECT_EQ(mark.Value, std::round(mark.Value)) << mark.Value;
  }
}

TEST(WholeNumberTicksTest, RangesWithWholeStepsKeepTheirTicks) {
  // The window's views before any zoom (Normal, Trend, either tick count)
  // and zoomed ones whose steps are whole anyway.
  for (const auto& [low, high] :
       {std::pair{0.0, 100.0}, {0.0, 1000.0}, {4000.0, 5000.0}, {1.0, 200.0}, {0.0, 1e9}, {100.0, 0.0}}) {
    for (int minTicks : {3, 6}) {
      SCOPED_TRACE(testing::Message() << low << " .. " << high << ", " << minTicks);
      TTickParams p = Samples(low, high, minTicks);
      const TTickLayout whole = Layout(p);
      p.WholeNumbers = false;
      const TTickLayout plain = Layout(p);
      ASSERT_EQ(whole.Marks.size(), plain.Marks.size());
      for (std::size_t i = 0; i < whole.Marks.size(); ++i) {
        EXPECT_EQ(whole.Marks[i].Value, plain.Marks[i].Value) << i;
        EXPECT_EQ(whole.Marks[i].Long, plain.Marks[i].Long) << i;
        EXPECT_EQ(whole.Marks[i].Label, plain.Marks[i].Label) << i;
      }
    }
  }
}

TTickParams Log(double low, double high, int minTicks = 3) {
  TTickParams p = Range(low, high, minTicks);
  p.Logarithmic = true;
  return p;
}

TEST(LogTicksTest, DecadesAndIntermediateTicks) {
  TTickLayout three = Layout(Log(1, 1000));
  ExpectValues(Values(three, true), {1, 10, 100, 1000});
  EXPECT_TRUE(Values(three, false).empty());
  EXPECT_EQ(Labels(three), (std::vector<std::string>{"1", "10", "100", "1000"}));
  EXPECT_EQ(Recorded(three).size(), 4u);
  EXPECT_TRUE(three.EventBeforeLabel);

  TTickLayout six = Layout(Log(1, 1000, 6));
  ExpectValues(Values(six, true), {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000});
  std::vector<double> shortTicks = Values(six, false);
  shortTicks.resize(6);
  ExpectValues(shortTicks, {3, 4, 6, 7, 8, 9});
  EXPECT_EQ(Recorded(six).size(), six.Marks.size());

  TTickParams noShort = Log(1, 1000, 6);
  noShort.ShortTicks = false;
  EXPECT_TRUE(Values(Layout(noShort), false).empty());
}

TEST(LogTicksTest, LabelsTrimmedOrAsExponents) {
  TTickLayout small = Layout(Log(0.01, 10, 6));
  const std::vector<std::string> labels = Labels(small);
  ASSERT_GE(labels.size(), 4u);
  EXPECT_EQ(labels[0], "0.01");
  EXPECT_EQ(labels[1], "0.02");
  EXPECT_EQ(labels.back(), "10");

  TTickParams p = Log(1, 1000);
  p.DecPlaces = -3;
  EXPECT_EQ(Labels(Layout(p)), (std::vector<std::string>{"0", "1", "2", "3"}));
  p.MinTicks = 6;
  const std::vector<std::string> withMultiples = Labels(Layout(p));
  EXPECT_EQ(withMultiples[0], "0");
  EXPECT_EQ(withMultiples[1], "");  // the 2 tick
  EXPECT_EQ(withMultiples[3], "1");
  p = Log(0.001, 0.1, 2);
  p.DecPlaces = -3;
  EXPECT_EQ(Labels(Layout(p)), (std::vector<std::string>{"-3", "-2", "-1"}));

  p = Log(1, 1000);
  p.DecPlaces = 2;  // fixed decimals are kept
  EXPECT_EQ(Labels(Layout(p))[1], "10.00");
  p.LabelType = ftUserText;
  p.UserTickText = "x|y";
  EXPECT_EQ(Labels(Layout(p)), (std::vector<std::string>{"x", "y", "y", "y"}));
}

TEST(LogTicksTest, LessThanADecadeAndUnusableRanges) {
  TTickLayout narrow = Layout(Log(2, 8));
  ExpectValues(Values(narrow, true), {2, 3, 4, 5, 6, 7, 8});
  ExpectValues(Values(Layout(Log(1000, 1)), true), {1, 10, 100, 1000});
  EXPECT_TRUE(Layout(Log(-1, 100)).Marks.empty());
  EXPECT_TRUE(Layout(Log(1, std::numeric_limits<double>::infinity())).Marks.empty());
}

TEST(LogTicksTest, EndsFromSinglePrecisionFieldsKeepTheirTicks) {
  // 0.1f lies 1.5e-8 above 0.1, 0.01f 2.2e-10 below 0.01: the ticks on the
  // ends still count as inside.
  EXPECT_EQ(Labels(Layout(Log(0.1f, 10))).front(), "0.1");
  EXPECT_EQ(Labels(Layout(Log(0.0001, 0.01f))).back(), "0.01");
  const TTickLayout fromTwo = Layout(Log(0.2f, 100, 6));
  EXPECT_EQ(Labels(fromTwo).front(), "0.2");
  EXPECT_DOUBLE_EQ(Recorded(fromTwo).front(), 0.2);
  // Ticks really outside the range stay out.
  EXPECT_EQ(Labels(Layout(Log(0.1001, 10))).front(), "0.2");
  EXPECT_EQ(Labels(Layout(Log(0.0001, 0.00999))).back(), "0.005");
}

}  // namespace
}  // namespace kurvex::test
