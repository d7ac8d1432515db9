// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "app/sampleseries.h"
#include "history/history.h"

namespace kurvex {

/// One curve of an XY acquisition drawn against the X curve: the history's
/// samples from `first` to `last` (what the chart shows), each at the X
/// curve's value. X goes back and forth, so the look-ups scan them; the
/// chart holds at most the 50,000 of a Normal acquisition or Graph X max.
class TXYSeries : public TSampleSeries {
 public:
  TXYSeries(const THistory& history, std::size_t xCurve, std::size_t curve, std::int64_t first, std::int64_t last);
  std::size_t Curve() const { return m_curve; }
  TPickedSample Nearest(double x) const override;
  TPickedSample At(std::int64_t number) const override;
  TPickedSample Step(std::int64_t number, std::int64_t steps) const override;
  THistorySummary Summary(double fromX, double toX) const override;
  /// The sample whose point lies nearest to the pixel (px, py); `toPixel`
  /// maps a point (X, value) to the chart's pixels.
  TPickedSample NearestPoint(int px, int py, const std::function<void(double, double, int&, int&)>& toPixel) const;

 private:
  /// The sample of first..last for which `distance(X, value)` is least; none
  /// when every distance is NaN.
  template <class Distance>
  TPickedSample NearestBy(Distance distance) const;

  const THistory& m_history;
  std::size_t m_xCurve, m_curve;
  std::int64_t m_first, m_last;
};

}  // namespace kurvex
