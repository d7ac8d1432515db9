// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "chart/ticklayout.h"

namespace kurvex {

/// One step of a time scale: seconds between labelled ticks and the number
/// of sub-intervals between two of them.
struct TTimeStep {
  double Seconds;
  int SubIntervals;
};

/// The 28 steps of time scales, from 1 ms to one day.
extern const std::array<TTimeStep, 28> TimeStepTable;

/// Index (1..28) of the largest step not above the range per tick; 0 when
/// even the smallest is too large.
int TimeStepIndex(double low, double high, int minTicks);

/// Lays out the ticks of a time scale (values in seconds, labels
/// " hh:mm:ss" with milliseconds below one-second steps). Returns false, and
/// lays out nothing, when the range per tick lies outside 1 ms .. 1 day:
/// the scale then shows numeric ticks.
bool LayoutTimeTicks(const TTickParams& p, TTickLayout& layout);

}  // namespace kurvex
