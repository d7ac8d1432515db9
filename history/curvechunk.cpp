// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/curvechunk.h"

#include <algorithm>
#include <limits>

namespace kurvex {

TCurveChunk::TCurveChunk(std::size_t samples, std::size_t filled)
    : m_samples(samples), m_values(std::make_unique_for_overwrite<float[]>(samples)) {
  std::size_t total = 0;
  for (std::size_t units = samples / kHistoryBlock;; units = (units + kHistoryFanOut - 1) / kHistoryFanOut) {
    m_levelStart[m_levels] = total;
    m_levelUnits[m_levels++] = units;
    total += units;
    if (units == 1) break;
  }
  // Empty summaries: what the blocks of the gap before `filled` are.
  m_summaries = std::make_unique<THistorySummary[]>(total);
  std::fill_n(m_values.get(), filled, std::numeric_limits<float>::quiet_NaN());
}

void TCurveChunk::CompleteBlock(std::size_t block) {
  m_summaries[block] = THistorySummary::Of(&m_values[block * kHistoryBlock], kHistoryBlock);
  // A unit is summarised from its children when its last child is complete.
  std::size_t unit = block;
  for (std::size_t level = 0; level + 1 < m_levels; ++level) {
    if ((unit + 1) % kHistoryFanOut != 0 && unit + 1 != m_levelUnits[level]) break;
    const std::size_t parent = unit / kHistoryFanOut;
    THistorySummary& up = m_summaries[m_levelStart[level + 1] + parent];
    up = {};
    for (std::size_t child = parent * kHistoryFanOut; child <= unit; ++child)
      up.Merge(m_summaries[m_levelStart[level] + child]);
    unit = parent;
  }
}

THistorySummary TCurveChunk::Summary(std::size_t first, std::size_t last) const {
  THistorySummary summary;
  std::size_t from = (first + kHistoryBlock - 1) / kHistoryBlock;  // the whole blocks [from, to)
  std::size_t to = (last + 1) / kHistoryBlock;
  if (from >= to) return THistorySummary::Of(&m_values[first], last + 1 - first);
  summary.Merge(THistorySummary::Of(&m_values[first], from * kHistoryBlock - first));
  summary.Merge(THistorySummary::Of(&m_values[to * kHistoryBlock], last + 1 - to * kHistoryBlock));
  // Whole units from the bottom up: the ragged ends of each level, then the
  // units of the level above that the rest makes up.
  for (std::size_t level = 0; from < to; ++level) {
    const THistorySummary* units = &m_summaries[m_levelStart[level]];
    if (level + 1 == m_levels) {
      for (; from < to; ++from) summary.Merge(units[from]);
      break;
    }
    for (; from < to && from % kHistoryFanOut != 0; ++from) summary.Merge(units[from]);
    for (; to > from && to % kHistoryFanOut != 0; --to) summary.Merge(units[to - 1]);
    from /= kHistoryFanOut;
    to /= kHistoryFanOut;
  }
  return summary;
}

std::size_t TCurveChunk::Bytes() const {
  return sizeof(*this) + m_samples * sizeof(float) + (m_levelStart[m_levels - 1] + 1) * sizeof(THistorySummary);
}

}  // namespace kurvex
