// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/curvesettings.h"

namespace kurvex {

/// The window an axis shows for samples from `low` to `high`: a twentieth
/// of their span beyond either end; when they are all the same, a hundredth
/// of their value either side (1 either side of 0).
TAxisRange AutoRange(float low, float high);

/// The least and greatest of the values an axis has seen, and the window
/// that shows them, for an axis that follows its samples.
class TSeenRange {
 public:
  void Forget() { m_low = 1, m_high = 0; }
  bool Empty() const { return m_low > m_high; }
  /// Takes values from `low` to `high` (one value: both the same; NaN and
  /// infinities are none); true when they widened the range.
  bool Take(float low, float high);
  /// AutoRange of the values seen; of 0 to 1 before any.
  TAxisRange Window() const { return Empty() ? AutoRange(0, 1) : AutoRange(m_low, m_high); }
  /// Whether `shown` no longer holds the values, or is far wider than they need.
  bool Outgrows(const TAxisRange& shown) const;

 private:
  float m_low = 1, m_high = 0;  // low > high: none yet
};

}  // namespace kurvex
