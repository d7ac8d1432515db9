// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/readtime.h"

#include <chrono>
#include <utility>

namespace kurvex {

namespace {
std::function<TReadTime()>& ClockOverride() {
  static std::function<TReadTime()> clock;
  return clock;
}
}  // namespace

TReadTime TReadTime::Now() {
  if (const auto& clock = ClockOverride()) return clock();
  using namespace std::chrono;
  return {duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count(),
          duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count()};
}

void OverrideReadClock(std::function<TReadTime()> clock) { ClockOverride() = std::move(clock); }

}  // namespace kurvex
