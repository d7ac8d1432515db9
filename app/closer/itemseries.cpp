// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/closer/itemseries.h"

#include <algorithm>
#include <cmath>

#include "app/curvesettings.h"

namespace kurvex {

namespace {

// A curve's point, drawn against either Y axis.
bool IsCurvePoint(const TChartItem& item) {
  return IsLinePoint(item) && (item.Layer == TCurveSettings::kLeftLayer || item.Layer == TCurveSettings::kRightLayer) &&
         !std::isnan(item.X);
}

}  // namespace

std::bitset<kMaxCurves> CurvesWithPoints(const TCustomChartControl& chart) {
  std::bitset<kMaxCurves> curves;
  for (int i = 0; i < chart.ItemCount(); ++i) {
    const TChartItem& item = chart.Item(i);
    if (IsCurvePoint(item) && item.Curve < kMaxCurves) curves.set(item.Curve);
  }
  return curves;
}

TItemSeries::TItemSeries(const TCustomChartControl& chart, std::uint8_t curve) {
  std::int64_t number = 0;
  for (int i = 0; i < chart.ItemCount(); ++i) {
    const TChartItem& item = chart.Item(i);
    if (!IsLinePoint(item)) continue;
    ++number;
    if (item.Curve == curve && IsCurvePoint(item))
      m_points.push_back({item.X, static_cast<float>(item.Y), number});
  }
  std::stable_sort(m_points.begin(), m_points.end(), [](const TPoint& a, const TPoint& b) { return a.X < b.X; });
  m_positions.assign(static_cast<std::size_t>(number), kNone);
  for (std::size_t i = 0; i < m_points.size(); ++i) m_positions[static_cast<std::size_t>(m_points[i].Number - 1)] = i;
}

std::size_t TItemSeries::PositionOf(std::int64_t number) const {
  return number >= 1 && number <= static_cast<std::int64_t>(m_positions.size())
             ? m_positions[static_cast<std::size_t>(number - 1)]
             : kNone;
}

TPickedSample TItemSeries::Picked(std::size_t position) const {
  const TPoint& p = m_points[position];
  return {p.Number, p.X, p.Value, std::nullopt};  // a graph file keeps no times
}

TPickedSample TItemSeries::Nearest(double x) const {
  if (m_points.empty() || std::isnan(x)) return {};
  const auto after = std::lower_bound(m_points.begin(), m_points.end(), x,
                                      [](const TPoint& p, double v) { return p.X < v; });
  if (after == m_points.begin()) return Picked(0);
  if (after == m_points.end()) return Picked(m_points.size() - 1);
  const auto before = std::prev(after);
  // Of several points at the same X, the first (lowest number).
  const double atBefore = before->X;
  const auto firstAtBefore = std::lower_bound(m_points.begin(), after, atBefore,
                                              [](const TPoint& p, double v) { return p.X < v; });
  return x - atBefore <= after->X - x ? Picked(static_cast<std::size_t>(firstAtBefore - m_points.begin()))
                                      : Picked(static_cast<std::size_t>(after - m_points.begin()));
}

TPickedSample TItemSeries::At(std::int64_t number) const {
  const std::size_t position = PositionOf(number);
  return position == kNone ? TPickedSample{} : Picked(position);
}

TPickedSample TItemSeries::Step(std::int64_t number, std::int64_t steps) const {
  const std::size_t position = PositionOf(number);
  if (position == kNone) return {};
  const auto last = static_cast<std::int64_t>(m_points.size()) - 1;
  return Picked(static_cast<std::size_t>(std::clamp<std::int64_t>(static_cast<std::int64_t>(position) + steps, 0, last)));
}

THistorySummary TItemSeries::Summary(double fromX, double toX) const {
  const auto byX = [](const TPoint& p, double v) { return p.X < v; };
  const auto from = std::lower_bound(m_points.begin(), m_points.end(), fromX, byX);
  const auto to = std::upper_bound(m_points.begin(), m_points.end(), toX,
                                   [](double v, const TPoint& p) { return v < p.X; });
  std::vector<float> values;
  for (auto p = from; p < to; ++p) values.push_back(p->Value);
  return THistorySummary::Of(values.data(), values.size());
}

}  // namespace kurvex

