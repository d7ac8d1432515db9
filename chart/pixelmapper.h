// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <cmath>

#include "chart/chartcontrol.h"
#include "chart/layertransform.h"
#include "platform/drawing/geometry.h"

namespace kurvex {

/// The chart's WorldToPixel for a whole render pass: the same pixels, with
/// the layers' transformations read once and a cheaper rounding (the
/// per-item mapping dominates the cost of a dense plot).
class TPixelMapper {
 public:
  explicit TPixelMapper(const TCustomChartControl& chart);
  /// Control pixel of (x, y) on layer (clamped to 1..16).
  TPoint Map(int layer, double x, double y) const {
    const int i = std::clamp(layer, 1, kLayerCount) - 1;
    return {MapAxis(m_x[i], x), MapAxis(m_y[i], y)};
  }

 private:
  struct TAxis {
    TAxisTransform Transform;
    /// The transformation in double precision, for the fast path; D is
    /// Origin less Anchor: a whole-pixel shift changes no rounding that the
    /// fast path takes (halfway points go the extended path).
    double K, D;
    bool Fast;         ///< linear, with an offset the fast path can take
    bool Logarithmic;
    int NonPositivePixel;  ///< where values at or below the log floor go
  };

  // The fast path handles terms below this size, where double precision
  // errs by less than 1e-9 pixels, and results farther than the margin from
  // a halfway point; the rest takes the extended path.
  static constexpr double kFastRange = 1e6;
  static constexpr double kHalfwayMargin = 1e-6;
  // Adding and taking away 1.5 * 2^52 rounds to an integer, halves to even.
  static constexpr double kRoundingShift = 6755399441055744.0;

  static int MapAxis(const TAxis& axis, double v) {
    if (axis.Fast) {
      const double kv = axis.K * v;
      if (std::fabs(kv) < kFastRange) {
        const double u = kv + axis.D;
        const double rounded = (u + kRoundingShift) - kRoundingShift;
        if (std::fabs(u - rounded) < 0.5 - kHalfwayMargin) return static_cast<int>(rounded);
      }
    }
    return MapExtended(axis, v);
  }
  static int MapExtended(const TAxis& axis, double v);

  std::array<TAxis, kLayerCount> m_x{}, m_y{};
};

}  // namespace kurvex
