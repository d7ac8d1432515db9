// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace kurvex {

/// One block of lines read at once, and what came before it: the lines of
/// a block arrived since the block before, so they are spread evenly over
/// that time (a fast instrument draws no stairs). A block after a pause is
/// held to at most twice the time per line of the block before it, so the
/// pause stays a pause and its first lines are not smeared across it.
struct TBlockTimes {
  std::int64_t WallNs = 0;  ///< when the block was read
  std::int64_t Lines = 1;   ///< lines it brought, at least 1
  /// When the block before was read; nothing for the first block of a run
  /// whose start is not known either (its lines all lie at WallNs).
  std::optional<std::int64_t> BeforeNs;
  /// The block before's own time per line (its span since the block before
  /// it, over its lines); nothing when not known.
  std::optional<double> BeforePerLineNs;
};

/// Where line `line` (1..Lines) of `block` lies in wall ns: the last at
/// WallNs, the others evenly before it.
std::int64_t LineNs(const TBlockTimes& block, std::int64_t line);

/// A block's own time per line, the BeforePerLineNs of the block after it:
/// its span since the block before it over its `lines`; nothing when a time
/// is not known or the span is not positive (a clock set back).
std::optional<double> PerLineNs(std::optional<std::int64_t> beforeNs, std::optional<std::int64_t> wallNs,
                                std::int64_t lines);

/// Where the block's spread begins: line j lies at From + (WallNs - From) * j / Lines.
std::int64_t SpreadFromNs(const TBlockTimes& block);

}  // namespace kurvex
