// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/rowqueue.h"

#include <algorithm>
#include <bit>

namespace kurvex {

TRowQueue::TRowQueue(std::size_t capacity)
    : m_slots(std::bit_ceil(std::max<std::size_t>(capacity, 1))), m_mask(m_slots.size() - 1) {}

std::span<const TRecordRow> TRowQueue::Peek(std::size_t limit) const {
  const std::size_t head = m_head.load(std::memory_order_relaxed);
  const std::size_t queued = m_tail.load(std::memory_order_acquire) - head;
  const std::size_t start = head & m_mask;
  const std::size_t inOnePiece = std::min({queued, limit, m_slots.size() - start});
  return {m_slots.data() + start, inOnePiece};
}

}  // namespace kurvex
