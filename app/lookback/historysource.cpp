// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lookback/historysource.h"

#include <algorithm>

#include "app/sampleseries.h"

namespace kurvex {

int THistorySource::CurveLayer(std::size_t curve) const { return m_curves.Layer(curve); }

TColor THistorySource::CurveColor(std::size_t curve) const { return m_curves.Color(curve); }

std::pair<std::int64_t, std::int64_t> THistorySource::NumbersIn(double from, double to) const {
  return NumbersBetween(TSampleAxis::Numbers, from, to, m_history.FirstNumber(), m_history.LastNumber());
}

std::int64_t THistorySource::SampleCount(double from, double to) const {
  const auto [first, last] = NumbersIn(from, to);
  return std::max<std::int64_t>(last - first + 1, 0);
}

void THistorySource::Points(std::size_t curve, double from, double to, std::vector<TSourcePoint>& out) const {
  // One sample beyond each end, so the line leaves the plot as it goes on.
  const auto [first, last] = NumbersIn(from - 1, to + 1);
  for (std::int64_t n = first; n <= last; ++n)
    out.push_back({static_cast<double>(n), m_history.Value(curve, n)});
}

void THistorySource::Columns(std::size_t curve, double from, double to, std::span<TColumnSpan> out) const {
  m_summaries.assign(out.size(), THistorySummary{});
  m_history.Columns(curve, from, to, m_summaries);
  std::transform(m_summaries.begin(), m_summaries.end(), out.begin(), [](const THistorySummary& s) {
    return TColumnSpan{s.Min, s.Max, s.Count};
  });
}

}  // namespace kurvex
