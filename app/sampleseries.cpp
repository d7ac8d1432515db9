// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampleseries.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "history/history.h"

namespace kurvex {

namespace {

constexpr double kNsPerSecond = 1e9;

// A world X far outside any number held, made safe to convert.
std::int64_t Clamped(double x, std::int64_t first, std::int64_t last) {
  return static_cast<std::int64_t>(std::clamp(x, static_cast<double>(first), static_cast<double>(last)));
}

// The wall ns of `x` on a time axis: the first whole ns at or after it
// (`up`), or the last at or before it.
std::int64_t NsOf(const TSampleAxis& axis, double x, bool up) {
  constexpr double kFarthest = 4e18;  // within int64, beyond any wall time
  const double ns = up ? std::ceil(x * kNsPerSecond) : std::floor(x * kNsPerSecond);
  return axis.OriginNs + static_cast<std::int64_t>(std::clamp(ns, -kFarthest, kFarthest));
}
std::int64_t NsAtOrAfter(const TSampleAxis& axis, double x) { return NsOf(axis, x, true); }
std::int64_t NsAtOrBefore(const TSampleAxis& axis, double x) { return NsOf(axis, x, false); }

// The first of first..last at or after `ns`, last + 1 for none.
std::int64_t FirstAtOrAfterNs(const TSampleAxis& axis, std::int64_t ns, std::int64_t first, std::int64_t last) {
  return std::clamp(axis.History->FirstAtOrAfterNs(ns), first, last + 1);
}

}  // namespace

TSampleAxis TSampleAxis::InTime(const THistory& history, std::int64_t originNs) {
  TSampleAxis axis(Time);
  axis.History = &history;
  axis.OriginNs = originNs;
  return axis;
}

double SampleX(const TSampleAxis& axis, std::int64_t number) {
  if (axis.Kind == TSampleAxis::Time) {
    const std::optional<std::int64_t> ns = axis.History->SampleNs(number);
    return ns ? TimeX(*ns, axis.OriginNs) : std::numeric_limits<double>::quiet_NaN();
  }
  return axis.Kind == TSampleAxis::NormalStart && number == 1 ? 0.0 : static_cast<double>(number);
}

std::int64_t NearestNumber(const TSampleAxis& axis, double x, std::int64_t first, std::int64_t last) {
  if (first > last || std::isnan(x)) return 0;
  if (axis.Kind == TSampleAxis::Time) {
    const std::int64_t after = FirstAtOrAfterNs(axis, NsAtOrAfter(axis, x), first, last);
    if (after == first) return first;
    // The one before lies at or before x: whichever is nearer, the later on a tie.
    const std::int64_t before = after - 1;
    if (after > last) return before;
    return x - SampleX(axis, before) < SampleX(axis, after) - x ? before : after;
  }
  // In Normal, X = 1 lies between sample 1 (X = 0) and sample 2 (X = 2).
  if (axis.Kind == TSampleAxis::NormalStart && x < 2) return Clamped(x < 1 ? 1 : 2, first, last);
  return Clamped(std::round(x), first, last);
}

std::pair<std::int64_t, std::int64_t> NumbersBetween(const TSampleAxis& axis, double fromX, double toX,
                                                     std::int64_t first, std::int64_t last) {
  if (first > last || !(fromX <= toX)) return {1, 0};
  if (axis.Kind == TSampleAxis::Time) {
    const std::int64_t low = FirstAtOrAfter(axis, fromX, first, last);
    // The samples at or before toX end where those after it begin.
    const std::int64_t beyond = FirstAtOrAfterNs(axis, NsAtOrBefore(axis, toX) + 1, first, last);
    return low < beyond ? std::pair{low, beyond - 1} : std::pair<std::int64_t, std::int64_t>{1, 0};
  }
  double low = std::ceil(fromX);
  // Sample 1 of Normal lies at X = 0; X = 1 holds no sample there.
  if (axis.Kind == TSampleAxis::NormalStart && low <= 1) low = fromX <= 0 ? 1 : 2;
  double high = std::floor(toX);
  if (axis.Kind == TSampleAxis::NormalStart && high < 2) high = toX >= 0 ? 1 : 0;
  if (low > static_cast<double>(last) || high < static_cast<double>(first) || low > high) return {1, 0};
  return {Clamped(low, first, last), Clamped(high, first, last)};
}

std::int64_t FirstAtOrAfter(const TSampleAxis& axis, double x, std::int64_t first, std::int64_t last) {
  if (std::isnan(x)) return last + 1;
  if (axis.Kind == TSampleAxis::Time) return FirstAtOrAfterNs(axis, NsAtOrAfter(axis, x), first, last);
  const auto [low, high] = NumbersBetween(axis, x, std::numeric_limits<double>::max(), first, last);
  return low <= high ? low : last + 1;
}

}  // namespace kurvex
