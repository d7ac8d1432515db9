// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "chart/itemstore.h"
#include "recording/csvdialect.h"

namespace kurvex {

/// The samples a chart holds as CSV text: a header row, then X (the sample
/// number) and Y (the scaled value) of every MoveTo and DrawTo item, in
/// store order. Other items (marks, texts, …) are no samples and left out.
std::string ChartSamplesCsv(const TItemStore& items, TCsvDialect dialect);

}  // namespace kurvex
