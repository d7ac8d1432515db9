// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

#include "chart/chartitem.h"

namespace kurvex {

/// The growable array of drawing items. Grows in steps of a given number of
/// slots; fresh slots are zero (fresh pages, so a large step costs address
/// space, not the writing of zeros). Charts that share data share one
/// store object. GUI thread only.
class TItemStore {
 public:
  TItemStore() = default;
  TItemStore(const TItemStore& other);
  TItemStore& operator=(const TItemStore&) = delete;
  ~TItemStore();

  int Count() const { return m_count; }
  int Capacity() const { return m_capacity; }
  const TChartItem* Items() const { return m_items + m_head; }
  TChartItem* Items() { return m_items + m_head; }
  const TChartItem& operator[](int index) const { return m_items[m_head + index]; }

  /// The zero-filled slot at index Count, growing by growStep slots when full;
  /// Count grows by one. Throws std::bad_alloc when memory runs out.
  TChartItem& Append(int growStep);
  /// Removes one item; later items move down. Removing the first item
  /// costs no move (a scrolling window removes it per sample): the items
  /// start one slot later, and once they have slid by their own number
  /// (at least a few thousand slots) they move back to the first slot, so a
  /// scrolling store keeps reusing a bounded run of slots. Removing the last
  /// remaining item releases the store. Returns false for an index out of
  /// range.
  bool Remove(int index);
  /// Releases all slots.
  void Clear();
  /// Replaces the contents with count items; capacity becomes at least count.
  void Assign(const TChartItem* items, int count);

 private:
  void Reallocate(int capacity);
  /// Moves the items to the first slot and zeroes the slots they leave.
  void Compact();

  TChartItem* m_items = nullptr;
  int m_head = 0;  ///< slot of item 0
  int m_count = 0;
  int m_capacity = 0;
};

}  // namespace kurvex
