// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>

#include "app/chartcontent.h"
#include "app/curvedescriptions.h"
#include "app/seenrange.h"
#include "chart/chartcontrol.h"
#include "intake/sampleconsumer.h"
#include "platform/system/listeners.h"

namespace kurvex {

/// The X axis of an XY acquisition: it shows the X curve's values seen, as
/// the right axis shows its curves', until the user pans or zooms; the
/// graph limits (Start, Reset Axis) give it back. Captioned with the X
/// curve's name and unit. Idle for any other content. GUI thread only.
class TXYAxis : public TSampleConsumer {
 public:
  TXYAxis(TChartControl& chart, TChartContent& content, const TCurveDescriptions& curves);
  void Take(const TSample& sample) override;

 private:
  /// Layer 1's X := the window of the values seen.
  void Apply();
  /// The X axis's caption := the X curve's name and unit; none without XY.
  void ShowCaption();

  TChartControl& m_chart;
  TChartContent& m_content;
  const TCurveDescriptions& m_curves;
  TSeenRange m_seen;
  TAxisRange m_window;  // the X window set last
  bool m_userMoved = false;
  TSubscription m_contentChanges, m_windowSet, m_zoomPan;
};

}  // namespace kurvex
