// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "app/chartroom.h"
#include "app/closer/markerdelta.h"
#include "app/sampleseries.h"
#include "chart/chartcontrol.h"
#include "history/historystatistics.h"
#include "platform/windows/form.h"
#include "platform/windows/label.h"
#include "platform/windows/panel.h"

namespace kurvex {

/// The colours of the markers' lines and captions: apart from each other
/// and from the first curves' colours.
inline constexpr TColor kMarkerAColor = RGB(0xC0, 0x00, 0x00);
inline constexpr TColor kMarkerBColor = RGB(0x80, 0x00, 0xC0);

/// The figures of a closer look, each a caption and a value label.
enum class TFigure : std::uint8_t {
  MarkerA, MarkerB,
  DeltaSamples, DeltaValue, DeltaTime,
  SlopePerSample, SlopePerSecond,
  Count, Minimum, Maximum,
  Mean, StandardDeviation, PeakToPeak,
};
inline constexpr std::size_t kFigureCount = 13;

/// Where a closer look shows its numbers: the readout in the chart's top
/// rim, right, where no curve is drawn; the markers, their differences and
/// the statistics in a panel under the chart, which the layout gives room
/// while it is shown. Ordinary labels, so screen readers read
/// them; each value is labelled by its caption.
class TCloserPanel {
 public:
  TCloserPanel(TForm& form, TChartControl& chart, TChartRoom& layout);

  /// The sample under the pointer or the keys; none hides the readout.
  void ShowReadout(const TPickedSample& sample);
  void ShowPanel(bool shown);
  bool PanelShown() const { return Panel->Visible(); }
  void ShowMarkers(const TPickedSample& a, const TPickedSample& b);
  /// `betweenMarkers`: of the samples from marker A to B, else of the visible range.
  void ShowStatistics(const THistoryStatistics& statistics, bool betweenMarkers);

  TLabel& Caption(TFigure figure) { return *m_captions[static_cast<std::size_t>(figure)]; }
  TLabel& Value(TFigure figure) { return *m_values[static_cast<std::size_t>(figure)]; }

  std::unique_ptr<TLabel> ReadoutLabel;
  std::unique_ptr<TPanel> Panel;
  /// Which samples the statistics are of.
  std::unique_ptr<TLabel> StatisticsRangeLabel;

 private:
  void SetValue(TFigure figure, const std::string& text) { Value(figure).SetCaption(text); }
  /// Places the labels for a panel `width` pixels wide.
  void LayOut(int width);

  TChartRoom& m_layout;
  std::array<std::unique_ptr<TLabel>, kFigureCount> m_captions;
  std::array<std::unique_ptr<TLabel>, kFigureCount> m_values;
};

}  // namespace kurvex
