// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/blockspread.h"

#include <algorithm>
#include <cmath>

namespace kurvex {

namespace {
// How much slower than the block before a block may have come before its
// lines count as arrived after a pause: readers wake late, blocks vary.
constexpr double kSlowerAtMost = 2.0;
}  // namespace

std::int64_t SpreadFromNs(const TBlockTimes& block) {
  // A clock stepped back, or no time before: the lines came at once.
  if (!block.BeforeNs || *block.BeforeNs >= block.WallNs) return block.WallNs;
  double span = static_cast<double>(block.WallNs - *block.BeforeNs);
  if (block.BeforePerLineNs && *block.BeforePerLineNs > 0)
    span = std::min(span, *block.BeforePerLineNs * kSlowerAtMost * static_cast<double>(block.Lines));
  return block.WallNs - std::llround(span);
}

std::int64_t LineNs(const TBlockTimes& block, std::int64_t line) {
  const std::int64_t from = SpreadFromNs(block);
  const double span = static_cast<double>(block.WallNs - from);
  const auto lines = static_cast<double>(std::max<std::int64_t>(block.Lines, 1));
  return from + std::llround(span * static_cast<double>(line) / lines);
}

}  // namespace kurvex
