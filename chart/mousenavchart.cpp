// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chartcontrol.h"
#include "chart/chartcursors.h"
#include "platform/windows/cursor.h"

namespace kurvex {

namespace {

bool IsDragMode(TMouseActMode mode) {
  switch (mode) {
    case maPan:
    case maPanHoriz:
    case maPanVert:
    case maZoomDrag:
    case maDragCrossH:
    case maDragLabel: return true;
    default: return false;
  }
}

bool IsRubberBandMode(TMouseActMode mode) { return mode == maZoomWind || mode == maZoomWindPos; }

TAxisWindow WindowOf(const TScaleProps& axis) { return {axis.RangeLow(), axis.RangeHigh()}; }

}  // namespace

TPlotBounds TCustomChartControl::PlotBounds() const {
  return {m_lRim, m_tRim, Width() - m_rRim - m_shadowWidth, Height() - m_bRim - m_shadowWidth};
}

void TCustomChartControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button == mbLeft && !m_nav.BandActive && IsRubberBandMode(m_mouseAction) &&
      PlotBounds().Contains(x, y)) {
    m_nav.BandActive = true;
    m_nav.BandStart = m_nav.BandEnd = {x, y};
  }
}

void TCustomChartControl::MouseMove(TShiftState shift, int x, int y) {
  TCustomControl::MouseMove(shift, x, y);
  if (m_nav.BandActive) MoveRubberBand(x, y);
  NavigateByDrag(shift, x, y);

  const bool inChart = PlotBounds().Contains(x, y);
  double wx = 0, wy = 0;
  PixelToWorld(m_activeLayer, x, y, wx, wy);
  if (inChart) {
    m_nav.WorldX = wx;
    m_nav.WorldY = wy;
  }
  ShowScreenCursor(inChart && !m_mouseCursorFixed ? ChartModeCursor(m_mouseAction, m_screenCursor)
                                                  : crDefault);
  if (OnMouseMoveInChart) OnMouseMoveInChart(this, inChart, shift, wx, wy);
  m_mouseMoveInChartListeners.Notify(this, inChart, shift, wx, wy);
}

void TCustomChartControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  if (!m_nav.BandActive) return;
  if (button == mbRight) EndRubberBand(false);
  if (button == mbLeft) EndRubberBand(true);
}

void TCustomChartControl::MouseLeave() {
  TCustomControl::MouseLeave();
  ShowScreenCursor(crDefault);
  if (OnMouseLeave) OnMouseLeave(this);
  m_mouseLeaveListeners.Notify(this);
}

void TCustomChartControl::MouseWheel(TShiftState shift, int delta, int x, int y) {
  TCustomControl::MouseWheel(shift, delta, x, y);
  if (delta == 0 || m_mouseAction == maNone || (shift & ssLeft) || !PlotBounds().Contains(x, y)) return;
  const bool alongY = shift & ssCtrl, pan = shift & ssShift;
  NavigationStep([&](int layer) {
    TAxisWindow wx = WindowOf(ScaleX(layer)), wy = WindowOf(ScaleY(layer));
    const bool logarithmic = alongY ? ScaleY(layer).Logarithmic() : ScaleX(layer).Logarithmic();
    TAxisWindow& axis = alongY ? wy : wx;
    if (pan) {
      axis = ShiftAxis(axis, axis, logarithmic, alongY ? -WheelPanPart(delta) : WheelPanPart(delta));
    } else {
      double atX = 0, atY = 0;
      PixelToWorld(layer, x, y, atX, atY);
      axis = ScaleAround(axis, alongY ? atY : atX, WheelZoomFactor(delta), logarithmic);
    }
    SetLayerRange(layer, wx.Low, wy.Low, wx.High, wy.High);
  });
}

void TCustomChartControl::NavigateByDrag(TShiftState shift, int x, int y) {
  if (!(shift & ssLeft)) {
    m_nav.Dragging = false;
    return;
  }
  if (!IsDragMode(m_mouseAction)) return;
  if (!m_nav.Dragging) {
    TakeDragOrigin(x, y);
    PickDraggedItem(x, y);
    return;
  }
  switch (m_mouseAction) {
    case maZoomDrag: ZoomDragStep(x, y); break;
    case maDragCrossH: DragCrossHairStep(x, y); break;
    case maDragLabel: DragTextLabelStep(x, y); break;
    default: PanStep(x, y); break;
  }
}

void TCustomChartControl::TakeDragOrigin(int x, int y) {
  m_nav.Origin = {x, y};
  for (int i = 0; i < kLayerCount; ++i) {
    m_originX[i] = WindowOf(*m_scaleX[i]);
    m_originY[i] = WindowOf(*m_scaleY[i]);
  }
  m_nav.Dragging = true;
}

void TCustomChartControl::PaintOnceAfter(const std::function<void()>& change) {
  const bool wasSuspended = m_paintSuspended;
  m_paintSuspended = true;
  change();
  m_paintSuspended = wasSuspended;
  if (!wasSuspended) Paint();
}

void TCustomChartControl::SetNavigated(int layer, bool navigated) {
  if (layer >= 1 && layer <= kLayerCount) m_navigatedLayers.set(layer - 1, navigated);
}

void TCustomChartControl::NavigationStep(const std::function<void(int layer)>& updateLayer) {
  PaintOnceAfter([&] {
    for (int layer = 1; layer <= kLayerCount; ++layer) {
      if (m_navigatedLayers.test(layer - 1)) updateLayer(layer);
    }
  });
  TellZoomPan();
}

void TCustomChartControl::NavigateTo(const TAxisWindow& x, const TAxisWindow& y) {
  NavigationStep([&](int layer) {
    if (layer == 1) SetLayerRange(1, x.Low, y.Low, x.High, y.High);
  });
}

void TCustomChartControl::PanStep(int x, int y) {
  if (!PlotBounds().Contains(x, y)) return;
  const int dX = x - m_nav.Origin.X, dY = y - m_nav.Origin.Y;
  NavigationStep([&](int layer) {
    const TScaleProps& sx = ScaleX(layer);
    const TScaleProps& sy = ScaleY(layer);
    TAxisWindow wx = WindowOf(sx), wy = WindowOf(sy);
    // Every step starts again from the origin, so rounding does not add up.
    if (m_mouseAction != maPanVert) wx = PanAxis(m_originX[layer - 1], wx, sx.Logarithmic(), -dX, PlotWidth());
    if (m_mouseAction != maPanHoriz) wy = PanAxis(m_originY[layer - 1], wy, sy.Logarithmic(), dY, PlotHeight());
    SetLayerRange(layer, wx.Low, wy.Low, wx.High, wy.High);
  });
}

void TCustomChartControl::ZoomDragStep(int x, int y) {
  if (!PlotBounds().Contains(x, y)) return;
  const double fx = ZoomDragFactorX(x - m_nav.Origin.X, Width());
  const double fy = m_isometric ? fx : ZoomDragFactorY(y - m_nav.Origin.Y, Height());
  NavigationStep([&](int layer) {
    // The linear arithmetic can push a logarithmic window below zero; the
    // range setting keeps such an axis where it is for this step.
    const TAxisWindow wx = ScaleAroundCentre(m_originX[layer - 1], fx);
    const TAxisWindow wy = ScaleAroundCentre(m_originY[layer - 1], fy);
    SetLayerRange(layer, wx.Low, wy.Low, wx.High, wy.High);
  });
}

void TCustomChartControl::MoveRubberBand(int x, int y) {
  const TPoint corner = RubberBandCorner(m_nav.BandStart, {x, y}, PlotBounds(), m_isometric);
  XorRubberBands(m_nav.BandStart, m_nav.BandEnd, corner);
  m_nav.BandEnd = corner;
}

void TCustomChartControl::EndRubberBand(bool zoom) {
  // Erase it in any case: a band too thin to zoom would otherwise stay on screen.
  XorRubberBands(m_nav.BandStart, m_nav.BandEnd, m_nav.BandStart);
  m_nav.BandActive = false;
  const TPoint a = m_nav.BandStart, b = m_nav.BandEnd;
  if (!zoom || a.X == b.X || a.Y == b.Y) return;
  NavigationStep([&](int layer) {
    double x0, y0, x1, y1;
    PixelToWorld(layer, a.X, a.Y, x0, y0);
    PixelToWorld(layer, b.X, b.Y, x1, y1);
    TAxisWindow wx{x0, x1}, wy{y0, y1};
    if (m_mouseAction == maZoomWindPos) {
      wx = OrderLikeAxis(x0, x1, WindowOf(ScaleX(layer)));
      wy = OrderLikeAxis(y0, y1, WindowOf(ScaleY(layer)));
    }
    SetLayerRange(layer, wx.Low, wy.Low, wx.High, wy.High);
  });
}

void TCustomChartControl::XorRubberBands(TPoint from, TPoint replaced, TPoint to) {
  // The outlines go onto the picture as it stands (WindowBitmap renders a
  // pending request first, which would otherwise cover them).
  TCanvas& canvas = WindowBitmap().Canvas();
  canvas.Pen = TPen{clWhite, psSolid, 1, pmXor};
  canvas.Brush.Style = bsClear;
  canvas.Rectangle(from.X, from.Y, replaced.X, replaced.Y);
  canvas.Rectangle(from.X, from.Y, to.X, to.Y);
  canvas.Pen.Mode = pmCopy;
  canvas.Brush.Style = bsSolid;
  UpdateWindow();
}

void TCustomChartControl::ShowScreenCursor(TCursor cursor) {
  if (cursor == m_screenCursor) return;
  m_screenCursor = cursor;
  ApplyCursor(Widget(), cursor == crDefault ? Cursor() : cursor);
}

}  // namespace kurvex
