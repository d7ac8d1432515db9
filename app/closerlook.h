// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "app/closerpanel.h"
#include "app/closertexts.h"
#include "app/historyseries.h"
#include "app/itemseries.h"
#include "app/lookback.h"
#include "app/session.h"
#include "app/sampleseries.h"
#include "chart/chartcontrol.h"
#include "history/history.h"
#include "intake/sampleconsumer.h"
#include "platform/windows/form.h"
#include "platform/windows/frameclock.h"
#include "platform/windows/menu.h"

namespace kurvex {

/// Looking closer at the chart: the sample under the pointer (or chosen
/// with the arrow keys while the chart has the focus) is marked and read
/// out; markers A and B stand on samples and give their differences; the
/// statistics are of the visible samples or those from A to B. Everything
/// it shows is worked out at a frame, at most once per frame, from the
/// history (or from the chart's own line items for a loaded graph file).
class TCloserLook : public TSampleConsumer {
 public:
  enum TMarker : std::uint8_t { MarkerA, MarkerB };

  TCloserLook(TForm& form, TChartControl& chart, const THistory& history, const TLookBack& lookBack,
              const TSessionState& session);
  /// Notes how an acquisition places its samples, and keeps what is shown
  /// current as samples arrive.
  void Take(const TSample& sample) override;
  /// The chart shows something else (Clear Graph, a file loaded): no
  /// readout, no markers.
  void Forget();
  /// The view moved (the user's pans and zooms come by themselves): the
  /// statistics and the readout under the pointer follow.
  void ViewChanged();

  /// At the readout; nothing without one.
  void SetMarker(TMarker marker);
  void RemoveMarkers();
  void SetStatisticsShown(bool shown);
  /// Readout, markers with their differences and statistics, as shown, to the clipboard.
  void Copy();

  /// What is shown now (worked out at once, not at the next frame).
  TPickedSample Readout();
  TPickedSample Marker(TMarker marker);
  TCloserPanel& Panel() { return m_panel; }
  TPopupMenu& Menu() { return m_menu; }
  TMenuItem& StatisticsItem() { return *m_statisticsItem; }

 private:
  enum class TReadoutBy : std::uint8_t { None, Pointer, Keys };

  void PointerMoved(bool inPlot, double worldX, double worldY);
  void KeyDown(TKey& key, TShiftState shift);
  void ContextPopup(int x, int y, bool byKeyboard);
  /// The samples of the curve looked at, where they are kept now; null when
  /// the chart shows none.
  const TSampleSeries* Series();
  std::uint8_t CurveLookedAt() const;
  /// Everything shown, from the present state of chart and history.
  void Refresh();
  void Later() { m_frame.RideNextFrame(); }
  void ShowPanelIfWanted();
  /// Moves the view by as much as it takes to show X (a sample the keys chose).
  void KeepInView(double x, double low, double high);
  void PlaceCrossHair(int index, const TPickedSample& sample);
  TPickedSample ReadoutOf(const TSampleSeries& series) const;
  /// The readout, the markers and, while the panel shows, the statistics.
  TCloserFigures Figures(const TSampleSeries* series) const;

  TChartControl& m_chart;
  const THistory& m_history;
  const TLookBack& m_lookBack;
  const TSessionState& m_session;
  TCloserPanel m_panel;
  TPopupMenu m_menu;
  TMenuItem* m_statisticsItem = nullptr;
  TFrameRider m_frame;

  /// How the last acquisition placed its samples (Normal from X = 0).
  TSampleAxis m_acquisitionAxis = TSampleAxis::Numbers;
  std::optional<THistorySeries> m_series;  // the history as read last
  std::unique_ptr<TItemSeries> m_items;  // the chart's items as read last
  int m_itemsCount = -1;
  std::uint8_t m_itemsCurve = 0;

  TReadoutBy m_readoutBy = TReadoutBy::None;
  int m_pointerX = 0, m_pointerY = 0;  // control pixels
  std::int64_t m_keyNumber = 0;        // the sample the keys chose
  std::int64_t m_markers[2] = {0, 0};  // 0: not set
  bool m_statisticsShown = false;
  // Last, so the chart stops calling before anything above goes.
  std::vector<TSubscription> m_chartEvents;
};

}  // namespace kurvex
