// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <span>

#include "history/batchtimes.h"
#include "history/blockspread.h"
#include "history/curvechunk.h"
#include "history/historysummary.h"
#include "intake/intakestate.h"

namespace kurvex {

/// Samples per curve in one chunk of the history: the unit that is
/// allocated at once and dropped at once (4 MiB of values).
inline constexpr std::size_t kHistoryChunkSamples = std::size_t{1} << 20;

/// Every sample of an acquisition: per curve its scaled value (single
/// precision; NaN where a line had no value for the curve), and the wall
/// time of the batch that brought it, where it is known. Sample numbers count from 1 like the
/// intake's. The samples of one batch time form a block, spread in time
/// since the block before (TBlockTimes), so each sample has a time of its
/// own (SampleNs) and a time finds its sample (FirstAtOrAfterNs).
///
/// Values live in chunks that are never moved, with a level-of-detail
/// summary per chunk and curve (TCurveChunk), so a range is summarised from
/// a few hundred summaries at most, however long. One curve costs about 4.8
/// bytes per sample with the batch times of a fast instrument, and under 10
/// with one line per batch. Beyond the budget the oldest chunk leaves, all
/// curves together. Single-threaded.
class THistory {
 public:
  /// `chunkSamples`: a power of two from kHistoryBlock to 2^30.
  explicit THistory(std::size_t budgetBytes = std::size_t{256} << 20, std::size_t chunkSamples = kHistoryChunkSamples);

  /// A new acquisition (or a recording opened): empty, numbers from 1.
  /// `startWallNs`: when it started, the time the first block's lines are
  /// spread since (nothing: not known).
  void Clear(std::optional<std::int64_t> startWallNs = std::nullopt);
  /// Sample LastNumber()+1 at `wallNs` (nothing: not known); values[k] is
  /// curve k+1 (only where present bit k is set; others are a gap).
  void Append(std::optional<std::int64_t> wallNs, std::span<const float> values, std::uint16_t present);

  /// The first sample still held: 1 until the budget drops the oldest.
  std::int64_t FirstNumber() const { return FirstOf(m_firstChunk); }
  /// 0 when empty.
  std::int64_t LastNumber() const { return m_lastNumber; }
  /// Curves seen so far (highest present bit + 1).
  std::size_t Curves() const { return m_curves; }
  /// NaN for a gap or a number not held.
  float Value(std::size_t curve, std::int64_t number) const;
  /// The batch time; nothing when not known or not held.
  std::optional<std::int64_t> WallNs(std::int64_t number) const;
  /// Where sample `number` lies in wall ns: line j of a block of n lies at
  /// LineNs of the block's times (the block before's, the start's for the
  /// first block); nothing when it is not held or its time is not known.
  std::optional<std::int64_t> SampleNs(std::int64_t number) const;
  /// The first held sample whose SampleNs is at least `ns`: FirstNumber()
  /// when ns is before all, LastNumber()+1 when none is. Takes the times
  /// not to go backwards; where a clock was set back, some number in that
  /// range.
  std::int64_t FirstAtOrAfterNs(std::int64_t ns) const;
  /// Over the held samples in [from, to] (clipped).
  THistorySummary Summary(std::size_t curve, std::int64_t from, std::int64_t to) const;
  /// out[c] = Summary over the samples whose number n satisfies
  /// from + c*w <= n < from + (c+1)*w, w = (to-from)/out.size(): the
  /// min/max envelope per pixel column, whose runs are fractional.
  void Columns(std::size_t curve, double from, double to, std::span<THistorySummary> out) const;
  /// Bytes of values, times and summaries (the chunks as allocated).
  std::size_t BytesUsed() const;

 private:
  /// Blocks, each as its first sample and time, oldest first. The start of
  /// a run is a block of no lines at sample 1.
  using TBlockMarks = std::array<TBatchEntry, 3>;
  struct TChunk {
    std::array<std::unique_ptr<TCurveChunk>, kMaxCurves> Curves;
    TBatchTimes Times;
    /// The block of its first sample (which may have begun in a chunk
    /// before) and the two before it.
    TBlockMarks Head;
    /// The first sample after its last block; 0 while that block runs.
    std::int64_t NextBlockNumber = 0;
    /// The last time known before its first sample.
    std::optional<std::int64_t> KnownBeforeNs;
    std::size_t Bytes() const;
  };
  /// The samples of one batch time: the first and their times.
  struct TBlock {
    std::int64_t First;
    TBlockTimes Times;
  };

  static TBlockMarks RunStart(std::optional<std::int64_t> startWallNs) {
    return {TBatchEntry{1, std::nullopt}, TBatchEntry{1, std::nullopt}, TBatchEntry{1, startWallNs}};
  }

  /// Makes room for the chunk that starts with the next sample, then adds it.
  void StartChunk();
  /// Curves up to `curves` join in the current chunk at `pos`, gaps before.
  void AddCurves(std::size_t curves, std::size_t pos);
  /// Frees the oldest chunk; `used` is the bytes used, less it after.
  void DropOldest(std::size_t& used);
  /// Sample `number` begins a block at `wallNs`.
  void BeginBlock(std::int64_t number, std::optional<std::int64_t> wallNs);
  /// The block of `window` (an entry of `chunk`, whose first sample is
  /// `chunkFirst`); nothing when its time is not known.
  std::optional<TBlock> BlockOf(const TChunk& chunk, std::int64_t chunkFirst, const TBatchWindow& window) const;
  /// The chunk holding `number`; null when it is not held.
  const TChunk* ChunkOf(std::int64_t number) const;
  /// Chunks are counted since sample 1, dropped ones too.
  std::int64_t ChunkIndex(std::int64_t number) const { return (number - 1) >> m_chunkShift; }
  std::int64_t FirstOf(std::int64_t chunkIndex) const {
    return chunkIndex * static_cast<std::int64_t>(m_chunkSamples) + 1;
  }
  std::size_t Position(std::int64_t number) const {
    return static_cast<std::size_t>(number - 1) & (m_chunkSamples - 1);
  }

  std::size_t m_budgetBytes;
  std::size_t m_chunkSamples;
  unsigned m_chunkShift = 0;
  std::deque<TChunk> m_chunks;
  std::int64_t m_firstChunk = 0;  // index of m_chunks.front() since sample 1
  std::int64_t m_lastNumber = 0;
  std::size_t m_curves = 0;
  TBlockMarks m_recent = RunStart(std::nullopt);  // the newest block and the two before it
  std::optional<std::int64_t> m_lastKnownNs;      // of the newest sample whose time is known
};

}  // namespace kurvex
