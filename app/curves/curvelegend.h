// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <memory>
#include <string>

#include "app/chartroom.h"
#include "app/curvedescriptions.h"
#include "app/curvesettings.h"
#include "app/setuppart.h"
#include "chart/chartcontrol.h"
#include "intake/intakestate.h"
#include "intake/sampleconsumer.h"
#include "platform/windows/checkbox.h"
#include "platform/windows/label.h"
#include "platform/windows/menu.h"
#include "platform/windows/panel.h"

namespace kurvex {

/// The legend of an acquisition with more than one curve, in a column at the
/// chart's right that the layout gives it while it shows: per curve its
/// colour and name, its newest value, and a check box that hides or shows
/// it. Hidden while there is one curve, so the window looks as it always
/// did. In a setup it keeps each curve's name, colour and whether it is
/// shown.
class TCurveLegend : public TSampleConsumer, public TSetupPart, public TCurveDescriptions {
 public:
  TCurveLegend(TWinControl& parent, TChartControl& chart, TChartRoom& layout, TCurveSettings& curves);
  void Take(const TSample& sample) override;
  /// Hides the legend, gives the chart its room back and shows every curve
  /// the settings show.
  void StartAcquisition();
  void CollectInto(TSetup& setup) const override;
  void ApplyFrom(const TSetup& setup, std::vector<std::string>& notes) override;
  /// The curve settings changed: each entry shows its curve's colour, name
  /// and box as they say now, and the chart shows the curves they show.
  void CurvesChanged();
  /// How many curves the acquisition shown has so far.
  std::size_t CurvesInUse() const { return m_inUse; }
  /// The curve's name: the instrument's, else the one set.
  std::string Label(std::size_t curve) const override;
  /// The unit its samples came with (one the user set, from Start), whole.
  std::string Unit(std::size_t curve) const override { return m_unitsSent[curve % kMaxCurves]; }
  TColor Color(std::size_t curve) const override { return m_curves.Color(curve); }
  /// Asked to edit a curve's settings: a double click on its name, or
  /// "Kanäle…" of the legend's context menu (the entry under the pointer).
  std::function<void(std::size_t curve)> OnEditCurve;
  /// The legend's context menu.
  TPopupMenu& Menu() { return m_menu; }
  static constexpr int kWidth = 190;

 private:
  struct Entry {
    std::unique_ptr<TCheckBox> shown;  // hides or shows the curve
    std::unique_ptr<TLabel> name;      // in the curve's colour; labels the value
    std::unique_ptr<TLabel> value;     // the newest value
  };
  void ShowLegend();
  /// The chart shows the curves the settings show.
  void ShowCurvesAsSet();
  /// The entry's name and its box's accessible name := the curve's label.
  void ShowName(std::size_t curve);
  void AddEntry(std::size_t curve);
  /// Shows or hides an entry as a new curve's: checked as the settings
  /// say, named by them until the instrument names it, no value.
  void ShowEntry(std::size_t curve, bool shown);
  /// The curve's unit, shown after its value, a long one cut with its
  /// whole text in the tooltip.
  void ShowUnit(std::size_t curve, const std::string& unit);

  TChartControl& m_chart;
  TChartRoom& m_layout;
  TCurveSettings& m_curves;
  std::unique_ptr<TPanel> m_panel;
  TPopupMenu m_menu{*m_panel};
  std::size_t m_menuCurve = 0;  // the entry the context menu was asked on
  std::array<Entry, kMaxCurves> m_entries;
  std::array<std::string, kMaxCurves> m_names;  // as the instrument sent them
  std::array<std::string, kMaxCurves> m_unitsSent;  // as the samples gave them
  std::array<std::string, kMaxCurves> m_units;      // as shown after the values
  std::size_t m_count = 0;  // entries made
  std::size_t m_inUse = 0;  // entries of this acquisition's curves
  bool m_showing = false;
};

}  // namespace kurvex
