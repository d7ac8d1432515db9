// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/scrollpace.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>

namespace kurvex::test {
namespace {

using std::chrono::milliseconds;

// Feeds `perSecond` samples a second for `seconds`, each moving the picture
// by `pixels`, in batches as the serial reader hands them over; returns the
// last pace.
milliseconds Feed(TScrollPace& pace, double perSecond, double pixels, double seconds, std::int64_t& nowNs) {
  milliseconds last{};
  const auto stepNs = static_cast<std::int64_t>(1e9 / perSecond);
  for (int i = 0; i < static_cast<int>(perSecond * seconds); ++i) {
    nowNs += stepNs;
    last = pace.Take(nowNs, pixels);
  }
  return last;
}

TEST(ScrollPace, WaitsForAFewPixelsAtMostAsLongAsTheTextsAndNotAtAllWhenFast) {
  TScrollPace pace;
  std::int64_t now = 1'000'000'000;
  // Unknown at first: at once.
  EXPECT_EQ(pace.Take(now, 0.57), milliseconds(0));
  // 200 samples/s at 0.567 px: 113 px/s, 4 px in 35 ms.
  EXPECT_EQ(Feed(pace, 200, 0.567, 1, now), milliseconds(35));
  // A slow curve: no longer than the texts wait.
  EXPECT_EQ(Feed(pace, 20, 0.567, 2, now), TScrollPace::kLongest);
  // A fast one: every frame of the screen.
  EXPECT_EQ(Feed(pace, 20000, 0.567, 0.5, now), milliseconds(0));
  // A new acquisition starts over.
  Feed(pace, 200, 0.567, 1, now);
  pace.Reset();
  EXPECT_EQ(pace.Take(now + 1'000'000, 0.57), milliseconds(0));
}

}  // namespace
}  // namespace kurvex::test
