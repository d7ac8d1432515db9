// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/historyfeed.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "intake/sampleintake.h"

namespace kurvex {
namespace {

TEST(HistoryFeedTest, KeepsTheScaledValuesOfEachCurveWithTheirBatchTime) {
  TIntakeState state;
  state.ScaleFactor = 2;
  state.ScaleOffset = 1;
  TSampleIntake intake(state);
  THistory history;
  THistoryFeed feed(history);
  intake.Attach(feed);
  const auto receive = [&](const std::string& bytes, std::int64_t wallNs) {
    intake.Receive(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), {wallNs, 0},
                   [&](std::string_view line) { intake.TakeLine(line); });
  };
  receive("a=1;b=2\r\nb=5\r\n", 100);
  receive("a=3\r\n", 200);
  ASSERT_EQ(history.LastNumber(), 3);
  EXPECT_EQ(history.Curves(), 2u);
  EXPECT_EQ(history.Value(0, 1), 3);
  EXPECT_EQ(history.Value(1, 1), 5);
  EXPECT_TRUE(std::isnan(history.Value(0, 2)));  // the line had no a
  EXPECT_EQ(history.Value(1, 2), 11);
  EXPECT_EQ(history.Value(0, 3), 7);
  EXPECT_TRUE(std::isnan(history.Value(1, 3)));
  EXPECT_EQ(history.WallNs(2), 100);
  EXPECT_EQ(history.WallNs(3), 200);
}

}  // namespace
}  // namespace kurvex
