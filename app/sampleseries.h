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
  /// What X is: the sample's number, its time (WallNs, the line's own time
  /// within its batch), or the X curve's value (XY).
  enum class TAlong : std::uint8_t { Numbers, Time, Curve };
  TAlong Along = TAlong::Numbers;
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

class THistory;

/// Where the chart draws sample n along X.
struct TSampleAxis {
  enum TKind : std::uint8_t {
    Numbers,      ///< X = n: Trend and an opened recording
    NormalStart,  ///< Normal: sample 1 at X = 0, sample n ≥ 2 at X = n
    Time,         ///< X = seconds from OriginNs to the sample's time in History
  };
  TSampleAxis(TKind kind = Numbers) : Kind(kind) {}  // a kind of numbers alone is an axis
  static TSampleAxis InTime(const THistory& history, std::int64_t originNs);

  TKind Kind;
  const THistory* History = nullptr;
  std::int64_t OriginNs = 0;
  bool operator==(const TSampleAxis&) const = default;
};

double SampleX(const TSampleAxis& axis, std::int64_t number);
/// X of wall time `ns` on a time axis whose X = 0 lies at `originNs`: seconds.
inline double TimeX(std::int64_t ns, std::int64_t originNs) { return static_cast<double>(ns - originNs) * 1e-9; }
/// The sample of first..last whose X is nearest to `x`; 0 when there is
/// none or x is not a number.
std::int64_t NearestNumber(const TSampleAxis& axis, double x, std::int64_t first, std::int64_t last);
/// The samples of first..last whose X lies in [fromX, toX]; first > last
/// (in the result) for none.
std::pair<std::int64_t, std::int64_t> NumbersBetween(const TSampleAxis& axis, double fromX, double toX,
                                                     std::int64_t first, std::int64_t last);
/// The first sample of first..last whose X is x or more; last + 1 for none.
std::int64_t FirstAtOrAfter(const TSampleAxis& axis, double x, std::int64_t first, std::int64_t last);

}  // namespace kurvex
