// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/batchtimes.h"

#include <algorithm>

#include "history/bisection.h"

namespace kurvex {

namespace {

// Time steps beyond this (36 years) start a checkpoint: the zig-zag
// code shifted by the number flag must stay within 64 bits.
constexpr std::int64_t kLongestStep = std::int64_t{1} << 60;

// Whether `to - from` lies within kLongestStep either way; unsigned, since
// an opened file's times may lie further apart than std::int64_t reaches.
bool Near(std::int64_t from, std::int64_t to) {
  const auto a = static_cast<std::uint64_t>(from), b = static_cast<std::uint64_t>(to);
  return (to >= from ? b - a : a - b) < static_cast<std::uint64_t>(kLongestStep);
}

std::uint64_t ZigZag(std::int64_t v) {
  return (static_cast<std::uint64_t>(v) << 1) ^ static_cast<std::uint64_t>(v >> 63);
}
std::int64_t UnZigZag(std::uint64_t z) { return static_cast<std::int64_t>(z >> 1) ^ -static_cast<std::int64_t>(z & 1); }

std::uint64_t Get(const std::uint8_t*& p) {
  std::uint64_t value = 0;
  for (unsigned shift = 0;; shift += 7) {
    const std::uint8_t byte = *p++;
    value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0) return value;
  }
}

}  // namespace

void TBatchTimes::Put(std::uint64_t value) {
  std::uint8_t* p = Byte(m_end);
  for (; value >= 0x80; value >>= 7, ++m_end) *p++ = static_cast<std::uint8_t>(value | 0x80);
  *p = static_cast<std::uint8_t>(value);
  ++m_end;
}

void TBatchTimes::AddBatch(std::int64_t number, std::int64_t wallNs) {
  const bool near = wallNs != kUnknown && m_lastWallNs != kUnknown && Near(m_lastWallNs, wallNs);
  const std::int64_t step = near ? wallNs - m_lastWallNs : 0;
  const bool checkpoint = m_checkpoints.empty() || m_checkpoints.back().Batches == kBatchesPerCheckpoint || !near;
  if (m_pages.empty() || kPageBytes - m_end % kPageBytes < kEntryRoom) {
    // Entries never straddle a page; a new page starts a checkpoint, which
    // the walk then reads from its first byte.
    m_end = m_pages.size() * kPageBytes;
    m_pages.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(kPageBytes));
    m_checkpoints.push_back({number, wallNs, static_cast<std::uint32_t>(m_end), 1});
  } else if (checkpoint) {
    m_checkpoints.push_back({number, wallNs, static_cast<std::uint32_t>(m_end), 1});
  } else {
    const std::int64_t numberStep = number - m_lastNumber;
    Put(ZigZag(step) << 1 | (numberStep != 1 ? 1u : 0u));
    if (numberStep != 1) Put(static_cast<std::uint64_t>(numberStep));
    ++m_checkpoints.back().Batches;
  }
  m_lastNumber = number;
  m_lastWallNs = wallNs;
}

/// The entries in order from a checkpoint on.
class TBatchTimes::TReader {
 public:
  TReader(const TBatchTimes& times, std::size_t checkpoint) : m_times(times), m_checkpoint(checkpoint) { Load(); }

  bool Done() const { return m_checkpoint == m_times.m_checkpoints.size(); }
  TBatchEntry Entry() const { return {m_number, m_wallNs == kUnknown ? std::nullopt : std::optional(m_wallNs)}; }
  /// The index of the checkpoint the entry is; nothing for one after it.
  std::optional<std::size_t> Checkpoint() const { return m_batch == 0 ? std::optional(m_checkpoint) : std::nullopt; }
  void Next() {
    if (++m_batch == m_times.m_checkpoints[m_checkpoint].Batches) {
      ++m_checkpoint;
      Load();
      return;
    }
    const std::uint64_t code = Get(m_p);
    m_number += (code & 1) != 0 ? static_cast<std::int64_t>(Get(m_p)) : 1;
    m_wallNs += UnZigZag(code >> 1);
  }

 private:
  void Load() {
    if (Done()) return;
    const TCheckpoint& checkpoint = m_times.m_checkpoints[m_checkpoint];
    m_number = checkpoint.Number;
    m_wallNs = checkpoint.WallNs;
    m_batch = 0;
    if (checkpoint.Batches > 1) m_p = m_times.Byte(checkpoint.Offset);
  }

  const TBatchTimes& m_times;
  std::size_t m_checkpoint;
  std::uint32_t m_batch = 0;  // within the checkpoint's entries
  const std::uint8_t* m_p = nullptr;
  std::int64_t m_number = 0;
  std::int64_t m_wallNs = 0;
};

template <class Reached>
TBatchTimes::TTrail TBatchTimes::Walk(std::size_t from, std::size_t before, Reached reached) const {
  for (;; --from) {
    TTrail trail;
    for (TReader reader(*this, from); !reader.Done(); reader.Next()) {
      const TBatchEntry entry = reader.Entry();
      if (reached(entry, reader.Checkpoint())) {
        trail.Reached = entry;
        reader.Next();
        if (!reader.Done()) trail.NextNumber = reader.Entry().Number;
        break;
      }
      trail.Last = {trail.Last[1], trail.Last[2], entry};
      trail.Count = std::min(trail.Count + 1, trail.Last.size());
    }
    if (trail.Count >= before || from == 0) return trail;
  }
}

std::optional<std::int64_t> TBatchTimes::At(std::int64_t number) const {
  const std::optional<TBatchWindow> window = WindowOf(number, 0);
  return window ? window->Entry.WallNs : std::nullopt;
}

std::optional<TBatchWindow> TBatchTimes::Around(std::int64_t number) const { return WindowOf(number, 2); }

std::optional<TBatchWindow> TBatchTimes::WindowOf(std::int64_t number, std::size_t before) const {
  auto after = std::upper_bound(m_checkpoints.begin(), m_checkpoints.end(), number,
                                [](std::int64_t n, const TCheckpoint& c) { return n < c.Number; });
  if (after == m_checkpoints.begin()) return std::nullopt;
  // The walk stops at the batch after the one of `number`.
  const TTrail trail = Walk(static_cast<std::size_t>(after - m_checkpoints.begin()) - 1, before + 1,
                            [number](const TBatchEntry& entry, auto) { return entry.Number > number; });
  return TBatchWindow{trail.Back(2), trail.Back(1), *trail.Back(0),
                      trail.Reached ? std::optional(trail.Reached->Number) : std::nullopt};
}

std::int64_t TBatchTimes::KnownFrom(std::size_t index) const {
  if (m_checkpoints[index].WallNs != kUnknown) return m_checkpoints[index].WallNs;
  return index + 1 < m_checkpoints.size() ? m_checkpoints[index + 1].WallNs : std::numeric_limits<std::int64_t>::max();
}

std::optional<TBatchWindow> TBatchTimes::FirstAtOrAfterNs(std::int64_t ns) const {
  // The first known time from checkpoint `first - 1` on is below ns, the
  // first from `first` on is not: the batch lies after the one, at the
  // other or just after it (when the other's time is not known).
  if (m_checkpoints.empty()) return std::nullopt;
  const std::size_t first = FirstNotBefore(m_checkpoints.size(), [&](std::size_t i) { return KnownFrom(i) < ns; });
  const TTrail trail =
      Walk(first > 0 ? first - 1 : 0, 2, [&](const TBatchEntry& entry, std::optional<std::size_t> checkpoint) {
        // Times that went backwards end the walk at the first known time from `first` on.
        return entry.WallNs && (*entry.WallNs >= ns || (checkpoint && *checkpoint >= first));
      });
  if (!trail.Reached) return std::nullopt;
  return TBatchWindow{trail.Back(1), trail.Back(0), *trail.Reached, trail.NextNumber};
}

std::size_t TBatchTimes::Bytes() const {
  return m_pages.size() * kPageBytes + m_pages.capacity() * sizeof(m_pages[0]) +
         m_checkpoints.capacity() * sizeof(TCheckpoint);
}

}  // namespace kurvex
