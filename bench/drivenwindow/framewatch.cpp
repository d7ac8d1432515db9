// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/drivenwindow/framewatch.h"

#include <algorithm>

#include <QEvent>

namespace kurvex {

TFrameWatch::TFrameWatch(QWidget& chart) : m_chart(chart) { chart.installEventFilter(this); }

TFrameWatch::~TFrameWatch() { m_chart.removeEventFilter(this); }

bool TFrameWatch::eventFilter(QObject*, QEvent* event) {
  if (event->type() != QEvent::Paint) return false;
  const Clock::time_point now = Clock::now();
  if (m_count > 0) m_longestGap = std::max(m_longestGap, now - m_last);
  m_last = now;
  ++m_count;
  return false;
}

std::string TFrameWatch::TakeReport() {
  const double gapMs = std::chrono::duration<double, std::milli>(m_longestGap).count();
  std::string report = std::to_string(m_count) + " " + std::to_string(gapMs);
  m_count = 0;
  m_longestGap = {};
  return report;
}

}  // namespace kurvex
