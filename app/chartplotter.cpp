// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/chartplotter.h"

#include <algorithm>
#include <cstdlib>

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

void TChartPlotter::StartAcquisition() {
  m_continues.reset();
  m_trendSteps.clear();
  m_trendFill = 0;
  m_pace.Reset();
  m_redrawCounter = 0;
  m_live = ChartWindow();
  m_following = true;
}

TChartPlotter::TWindow TChartPlotter::ChartWindow() const {
  const TScaleProps& x = m_chart.Scale1X();
  const TScaleProps& y = m_chart.Scale1Y();
  return {x.RangeLow(), y.RangeLow(), x.RangeHigh(), y.RangeHigh()};
}

void TChartPlotter::SetFollowing(bool following) {
  if (following == m_following) return;
  m_following = following;
  if (following) ShowWindow(m_live);
}

void TChartPlotter::ShowWindow(const TWindow& window) {
  m_chart.SetRange(1, window.XLow, window.YLow, window.XHigh, window.YHigh);
}

void TChartPlotter::Take(const TSample& sample) {
  // A sample without values still takes its place: its gaps break the
  // curves, and in Trend the window moves on by one.
  const TSessionState& s = m_session;
  if (!s.TrendMode) {
    const bool first = sample.Number == 1;
    PlotPoints(sample, first ? 0 : static_cast<double>(sample.Number), first);
    ++m_redrawCounter;
    m_redrawInterval = RedrawIntervalFor(sample.Number);
  } else {
    m_redrawInterval = 0;
  }
  if (m_redrawCounter != m_redrawInterval) return;
  m_redrawCounter = 0;
  // Normal: curves that run on beyond the X window change no pixel.
  if (!s.TrendMode && !InView(static_cast<double>(sample.Number - m_redrawInterval), static_cast<double>(sample.Number)))
    return;
  // A followed curve grows or moves by a fraction of a pixel a sample: its
  // picture keeps a pace of its own; other requests (a pan, a zoom) render
  // at once.
  const bool paced = m_following;
  const double samples = s.TrendMode ? 1 : m_redrawInterval;
  if (paced) m_chart.SetPicturePace(m_pace.Take(sample.ReadAt.SteadyNs, samples * PixelsPerSample()));
  // Only requests a picture: drawing follows the screen, and the window's
  // own loop handles the user's commands between batches.
  m_chart.ShowGraph();
  if (s.TrendMode) PlotTrendSample(sample);
  if (paced) m_chart.SetPicturePace({});
}

bool TChartPlotter::InView(double fromX, double toX) const {
  // Farther out than any pen of a line reaches into the plot.
  constexpr int kPenReach = 16;
  int from = 0, to = 0, y = 0;
  m_chart.WorldToPixel(1, fromX, 0, from, y);
  m_chart.WorldToPixel(1, toX, 0, to, y);
  const int left = m_chart.LRim() - kPenReach, right = m_chart.LRim() + m_chart.PlotWidth() + kPenReach;
  return !(std::min(from, to) > right || std::max(from, to) < left);
}

double TChartPlotter::PixelsPerSample() const {
  // Through the chart's own mapping: what the picture shows, whatever the
  // window was when the acquisition began.
  constexpr double kSamples = 1000;
  int from = 0, to = 0, y = 0;
  m_chart.WorldToPixel(1, 0, 0, from, y);
  m_chart.WorldToPixel(1, kSamples, 0, to, y);
  return std::abs(to - from) / kSamples;
}

int TChartPlotter::PlotPoints(const TSample& sample, double x, bool start) {
  int added = 0;
  for (std::size_t curve = 0; curve < sample.Values.size(); ++curve) {
    if (!sample.Has(curve)) {
      m_continues.reset(curve);
      continue;
    }
    m_chart.SetDataCurve(static_cast<std::uint8_t>(curve));
    m_chart.SetDataLayer(m_curves.Layer(curve));
    m_chart.SetDataColor(m_curves.Color(curve));
    const float value = sample.Values[curve].Scaled;
    if (start || !m_continues.test(curve)) {
      m_chart.MoveTo(x, value);
    } else {
      m_chart.DrawTo(x, value);
    }
    m_continues.set(curve);
    ++added;
  }
  return added;
}

void TChartPlotter::PlotTrendSample(const TSample& sample) {
  const std::int64_t number = sample.Number;
  if (number == 1) m_trendSteps.push_back(PlotPoints(sample, 0, true));
  m_trendSteps.push_back(PlotPoints(sample, static_cast<double>(number), false));
  if (static_cast<long double>(m_trendFill) > static_cast<long double>(m_session.GraphXMax) - kTrendMargin) {
    if (number == 1) RemoveOldestStep();
    RemoveOldestStep();
    // Following, the window is what the chart shows; otherwise it moves on
    // unseen from where it stood.
    if (m_following) m_live = ChartWindow();
    m_live.XLow += 1;
    m_live.XHigh += 1;
    if (m_following) ShowWindow(m_live);
  } else {
    ++m_trendFill;
  }
}

void TChartPlotter::RemoveOldestStep() {
  if (m_trendSteps.empty()) return;
  for (int i = 0; i < m_trendSteps.front(); ++i) m_chart.RemoveFirstItem();
  m_trendSteps.pop_front();
}

}  // namespace kurvex
