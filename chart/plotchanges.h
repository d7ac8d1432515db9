// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <bitset>
#include <cstdint>

#include "chart/chartitem.h"
#include "chart/itemstore.h"

namespace kurvex {

/// What changed among a chart's items since its plot was last rendered, as
/// far as a render may draw only that: line points appended at the end or
/// taken from the front, by the world X they reach together with the point
/// each one's line comes from or goes on to (whose line or dot changes with
/// it). Any other change, or a neighbour too far to look for, makes the
/// whole plot change.
class TPlotChanges {
 public:
  /// Item `index` of `store` was appended.
  void Appended(const TItemStore& store, int index);
  /// The first item of `store` is about to be removed.
  void RemovingFirst(const TItemStore& store);
  /// The plot changes as a whole.
  void Whole() { m_whole = true; }
  /// A render showed every change.
  void Clear();

  bool IsWhole() const { return m_whole; }
  /// The world X the changed items reach, NaN left out: those appended and
  /// those removed, which lie apart.
  struct TSpan {
    bool Any = false;
    double Low = 0, High = 0;
  };
  const TSpan& Appended() const { return m_appended; }
  const TSpan& Removed() const { return m_removed; }
  /// The layers whose X maps the changed items (as the renderer reads an
  /// item's layer); the widest of their pens.
  const std::bitset<kLayerCount + 1>& Layers() const { return m_layers; }
  int PenWidth() const { return m_penWidth; }

 private:
  void Add(TSpan& span, const TChartItem& item);
  /// The nearest line point of `curve` from index `from` on in steps of
  /// `step`, into span; the whole plot changes when none is found within
  /// reach.
  void AddNeighbour(TSpan& span, const TItemStore& store, int from, int step, std::uint8_t curve);

  bool m_whole = false;
  TSpan m_appended, m_removed;
  std::bitset<kLayerCount + 1> m_layers;  // by layer number
  int m_penWidth = 1;
};

}  // namespace kurvex
