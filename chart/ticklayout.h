// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chart/dtlabel.h"
#include "chart/scaletypes.h"

namespace kurvex {

/// Labelled tick spacing of a range: First is the first labelled tick at or
/// beyond `low` (0.1 % of Dist tolerance), Dist the signed distance from one
/// labelled tick to the next (a 1, 2 or 5 times a power of ten; 0 for an
/// empty range), NSub the number of sub-intervals between two of them.
struct TTickStep {
  double First = 0;
  double Dist = 0;
  int NSub = 1;
};

/// The step for at least minTicks intervals from low to high (high may lie
/// below low).
TTickStep NiceTickStep(int minTicks, double high, double low);

/// `step` on whole numbers only, for an axis of counts: a labelled distance
/// below 1 becomes 1, and the sub-intervals never split a unit.
TTickStep WholeNumberTickStep(const TTickStep& step, double low);

/// What a scale needs to lay out its ticks.
struct TTickParams {
  double Low = 0;     ///< RangeLow
  double High = 100;  ///< RangeHigh
  int MinTicks = 3;   ///< already limited to 2..10
  bool Logarithmic = false;
  bool ShortTicks = true;
  /// Ticks on whole numbers only (linear ticks).
  bool WholeNumbers = false;
  bool Vertical = false;
  TFigType LabelType = ftNum;
  int DecPlaces = -2;
  std::string_view UserTickText;
  std::string_view ScaleInscript;
  TDTLabelFormat DateFormat;
};

/// One tick in drawing order.
struct TTickMark {
  double Value = 0;
  bool Long = false;      ///< labelled length (6 px vertical, 7 px horizontal) or short (4 px)
  bool Recorded = false;  ///< goes into the scale's tick position list
  std::string Label;      ///< empty: no text
};

/// All ticks of one painting, or the lines of text a date/time scale shows
/// instead when its range cannot be used.
struct TTickLayout {
  std::vector<TTickMark> Marks;
  std::vector<std::string> Message;
  /// The tick event fires before the label is drawn (else after it).
  bool EventBeforeLabel = false;
  void Clear() {
    Marks.clear();
    Message.clear();
    EventBeforeLabel = false;
  }
};

/// Lays out the ticks for the label type; `layout` is cleared first, its
/// storage reused.
void LayoutTicks(const TTickParams& p, TTickLayout& layout);

/// Ticks on 1, 2, 5 multiples of a power of ten (the mapping may be
/// logarithmic).
void LayoutLinearTicks(const TTickParams& p, TTickLayout& layout);

/// Ticks on decades, with 2 and 5 labelled and the other multiples short
/// when there is room; spans under one decade fall back to linear ticks.
void LayoutLogTicks(const TTickParams& p, TTickLayout& layout);

}  // namespace kurvex
