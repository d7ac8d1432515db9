// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "app/closer/closerfigures.h"
#include "app/closer/markerdelta.h"
#include "app/sampleseries.h"
#include "history/historystatistics.h"
#include "platform/drawing/color.h"
#include "platform/windows/label.h"

namespace kurvex {

/// A value worked out from samples with as many digits as a float needs
/// ("6,992"), `decimalSeparator` as separator, beyond the float range in
/// full ("6,8056469327705E38"); "–" for none or not a number.
std::string FigureText(std::optional<double> value, char decimalSeparator);
/// FigureText with the unit after it ("21,5 °C"); "–" alone for none.
std::string FigureText(std::optional<double> value, const std::string& unit, char decimalSeparator);
/// "Sample 12.345 · 6,992 · 10:15:00,123", the time only when known.
std::string SampleText(const TPickedSample& sample, char decimalSeparator);
/// "Sample 12.345", then `values`, then the time when known, apart by " · ".
std::vector<TTextPart> SampleParts(const TPickedSample& sample, std::vector<TTextPart> values,
                                   char decimalSeparator);
/// Seconds with milliseconds, "1,250 s"; "–" for none.
std::string SecondsText(std::optional<double> seconds, char decimalSeparator);

/// One shown curve's part of a closer look: its values at the readout's and
/// the markers' samples and its statistics.
struct TCurveFigures {
  std::size_t Curve = 0;
  std::string Label;  ///< "Temp"
  std::string Unit;   ///< "°C"; empty for none
  TColor Color = clBlack;
  float Readout = std::numeric_limits<float>::quiet_NaN();
  float MarkerA = std::numeric_limits<float>::quiet_NaN();
  float MarkerB = std::numeric_limits<float>::quiet_NaN();
  std::optional<THistoryStatistics> Statistics;
};

/// What the window shows of a closer look, for the clipboard.
struct TCloserFigures {
  /// The samples picked, with the first shown curve's values.
  TPickedSample Readout;  ///< under the pointer or the keys; none when not shown
  TPickedSample MarkerA, MarkerB;
  std::optional<THistoryStatistics> Statistics;  ///< the first shown curve's, while shown
  /// Each shown curve, when more than one is shown; empty with one.
  std::vector<TCurveFigures> Curves;
};

/// The curves whose figures are shown: Curves, or with one curve the figures' own values.
std::vector<TCurveFigures> CurvesOf(const TCloserFigures& figures);
/// One of a curve's own figures (kCurveFigures): Δ Wert and the slopes while
/// both markers stand, the statistics while shown and of samples; none else.
std::optional<double> CurveFigure(TFigure figure, const TCurveFigures& curve, const TCloserFigures& figures);
/// A curve's own figure as the panel shows it, with the curve's unit where
/// the figure is in it (all but Anzahl); "–" for none.
std::string CurveFigureText(TFigure figure, const TCurveFigures& curve, const TCloserFigures& figures,
                            char decimalSeparator);
/// The readout: with several curves each one's label, value and unit in its colour.
std::vector<TTextPart> ReadoutParts(const TCloserFigures& figures, char decimalSeparator);

/// Tab-separated: a header line and a line of values, for a spreadsheet.
/// Holds what is shown: the readout, the markers with their differences
/// when both are set, the statistics; with several curves a column per
/// curve for each figure of its own, headed with its label. Numbers without
/// group separators.
std::string FiguresTable(const TCloserFigures& figures, char decimalSeparator);

}  // namespace kurvex
