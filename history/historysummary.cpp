// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/historysummary.h"

#include <cmath>

namespace kurvex {

THistorySummary THistorySummary::Of(const float* values, std::size_t count) {
  THistorySummary s;
  double sum = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const float v = values[i];
    if (std::isnan(v)) continue;
    s.Min = v < s.Min ? v : s.Min;
    s.Max = v > s.Max ? v : s.Max;
    sum += v;
    ++s.Count;
  }
  if (s.Count == 0) return s;
  // Summed in double: values near 3.4e38 cannot overflow the sum.
  s.Mean = sum / static_cast<double>(s.Count);
  for (std::size_t i = 0; i < count; ++i) {
    const double d = static_cast<double>(values[i]) - s.Mean;
    if (!std::isnan(d)) s.Deviations += d * d;
  }
  return s;
}

void THistorySummary::Merge(const THistorySummary& other) {
  if (other.Count == 0) return;
  if (Count == 0) {
    *this = other;
    return;
  }
  Min = other.Min < Min ? other.Min : Min;
  Max = other.Max > Max ? other.Max : Max;
  const double n = static_cast<double>(Count + other.Count);
  const double delta = other.Mean - Mean;
  const double share = static_cast<double>(other.Count) / n;
  Mean += delta * share;
  Deviations += other.Deviations + delta * delta * static_cast<double>(Count) * share;
  Count += other.Count;
}

}  // namespace kurvex
