// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/chartcontrol.h"
#include "platform/windows/control.h"

namespace kurvex {

/// The chart's room in the window, shared with what shows beside it: the
/// curve legend takes a column at its right, the closer look's panel a
/// strip under it, each only while shown. The only one that sizes the chart
/// after the design; the window's anchors keep the parts in place as it is
/// resized.
class TChartRoom {
 public:
  explicit TChartRoom(TChartControl& chart) : m_chart(chart) {}

  /// Shows `column` at the chart's right, `width` pixels wide and as high
  /// as the chart, or hides it and gives the chart its room back.
  void ShowRightColumn(TWinControl& column, int width, bool shown);
  /// Shows `strip` under the chart, `height` pixels high and as wide as the
  /// chart, or hides it and gives the chart its room back.
  void ShowBottomStrip(TWinControl& strip, int height, bool shown);

 private:
  /// The chart and what shows beside it, in the room they share now.
  void Place();

  TChartControl& m_chart;
  TWinControl* m_column = nullptr;
  int m_columnWidth = 0;
  TWinControl* m_strip = nullptr;
  int m_stripHeight = 0;
};

}  // namespace kurvex
