// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "app/chartcontent.h"
#include "app/curvesettings.h"
#include "app/seenrange.h"
#include "app/setuppart.h"
#include "chart/chartcontrol.h"
#include "history/history.h"
#include "intake/sampleconsumer.h"
#include "platform/system/listeners.h"

namespace kurvex {

/// The chart's Y axes for the curves. The left one (layer 1) is the
/// window's, as its graph limits set it. The right one (layer 2) shows
/// while a curve of what the chart shows is drawn against it: its X is
/// layer 1's, it pans and zooms with it, and its Y shows the fixed range of
/// the curve settings or follows the samples seen until the user moves it.
/// Each axis is captioned with the units of its curves. GUI thread only.
class TCurveAxes : public TSampleConsumer, public TSetupPart {
 public:
  static constexpr int kRightLayer = TCurveSettings::kRightLayer;

  /// Follows what `content` shows: an acquisition from its first sample,
  /// a loaded graph file as its items' layers say, an opened recording.
  TCurveAxes(TChartControl& chart, TCurveSettings& curves, TChartContent& content);

  /// New curves may go to the right axis; its range follows the samples
  /// of its curves; units become captions.
  void Take(const TSample& sample) override;
  /// The settings changed: curves move between the axes and take their
  /// colours, and the right range is taken again from what is shown.
  void CurvesChanged();
  /// The right axis's range in a setup; one applied moves the curves to
  /// the axes the curve settings (applied before) say.
  void CollectInto(TSetup& setup) const override;
  void ApplyFrom(const TSetup& setup, std::vector<std::string>& notes) override;
  /// Reset Axis: the right axis shows its fixed range or the samples' again.
  void ResetRange();
  /// Y Log for the right axis too; false when it is shown and cannot show
  /// its window logarithmically (it stays linear).
  bool SetLogarithmic(bool logarithmic);
  /// DoubleTics for the right axis too.
  void SetMinTicks(int ticks);

 private:
  bool OnRight(std::size_t curve) const { return m_curves.Axis(curve) == TCurveAxis::Right; }
  void ContentChanged(TContentChange change);
  /// Nothing seen yet: no curves, units or extremes.
  void Forget();
  /// The right curves' least and greatest value in the history shown, or
  /// in the chart's items without one.
  void TakeExtremes();
  /// The right axis, its range and both captions as what is shown says.
  void ShowAxes();
  /// Shows the right axis while a curve in use is drawn against it.
  void ShowRightAxisIfUsed();
  /// Layer 2's Y := the fixed range, or the samples' while the user has
  /// not moved it.
  void ApplyRange();
  /// Each axis's caption := its curves' units, each once, in curve order.
  void ShowCaptions();

  TChartControl& m_chart;
  TCurveSettings& m_curves;
  TChartContent& m_content;
  TSubscription m_zoomPan, m_contentChanges;
  std::size_t m_inUse = 0;  // curves of what the chart shows
  std::array<std::string, kMaxCurves> m_units;
  TSeenRange m_seen;            // the right curves' samples
  TAxisRange m_autoWindow;      // the window set last: fixed, or holding them
  bool m_rightItems = false;  // a graph file's items on the right axis
  bool m_rightShown = false;
  bool m_userMoved = false;
  bool m_logarithmic = false;
  int m_rightRim = 0;  // the design's right rim, given back when the axis goes
};

}  // namespace kurvex
