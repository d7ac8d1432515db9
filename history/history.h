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
/// intake's.
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
  void Clear();
  /// Sample LastNumber()+1 at `wallNs` (nothing: not known); values[k] is
  /// curve k+1 (only where present bit k is set; others are a gap).
  void Append(std::optional<std::int64_t> wallNs, std::span<const float> values, std::uint16_t present);

  /// The first sample still held: 1 until the budget drops the oldest.
  std::int64_t FirstNumber() const { return m_firstChunk * static_cast<std::int64_t>(m_chunkSamples) + 1; }
  /// 0 when empty.
  std::int64_t LastNumber() const { return m_lastNumber; }
  /// Curves seen so far (highest present bit + 1).
  std::size_t Curves() const { return m_curves; }
  /// NaN for a gap or a number not held.
  float Value(std::size_t curve, std::int64_t number) const;
  /// The batch time; nothing when not known or not held.
  std::optional<std::int64_t> WallNs(std::int64_t number) const;
  /// Over the held samples in [from, to] (clipped).
  THistorySummary Summary(std::size_t curve, std::int64_t from, std::int64_t to) const;
  /// out[c] = Summary over the samples whose number n satisfies
  /// from + c*w <= n < from + (c+1)*w, w = (to-from)/out.size(): the
  /// min/max envelope per pixel column, whose runs are fractional.
  void Columns(std::size_t curve, double from, double to, std::span<THistorySummary> out) const;
  /// Bytes of values, times and summaries (the chunks as allocated).
  std::size_t BytesUsed() const;

 private:
  struct TChunk {
    std::array<std::unique_ptr<TCurveChunk>, kMaxCurves> Curves;
    TBatchTimes Times;
    std::size_t Bytes() const;
  };

  /// Makes room for the chunk that starts with the next sample, then adds it.
  void StartChunk();
  /// Curves up to `curves` join in the current chunk at `pos`, gaps before.
  void AddCurves(std::size_t curves, std::size_t pos);
  /// Frees the oldest chunk; `used` is the bytes used, less it after.
  void DropOldest(std::size_t& used);
  /// The chunk holding `number`; null when it is not held.
  const TChunk* ChunkOf(std::int64_t number) const;
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
};

}  // namespace kurvex
