// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/closer/markerdelta.h"
#include "app/sampleseries.h"
#include "history/historystatistics.h"

namespace kurvex {

/// A value worked out from samples with as many digits as a float needs
/// ("6,992"), `decimalSeparator` as separator, beyond the float range in
/// full ("6,8056469327705E38"); "–" for none or not a number.
std::string FigureText(std::optional<double> value, char decimalSeparator);
/// "Sample 12.345 · 6,992 · 10:15:00,123", the time only when known.
std::string SampleText(const TPickedSample& sample, char decimalSeparator);
/// Seconds with milliseconds, "1,250 s"; "–" for none.
std::string SecondsText(std::optional<double> seconds, char decimalSeparator);

/// What the window shows of a closer look, for the clipboard.
struct TCloserFigures {
  TPickedSample Readout;  ///< under the pointer or the keys; none when not shown
  TPickedSample MarkerA, MarkerB;
  std::optional<THistoryStatistics> Statistics;
};

/// Tab-separated: a header line and a line of values, for a spreadsheet.
/// Holds what is shown: the readout, the markers with their differences
/// when both are set, the statistics. Numbers without group separators.
std::string FiguresTable(const TCloserFigures& figures, char decimalSeparator);

}  // namespace kurvex
