// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

namespace kurvex {

/// When something happened, by the wall clock (for people) and by the
/// monotonic clock (for durations that a clock change must not bend).
struct TReadTime {
  std::int64_t WallNs = 0;    ///< ns since 1970-01-01 UTC
  std::int64_t SteadyNs = 0;  ///< ns of the monotonic clock
  static TReadTime Now();
};

/// For pictures that must not depend on when they were made: Now() reads
/// `clock` instead of the system's clocks (empty: the system's again).
/// GUI thread only.
void OverrideReadClock(std::function<TReadTime()> clock);

}  // namespace kurvex
