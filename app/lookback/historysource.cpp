// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lookback/historysource.h"

#include <algorithm>

#include "app/sampleseries.h"

namespace kurvex {

int THistorySource::CurveLayer(std::size_t curve) const { return m_curves.Layer(curve); }

TColor THistorySource::CurveColor(std::size_t curve) const { return m_curves.Color(curve); }

std::pair<std::int64_t, std::int64_t> THistorySource::NumbersIn(double from, double to) const {
  return NumbersBetween(m_axis, from, to, m_history.FirstNumber(), m_history.LastNumber());
}

std::int64_t THistorySource::SampleCount(double from, double to) const {
  const auto [first, last] = NumbersIn(from, to);
  return std::max<std::int64_t>(last - first + 1, 0);
}

void THistorySource::Points(std::size_t curve, double from, double to, std::vector<TSourcePoint>& out) const {
  // One sample beyond each end, so the line leaves the plot as it goes on.
  auto [first, last] = m_axis.Kind == TSampleAxis::Time ? NumbersIn(from, to) : NumbersIn(from - 1, to + 1);
  if (m_axis.Kind == TSampleAxis::Time) {
    // None inside: the range lies between the one before `first` and it.
    if (first > last) {
      first = FirstAtOrAfter(m_axis, from, m_history.FirstNumber(), m_history.LastNumber());
      last = first - 1;
    }
    first = std::max(first - 1, m_history.FirstNumber());
    last = std::min(last + 1, m_history.LastNumber());
  }
  for (std::int64_t n = first; n <= last; ++n) out.push_back({SampleX(m_axis, n), m_history.Value(curve, n)});
}

void THistorySource::Columns(std::size_t curve, double from, double to, std::span<TColumnSpan> out) const {
  m_summaries.assign(out.size(), THistorySummary{});
  if (m_axis.Kind == TSampleAxis::Time) {
    TimeColumns(curve, from, to);
  } else {
    m_history.Columns(curve, from, to, m_summaries);
  }
  std::transform(m_summaries.begin(), m_summaries.end(), out.begin(), [](const THistorySummary& s) {
    return TColumnSpan{s.Min, s.Max, s.Count};
  });
}

void THistorySource::TimeColumns(std::size_t curve, double from, double to) const {
  // The columns' first samples are found by search, once per frame for
  // every curve alike.
  const std::size_t columns = m_summaries.size();
  const double width = (to - from) / static_cast<double>(columns);
  if (m_columnsFrom != from || m_columnsTo != to || m_columnStarts.size() != columns + 1 ||
      m_columnsLast != m_history.LastNumber()) {
    m_columnStarts.resize(columns + 1);
    for (std::size_t c = 0; c <= columns; ++c)
      m_columnStarts[c] = FirstAtOrAfter(m_axis, from + static_cast<double>(c) * width, m_history.FirstNumber(),
                                         m_history.LastNumber());
    m_columnsFrom = from;
    m_columnsTo = to;
    m_columnsLast = m_history.LastNumber();
  }
  for (std::size_t c = 0; c < columns; ++c)
    if (m_columnStarts[c + 1] > m_columnStarts[c])
      m_summaries[c] = m_history.Summary(curve, m_columnStarts[c], m_columnStarts[c + 1] - 1);
}

}  // namespace kurvex
