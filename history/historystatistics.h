// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "history/historysummary.h"

namespace kurvex {

/// What a run of samples says about one curve, as the window shows it.
/// Without samples only Count (0) is meaningful.
struct THistoryStatistics {
  std::int64_t Count = 0;
  double Minimum = 0;
  double Maximum = 0;
  double Mean = 0;
  /// Of the samples themselves (divided by their count, not count − 1): the
  /// run is all there is, not a sample of something larger.
  double StandardDeviation = 0;
  /// In double: −3.4e38 to 3.4e38 spans more than a float holds.
  double PeakToPeak = 0;
};

THistoryStatistics StatisticsOf(const THistorySummary& summary);

}  // namespace kurvex
