// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/timescale.h"

#include <cmath>

#include "chart/tickformat.h"

namespace kurvex {

const std::array<TTimeStep, 28> TimeStepTable = {{
    {0.001, 5}, {0.002, 4}, {0.005, 5}, {0.01, 5},   {0.02, 4},   {0.05, 5},    {0.1, 5},
    {0.2, 4},   {0.5, 5},   {1, 5},     {2, 4},      {5, 5},      {10, 5},      {20, 4},
    {30, 6},    {60, 6},    {120, 6},   {180, 6},    {300, 5},    {600, 5},     {1200, 6},
    {1800, 6},  {3600, 6},  {7200, 4},  {14400, 4},  {21600, 6},  {43200, 6},   {86400, 6},
}};

namespace {

constexpr int kDayStep = 28;
constexpr int kLastSubSecondStep = 9;
// How far a tick may lie beyond an end of the range, as a part of the
// sub-step: absolute, so it stays below one step at any distance from zero.
constexpr long double kEndSlack = 0.001L;

}  // namespace

int TimeStepIndex(double low, double high, int minTicks) {
  const double r = std::fabs(high - low) / minTicks;
  for (int k = kDayStep; k >= 1; --k)
    if (TimeStepTable[k - 1].Seconds <= r) return k;
  return 0;
}

bool LayoutTimeTicks(const TTickParams& p, TTickLayout& layout) {
  const int k = TimeStepIndex(p.Low, p.High, p.MinTicks);
  if (k == 0 || k == kDayStep) return false;
  const long double d = p.High > p.Low ? 1 : -1;
  const long double step = d * TimeStepTable[k - 1].Seconds;
  const long double sub = step / TimeStepTable[k - 1].SubIntervals;
  const long long count = static_cast<long long>((static_cast<long double>(p.High) - p.Low) / sub) + 5;
  const long double slack = kEndSlack * std::fabs(sub);
  const long double first = step * std::floor((p.Low - d * slack) / step);
  // Each end is widened outwards in the scale's own direction, so a
  // reversed range keeps its end ticks too.
  const long double lowLimit = p.Low - d * slack;
  const long double highLimit = p.High + d * slack;
  auto inside = [&](long double v) { return d * v >= d * lowLimit && d * v <= d * highLimit; };
  if (p.ShortTicks) {
    for (long long j = 0; j <= count; ++j) {
      const long double v = first + j * sub;
      if (inside(v)) layout.Marks.push_back({static_cast<double>(v), false, true, {}});
    }
  }
  const bool milliseconds = k <= kLastSubSecondStep;
  for (long long j = 0; j <= count; ++j) {
    const long double v = first + j * sub;
    const long double ratio = v / step;
    if (std::fabs(ratio - std::nearbyint(ratio)) > 0.01L || !inside(v)) continue;
    layout.Marks.push_back({static_cast<double>(v), true, p.Vertical || !p.ShortTicks,
                            TimeTickLabel(static_cast<double>(v), milliseconds)});
  }
  return true;
}

}  // namespace kurvex
