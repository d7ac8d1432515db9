// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "chart/datetimescale.h"
#include "chart/dtlabel.h"
#include "chart/timescale.h"
#include "tests/chart/ticks_fixture.h"

namespace kurvex::test {
namespace {

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
