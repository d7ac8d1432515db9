// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/blockspread.h"

#include <algorithm>
#include <cmath>

namespace kurvex {

namespace {
// How much slower than the block before a block may have come before its
// lines count as arrived after a pause: readers wake late, blocks vary.
constexpr double kSlowerAtMost = 2.0;
// Blocks further apart than this (146 years; an opened file may hold any
// year) count as having no time before: every span stays within int64.
constexpr std::uint64_t kLongestSpreadNs = std::uint64_t{1} << 62;

// A block brings at least one line, also where the caller says none.
std::int64_t Lines(const TBlockTimes& block) { return std::max<std::int64_t>(block.Lines, 1); }

// `to - from` for from < to; unsigned, since the two may lie further apart
// than std::int64_t reaches.
std::uint64_t Gap(std::int64_t from, std::int64_t to) {
  return static_cast<std::uint64_t>(to) - static_cast<std::uint64_t>(from);
}
}  // namespace

std::optional<double> PerLineNs(std::optional<std::int64_t> beforeNs, std::optional<std::int64_t> wallNs,
                                std::int64_t lines) {
  if (!beforeNs || !wallNs || *beforeNs >= *wallNs || lines < 1) return std::nullopt;
  return static_cast<double>(Gap(*beforeNs, *wallNs)) / static_cast<double>(lines);
}

std::int64_t SpreadFromNs(const TBlockTimes& block) {
  // A clock stepped back, or no time before: the lines came at once.
  if (!block.BeforeNs || *block.BeforeNs >= block.WallNs) return block.WallNs;
  const std::uint64_t gap = Gap(*block.BeforeNs, block.WallNs);
  if (gap > kLongestSpreadNs) return block.WallNs;
  double span = static_cast<double>(gap);
  if (block.BeforePerLineNs && *block.BeforePerLineNs > 0)
    span = std::min(span, *block.BeforePerLineNs * kSlowerAtMost * static_cast<double>(Lines(block)));
  return block.WallNs - std::llround(span);
}

std::int64_t LineNs(const TBlockTimes& block, std::int64_t line) {
  const std::int64_t from = SpreadFromNs(block);
  const double span = static_cast<double>(block.WallNs - from);
  const auto lines = static_cast<double>(Lines(block));
  return from + std::llround(span * static_cast<double>(line) / lines);
}

}  // namespace kurvex
