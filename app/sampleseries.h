// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

#include "history/historysummary.h"

namespace kurvex {

/// One sample of a curve as the readout and the markers show it.
struct TPickedSample {
  std::int64_t Number = 0;  ///< from 1; 0: no sample
  double X = 0;             ///< where the chart draws it on layer 1
  float Value = std::numeric_limits<float>::quiet_NaN();  ///< NaN: a gap in the curve
  std::optional<std::int64_t> WallNs;  ///< when its line was read; nothing: not known
  bool Valid() const { return Number > 0; }
};

/// The samples of one curve along the chart's X axis, wherever they are
/// kept: what the readout picks from, the arrow keys step through and the
/// statistics summarise.
class TSampleSeries {
 public:
  virtual ~TSampleSeries() = default;
  /// The sample whose X is nearest to `x`; none when the series is empty.
  virtual TPickedSample Nearest(double x) const = 0;
  /// Sample `number` as it is now; none when it is not held.
  virtual TPickedSample At(std::int64_t number) const = 0;
  /// `steps` samples on from `number` along X (back when negative), held
  /// back at the first and the last.
  virtual TPickedSample Step(std::int64_t number, std::int64_t steps) const = 0;
  /// Over the samples whose X lies in [fromX, toX].
  virtual THistorySummary Summary(double fromX, double toX) const = 0;
};

/// Where the chart draws sample n along X.
enum class TSampleAxis : std::uint8_t {
  Numbers,      ///< X = n: Trend and an opened recording
  NormalStart,  ///< Normal: sample 1 at X = 0, sample n ≥ 2 at X = n
};

double SampleX(TSampleAxis axis, std::int64_t number);
/// The sample of first..last whose X is nearest to `x`; 0 when there is
/// none or x is not a number.
std::int64_t NearestNumber(TSampleAxis axis, double x, std::int64_t first, std::int64_t last);
/// The samples of first..last whose X lies in [fromX, toX]; first > last
/// (in the result) for none.
std::pair<std::int64_t, std::int64_t> NumbersBetween(TSampleAxis axis, double fromX, double toX,
                                                     std::int64_t first, std::int64_t last);

}  // namespace kurvex
