// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

#include "app/sampleseries.h"

namespace kurvex {

/// From marker A to marker B (B − A). A gap's value is NaN, and so is
/// everything worked out from it.
struct TMarkerDelta {
  std::int64_t Samples = 0;
  double Value = 0;
  /// When both times are known.
  std::optional<double> Seconds;
  /// None when both markers stand on one sample.
  std::optional<double> SlopePerSample;
  /// None without times, or when both samples came in one batch.
  std::optional<double> SlopePerSecond;
};

TMarkerDelta DeltaOf(const TPickedSample& a, const TPickedSample& b);

}  // namespace kurvex
