// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstddef>
#include <memory>
#include <span>

namespace kurvex {

/// A bounded queue from one producer (the sample path) to one consumer (the
/// writer thread), without locks: Push never waits, it reports a full queue
/// instead. The slots are not touched before they are first used, so a
/// large queue costs memory only as far as it fills.
template <class T>
class TSpscQueue {
 public:
  /// capacity is rounded up to a power of two.
  explicit TSpscQueue(std::size_t capacity)
      : m_capacity(std::bit_ceil(std::max<std::size_t>(capacity, 1))),
        m_mask(m_capacity - 1),
        m_slots(std::make_unique_for_overwrite<T[]>(m_capacity)) {}

  std::size_t Capacity() const { return m_capacity; }

  /// Producer only: room for `count` more items.
  bool HasRoom(std::size_t count) const {
    return m_capacity - (m_tail.load(std::memory_order_relaxed) - m_head.load(std::memory_order_acquire)) >= count;
  }
  /// Producer only. False when the queue is full (the item is not queued).
  bool Push(const T& item) { return PushAll({&item, 1}); }
  /// Producer only: queues all of `items` or, when they do not fit, none.
  bool PushAll(std::span<const T> items) {
    if (!HasRoom(items.size())) return false;
    const std::size_t tail = m_tail.load(std::memory_order_relaxed);
    for (std::size_t i = 0; i < items.size(); ++i) m_slots[(tail + i) & m_mask] = items[i];
    m_tail.store(tail + items.size(), std::memory_order_release);
    return true;
  }

  /// Consumer only: the oldest queued items that lie in one piece (possibly
  /// fewer than are queued, at most `limit`). They stay valid until Release.
  std::span<const T> Peek(std::size_t limit) const {
    const std::size_t head = m_head.load(std::memory_order_relaxed);
    const std::size_t queued = m_tail.load(std::memory_order_acquire) - head;
    const std::size_t start = head & m_mask;
    return {m_slots.get() + start, std::min({queued, limit, m_capacity - start})};
  }
  /// Consumer only: frees the `count` oldest items.
  void Release(std::size_t count) {
    m_head.store(m_head.load(std::memory_order_relaxed) + count, std::memory_order_release);
  }
  /// Consumer only: frees everything queued.
  void Drain() {
    for (auto items = Peek(m_capacity); !items.empty(); items = Peek(m_capacity)) Release(items.size());
  }

 private:
  std::size_t m_capacity;
  std::size_t m_mask;
  std::unique_ptr<T[]> m_slots;
  // Apart, so producer and consumer do not share a cache line.
  alignas(64) std::atomic<std::size_t> m_head{0};
  alignas(64) std::atomic<std::size_t> m_tail{0};
};

}  // namespace kurvex
