// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "intake/sampleintake.h"
#include "platform/system/error.h"

namespace kurvex {
namespace {

// Each sample as one text: the scaled value per curve, "-" for a gap.
class CurveLog : public TSampleConsumer {
 public:
  void Take(const TSample& sample) override {
    std::string text;
    for (std::size_t k = 0; k < sample.Values.size(); ++k) {
      char value[32] = "-";
      if (sample.Has(k)) std::snprintf(value, sizeof value, "%g", static_cast<double>(sample.Values[k].Scaled));
      text += (k ? " " : "") + std::string(value);
    }
    samples.push_back(text);
    names.assign(sample.Names.begin(), sample.Names.end());
  }
  std::vector<std::string> samples;
  std::vector<std::string> names;
};

class CurvesTest : public ::testing::Test {
 protected:
  CurvesTest() { intake.Attach(log); }

  TLineOutcome Line(const std::string& line) { return intake.TakeLine(line); }

  TIntakeState state;
  TSampleIntake intake{state};
  CurveLog log;
};

TEST_F(CurvesTest, ValueNIsCurveNAndAMissingCurveIsAGap) {
  state.ScaleFactor = 2;
  state.ScaleOffset = 1;
  for (const char* line : {"1", "1;2;3", "4", "5;6"}) Line(line);
  EXPECT_EQ(log.samples, (std::vector<std::string>{"3", "3 5 7", "9 - -", "11 13 -"}));
  EXPECT_EQ(state.SampleCount, 4);  // one sample number per line, whatever it holds
  EXPECT_EQ(state.InvalidLines, 0);
  EXPECT_EQ(state.RawValue, 5);
  EXPECT_EQ(log.names, (std::vector<std::string>{"", "", ""}));
}

TEST_F(CurvesTest, NamesKeepTheirCurveInTheOrderTheyFirstAppeared) {
  for (const char* line : {"a=1;b=2", "b=3;a=4", "b: 5", "c=6;b=7", "Temp: 1 V"}) Line(line);
  EXPECT_EQ(log.samples, (std::vector<std::string>{"1 2", "4 3", "- 5", "- 7 6", "- - - 1"}));
  EXPECT_EQ(log.names, (std::vector<std::string>{"a", "b", "c", "Temp"}));
  EXPECT_EQ(state.RawValue, 4);  // curve 1's last value
  state.StartAcquisition();
  Line("b=1");
  EXPECT_EQ(log.names, std::vector<std::string>{"b"});
}

TEST_F(CurvesTest, AValueBeyondTheSixteenthCurveIsIgnoredAndToldOnce) {
  std::string seventeen;
  for (int i = 1; i <= 17; ++i) seventeen += std::to_string(i) + ";";
  EXPECT_TRUE(Line(seventeen).FirstIgnoredValue);
  EXPECT_EQ(log.samples.back(), "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16");
  EXPECT_FALSE(Line(seventeen).FirstIgnoredValue);
  EXPECT_FALSE(Line("new=1").FirstIgnoredValue);  // no curve left for a new name either
  EXPECT_EQ(log.samples.back(), "- - - - - - - - - - - - - - - -");
  EXPECT_TRUE(state.TooManyValues);
  state.StartAcquisition();
  EXPECT_FALSE(state.TooManyValues);
  EXPECT_TRUE(Line(seventeen).FirstIgnoredValue);
}

// Whatever a line holds, the curves before it stay as they were.
TEST_F(CurvesTest, BadLinesNeverDisturbTheCurvesBeforeThem) {
  Line("a=1;b=2;c=3");
  std::string hundred, huge;
  for (int i = 0; i < 100; ++i) hundred += "9,";
  while (huge.size() < 64 * 1024) huge += "1;";
  for (const std::string& bad : {std::string("abc"), std::string("12abc"), std::string("nan"), std::string("inf"),
                                 std::string("\0\0\0", 3), std::string("\x80\xff\xc3\xa4=1;\xfe"), hundred,
                                 std::string("a=;b=x;c"), std::string("18:35:45"), std::string(";;"), huge}) {
    Line(bad);
    EXPECT_EQ(std::vector<std::string>(log.names.begin(), log.names.begin() + 3),
              (std::vector<std::string>{"a", "b", "c"}));
  }
  const std::size_t taken = log.samples.size();
  EXPECT_THROW(Line("c=1;a=1e999"), EKurvexError);  // beyond single precision: no trace
  EXPECT_THROW(Line("1e999"), EKurvexError);
  EXPECT_EQ(log.samples.size(), taken);
  Line("c=6;a=4;b=5");
  EXPECT_EQ(log.samples.back().substr(0, 5), "4 5 6");
  EXPECT_EQ(state.SampleCount, static_cast<std::int64_t>(taken) + 1);
}

}  // namespace
}  // namespace kurvex
