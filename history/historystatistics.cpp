// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/historystatistics.h"

#include <cmath>

namespace kurvex {

THistoryStatistics StatisticsOf(const THistorySummary& summary) {
  THistoryStatistics s;
  s.Count = summary.Count;
  if (s.Count == 0) return s;
  s.Minimum = summary.Min;
  s.Maximum = summary.Max;
  s.Mean = summary.Mean;
  // Rounding can leave a spread of equal values a hair below zero.
  s.StandardDeviation = std::sqrt(std::fmax(summary.Deviations, 0.0) / static_cast<double>(s.Count));
  s.PeakToPeak = s.Maximum - s.Minimum;
  return s;
}

}  // namespace kurvex
