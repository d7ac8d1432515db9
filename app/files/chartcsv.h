// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>

#include "chart/itemstore.h"
#include "history/history.h"
#include "recording/csvdialect.h"

namespace kurvex {

/// What the header calls each curve: its name and its unit, indexed by
/// curve; empty or missing for a curve without one.
struct TCurveHeads {
  std::span<const std::string> Names, Units;
};

/// The samples a chart holds as CSV text: a header row, then X (the sample
/// number) and Y (the scaled value) of every MoveTo and DrawTo item, in
/// store order. Other items (marks, texts, …) are no samples and left out.
///
/// With items of more than one curve, each curve has its own Y column
/// ("Wert <name> (skaliert)", "Kanal <n>" for a curve without a name),
/// and the items of one X that follow each other in the store share a row;
/// a curve without an item there leaves its cell empty. A curve with a
/// unit has it after its column's name ("Wert Temp (skaliert) [°C]").
std::string ChartSamplesCsv(const TItemStore& items, TCsvDialect dialect, TCurveHeads heads = {});

/// The samples of an acquisition's history as CSV text with the header of
/// ChartSamplesCsv: one row per sample, numbered as it was counted (and
/// recorded), each curve's scaled value or an empty cell for a gap.
std::string HistorySamplesCsv(const THistory& history, TCsvDialect dialect, TCurveHeads heads = {});

}  // namespace kurvex
