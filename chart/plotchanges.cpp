// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/plotchanges.h"

#include <algorithm>
#include <cmath>

namespace kurvex {

namespace {
// Farther than the items of one step of many curves lie apart; a neighbour
// beyond it is not looked for.
constexpr int kNeighbourReach = 512;
}  // namespace

void TPlotChanges::Appended(const TItemStore& store, int index) {
  const TChartItem& item = store[index];
  if (!IsLinePoint(item)) {
    Whole();
    return;
  }
  Add(m_appended, item);
  AddNeighbour(m_appended, store, index - 1, -1, item.Curve);
}

void TPlotChanges::RemovingFirst(const TItemStore& store) {
  if (store.Count() == 0) return;
  const TChartItem& item = store[0];
  if (!IsLinePoint(item)) {
    Whole();
    return;
  }
  Add(m_removed, item);
  AddNeighbour(m_removed, store, 1, 1, item.Curve);
}

void TPlotChanges::AddNeighbour(TSpan& span, const TItemStore& store, int from, int step, std::uint8_t curve) {
  for (int i = from, looked = 0; i >= 0 && i < store.Count(); i += step, ++looked) {
    if (looked == kNeighbourReach) {
      Whole();
      return;
    }
    const TChartItem& item = store[i];
    if (item.Curve != curve) continue;
    if (!IsLinePoint(item)) {
      Whole();
      return;
    }
    Add(span, item);
    return;
  }
}

void TPlotChanges::Add(TSpan& span, const TChartItem& item) {
  m_layers.set(static_cast<std::size_t>(std::clamp(item.Layer, 1, kLayerCount)));
  m_penWidth = std::max(m_penWidth, std::clamp(item.LineWidth, 1, kMaxPenWidth));
  if (std::isnan(item.X)) return;
  span.Low = span.Any ? std::min(span.Low, item.X) : item.X;
  span.High = span.Any ? std::max(span.High, item.X) : item.X;
  span.Any = true;
}

void TPlotChanges::Clear() { *this = TPlotChanges(); }

}  // namespace kurvex
