// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bitset>
#include <deque>

#include "app/curvesettings.h"
#include "app/session.h"
#include "chart/chartcontrol.h"
#include "chart/scrollpace.h"
#include "intake/sampleconsumer.h"

namespace kurvex {

/// Plots each sample's values on layer 1 of the chart as the session's mode
/// says, each curve as a polyline of its own in its colour; a curve missing
/// from a sample leaves a gap. Normal: sample 1 at X = 0, sample n at X = n,
/// a full redraw every RedrawInterval samples (fewer as the chart fills).
/// Trend: every sample redraws; once the window is full (TrendFill past
/// GraphXMax - 20) the oldest sample's points go and the X window moves
/// right by one. Reads the mode and GraphXMax from the session; its counters
/// are its own, reset by StartAcquisition.
class TChartPlotter : public TSampleConsumer {
 public:
  TChartPlotter(TChartControl& chart, const TSessionState& session,
                const TCurveSettings& curves = TCurveSettings::Defaults())
      : m_chart(chart), m_session(session), m_curves(curves) {}
  void Take(const TSample& sample) override;
  /// Forgets the curves and counters of the acquisition before and follows
  /// the newest samples in the chart's present X window; Start calls it
  /// after setting the window.
  void StartAcquisition();
  /// Normal: samples since the last redraw, and the samples between redraws
  /// for the sample last taken; Trend: 0, every sample redraws.
  std::int32_t RedrawCounter() const { return m_redrawCounter; }
  std::int32_t RedrawInterval() const { return m_redrawInterval; }
  /// Trend: whether the chart's X window moves on with the newest samples.
  /// While it does not, the window of the newest samples moves on unseen;
  /// following again shows it as it stands.
  bool Following() const { return m_following; }
  void SetFollowing(bool following);

 private:
  /// Puts each curve of `sample` at `x`: a line from its point before, or a
  /// new start (`start`, or after a gap). Returns the items it added.
  int PlotPoints(const TSample& sample, double x, bool start);
  void PlotTrendSample(const TSample& sample);
  /// Trend: takes the oldest step's items off the chart.
  void RemoveOldestStep();
  /// Whether the curves between X `fromX` and `toX` reach into the plot.
  bool InView(double fromX, double toX) const;
  /// How far a sample moves (Trend) or extends (Normal) the curve, in plot pixels.
  double PixelsPerSample() const;

  /// The chart's layer 1 window of the newest samples.
  struct TWindow {
    double XLow = 0, YLow = 0, XHigh = 0, YHigh = 0;
  };
  TWindow ChartWindow() const;
  void ShowWindow(const TWindow& window);

  TChartControl& m_chart;
  const TSessionState& m_session;
  const TCurveSettings& m_curves;
  TWindow m_live;
  bool m_following = true;
  std::bitset<kMaxCurves> m_continues;  // curves whose sample before had a point
  std::deque<int> m_trendSteps;         // Trend: the items each step added, oldest first
  TScrollPace m_pace;                   // how soon the moved or grown picture renders
  std::uint32_t m_trendFill = 0;        // Trend: samples in the window until it is full
  std::int32_t m_redrawCounter = 0;
  std::int32_t m_redrawInterval = 0;
};

}  // namespace kurvex
