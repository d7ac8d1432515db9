// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/chartcsv.h"

namespace kurvex {

std::string ChartSamplesCsv(const TItemStore& items, TCsvDialect dialect) {
  std::string text;
  AppendCsvText(text, "Sample", dialect, true);
  AppendCsvText(text, "Wert (skaliert)", dialect);
  EndCsvRow(text);
  for (int i = 0; i < items.Count(); ++i) {
    const TChartItem& item = items[i];
    if (item.Kind != ikMoveTo && item.Kind != ikDrawTo) continue;
    AppendCsvValue(text, item.X, dialect, true);
    AppendCsvValue(text, item.Y, dialect);
    EndCsvRow(text);
  }
  return text;
}

}  // namespace kurvex
