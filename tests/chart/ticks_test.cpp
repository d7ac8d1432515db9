// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "chart/datetimescale.h"
#include "chart/dtlabel.h"
#include "chart/tickformat.h"
#include "chart/ticklayout.h"
#include "chart/timescale.h"

namespace kurvex::test {
namespace {

TTickLayout Layout(const TTickParams& p) {
  TTickLayout layout;
  LayoutTicks(p, layout);
  return layout;
}

/// The values of the labelled (long) ticks, or of the short ones.
std::vector<double> Values(const TTickLayout& layout, bool labelled) {
  std::vector<double> v;
  for (const TTickMark& m : layout.Marks)
    if (m.Long == labelled) v.push_back(m.Value);
  return v;
}

std::vector<std::string> Labels(const TTickLayout& layout) {
  std::vector<std::string> v;
  for (const TTickMark& m : layout.Marks)
    if (m.Long) v.push_back(m.Label);
  return v;
}

std::vector<double> Recorded(const TTickLayout& layout) {
  std::vector<double> v;
  for (const TTickMark& m : layout.Marks)
    if (m.Recorded) v.push_back(m.Value);
  return v;
}

TEST(TickFormatTest, AutomaticDecimalsFollowTheRange) {
  // Asked places, the range's ends, the places it gets; a reversed range counts by its width.
  const struct { int asked; double low, high; int places; } linear[] = {
      {-2, 1, 0, 2},         {-2, 10, 0, 1},       {-3, 50, 0, 0},  {-2, 0, 0.01, 4},
      {-2, 100, 0, 0},       {-2, 1000000, 0, -1}, {-2, 0.0001, 0, -1}, {5, 1000000, 0, 5}};
  for (const auto& c : linear) EXPECT_EQ(AutoDecimals(c.asked, c.low, c.high), c.places) << c.low << " " << c.high;
  const struct { int asked; double low, high; int places; } log[] = {
      {-2, 1, 1000, 0}, {-2, 0.01, 10, 3}, {-2, 1, 2e6, -1}, {-3, 0.01, 10, -3}, {1, 0.01, 10, 1}};
  for (const auto& c : log) EXPECT_EQ(LogAutoDecimals(c.asked, c.low, c.high), c.places) << c.low << " " << c.high;
}

TEST(TickFormatTest, FixedAndScientificText) {
  // A three-digit exponent does not fit the eight characters of the form;
  // 9.99e99 rounds up into one.
  const std::tuple<double, int, const char*> cases[] = {
      {-12.5, 2, "-12.50"},       {1234567.891, 0, "1234568"}, {0.5, 3, "0.500"},
      {1500, -1, " 1.5E+03"},     {-2e-5, -1, "-2.0E-05"},     {9.96e4, -1, " 1.0E+05"},
      {1e100, -1, "********"},    {-1.5e-120, -1, "********"}, {9.99e99, -1, "********"}};
  for (const auto& [value, places, text] : cases) EXPECT_EQ(FormatTickValue(value, places), text) << value;
}

TEST(TickFormatTest, ZeroRuleAndLengthCut) {
  // Off zero only through rounding: labelled as 0; 1e-12 of the range is not zero.
  const std::tuple<double, double, int, const char*> linear[] = {
      {1e-21, 1e-4, -1, " 0.0E+00"},  {1e-21, 1, 2, "0.00"},           {-1e-9, 2e6, -1, "0.0"},
      {1e-9, 2e6, 0, "0"},            {1e-12, 1, 14, "0.000000000001"}, {123456789.125, 1e9, 6, "123456789.1250"},
      {12.5, 100, 12, "12.50000000000"}};
  for (const auto& [value, high, places, text] : linear) EXPECT_EQ(LinearTickLabel(value, high, 0, places), text);

  EXPECT_EQ(LogTickLabel(0.02, 4, true), "0.02");
  EXPECT_EQ(LogTickLabel(20, 2, true), "20");
  EXPECT_EQ(LogTickLabel(20, 2, false), "20.00");
  EXPECT_EQ(LogTickLabel(1e7, -1, true), " 1.0E+07");
}

TEST(TickFormatTest, UserTextsAndInscripts) {
  const std::tuple<const char*, int, const char*> items[] = {
      {"a|b|c", 1, "a"}, {"a|b|c", 3, "c"}, {"a|b|c", 5, "c"}, {"a||c", 2, ""},
      {"a|b|", 3, ""},   {"a|b|", 9, ""},   {"", 2, ""}};
  for (const auto& [texts, number, item] : items) EXPECT_EQ(UserTickItem(texts, number), item) << texts << number;
  const std::tuple<const char*, const char*, const char*> inscripts[] = {
      {"12", "U = & V", "U = 12 V"}, {"12", "& V", "12 V"}, {"12", "U=", "U=12"},
      {"12", "a&b&c", "a12b&c"},     {"", "U = & V", ""}};
  for (const auto& [label, inscript, text] : inscripts) EXPECT_EQ(ApplyInscript(label, inscript), text) << inscript;
}

TEST(TickFormatTest, TimeLabels) {
  // Ticks computed a hair below a whole value still show that value.
  const std::tuple<double, bool, const char*> cases[] = {
      {3909, false, " 01:05:09"},          {-1.5, true, "-00:00:01.500"},     {0.2, true, " 00:00:00.200"},
      {360000, false, " 100:00:00"},       {19.9999999999, false, " 00:00:20"}, {1.9999999999, true, " 00:00:02.000"}};
  for (const auto& [seconds, fraction, text] : cases) EXPECT_EQ(TimeTickLabel(seconds, fraction), text) << seconds;
}

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

TTickParams Params(TFigType type, double low, double high, int minTicks = 3) {
  TTickParams p;
  p.LabelType = type;
  p.Low = low;
  p.High = high;
  p.MinTicks = minTicks;
  p.DecPlaces = type == ftTime ? 4 : -2;
  return p;
}

constexpr double kMinute = 1.0 / 1440;
constexpr double kDay15Mar2023 = 45000;

TEST(TimeTicksTest, StepsFromTheTableAndHourMinuteSecondLabels) {
  EXPECT_EQ(TimeStepIndex(0, 60, 3), 14);
  EXPECT_EQ(TimeStepIndex(0, 1, 3), 8);
  EXPECT_EQ(TimeStepIndex(0, 0.002, 3), 0);
  EXPECT_EQ(TimeStepIndex(0, 6 * 86400, 3), 28);

  TTickLayout minute = Layout(Params(ftTime, 0, 60));
  EXPECT_EQ(Labels(minute), (std::vector<std::string>{" 00:00:00", " 00:00:20", " 00:00:40", " 00:01:00"}));
  EXPECT_EQ(Values(minute, false).size(), 13u);    // every 5 s, both ends included
  EXPECT_EQ(minute.Marks.back().Recorded, false);  // horizontal with short ticks

  TTickLayout second = Layout(Params(ftTime, 0, 1));
  EXPECT_EQ(Labels(second)[1], " 00:00:00.200");

  // A day's recording against the time of day: hours.
  TTickLayout day = Layout(Params(ftTime, 0, 86400));
  EXPECT_EQ(Labels(day), (std::vector<std::string>{" 00:00:00", " 06:00:00", " 12:00:00", " 18:00:00"}));

  TTickLayout negative = Layout(Params(ftTime, -3, 0));
  EXPECT_EQ(Labels(negative).front(), "-00:00:03");
  EXPECT_EQ(Labels(negative).back(), " 00:00:00");

  TTickLayout reversed = Layout(Params(ftTime, 60, 0));
  EXPECT_EQ(Values(reversed, true), (std::vector<double>{60, 40, 20, 0}));
}

TEST(TimeTicksTest, TicksStayOnTheAxisFarFromZero) {
  for (const auto& [low, high] : {std::pair{1e9, 1e9 + 1}, std::pair{1e9 + 1, 1e9}, std::pair{-1e9 - 1, -1e9}}) {
    SCOPED_TRACE(low);
    const TTickLayout layout = Layout(Params(ftTime, low, high));
    for (const TTickMark& m : layout.Marks) {
      EXPECT_GE(m.Value, std::min(low, high));
      EXPECT_LE(m.Value, std::max(low, high));
    }
    EXPECT_EQ(Values(layout, true).size(), 6u);  // every 0.2 s, both ends included
    EXPECT_EQ(Values(layout, false).size(), 21u);
  }
  EXPECT_EQ(Labels(Layout(Params(ftTime, 1e9, 1e9 + 1))).front(), " 277777:46:40.000");
}

TEST(TimeTicksTest, DeclinesToNumericLabelsOutsideMillisecondToDay) {
  TTickLayout days = Layout(Params(ftTime, 0, 3 * 2 * 86400));
  ASSERT_FALSE(days.Marks.empty());
  for (const std::string& label : Labels(days)) EXPECT_EQ(label.find(':'), std::string::npos) << label;
  EXPECT_EQ(Labels(days)[1], "100000.0000");

  TTickLayout tiny = Layout(Params(ftTime, 0, 0.002));
  ASSERT_FALSE(tiny.Marks.empty());
  EXPECT_EQ(Labels(tiny)[1], "0.0005");
}

TEST(DateTimeTicksTest, UnusableRangesShowTheirErrorTexts) {
  const std::vector<std::string> invalid{"invalid", "DateTime", "scale"};
  EXPECT_EQ(Layout(Params(ftDateTime, 10, 5)).Message, invalid);
  EXPECT_EQ(Layout(Params(ftDateTime, -693594, 0)).Message, invalid);
  EXPECT_EQ(Layout(Params(ftDateTime, 0, 3000001)).Message, invalid);
  EXPECT_TRUE(Layout(Params(ftDateTime, 10, 5)).Marks.empty());
  EXPECT_TRUE(Layout(Params(ftDateTime, -693593, 0)).Message.empty());
  const std::vector<std::string> below{"DateTime", "range is", "below 1", "second"};
  EXPECT_EQ(Layout(Params(ftDateTime, 1, 1 + 2.0 / 8640000)).Message, below);
}

TEST(DateTimeTicksTest, GranularityFollowsTheDaysPerTick) {
  const std::pair<double, TDateGranularity> cases[] = {
      {0.5 / 86400, dgHundredths}, {1.0 / 86400, dgHundredths}, {30.0 / 86400, dgSeconds}, {10 * kMinute, dgMinutes},
      {0.5, dgHours},              {30, dgDays},                {366, dgMonths},         {367, dgYears}};
  for (const auto& [days, granularity] : cases) EXPECT_EQ(DateGranularity(days), granularity) << days;
}

TEST(DateTimeTicksTest, TimeOfDayTicksOnWholeStepsWithTheDateOncePerDay) {
  // 10 minutes, 3.3 minutes per tick: 2-minute steps, short ticks every minute.
  TTickLayout tenMinutes = Layout(Params(ftDateTime, kDay15Mar2023, kDay15Mar2023 + 10 * kMinute));
  EXPECT_EQ(Labels(tenMinutes),
            (std::vector<std::string>{"00:00 15-Mrz-2023", "00:02", "00:04", "00:06", "00:08", "00:10"}));
  EXPECT_EQ(Values(tenMinutes, false).size(), 5u);
  for (const TTickMark& m : tenMinutes.Marks) EXPECT_TRUE(m.Recorded);

  TTickParams night = Params(ftDateTime, kDay15Mar2023 + 0.9, kDay15Mar2023 + 1.1);
  EXPECT_EQ(Labels(Layout(night)), (std::vector<std::string>{"22:00 15-Mrz-2023", "23:00", "00:00 16-Mrz-2023",
                                                             "01:00", "02:00"}));
  night.DateFormat.DateForTime = dtNone;
  EXPECT_EQ(Labels(Layout(night))[2], "00:00");
  night.DateFormat.DateForTime = dtOnePerChart;
  EXPECT_EQ(Labels(Layout(night))[2], "00:00");
  EXPECT_EQ(Labels(Layout(night))[0], "22:00 15-Mrz-2023");
  night.DateFormat.DateForTime = dtAllTicks;
  night.DateFormat.TimeFormat = tfAMPM;
  night.DateFormat.MonthName = false;
  night.DateFormat.DateOrder = doYYMMDD;
  night.DateFormat.DateSeparator = '/';
  EXPECT_EQ(Labels(Layout(night))[1], "11 pm 2023/03/15");

  // Half a second: hundredths, 10-hundredth steps.
  TTickParams split = Params(ftDateTime, kDay15Mar2023, kDay15Mar2023 + 0.5 / 86400);
  split.DateFormat.DateForTime = dtNone;
  split.DateFormat.TimeSeparator = '.';
  EXPECT_EQ(Labels(Layout(split))[1], "00.00.00.10");
}

TEST(DateTimeTicksTest, DayMonthAndYearTicksOnCalendarBoundaries) {
  // 90 days, 30 per tick: 28-day steps on Mondays, short ticks every 7 days.
  TTickLayout days = Layout(Params(ftDateTime, kDay15Mar2023, kDay15Mar2023 + 90));
  ASSERT_GE(days.Marks.size(), 12u);
  for (const TTickMark& m : days.Marks) {
    const long long n = std::llround(m.Value);
    EXPECT_EQ((n - 2) % 7, 0);  // a Monday
    EXPECT_EQ(m.Long, (n - 2) % 28 == 0);
  }
  EXPECT_EQ(days.Marks[1].Value - days.Marks[0].Value, 7);

  TTickLayout months = Layout(Params(ftDateTime, kDay15Mar2023, kDay15Mar2023 + 366));  // 4 months per tick
  ASSERT_FALSE(months.Marks.empty());
  for (const TTickMark& m : months.Marks) {
    const TCivilDate d = CivilFromDayNumber(std::llround(m.Value));
    EXPECT_EQ(d.Day, 1);
    EXPECT_EQ(m.Long, (d.Month - 1) % 4 == 0);
  }
  EXPECT_EQ(Labels(months).front(), "Mai-2023");

  TTickLayout years = Layout(Params(ftDateTime, 0, 36527));  // a century
  EXPECT_EQ(Labels(years), (std::vector<std::string>{"1900", "1920", "1940", "1960", "1980", "2000"}));
  EXPECT_EQ(Values(years, false).size(), 5u);  // every ten years
  TTickParams shortYears = Params(ftDateTime, 0, 36527);
  shortYears.DateFormat.YearLength = ylYY;
  EXPECT_EQ(Labels(Layout(shortYears))[1], "20");
}

TEST(DateTimeFormatTest, CalendarAndPatterns) {
  EXPECT_EQ(DayNumberFromCivil(1899, 12, 30), 0);
  EXPECT_EQ(DayNumberFromCivil(1900, 1, 1), 2);
  EXPECT_EQ(DayNumberFromCivil(1, 1, 1), -693593);
  EXPECT_EQ(DayNumberFromCivil(2023, 3, 15), 45000);
  for (long long day : {-693593LL, -1LL, 0LL, 59LL, 60LL, 45000LL, 3000000LL}) {
    const TCivilDate d = CivilFromDayNumber(day);
    EXPECT_EQ(DayNumberFromCivil(d.Year, d.Month, d.Day), day);
  }
  EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:nn:ss", 45000.5), "15.03.2023 12:00:00");
  EXPECT_EQ(FormatDateTime("h am/pm", 0.75), "6 pm");
  EXPECT_EQ(FormatDateTime("h am/pm", 0), "12 am");
  EXPECT_EQ(FormatDateTime("h\"h\"nn", 0.5 + 5 * kMinute), "12h05");
  EXPECT_EQ(FormatDateTime("dd-mm-yyyy hh:nn", -1.25), "28-12-1899 18:00");
  EXPECT_EQ(FormatDateTime("hh:nn:ss", 1 - 0.0001 / 86400), "00:00:00");  // rounds into the next day
  EXPECT_EQ(FormatDateTime("d mmm yy", 45000), "15 Mrz 23");
}

TEST(DateTimeFormatTest, LabelObjectNotifiesEveryChange) {
  TDTLabel label;
  int changes = 0;
  label.OnChange = [&] { ++changes; };
  EXPECT_EQ(label.Format(), TDTLabelFormat{});
  label.SetTimeFormat(tfHHhMM);
  label.SetDateSeparator('.');
  label.SetTimeSeparator('h');
  label.SetYearLength(ylYY);
  label.SetMonthName(false);
  label.SetDateOrder(doMMDDYY);
  label.SetDateForTime(dtAllTicks);
  EXPECT_EQ(changes, 7);
  EXPECT_EQ(DateLabelPattern(label.Format()), "mm\".\"dd\".\"yy");
  EXPECT_EQ(TimeLabelPattern(dgMinutes, label.Format()), "h\"h\"nn");
  label.Assign(TDTLabelFormat{});
  EXPECT_EQ(changes, 8);
  EXPECT_EQ(label.DateOrder(), doDDMMYY);
}

}  // namespace
}  // namespace kurvex::test
