// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

#include "app/sampleseries.h"
#include "history/history.h"

namespace kurvex {

/// One curve of the acquisition's history (or of a recording opened into
/// it): sample n where the chart draws it, its value and batch time.
class THistorySeries : public TSampleSeries {
 public:
  THistorySeries(const THistory& history, TSampleAxis axis, std::size_t curve)
      : m_history(history), m_axis(axis), m_curve(curve) {}

  std::size_t Curve() const { return m_curve; }
  TPickedSample Nearest(double x) const override;
  TPickedSample At(std::int64_t number) const override;
  TPickedSample Step(std::int64_t number, std::int64_t steps) const override;
  THistorySummary Summary(double fromX, double toX) const override;

 private:
  const THistory& m_history;
  TSampleAxis m_axis;
  std::size_t m_curve;
};

}  // namespace kurvex
