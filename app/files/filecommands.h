// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "app/chartcontent.h"
#include "chart/chartcontrol.h"
#include "intake/intakestate.h"

namespace kurvex {

/// The "Datei" menu's files: the chart as a bitmap or PNG, the acquisition
/// as a graph file (saved and loaded) or as CSV, and a recording opened to
/// be looked at. Each command asks for its file, tells the user what went
/// wrong, and changes what the chart shows only through the content owner.
/// GUI thread only.
class TFileCommands {
 public:
  /// Whether an acquisition runs now.
  using TAcquiring = std::function<bool()>;

  TFileCommands(TChartControl& chart, TChartContent& content, const TIntakeState& intake, TAcquiring acquiring)
      : m_chart(chart), m_content(content), m_intake(intake), m_acquiring(std::move(acquiring)) {}

  /// A black-and-white bitmap of the chart.
  void SaveBitmap();
  /// The chart's items as a graph file (.kvx).
  void SaveAcquisition();
  /// A graph file replaces what the chart shows.
  void LoadAcquisition();
  /// A recording (Kurvex's CSV or a foreign one) shown whole from a
  /// history of its own, ready to zoom (app/files/recordingopen.cpp).
  void OpenRecording();
  /// The chart's picture as PNG, its samples as CSV (app/files/exportcommands.cpp).
  void SavePng();
  void ExportCsv();

 private:
  TChartControl& m_chart;
  TChartContent& m_content;
  const TIntakeState& m_intake;
  TAcquiring m_acquiring;
};

}  // namespace kurvex
