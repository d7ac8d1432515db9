// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/closer/xyseries.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kurvex {

TXYSeries::TXYSeries(const THistory& history, std::size_t xCurve, std::size_t curve, std::int64_t first,
                     std::int64_t last)
    : m_history(history),
      m_xCurve(xCurve),
      m_curve(curve),
      m_first(std::max(first, history.FirstNumber())),
      m_last(std::min(last, history.LastNumber())) {}

TPickedSample TXYSeries::At(std::int64_t number) const {
  if (number < m_first || number > m_last) return {};
  const float x = m_history.Value(m_xCurve, number);
  return {number, x, std::isnan(x) ? std::numeric_limits<float>::quiet_NaN() : m_history.Value(m_curve, number),
          m_history.WallNs(number), TPickedSample::TAlong::Curve};
}

template <class Distance>
TPickedSample TXYSeries::NearestBy(Distance distance) const {
  std::int64_t nearest = 0;
  double least = std::numeric_limits<double>::infinity();
  for (std::int64_t n = m_first; n <= m_last; ++n) {
    const double d = distance(m_history.Value(m_xCurve, n), m_history.Value(m_curve, n));
    if (d < least) least = d, nearest = n;
  }
  return At(nearest);
}

TPickedSample TXYSeries::Nearest(double x) const {
  return NearestBy([x](float sampleX, float) { return std::fabs(sampleX - x); });
}

TPickedSample TXYSeries::Step(std::int64_t number, std::int64_t steps) const {
  if (m_first > m_last) return {};
  return At(std::clamp(number + steps, m_first, m_last));
}

THistorySummary TXYSeries::Summary(double fromX, double toX) const {
  THistorySummary summary;
  for (std::int64_t n = m_first; n <= m_last; ++n) {
    const float x = m_history.Value(m_xCurve, n), v = m_history.Value(m_curve, n);
    if (x >= fromX && x <= toX && !std::isnan(v)) summary.Merge(THistorySummary::Of(&v, 1));
  }
  return summary;
}

TPickedSample TXYSeries::NearestPoint(int px, int py,
                                      const std::function<void(double, double, int&, int&)>& toPixel) const {
  return NearestBy([&](float x, float v) {
    // A gap is no point: NaN is never the nearer.
    if (std::isnan(x) || std::isnan(v)) return std::numeric_limits<double>::quiet_NaN();
    int sx = 0, sy = 0;
    toPixel(x, v, sx, sy);
    return std::hypot(sx - px, sy - py);
  });
}

}  // namespace kurvex
