// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "intake/linevalues.h"
#include "intake/wirenumber.h"

namespace kurvex {
namespace {

using Values = std::vector<std::pair<std::string, double>>;  // name, value

Values Read(const std::string& line) {
  TLineValues values;
  EXPECT_TRUE(values.Read(line)) << line;
  Values read;
  for (const TLineValue& v : values.Kept()) read.emplace_back(v.Name, static_cast<double>(v.Value));
  return read;
}

TEST(LineValuesTest, CutsALineIntoItsValues) {
  const std::vector<std::pair<std::string, Values>> cases{
      {"12,5", {{"", 12.5}}},
      {"1;2", {{"", 1}, {"", 2}}},
      {"1,2", {{"", 1.2}}},  // a decimal comma: two values are written 1;2
      {"12,5;13,1", {{"", 12.5}, {"", 13.1}}},
      {"12,5 13,1", {{"", 12.5}, {"", 13.1}}},
      {"1.5,2.5", {{"", 1.5}, {"", 2.5}}},
      {"1,2,3", {{"", 1}, {"", 2}, {"", 3}}},
      {"1, 2", {{"", 1}, {"", 2}}},
      {"Temperature: 23.64, Humidity: 43.89", {{"Temperature", 23.64}, {"Humidity", 43.89}}},
      {"a=1;b=2", {{"a", 1}, {"b", 2}}},
      {"x = -1,5\ty :2e3", {{"x", -1.5}, {"y", 2000}}},
      {"1.5 V 2.5 A", {{"", 1.5}, {"", 2.5}}},
      {"3 °C;;4 %", {{"", 3}, {"", 4}}},
      {"Temp: 21.5", {{"Temp", 21.5}}},  // one named value is that name's
  };
  for (const auto& [line, values] : cases) EXPECT_EQ(Read(line), values) << line;
}

// Fewer than two values, none named: exactly what a line was before.
TEST(LineValuesTest, ALineWithFewerThanTwoValuesReadsAsOneNumber) {
  const std::vector<std::string> lines{"12.5", "12,5", "12.5 V", "abc", "12abc", ",5", "1e999", "", "nan", "inf",
                                       "18:35:45", "18:35", ";;", "-1,5 mV", "1.2.3", "1,2,x", "=5", "a= b",
                                       std::string("1\0 2x", 5)};
  for (const std::string& line : lines) {
    TLineValues values;
    const TWireNumber before = ReadWireNumber(line);
    EXPECT_EQ(values.Read(line), before.Complete) << line;
    ASSERT_EQ(values.Kept().size(), 1u) << line;
    EXPECT_EQ(values.Kept()[0].Value, before.Value) << line;
    EXPECT_EQ(values.Kept()[0].Name, "") << line;
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
