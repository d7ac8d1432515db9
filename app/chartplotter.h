// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "app/curvesettings.h"
#include "app/session.h"
#include "chart/chartcontrol.h"
#include "chart/scrollpace.h"
#include "intake/sampleconsumer.h"

namespace kurvex {

/// Where the plotter places samples along X: at their numbers, or at the
/// times their lines were read.
struct TPlotX {
  /// Time: the acquisition's Start (the first block's lines are spread
  /// since then) and the wall time at X = 0; X is in seconds.
  struct TTime {
    std::int64_t StartNs = 0;
    std::int64_t OriginNs = 0;
  };
  std::optional<TTime> Time{};
  /// XY: the curve whose value is X (0 for curve 1); the other curves are
  /// drawn against it, joined in the order their samples arrived.
  std::optional<std::size_t> XCurve{};
};

/// Plots each sample's values on layer 1 of the chart as the session's mode
/// says, each curve as a polyline of its own in its colour; a curve missing
/// from a sample leaves a gap. Normal: sample 1 at X = 0, sample n at X = n,
/// a full redraw every RedrawInterval samples (fewer as the chart fills).
/// Trend: every sample redraws; once the window is full (TrendFill past
/// GraphXMax - 20) the oldest sample's points go and the X window moves
/// right by one. Reads the mode and GraphXMax from the session; its counters
/// are its own, reset by StartAcquisition.
/// Against time, the samples of a batch are plotted when it ends, each at
/// its line's time (the batch's lines spread since the batch before, as
/// history/blockspread.h says); Normal shows 0 to GraphXMax seconds, Trend
/// the last GraphXMax seconds. XY: Normal keeps the acquisition's samples,
/// Trend the last GraphXMax; the X window is not the plotter's to move.
class TChartPlotter : public TSampleConsumer {
 public:
  TChartPlotter(TChartControl& chart, const TSessionState& session,
                const TCurveSettings& curves = TCurveSettings::Defaults())
      : m_chart(chart), m_session(session), m_curves(curves) {}
  void Take(const TSample& sample) override;
  void EndBatch() override;
  /// Forgets the curves and counters of the acquisition before and follows
  /// the newest samples in the chart's present X window; Start calls it
  /// after setting the window.
  void StartAcquisition(const TPlotX& x = {});
  /// Normal: samples since the last redraw, and the samples between redraws
  /// for the sample last taken; Trend: 0, every sample redraws.
  std::int32_t RedrawCounter() const { return m_redrawCounter; }
  std::int32_t RedrawInterval() const { return m_redrawInterval; }
  /// Trend: whether the chart's X window moves on with the newest samples.
  /// While it does not, the window of the newest samples moves on unseen;
  /// following again shows it as it stands.
  bool Following() const { return m_following; }
  /// XY Trend: how many of the newest samples the chart holds (Graph X max);
  /// otherwise all of the acquisition's.
  std::int64_t SamplesHeld() const;
  void SetFollowing(bool following);

 private:
  /// Puts each curve of `sample` at `x`: a line from its point before, or a
  /// new start (`start`, or after a gap). Returns the items it added.
  int PlotPoints(const TSample& sample, double x, bool start);
  /// Normal: counts sample `number` towards the next redraw; whether it is due.
  bool NormalRedrawDue(std::int64_t number);
  /// Plots `sample` at `x` and requests the picture as the mode says.
  void Place(const TSample& sample, double x);
  void PlotTrendSample(const TSample& sample, double x);
  /// Trend: takes the oldest step's items off the chart.
  void RemoveOldestStep();
  /// Trend against time: the window ends at the newest sample's X, and
  /// points older than its start leave (but the one the curve enters from).
  void ScrollTrendTo(double x);
  /// Plots the samples of the batch that ended, each at its time.
  void PlotBlock();
  /// XY: plots the other curves of `sample` against the X curve's value.
  void PlaceXY(const TSample& sample);
  /// Whether the curves between X `fromX` and `toX` reach into the plot.
  bool InView(double fromX, double toX) const;
  /// Plot pixels per unit of X (a sample, or a second).
  double PixelsPerUnit() const;

  /// The chart's layer 1 window of the newest samples.
  struct TWindow {
    double XLow = 0, YLow = 0, XHigh = 0, YHigh = 0;
  };
  TWindow ChartWindow() const;
  void ShowWindow(const TWindow& window);

  /// A sample of the batch being read, kept until the batch ends.
  struct TKeptSample {
    std::int64_t Number;
    TReadTime ReadAt;
    std::uint16_t Present;
    std::uint8_t Curves;  // of Values, as the sample had them
    std::array<TSampleValue, kMaxCurves> Values;
  };
  struct TStep {
    double X;
    int Items;
  };

  TChartControl& m_chart;
  const TSessionState& m_session;
  const TCurveSettings& m_curves;
  TPlotX m_x;
  std::vector<TKeptSample> m_block;          // Time: the batch being read
  std::optional<std::int64_t> m_blockBefore;  // Time: when the batch before was read
  std::optional<double> m_perLineBefore;     // Time: its time per line, ns
  double m_lastRedrawX = 0;
  TWindow m_live;
  bool m_following = true;
  std::bitset<kMaxCurves> m_continues;  // curves whose sample before had a point
  std::deque<TStep> m_trendSteps;       // Trend: where each step was and the items it added, oldest first
  TScrollPace m_pace;                   // how soon the moved or grown picture renders
  std::uint32_t m_trendFill = 0;        // Trend: samples in the window until it is full
  std::int32_t m_redrawCounter = 0;
  std::int32_t m_redrawInterval = 0;
};

}  // namespace kurvex
