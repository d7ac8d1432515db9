// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/drawing/color.h"

namespace kurvex {

/// A sample of a source: its X on layer 1 and its value (NaN: a gap).
struct TSourcePoint {
  double X = 0;
  double Y = 0;
};

/// The least and greatest value of the samples in one pixel column; Count 0
/// for a column without one.
struct TColumnSpan {
  double Min = 0;
  double Max = 0;
  std::int64_t Count = 0;
};

/// Curves the chart draws in place of its line items while it
/// looks back over more samples than its items hold (the history of an
/// acquisition). X grows with each sample.
class TCurveSource {
 public:
  virtual ~TCurveSource() = default;
  /// Curves 0 .. Curves() - 1, numbered like the items' curves.
  virtual std::size_t Curves() const = 0;
  virtual TColor CurveColor(std::size_t curve) const = 0;
  /// The layer whose transformation maps the curve; its X is layer 1's.
  virtual int CurveLayer(std::size_t) const { return 1; }
  /// How many samples have their X in [from, to].
  virtual std::int64_t SampleCount(double from, double to) const = 0;
  /// The samples with X in [from, to] and the one beside each end, in order.
  virtual void Points(std::size_t curve, double from, double to, std::vector<TSourcePoint>& out) const = 0;
  /// out[c]: the samples with X in [from + c w, from + (c + 1) w), where
  /// w = (to - from) / out.size().
  virtual void Columns(std::size_t curve, double from, double to, std::span<TColumnSpan> out) const = 0;
};

}  // namespace kurvex
