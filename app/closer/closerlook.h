// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "app/closer/closerpanel.h"
#include "app/closer/closertexts.h"
#include "app/closer/historyseries.h"
#include "app/closer/itemseries.h"
#include "app/closer/xyseries.h"
#include "app/chartcontent.h"
#include "app/curvedescriptions.h"
#include "app/sampleseries.h"
#include "chart/chartcontrol.h"
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
/// samples the chart shows: the history's, or the chart's own line items
/// for a loaded graph file. With several curves shown, the readout, the
/// markers' differences and the statistics give each one's figures; the
/// samples picked are the first shown curve's.
class TCloserLook : public TSampleConsumer {
 public:
  enum TMarker : std::uint8_t { MarkerA, MarkerB };

  TCloserLook(TForm& form, TChartControl& chart, TChartContent& content, TChartRoom& layout,
              const TCurveDescriptions& curves);
  /// Keeps what is shown current as samples arrive.
  void Take(const TSample& sample) override;

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
  /// Point: the pointer chose the sample nearest to it (XY).
  enum class TReadoutBy : std::uint8_t { None, Pointer, Keys, Point };

  /// The chart shows something else: no readout, no markers.
  void Forget();
  /// The view moved: the statistics and the readout under the pointer follow.
  void ViewChanged();

  void PointerMoved(bool inPlot, double worldX, double worldY);
  /// XY: the readout := the leading curve's point nearest to the pointer.
  void PickPoint();
  void KeyDown(TKey& key, TShiftState shift);
  void ContextPopup(int x, int y, bool byKeyboard);
  struct TShownSeries {
    std::uint8_t Curve;
    const TSampleSeries* Series;
  };
  /// The samples of each curve shown, where they are kept now, the first
  /// one's leading; empty when the chart shows none.
  const std::vector<TShownSeries>& ShownSeries();
  /// The leading curve's samples; null when the chart shows none.
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
  TCloserFigures Figures(const std::vector<TShownSeries>& shown) const;

  TChartControl& m_chart;
  TChartContent& m_content;
  const TCurveDescriptions& m_curves;
  TCloserPanel m_panel;
  TPopupMenu m_menu;
  TMenuItem* m_statisticsItem = nullptr;
  TFrameRider m_frame;

  std::vector<THistorySeries> m_historySeries;  // the history as read last
  std::vector<TXYSeries> m_xySeries;            // XY: the history as read last
  std::array<std::unique_ptr<TItemSeries>, kMaxCurves> m_items;  // the chart's items as read last
  std::bitset<kMaxCurves> m_itemCurves;                           // the curves among them
  int m_itemsCount = -1;
  std::vector<TShownSeries> m_shown;

  TReadoutBy m_readoutBy = TReadoutBy::None;
  int m_pointerX = 0, m_pointerY = 0;  // control pixels
  std::int64_t m_keyNumber = 0;        // the sample the keys chose
  std::int64_t m_markers[2] = {0, 0};  // 0: not set
  bool m_statisticsShown = false;
  // Last, so the chart and the content stop calling before anything above goes.
  std::vector<TSubscription> m_events;
};

}  // namespace kurvex
