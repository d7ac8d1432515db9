#include "chart/itemstore.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace kurvex {

TItemStore::TItemStore(const TItemStore& other) {
  Assign(other.m_items, other.m_count);
}

TItemStore::~TItemStore() { std::free(m_items); }

void TItemStore::Reallocate(int capacity) {
  // calloc of a large block maps zero pages lazily: growing by 800000 slots
  // must not cost writing 83 MB of zeros.
  auto* fresh = static_cast<TChartItem*>(std::calloc(static_cast<std::size_t>(capacity), sizeof(TChartItem)));
  if (!fresh) throw std::bad_alloc();
  if (m_count > 0) std::memcpy(fresh, m_items, static_cast<std::size_t>(m_count) * sizeof(TChartItem));
  std::free(m_items);
  m_items = fresh;
  m_capacity = capacity;
}

TChartItem& TItemStore::Append(int growStep) {
  if (m_count >= m_capacity) Reallocate(m_capacity + growStep);
  TChartItem& slot = m_items[m_count++];
  return slot;
}

bool TItemStore::Remove(int index) {
  if (index < 0 || index >= m_count) return false;
  if (m_count == 1) {
    Clear();
    return true;
  }
  std::memmove(m_items + index, m_items + index + 1,
               static_cast<std::size_t>(m_count - index - 1) * sizeof(TChartItem));
  --m_count;
  // The vacated slot must read as fresh when it is appended to again.
  std::memset(m_items + m_count, 0, sizeof(TChartItem));
  return true;
}

void TItemStore::Clear() {
  std::free(m_items);
  m_items = nullptr;
  m_count = 0;
  m_capacity = 0;
}

void TItemStore::Assign(const TChartItem* items, int count) {
  if (count > m_capacity) {
    m_count = 0;
    Reallocate(count);
  }
  if (count > 0) std::memcpy(m_items, items, static_cast<std::size_t>(count) * sizeof(TChartItem));
  if (m_count > count)
    std::memset(m_items + count, 0, static_cast<std::size_t>(m_count - count) * sizeof(TChartItem));
  m_count = count;
}

}  // namespace kurvex
