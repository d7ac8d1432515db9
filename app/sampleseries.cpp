// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampleseries.h"

#include <algorithm>
#include <cmath>

namespace kurvex {

namespace {

// A world X far outside any number held, made safe to convert.
std::int64_t Clamped(double x, std::int64_t first, std::int64_t last) {
  return static_cast<std::int64_t>(std::clamp(x, static_cast<double>(first), static_cast<double>(last)));
}

}  // namespace

double SampleX(TSampleAxis axis, std::int64_t number) {
  return axis == TSampleAxis::NormalStart && number == 1 ? 0.0 : static_cast<double>(number);
}

std::int64_t NearestNumber(TSampleAxis axis, double x, std::int64_t first, std::int64_t last) {
  if (first > last || std::isnan(x)) return 0;
  // In Normal, X = 1 lies between sample 1 (X = 0) and sample 2 (X = 2).
  if (axis == TSampleAxis::NormalStart && x < 2) return Clamped(x < 1 ? 1 : 2, first, last);
  return Clamped(std::round(x), first, last);
}

std::pair<std::int64_t, std::int64_t> NumbersBetween(TSampleAxis axis, double fromX, double toX,
                                                     std::int64_t first, std::int64_t last) {
  if (first > last || !(fromX <= toX)) return {1, 0};
  double low = std::ceil(fromX);
  // Sample 1 of Normal lies at X = 0; X = 1 holds no sample there.
  if (axis == TSampleAxis::NormalStart && low <= 1) low = fromX <= 0 ? 1 : 2;
  double high = std::floor(toX);
  if (axis == TSampleAxis::NormalStart && high < 2) high = toX >= 0 ? 1 : 0;
  if (low > static_cast<double>(last) || high < static_cast<double>(first) || low > high) return {1, 0};
  return {Clamped(low, first, last), Clamped(high, first, last)};
}

}  // namespace kurvex
