// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace kurvex {

/// One batch: the first sample it brought and when it was read (nothing:
/// not known).
struct TBatchEntry {
  std::int64_t Number = 0;
  std::optional<std::int64_t> WallNs;
};

/// A batch with the two before it and where the one after it begins: what
/// spreading its lines over time needs.
struct TBatchWindow {
  std::optional<TBatchEntry> SecondBefore;  ///< nothing for the first two batches
  std::optional<TBatchEntry> Before;        ///< nothing for the first batch
  TBatchEntry Entry;
  /// The first sample of the batch after it; nothing for the last batch.
  std::optional<std::int64_t> NextNumber;
};

/// The wall times of the batches that brought a run of samples: one entry
/// per batch, (first sample number, wall ns). A slow instrument sends one
/// line per batch, so an entry must cost less than the sample's own value:
/// entries after a checkpoint are the differences to the one before, a
/// number step of 1 folded into the time step's varint (4 bytes for a
/// batch every 10 ms), and a checkpoint with the full numbers every 64
/// entries keeps a look-up, by number or by time, to a binary search and a
/// short walk. Pages are never moved or reallocated; what was written stays
/// where it is.
class TBatchTimes {
 public:
  /// Sample `number` (rising from call to call) came with the batch read at
  /// `wallNs` (nothing: its time is not known); a new entry when the time
  /// differs from the last one's.
  void Add(std::int64_t number, std::optional<std::int64_t> wallNs) {
    const std::int64_t stored = wallNs.value_or(kUnknown);
    if (!m_checkpoints.empty() && stored == m_lastWallNs) return;
    AddBatch(number, stored);
  }
  /// The time of the batch of `number`; nothing before the first entry or
  /// when it is not known.
  std::optional<std::int64_t> At(std::int64_t number) const;
  /// The batch of `number` with its neighbours; nothing before the first entry.
  std::optional<TBatchWindow> Around(std::int64_t number) const;
  /// The first batch whose known time is at least `ns`, with its neighbours;
  /// nothing when none is. Assumes the times do not go backwards; where
  /// they do, the answer is some batch near it or nothing.
  std::optional<TBatchWindow> FirstAtOrAfterNs(std::int64_t ns) const;
  std::size_t Bytes() const;

 private:
  struct TCheckpoint {
    std::int64_t Number;
    std::int64_t WallNs;
    std::uint32_t Offset;   // of the entries after it, in the pages
    std::uint32_t Batches;  // its own and those after it
  };
  /// A time not known, as stored: an entry of it and the one after it are
  /// checkpoints, so no step leads to or from it.
  static constexpr std::int64_t kUnknown = std::numeric_limits<std::int64_t>::min();
  static constexpr std::size_t kPageBytes = 4096;
  static constexpr std::uint32_t kBatchesPerCheckpoint = 64;
  /// Room one entry may need: two varints, the longest 9 bytes.
  static constexpr std::size_t kEntryRoom = 16;

  class TReader;
  /// The entries read up to the first that a walk looks for.
  struct TTrail {
    std::array<TBatchEntry, 3> Last;         // the last read before it, newest last
    std::size_t Count = 0;                   // of Last that were read, 3 at most
    std::optional<TBatchEntry> Reached;      // nothing: the end came first
    std::optional<std::int64_t> NextNumber;  // of the entry after Reached
    /// The entry `back` places before the newest of Last, if read.
    std::optional<TBatchEntry> Back(std::size_t back) const {
      return back < Count ? std::optional(Last[Last.size() - 1 - back]) : std::nullopt;
    }
  };

  void AddBatch(std::int64_t number, std::int64_t wallNs);
  /// The batch of `number` with up to `before` batches before it.
  std::optional<TBatchWindow> WindowOf(std::int64_t number, std::size_t before) const;
  /// Reads from checkpoint `from` on to the first entry for which
  /// `reached(entry, checkpoint)` holds (checkpoint: the index of the
  /// checkpoint the entry is, or nothing); starts a checkpoint earlier
  /// while fewer than `before` entries come before it.
  template <class Reached>
  TTrail Walk(std::size_t from, std::size_t before, Reached reached) const;
  /// The time of the first known entry from checkpoint `index` on, as
  /// stored (an unknown entry is followed by a checkpoint); the highest
  /// time when none is.
  std::int64_t KnownFrom(std::size_t index) const;
  void Put(std::uint64_t value);
  std::uint8_t* Byte(std::size_t offset) const { return m_pages[offset / kPageBytes].get() + offset % kPageBytes; }

  std::vector<TCheckpoint> m_checkpoints;
  std::vector<std::unique_ptr<std::uint8_t[]>> m_pages;
  std::size_t m_end = 0;  // offset of the next entry's first byte
  std::int64_t m_lastNumber = 0;
  std::int64_t m_lastWallNs = 0;
};

}  // namespace kurvex
