// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/chartplotter.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

#include "app/sampleseries.h"
#include "history/blockspread.h"

namespace kurvex {

namespace {

constexpr float kTrendMargin = 20;
// Trend against time keeps the points of at most this many samples: the
// chart draws its window from the history, the points are what a graph
// file saves.
constexpr std::size_t kTimeTrendPoints = 100'000;

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

void TChartPlotter::StartAcquisition(const TPlotX& x) {
  m_x = x;
  m_block.clear();
  m_blockBefore = x.Time ? std::optional(x.Time->StartNs) : std::nullopt;
  m_perLineBefore.reset();
  m_lastRedrawX = 0;
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

std::int64_t TChartPlotter::SamplesHeld() const {
  if (m_x.XCurve && m_session.TrendMode) return static_cast<std::int64_t>(m_trendSteps.size());
  return std::numeric_limits<std::int64_t>::max();
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
  if (m_x.XCurve) {
    PlaceXY(sample);
    return;
  }
  if (!m_x.Time) {
    Place(sample, !m_session.TrendMode && sample.Number == 1 ? 0 : static_cast<double>(sample.Number));
    return;
  }
  // A batch that ended without a word (a line that threw) ends here.
  if (!m_block.empty() && m_block.back().ReadAt.WallNs != sample.ReadAt.WallNs) PlotBlock();
  TKeptSample& kept = m_block.emplace_back(
      TKeptSample{sample.Number, sample.ReadAt, sample.Present, static_cast<std::uint8_t>(sample.Values.size()), {}});
  std::copy(sample.Values.begin(), sample.Values.end(), kept.Values.begin());
}

void TChartPlotter::EndBatch() {
  if (!m_block.empty()) PlotBlock();
}

void TChartPlotter::PlotBlock() {
  const TKeptSample& last = m_block.back();
  const TBlockTimes block{last.ReadAt.WallNs, static_cast<std::int64_t>(m_block.size()), m_blockBefore,
                          m_perLineBefore};
  m_perLineBefore = PerLineNs(m_blockBefore, block.WallNs, block.Lines);
  m_blockBefore = block.WallNs;
  const std::int64_t origin = m_x.Time->OriginNs;
  for (std::size_t i = 0; i < m_block.size(); ++i) {
    const TKeptSample& kept = m_block[i];
    const TSample sample{kept.Number, kept.ReadAt, {kept.Values.data(), kept.Curves}, {}, kept.Present};
    Place(sample, TimeX(LineNs(block, static_cast<std::int64_t>(i) + 1), origin));
  }
  m_block.clear();
  if (m_session.TrendMode) ScrollTrendTo(TimeX(block.WallNs, origin));
}

void TChartPlotter::Place(const TSample& sample, double x) {
  // A sample without values still takes its place: its gaps break the
  // curves, and in Trend the window moves on by one.
  const TSessionState& s = m_session;
  if (!s.TrendMode) {
    PlotPoints(sample, x, sample.Number == 1);
    if (!NormalRedrawDue(sample.Number)) return;
  } else {
    m_redrawInterval = 0;
  }
  const double redrawnFrom = std::exchange(m_lastRedrawX, x);
  // Normal: curves that run on beyond the X window change no pixel.
  if (!s.TrendMode && !InView(redrawnFrom, x)) return;
  // A followed curve grows or moves by a fraction of a pixel a sample: its
  // picture keeps a pace of its own; other requests (a pan, a zoom) render
  // at once.
  const bool paced = m_following;
  if (paced) m_chart.SetPicturePace(m_pace.Take(sample.ReadAt.SteadyNs, std::abs(x - redrawnFrom) * PixelsPerUnit()));
  // Only requests a picture: drawing follows the screen, and the window's
  // own loop handles the user's commands between batches.
  m_chart.ShowGraph();
  if (s.TrendMode) PlotTrendSample(sample, x);
  if (paced) m_chart.SetPicturePace({});
}

void TChartPlotter::PlaceXY(const TSample& sample) {
  const std::size_t xCurve = *m_x.XCurve;
  int added = 0;
  if (sample.Has(xCurve)) {
    added = PlotPoints(sample, sample.Values[xCurve].Scaled, sample.Number == 1);
  } else {
    m_continues.reset();  // no X: every curve breaks here
  }
  if (m_session.TrendMode) {
    m_trendSteps.push_back({0, added});
    const auto kept = static_cast<std::size_t>(std::max(1.0f, m_session.GraphXMax));
    while (m_trendSteps.size() > kept) RemoveOldestStep();
    m_chart.ShowGraph();
    return;
  }
  if (NormalRedrawDue(sample.Number)) m_chart.ShowGraph();
}

bool TChartPlotter::NormalRedrawDue(std::int64_t number) {
  m_redrawInterval = RedrawIntervalFor(number);
  if (++m_redrawCounter != m_redrawInterval) return false;
  m_redrawCounter = 0;
  return true;
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

double TChartPlotter::PixelsPerUnit() const {
  // Through the chart's own mapping: what the picture shows, whatever the
  // window was when the acquisition began.
  constexpr double kUnits = 1000;
  int from = 0, to = 0, y = 0;
  m_chart.WorldToPixel(1, 0, 0, from, y);
  m_chart.WorldToPixel(1, kUnits, 0, to, y);
  return std::abs(to - from) / kUnits;
}

int TChartPlotter::PlotPoints(const TSample& sample, double x, bool start) {
  int added = 0;
  for (std::size_t curve = 0; curve < sample.Values.size(); ++curve) {
    if (curve == m_x.XCurve) continue;  // XY: the X curve is no line of its own
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

void TChartPlotter::PlotTrendSample(const TSample& sample, double x) {
  const std::int64_t number = sample.Number;
  if (number == 1 && !m_x.Time) m_trendSteps.push_back({0, PlotPoints(sample, 0, true)});
  m_trendSteps.push_back({x, PlotPoints(sample, x, number == 1 && m_x.Time)});
  // Against time the window moves once a block, when it ends.
  if (m_x.Time) return;
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

void TChartPlotter::ScrollTrendTo(double x) {
  const double span = m_session.GraphXMax;
  while (m_trendSteps.size() > kTimeTrendPoints || (m_trendSteps.size() > 1 && m_trendSteps[1].X <= x - span))
    RemoveOldestStep();
  if (x <= span) return;
  if (m_following) m_live = ChartWindow();
  m_live.XLow = x - span;
  m_live.XHigh = x;
  if (m_following) ShowWindow(m_live);
}

void TChartPlotter::RemoveOldestStep() {
  if (m_trendSteps.empty()) return;
  for (int i = 0; i < m_trendSteps.front().Items; ++i) m_chart.RemoveFirstItem();
  m_trendSteps.pop_front();
}

}  // namespace kurvex
