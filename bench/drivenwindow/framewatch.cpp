// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/drivenwindow/framewatch.h"

#include <algorithm>

namespace kurvex {

void TFrameWatch::Drawn() {
  const Clock::time_point now = Clock::now();
  if (m_count > 0) m_longestGap = std::max(m_longestGap, now - m_last);
  m_last = now;
  ++m_count;
}

std::string TFrameWatch::TakeReport() {
  const double gapMs = std::chrono::duration<double, std::milli>(m_longestGap).count();
  std::string report = std::to_string(m_count) + " " + std::to_string(gapMs);
  m_count = 0;
  m_longestGap = {};
  return report;
}

}  // namespace kurvex
