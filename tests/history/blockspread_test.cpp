// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "history/blockspread.h"

namespace kurvex {
namespace {

// 300 years apart, or as far as int64 reaches: the lines come at once.
TEST(BlockSpreadTest, BlocksCenturiesApartKeepTheirLinesWithinTheBlock) {
  constexpr std::int64_t kYearNs = 31'556'952'000'000'000, kMax = std::numeric_limits<std::int64_t>::max();
  for (std::int64_t line = 1; line <= 4; ++line) {
    EXPECT_EQ(LineNs({kMax, 4, std::numeric_limits<std::int64_t>::min(), 1e18}, line), kMax);
    EXPECT_EQ(LineNs({kYearNs * 200, 4, -kYearNs * 100, std::nullopt}, line), kYearNs * 200);
    EXPECT_EQ(LineNs({kYearNs * 50, 4, kYearNs * 49, std::nullopt}, line), kYearNs * 49 + kYearNs * line / 4);
  }
}

}  // namespace
}  // namespace kurvex
