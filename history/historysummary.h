// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace kurvex {

/// Min, max, sum, sum of squares and count of a run of one curve's values;
/// gaps (NaN) are not counted. Sums are kept in double, so even a run of
/// values near the float limit (3.4e38, squared 1.2e77) cannot overflow.
struct THistorySummary {
  float Min = +std::numeric_limits<float>::infinity();
  float Max = -std::numeric_limits<float>::infinity();
  double Sum = 0;
  double SumSquares = 0;
  std::int64_t Count = 0;

  void Add(float v) {
    if (std::isnan(v)) return;
    Min = v < Min ? v : Min;
    Max = v > Max ? v : Max;
    const double d = v;
    Sum += d;
    SumSquares += d * d;
    ++Count;
  }
  void Merge(const THistorySummary& other);
};

}  // namespace kurvex
