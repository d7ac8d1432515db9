// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/chartplotter.h"

namespace kurvex {

namespace {

constexpr float kTrendMargin = 20;

/// Samples between full redraws in Normal mode: fewer redraws as the chart
/// holds more items, so a redraw stays affordable.
std::int32_t RedrawIntervalFor(std::int64_t sampleCount) {
  if (sampleCount <= 2000) return 1;
  if (sampleCount <= 5000) return 2;
  if (sampleCount <= 10000) return 10;
  if (sampleCount <= 20000) return 50;
  return 200;
}

}  // namespace

void TChartPlotter::Take(const TSample& sample) {
  if (!sample.Has(0)) return;
  TSessionState& s = m_session;
  const float value = sample.Values.front().Scaled;
  if (!s.TrendMode) {
    if (sample.Number == 1)
      m_chart.MoveTo(0, value);
    else
      m_chart.DrawTo(static_cast<double>(sample.Number), value);
    ++s.RedrawCounter;
    s.RedrawInterval = RedrawIntervalFor(sample.Number);
  } else {
    s.RedrawInterval = 0;
  }
  if (s.RedrawCounter != s.RedrawInterval) return;
  s.RedrawCounter = 0;
  // Only requests a picture: drawing follows the screen, and the window's
  // own loop handles the user's commands between batches.
  m_chart.ShowGraph();
  if (s.TrendMode) PlotTrendSample(sample.Number, value);
}

void TChartPlotter::PlotTrendSample(std::int64_t number, float value) {
  TSessionState& s = m_session;
  if (number == 1) m_chart.MoveTo(0, value);
  m_chart.DrawTo(static_cast<double>(number), value);
  if (static_cast<long double>(s.TrendFill) > static_cast<long double>(s.GraphXMax) - kTrendMargin) {
    if (number == 1) m_chart.RemoveFirstItem();
    m_chart.RemoveFirstItem();
    const TScaleProps& x = m_chart.Scale1X();
    const TScaleProps& y = m_chart.Scale1Y();
    m_chart.SetRange(1, static_cast<long double>(x.RangeLow()) + 1, y.RangeLow(),
                     static_cast<long double>(x.RangeHigh()) + 1, y.RangeHigh());
  } else {
    ++s.TrendFill;
  }
}

}  // namespace kurvex
