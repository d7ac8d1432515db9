// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>

#include "app/chartplotter.h"
#include "app/lookback/historysource.h"
#include "chart/chartcontrol.h"
#include "history/history.h"
#include "intake/sampleconsumer.h"
#include "platform/windows/label.h"
#include "platform/windows/speedbutton.h"

namespace kurvex {

/// Looking back over the history of a Trend acquisition. A pan or zoom of
/// the chart stops following the newest samples: the view stays where the
/// user put it while samples keep arriving, and the chart draws what it
/// shows from the history, also what scrolled off long ago. "Folgen" (End),
/// shown over the chart's top edge while looking back, returns to the
/// window of the newest samples; beside it the history says from which
/// sample on it holds them once the oldest have left it.
class TLookBack : public TSampleConsumer {
 public:
  TLookBack(TChartControl& chart, TChartPlotter& plotter, const THistory& history,
            const TCurveSettings& curves = TCurveSettings::Defaults());
  void Take(const TSample& sample) override;
  /// An acquisition starts: following; only a Trend one can be looked back
  /// on. `fromHistory`: the chart draws it from the history while following
  /// too (Trend against time, whose window may hold any number of samples).
  void StartAcquisition(bool trend, bool fromHistory = false);
  /// Where the history's samples lie along X.
  void SetAxis(const TSampleAxis& axis);
  /// Back to the window of the newest samples.
  void Follow();
  /// The history holds a recording just opened: the chart shows it whole,
  /// from the history, ready to zoom; there is no live window to follow.
  void ShowWhole();
  /// The chart no longer shows the acquisition (Clear Graph, a file loaded).
  void Forget();
  bool LookingBack() const { return m_lookingBack; }
  TSpeedButton& FollowButton() { return *m_followButton; }
  TLabel& HistoryStart() { return *m_historyStart; }

 private:
  /// The user panned or zoomed the chart.
  void ViewChanged();
  void ShowHistoryStart();
  void EndLookingBack();

  TChartControl& m_chart;
  TChartPlotter& m_plotter;
  const THistory& m_history;
  THistorySource m_source;
  std::unique_ptr<TSpeedButton> m_followButton;
  std::unique_ptr<TLabel> m_historyStart;
  bool m_trend = false;        // the chart shows a Trend acquisition's history
  bool m_lookingBack = false;
  bool m_fromHistory = false;  // drawn from the history while following too
  std::int64_t m_firstShown = 1;  // the history's first sample the label tells
  TSubscription m_zoomPan;
};

}  // namespace kurvex
