// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "intake/linevalues.h"
#include "intake/sampleintake.h"
#include "intake/singleprecision.h"
#include "intake/wirenumber.h"
#include "platform/system/error.h"

namespace kurvex {
namespace {

using Values = std::vector<std::pair<std::string, float>>;  // curve name, raw value

// What one line becomes in a fresh acquisition.
class OneLine : public TSampleConsumer {
 public:
  explicit OneLine(const std::string& line) {
    intake.Attach(*this);
    outcome = intake.TakeLine(line);
  }
  void Take(const TSample& sample) override {
    for (std::size_t k = 0; k < sample.Values.size(); ++k)
      if (sample.Has(k)) values.emplace_back(sample.Names[k], sample.Values[k].Raw);
  }
  TIntakeState state;
  TSampleIntake intake{state};
  TLineOutcome outcome;
  Values values;
};

TEST(LineValuesTest, CutsALineIntoItsValues) {
  const std::vector<std::pair<std::string, Values>> cases{
      {"12,5", {{"", 12.5f}}},
      {"12.5 V", {{"", 12.5f}}},
      {"1;2", {{"", 1}, {"", 2}}},
      {"1,2", {{"", 1.2f}}},  // a decimal comma: two values are written 1;2
      {"12,5;13,1", {{"", 12.5f}, {"", 13.1f}}},
      {"12,5 13,1", {{"", 12.5f}, {"", 13.1f}}},
      {"1.5,2.5", {{"", 1.5f}, {"", 2.5f}}},
      {"1,2,3", {{"", 1}, {"", 2}, {"", 3}}},
      {"1, 2", {{"", 1}, {"", 2}}},
      {"Temperature: 23.64, Humidity: 43.89", {{"Temperature", 23.64f}, {"Humidity", 43.89f}}},
      {"a=1;b=2", {{"a", 1}, {"b", 2}}},
      {"x = -1,5\ty :2e3", {{"x", -1.5f}, {"y", 2000}}},
      {"1.5 V 2.5 A", {{"", 1.5f}, {"", 2.5f}}},
      {"3 °C;;4 %", {{"", 3}, {"", 4}}},
      {"Temp: 21.5", {{"Temp", 21.5f}}},  // one named value is that name's
  };
  for (const auto& [line, values] : cases) EXPECT_EQ(OneLine(line).values, values) << line;
}

// Fewer than two values, none named: the value and the bad-line count of old.
TEST(LineValuesTest, ALineWithFewerThanTwoValuesReadsAsOneNumber) {
  const std::vector<std::string> lines{"12.5", "12,5", "12.5 V", "abc", "12abc", ",5", "1e999", "", "nan", "inf",
                                       "18:35:45", "18:35", ";;", "-1,5 mV", "1.2.3", "1,2,x", "=5", "a= b",
                                       std::string("1\0 2x", 5)};
  for (const std::string& line : lines) {
    const TWireNumber before = ReadWireNumber(line);
    if (std::isinf(static_cast<float>(before.Value))) {  // beyond single precision, as ever
      EXPECT_THROW(OneLine taken(line), EKurvexError) << line;
      continue;
    }
    const OneLine taken(line);
    EXPECT_EQ(taken.values, (Values{{"", ToSingle(before.Value)}})) << line;
    EXPECT_EQ(taken.outcome.Complete, before.Complete) << line;
    EXPECT_EQ(taken.state.InvalidLines, before.Complete ? 0 : 1) << line;
  }
}

TEST(LineValuesTest, KeepsTheFirstValuesOfAnEndlessLine) {
  std::string line;
  for (int i = 0; i < 100; ++i) line += std::to_string(i) + ";";
  TLineValues values;
  EXPECT_TRUE(values.Read(line));
  ASSERT_EQ(values.Kept().size(), TLineValues::kCapacity);
  EXPECT_EQ(values.Kept().back().Value, TLineValues::kCapacity - 1);
  EXPECT_TRUE(values.Dropped());
  const std::string longest(TLineValues::kMaxName, 'n');
  EXPECT_TRUE(values.Read(longest + "=1;" + longest + "n=2;3"));  // a longer name makes no value
  EXPECT_EQ(values.Kept().size(), 2u);
  EXPECT_FALSE(values.Dropped());
}

}  // namespace
}  // namespace kurvex
