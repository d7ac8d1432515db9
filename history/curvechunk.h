// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "history/historysummary.h"

namespace kurvex {

/// Samples summarised together at the lowest level of detail.
inline constexpr std::size_t kHistoryBlock = 64;
/// Units of one level that one unit of the level above summarises.
inline constexpr std::size_t kHistoryFanOut = 16;

/// One curve's values in one chunk of the history and their level-of-detail
/// summary: a summary per block of 64 samples, and levels above it, each
/// unit summarising 16 of the level below, up to one unit for the chunk.
/// A block is summarised when its last sample arrives (and its parents when
/// their last child is), so appending touches the summaries once in 64
/// samples; a range reads whole units where it covers them and the values
/// only in the partial blocks at its two ends.
class TCurveChunk {
 public:
  /// `samples`: a power of two, at least kHistoryBlock. The positions before
  /// `filled` are gaps: the curve appeared in the middle of the chunk.
  TCurveChunk(std::size_t samples, std::size_t filled);

  /// The value at `pos`, which must be the first position not yet set.
  void Set(std::size_t pos, float value) {
    m_values[pos] = value;
    if ((pos + 1) % kHistoryBlock == 0) CompleteBlock(pos / kHistoryBlock);
  }
  float At(std::size_t pos) const { return m_values[pos]; }
  /// Over the positions first..last (both set).
  THistorySummary Summary(std::size_t first, std::size_t last) const;
  /// Over the whole chunk, once every position is set.
  const THistorySummary& Whole() const { return m_summaries[m_levelStart[m_levels - 1]]; }
  std::size_t Bytes() const;

 private:
  void CompleteBlock(std::size_t block);

  std::size_t m_samples;
  std::unique_ptr<float[]> m_values;
  /// All levels back to back: the blocks first, the chunk's unit last.
  std::unique_ptr<THistorySummary[]> m_summaries;
  std::size_t m_levels = 0;
  std::array<std::size_t, 8> m_levelStart{};
  std::array<std::size_t, 8> m_levelUnits{};
};

}  // namespace kurvex
