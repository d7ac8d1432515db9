// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chartcontrol.h"

#include <algorithm>
#include <cmath>

namespace kurvex {

namespace {
// Square display pixels: the horizontal and vertical aspect are equal.
constexpr long double kAspectX = 1, kAspectY = 1;
}  // namespace

void TCustomChartControl::UpdateLayerTransforms() {
  for (int layer = 1; layer <= kLayerCount; ++layer) UpdateLayerTransform(layer);
}

void TCustomChartControl::UpdateLayerTransform(int layer) {
  if (m_loading) return;
  const int w = Width(), h = Height(), sw = m_shadowWidth;
  const TAxisSpan spanX{m_lRim, w - m_rRim - sw, PlotWidth(), w};
  const TAxisSpan spanY{h - m_bRim - sw, m_tRim, PlotHeight(), h};
  const TScaleProps& x = *m_scaleX[layer - 1];
  const TScaleProps& y = *m_scaleY[layer - 1];
  m_transX[layer - 1] = MakeAxisTransform(spanX, x.RangeLow(), x.RangeHigh(), x.Logarithmic(), m_anchoredX);
  m_transY[layer - 1] = MakeAxisTransform(spanY, y.RangeLow(), y.RangeHigh(), y.Logarithmic());
}

void TCustomChartControl::SetAnchoredX(bool v) {
  if (v == m_anchoredX) return;
  m_anchoredX = v;
  for (const std::unique_ptr<TScale>& painter : m_painterX) painter->SetAnchored(v);
  UpdateLayerTransforms();
  Paint();
}

void TCustomChartControl::WorldToPixel(int layer, double x, double y, int& px, int& py) const {
  const int i = std::clamp(layer, 1, kLayerCount) - 1;
  const TScaleProps& sx = *m_scaleX[i];
  const TScaleProps& sy = *m_scaleY[i];
  // Non-positive values on a logarithmic axis sit on the low edge of the
  // control (the high edge when the axis runs backwards).
  if (sx.Logarithmic() && x <= kLogFloor)
    px = sx.RangeHigh() >= sx.RangeLow() ? 0 : Width();
  else
    px = MapToPixel(m_transX[i], x, sx.Logarithmic());
  if (sy.Logarithmic() && y <= kLogFloor)
    py = sy.RangeHigh() >= sy.RangeLow() ? Height() : 0;
  else
    py = MapToPixel(m_transY[i], y, sy.Logarithmic());
}

void TCustomChartControl::PixelToWorld(int layer, int px, int py, double& x, double& y) const {
  const int i = layer - 1;
  x = MapToWorld(m_transX[i], px, m_scaleX[i]->Logarithmic());
  y = MapToWorld(m_transY[i], py, m_scaleY[i]->Logarithmic());
}

long double TCustomChartControl::IsometricHeight(long double x1, long double y1, long double x2) const {
  const long double plotH = Height() - m_tRim - m_bRim - m_shadowWidth + 1;
  const long double plotW = Width() - m_lRim - m_rRim - m_shadowWidth + 1;
  return y1 + (x2 - x1) * plotH / plotW * kAspectY / kAspectX;
}

void TCustomChartControl::RecomputeIsometricY(int layer) {
  const TScaleProps& x = ScaleX(layer);
  TScaleProps& y = ScaleY(layer);
  y.StoreRange(y.RangeLow(), static_cast<double>(IsometricHeight(x.RangeLow(), y.RangeLow(), x.RangeHigh())));
}

void TCustomChartControl::SetRange(int layer, long double x1, long double y1, long double x2, long double y2) {
  if (layer < 0 || layer > kLayerCount) return;
  const int first = layer == 0 ? 1 : layer;
  const int last = layer == 0 ? kLayerCount : layer;
  // One picture for the whole call: the layers' own repaints are held back
  // and done once at the end.
  const bool wasSuspended = m_paintSuspended;
  m_paintSuspended = true;
  for (int l = first; l <= last; ++l) {
    long double lx1 = x1, ly1 = y1, lx2 = x2, ly2 = y2;
    if (lx1 == lx2) {
      const long double m = ScaleX(l).MinRange();
      lx1 -= m / 2;
      lx2 += m / 2;
    }
    if (ly1 == ly2) {
      const long double m = ScaleY(l).MinRange();
      ly1 -= m / 2;
      ly2 += m / 2;
    }
    if (m_isometric) ly2 = IsometricHeight(lx1, ly1, lx2);
    SetLayerRange(l, lx1, ly1, lx2, ly2);
  }
  m_paintSuspended = wasSuspended;
  if (!wasSuspended) PaintMovedWindow();
}

void TCustomChartControl::SetLayerRange(int layer, long double x1, long double y1, long double x2, long double y2) {
  const bool wasSuspended = m_paintSuspended;
  m_paintSuspended = true;
  // A joined axis keeps its range: it shows its controlling layer's.
  if (m_jointLayers.XControlledBy(layer) != layer) {
    x1 = ScaleX(layer).RangeLow();
    x2 = ScaleX(layer).RangeHigh();
  }
  if (m_jointLayers.YControlledBy(layer) != layer) {
    y1 = ScaleY(layer).RangeLow();
    y2 = ScaleY(layer).RangeHigh();
  }
  ApplyLayerRange(layer, x1, y1, x2, y2);
  for (int other = 1; other <= kLayerCount; ++other) {
    if (other == layer) continue;
    if (m_jointLayers.XControlledBy(other) == layer || m_jointLayers.YControlledBy(other) == layer) {
      const TScaleProps& x = ScaleX(m_jointLayers.XControlledBy(other));
      const TScaleProps& y = ScaleY(m_jointLayers.YControlledBy(other));
      ApplyLayerRange(other, x.RangeLow(), y.RangeLow(), x.RangeHigh(), y.RangeHigh());
    }
  }
  m_paintSuspended = wasSuspended;
  if (!wasSuspended) PaintMovedWindow();
}

void TCustomChartControl::SyncJoinedLayers() {
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    const int cx = m_jointLayers.XControlledBy(layer), cy = m_jointLayers.YControlledBy(layer);
    if (cx == layer && cy == layer) continue;
    const TScaleProps& x = ScaleX(cx);
    const TScaleProps& y = ScaleY(cy);
    ApplyLayerRange(layer, x.RangeLow(), y.RangeLow(), x.RangeHigh(), y.RangeHigh());
  }
}

void TCustomChartControl::ApplyLayerRange(int layer, long double x1, long double y1, long double x2, long double y2) {
  // An axis keeps its window when it cannot show the new one (a
  // non-positive end on a logarithmic axis, an end that is not finite), as
  // its property setters refuse such ends; the other axis still moves.
  const auto store = [](TScaleProps& axis, long double low, long double high) {
    if (axis.CanShow(static_cast<double>(low), static_cast<double>(high)))
      axis.StoreRange(static_cast<double>(low), static_cast<double>(high));
  };
  store(ScaleX(layer), x1, x2);
  store(ScaleY(layer), y1, y2);
  // A painter is given its set again only when the range it shows changed
  // (the set's other properties reach it when they change): a Trend window
  // moves X alone with every sample.
  const auto apply = [this](TScale& painter, const TScaleProps& props) {
    if (painter.RangeLow() != props.RangeLow() || painter.RangeHigh() != props.RangeHigh())
      ApplyScaleProps(painter, props);
  };
  apply(*m_painterX[layer - 1], ScaleX(layer));
  apply(*m_painterY[layer - 1], ScaleY(layer));
  // Only this layer's range changed; a Trend window moves with every sample.
  UpdateLayerTransform(layer);
}

}  // namespace kurvex
