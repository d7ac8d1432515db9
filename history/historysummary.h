// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

namespace kurvex {

/// Min, max, mean, sum of squared deviations from the mean and count of a
/// run of one curve's values; gaps (NaN) are not counted. The spread is
/// kept as deviations from the mean rather than as a sum of squares, whose
/// difference to the squared mean cancels every digit for a large mean with
/// a small spread (or values near the float limit); in double, so even
/// values near 3.4e38 cannot overflow.
struct THistorySummary {
  float Min = +std::numeric_limits<float>::infinity();
  float Max = -std::numeric_limits<float>::infinity();
  double Mean = 0;
  double Deviations = 0;  ///< sum of (value - Mean)^2
  std::int64_t Count = 0;

  /// Of `count` values in a row, in two passes (mean first, then the deviations).
  static THistorySummary Of(const float* values, std::size_t count);
  /// The summary of both runs (their pairwise combination).
  void Merge(const THistorySummary& other);
};

}  // namespace kurvex
