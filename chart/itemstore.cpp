// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/itemstore.h"

#include <algorithm>
#include <cstring>

#include "platform/system/zeropages.h"

namespace kurvex {

TItemStore::TItemStore(const TItemStore& other) {
  Assign(other.Items(), other.m_count);
}

namespace {

// Slides shorter than this are not worth a move.
constexpr int kMinSlide = 4096;

std::size_t Bytes(int slots) { return static_cast<std::size_t>(slots) * sizeof(TChartItem); }

// Growing by 800000 slots must not mean writing 83 MB of zeros.
TChartItem* MapZeroedSlots(int slots) { return static_cast<TChartItem*>(AllocateZeroPages(Bytes(slots))); }

void UnmapSlots(TChartItem* items, int slots) { FreeZeroPages(items, Bytes(slots)); }

}  // namespace

TItemStore::~TItemStore() { UnmapSlots(m_items, m_capacity); }

void TItemStore::Reallocate(int capacity) {
  TChartItem* fresh = MapZeroedSlots(capacity);
  if (m_count > 0) std::memcpy(fresh, Items(), Bytes(m_count));
  UnmapSlots(m_items, m_capacity);
  m_items = fresh;
  m_head = 0;
  m_capacity = capacity;
}

void TItemStore::Compact() {
  std::memmove(m_items, Items(), Bytes(m_count));
  // Vacated slots must read as fresh when they are appended to again.
  std::memset(m_items + m_count, 0, Bytes(m_head));
  m_head = 0;
}

TChartItem& TItemStore::Append(int growStep) {
  if (m_head + m_count >= m_capacity) {
    if (m_head > 0) {
      Compact();
    } else {
      Reallocate(m_capacity + growStep);
    }
  }
  TChartItem& slot = m_items[m_head + m_count++];
  return slot;
}

bool TItemStore::Remove(int index) {
  if (index < 0 || index >= m_count) return false;
  if (m_count == 1) {
    Clear();
    return true;
  }
  if (index == 0) {
    // The slot is zeroed when Compact hands it out again.
    ++m_head;
    --m_count;
    // A scrolling window moves back to the first slot once it has slid by
    // its own length: it then touches a bounded run of slots (flat memory),
    // and each move costs no more than one render of the items.
    if (m_head >= std::max(m_count, kMinSlide)) Compact();
    return true;
  }
  TChartItem* items = Items();
  std::memmove(items + index, items + index + 1, Bytes(m_count - index - 1));
  --m_count;
  // The vacated slot must read as fresh when it is appended to again.
  std::memset(items + m_count, 0, sizeof(TChartItem));
  return true;
}

void TItemStore::Clear() {
  UnmapSlots(m_items, m_capacity);
  m_items = nullptr;
  m_head = 0;
  m_count = 0;
  m_capacity = 0;
}

void TItemStore::Assign(const TChartItem* items, int count) {
  if (count > m_capacity) {
    m_count = 0;
    Reallocate(count);
  }
  // Slots that held items and do not now read as fresh.
  const int used = m_head + m_count;
  m_head = 0;
  if (count > 0) std::memcpy(m_items, items, Bytes(count));
  if (used > count) std::memset(m_items + count, 0, Bytes(used - count));
  m_count = count;
}

}  // namespace kurvex
