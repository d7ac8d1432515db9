// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstddef>
#include <span>
#include <vector>

#include "recording/recordrow.h"

namespace kurvex {

/// A bounded queue of rows from one producer (the sample path) to one
/// consumer (the writer thread), without locks: Push never waits, it
/// reports a full queue instead.
class TRowQueue {
 public:
  /// capacity is rounded up to a power of two.
  explicit TRowQueue(std::size_t capacity);

  std::size_t Capacity() const { return m_slots.size(); }

  /// Producer only. False when the queue is full (the row is not queued).
  bool Push(const TRecordRow& row) {
    const std::size_t tail = m_tail.load(std::memory_order_relaxed);
    if (tail - m_head.load(std::memory_order_acquire) == m_slots.size()) return false;
    m_slots[tail & m_mask] = row;
    m_tail.store(tail + 1, std::memory_order_release);
    return true;
  }

  /// Consumer only: the oldest queued rows that lie in one piece (possibly
  /// fewer than are queued, at most `limit`). They stay valid until Release.
  std::span<const TRecordRow> Peek(std::size_t limit) const;
  /// Consumer only: frees the `count` oldest rows.
  void Release(std::size_t count) {
    m_head.store(m_head.load(std::memory_order_relaxed) + count, std::memory_order_release);
  }

 private:
  std::vector<TRecordRow> m_slots;
  std::size_t m_mask;
  // Apart, so producer and consumer do not share a cache line.
  alignas(64) std::atomic<std::size_t> m_head{0};
  alignas(64) std::atomic<std::size_t> m_tail{0};
};

}  // namespace kurvex
