// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/session.h"
#include "chart/chartcontrol.h"
#include "intake/sampleconsumer.h"

namespace kurvex {

/// Plots each sample's value on layer 1 of the chart as the session's mode
/// says. Normal: sample 1 at X = 0, sample n at X = n, a full redraw every
/// RedrawInterval samples (fewer as the chart fills). Trend: every sample
/// redraws; once the window is full (TrendFill past GraphXMax - 20) the
/// oldest point goes and the X window moves right by one. Keeps its counters
/// in the session (TrendFill, RedrawCounter, RedrawInterval), which Start
/// resets.
class TChartPlotter : public TSampleConsumer {
 public:
  TChartPlotter(TChartControl& chart, TSessionState& session) : m_chart(chart), m_session(session) {}
  void Take(const TSample& sample) override;

 private:
  void PlotTrendSample(std::int64_t number, float value);

  TChartControl& m_chart;
  TSessionState& m_session;
};

}  // namespace kurvex
