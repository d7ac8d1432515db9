// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>

namespace kurvex {

/// Frames the chart drew, and the longest time between two of them, since
/// the last report.
class TFrameWatch {
 public:
  void Drawn();
  /// "<count> <longest gap in ms>"; starts counting anew.
  std::string TakeReport();

 private:
  using Clock = std::chrono::steady_clock;
  long long m_count = 0;
  Clock::duration m_longestGap{};
  Clock::time_point m_last{};
};

}  // namespace kurvex
