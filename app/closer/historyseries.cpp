// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/closer/historyseries.h"

#include <algorithm>

namespace kurvex {

TPickedSample THistorySeries::Nearest(double x) const {
  return At(NearestNumber(m_axis, x, m_history.FirstNumber(), m_history.LastNumber()));
}

TPickedSample THistorySeries::At(std::int64_t number) const {
  if (number < m_history.FirstNumber() || number > m_history.LastNumber()) return {};
  if (m_axis.Kind == TSampleAxis::Time)
    return {number, SampleX(m_axis, number), m_history.Value(m_curve, number), m_history.SampleNs(number),
            TPickedSample::TAlong::Time};
  return {number, SampleX(m_axis, number), m_history.Value(m_curve, number), m_history.WallNs(number)};
}

TPickedSample THistorySeries::Step(std::int64_t number, std::int64_t steps) const {
  if (m_history.LastNumber() < m_history.FirstNumber()) return {};
  return At(std::clamp(number + steps, m_history.FirstNumber(), m_history.LastNumber()));
}

THistorySummary THistorySeries::Summary(double fromX, double toX) const {
  const auto [from, to] = NumbersBetween(m_axis, fromX, toX, m_history.FirstNumber(), m_history.LastNumber());
  return from <= to ? m_history.Summary(m_curve, from, to) : THistorySummary{};
}

}  // namespace kurvex
