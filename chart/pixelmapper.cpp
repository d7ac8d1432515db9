// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/pixelmapper.h"

namespace kurvex {

TPixelMapper::TPixelMapper(const TCustomChartControl& chart) {
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    const TScaleProps& x = chart.ScaleX(layer);
    const TScaleProps& y = chart.ScaleY(layer);
    const TAxisTransform& tx = chart.TransformX(layer);
    const TAxisTransform& ty = chart.TransformY(layer);
    const auto axis = [](const TAxisTransform& t, bool logarithmic, int nonPositivePixel) {
      const auto d = static_cast<double>(t.Origin - t.Anchor);
      return TAxis{t, static_cast<double>(t.K), d, !logarithmic && std::fabs(d) < kFastRange, logarithmic,
                   nonPositivePixel};
    };
    m_x[layer - 1] = axis(tx, x.Logarithmic(), x.RangeHigh() >= x.RangeLow() ? 0 : chart.Width());
    m_y[layer - 1] = axis(ty, y.Logarithmic(), y.RangeHigh() >= y.RangeLow() ? chart.Height() : 0);
  }
}

int TPixelMapper::MapExtended(const TAxis& axis, double v) {
  if (!axis.Logarithmic) return MapToPixel(axis.Transform, v, false);
  if (v <= kLogFloor) return axis.NonPositivePixel;
  return MapToPixel(axis.Transform, v, true);
}

}  // namespace kurvex
