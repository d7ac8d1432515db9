// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/scrollpace.h"

#include <algorithm>
#include <cmath>

namespace kurvex {

namespace {
// Long enough to hold several batches of the serial reader, short enough
// to follow a change of rate within a few frames.
constexpr std::int64_t kMeasureNs = 100'000'000;
}  // namespace

std::chrono::milliseconds TScrollPace::Take(std::int64_t steadyNs, double pixels) {
  if (m_since == 0) {
    m_since = steadyNs;
    m_pixels = 0;
  }
  m_pixels += pixels;
  const std::int64_t elapsed = steadyNs - m_since;
  if (elapsed < kMeasureNs) return m_pace;
  const double pixelsPerMs = m_pixels / (static_cast<double>(elapsed) / 1e6);
  const double stepMs = pixelsPerMs > 0 ? kStepPixels / pixelsPerMs : static_cast<double>(kLongest.count());
  m_pace = std::chrono::milliseconds(static_cast<std::int64_t>(std::min(std::floor(stepMs),
                                                                         static_cast<double>(kLongest.count()))));
  m_since = steadyNs;
  m_pixels = 0;
  return m_pace;
}

void TScrollPace::Reset() {
  m_since = 0;
  m_pixels = 0;
  m_pace = std::chrono::milliseconds(0);
}

}  // namespace kurvex
