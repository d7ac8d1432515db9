// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <memory>

#include "app/chartroom.h"
#include "app/closer/closerfigures.h"
#include "app/closer/closertexts.h"
#include "app/closer/curvetable.h"
#include "app/closer/markerdelta.h"
#include "app/sampleseries.h"
#include "chart/chartcontrol.h"
#include "history/historystatistics.h"
#include "platform/windows/form.h"
#include "platform/windows/frameclock.h"
#include "platform/windows/label.h"
#include "platform/windows/panel.h"

namespace kurvex {

/// The colours of the markers' lines and captions: apart from each other
/// and from the first curves' colours.
inline constexpr TColor kMarkerAColor = RGB(0xC0, 0x00, 0x00);
inline constexpr TColor kMarkerBColor = RGB(0x80, 0x00, 0xC0);

/// Where a closer look shows its numbers: the readout in the chart's top
/// rim, right, where no curve is drawn; the markers, their differences and
/// the statistics in a panel under the chart, which the layout gives room
/// while it is shown. Ordinary labels, so screen readers read
/// them; each value is labelled by its caption. With several curves the
/// readout gives each one's value in its colour, and the panel each one's
/// own figures in a table (TCurveTable) under the markers.
class TCloserPanel {
 public:
  TCloserPanel(TForm& form, TChartControl& chart, TChartRoom& layout);

  /// The sample under the pointer or the keys; none hides the readout.
  /// `lookingBack`: the look-back's controls take the top rim's left end.
  void ShowReadout(const TCloserFigures& figures, bool lookingBack);
  void ShowPanel(bool shown);
  bool PanelShown() const { return Panel->Visible(); }
  /// The markers, their differences and the statistics (of the samples from
  /// marker A to B when both stand, else of the visible range).
  void ShowFigures(const TCloserFigures& figures);

  /// The figures' labels with one curve shown.
  TLabel& Caption(TFigure figure) { return *m_captions[static_cast<std::size_t>(figure)]; }
  TLabel& Value(TFigure figure) { return *m_values[static_cast<std::size_t>(figure)]; }
  /// The figures of each curve with several shown.
  TCurveTable& Table() { return m_table; }

  std::unique_ptr<TLabel> ReadoutLabel;
  std::unique_ptr<TPanel> Panel;
  /// Which samples the statistics are of.
  std::unique_ptr<TLabel> StatisticsRangeLabel;

 private:
  void SetValue(TFigure figure, const std::string& text) { Value(figure).SetCaption(text); }
  /// Places the labels for a panel `width` pixels wide and works out its height.
  void LayOut(int width);
  void LayOutOneCurve(int width);
  void LayOutCurves(int width);

  TChartControl& m_chart;
  TChartRoom& m_layout;
  std::array<std::unique_ptr<TLabel>, kFigureCount> m_captions;
  std::array<std::unique_ptr<TLabel>, kFigureCount> m_values;
  TCurveTable m_table{*Panel};
  int m_height = 0;       // as laid out
  int m_shownHeight = 0;  // as the room gave it
  // A width that changed the height shows it again at the next frame, out of the room's placing.
  TFrameRider m_reshow{[this] { ShowPanel(PanelShown()); }};
};

}  // namespace kurvex
