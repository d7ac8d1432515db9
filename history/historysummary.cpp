// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/historysummary.h"

namespace kurvex {

void THistorySummary::Merge(const THistorySummary& other) {
  Min = other.Min < Min ? other.Min : Min;
  Max = other.Max > Max ? other.Max : Max;
  Sum += other.Sum;
  SumSquares += other.SumSquares;
  Count += other.Count;
}

}  // namespace kurvex
