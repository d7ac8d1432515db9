// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/closer/curvelayer.h"

#include "app/closer/itemseries.h"

namespace kurvex {

int CurveLayer(const TCustomChartControl& chart, std::size_t curve) {
  if (const TCurveSource* source = chart.CurveSource()) return source->CurveLayer(curve);
  // From the newest: the items of all curves alternate there.
  for (int i = chart.ItemCount() - 1; i >= 0; --i) {
    const TChartItem& item = chart.Item(i);
    if (IsLinePoint(item) && item.Curve == curve) return item.Layer;
  }
  return 1;
}

}  // namespace kurvex
