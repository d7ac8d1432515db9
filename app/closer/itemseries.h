// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bitset>
#include <cstdint>
#include <vector>

#include "app/sampleseries.h"
#include "chart/chartcontrol.h"
#include "intake/intakestate.h"

namespace kurvex {

/// The curves that have points among the chart's items.
std::bitset<kMaxCurves> CurvesWithPoints(const TCustomChartControl& chart);

/// One curve of a chart that holds only its items (a loaded graph file):
/// its line points, numbered from 1 in the order of the chart's line items
/// (all curves counted), and without times. The items may come in any order
/// of X; they are looked up sorted by it.
class TItemSeries : public TSampleSeries {
 public:
  /// The line items (MoveTo, DrawTo) of `curve`, against either Y axis, as they are now.
  TItemSeries(const TCustomChartControl& chart, std::uint8_t curve);

  TPickedSample Nearest(double x) const override;
  TPickedSample At(std::int64_t number) const override;
  TPickedSample Step(std::int64_t number, std::int64_t steps) const override;
  THistorySummary Summary(double fromX, double toX) const override;

 private:
  struct TPoint {
    double X;
    float Value;
    std::int64_t Number;
  };
  static constexpr std::size_t kNone = ~std::size_t{0};
  TPickedSample Picked(std::size_t position) const;
  /// Where sample `number` lies in m_points; kNone for none of this curve.
  std::size_t PositionOf(std::int64_t number) const;

  std::vector<TPoint> m_points;           // by X, then by number
  std::vector<std::size_t> m_positions;  // by number - 1
};

}  // namespace kurvex
