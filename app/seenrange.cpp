// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/seenrange.h"

#include <algorithm>
#include <cmath>

namespace kurvex {

namespace {

// A new extreme widens the window by this part of its span beyond it, so a
// slowly rising curve moves the axis now and then, not at every sample.
constexpr double kHeadroom = 0.05;
// Samples that are all alike are shown in a window this part of their value
// either side of them (1 either side of 0).
constexpr double kFlatPart = 0.01;
// A window this many times as wide as the samples need is taken in again
// (the first samples' window, made before they spread).
constexpr double kLooseFactor = 4;

}  // namespace

TAxisRange AutoRange(float low, float high) {
  const double span = static_cast<double>(high) - low;
  if (span > 0) return {low - kHeadroom * span, high + kHeadroom * span};
  const double half = low != 0 ? std::fabs(static_cast<double>(low)) * kFlatPart : 1.0;
  return {low - half, low + half};
}

bool TSeenRange::Take(float low, float high) {
  if (!std::isfinite(low) || !std::isfinite(high) || low > high) return false;
  if (Empty()) {
    m_low = low;
    m_high = high;
    return true;
  }
  if (low >= m_low && high <= m_high) return false;
  m_low = std::min(m_low, low);
  m_high = std::max(m_high, high);
  return true;
}

bool TSeenRange::Outgrows(const TAxisRange& shown) const {
  if (Empty()) return false;
  const TAxisRange needed = AutoRange(m_low, m_high);
  return m_low < shown.Low || m_high > shown.High || shown.High - shown.Low > kLooseFactor * (needed.High - needed.Low);
}

}  // namespace kurvex
