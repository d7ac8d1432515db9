// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace kurvex {

class TScale;

/// At most this many grid values are walked per direction, and at most this
/// many grid points are set in the points style.
inline constexpr int kMaxGridValues = 1000;

/// One axis as the grid walks it.
struct TGridAxis {
  double Low = 0;   ///< the range's smaller end, world units
  double High = 0;  ///< the range's larger end
  bool Logarithmic = false;
  /// Grid step in world units; 0 follows the painter's recorded ticks; on a
  /// logarithmic axis -1, -2 and -3 give decade, 1-2-5 and 1..9 grids.
  double Step = 0;
  /// The axis' painter, read when Step is 0.
  const TScale* Painter = nullptr;
};

/// The grid values of one axis, at most kMaxGridValues of them, neither
/// sorted nor de-duplicated. With Step 0 they are the painter's tick
/// positions from the last painting that lie from Low up to below High,
/// all of them and in its drawing order (the low end alone when it drew
/// none); otherwise the first value and each next one, ending before the
/// first value that is not below High.
std::vector<double> GridValues(const TGridAxis& axis);

}  // namespace kurvex
