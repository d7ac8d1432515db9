// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/batchtimes.h"

#include <algorithm>

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

std::optional<std::int64_t> TBatchTimes::At(std::int64_t number) const {
  auto after = std::upper_bound(m_checkpoints.begin(), m_checkpoints.end(), number,
                                [](std::int64_t n, const TCheckpoint& c) { return n < c.Number; });
  if (after == m_checkpoints.begin()) return std::nullopt;
  const TCheckpoint& checkpoint = *(after - 1);
  std::int64_t batchNumber = checkpoint.Number;
  std::int64_t wallNs = checkpoint.WallNs;
  const std::uint8_t* p = Byte(checkpoint.Offset);
  for (std::uint32_t batch = 1; batch < checkpoint.Batches; ++batch) {
    const std::uint64_t code = Get(p);
    const std::int64_t numberStep = (code & 1) != 0 ? static_cast<std::int64_t>(Get(p)) : 1;
    if (batchNumber + numberStep > number) break;
    batchNumber += numberStep;
    wallNs += UnZigZag(code >> 1);
  }
  if (wallNs == kUnknown) return std::nullopt;
  return wallNs;
}

std::size_t TBatchTimes::Bytes() const {
  return m_pages.size() * kPageBytes + m_pages.capacity() * sizeof(m_pages[0]) +
         m_checkpoints.capacity() * sizeof(TCheckpoint);
}

}  // namespace kurvex
