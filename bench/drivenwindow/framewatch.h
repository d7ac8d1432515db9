// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QWidget>

#include <chrono>
#include <string>

namespace kurvex {

/// Frames the chart showed (its repaints), and the longest time between two
/// of them, since the last report. Watched from outside: a render handler
/// on the chart would make it draw every picture whole.
class TFrameWatch : public QObject {
 public:
  explicit TFrameWatch(QWidget& chart);
  ~TFrameWatch() override;
  /// "<count> <longest gap in ms>"; starts counting anew.
  std::string TakeReport();

 protected:
  bool eventFilter(QObject* receiver, QEvent* event) override;

 private:
  using Clock = std::chrono::steady_clock;
  QWidget& m_chart;
  long long m_count = 0;
  Clock::duration m_longestGap{};
  Clock::time_point m_last{};
};

}  // namespace kurvex
