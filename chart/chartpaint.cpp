// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "chart/chartcontrol.h"
#include "chart/renderitems.h"
#include "chart/rendersource.h"

namespace kurvex {

void TCustomChartControl::Paint() {
  if (m_windowMoving) {
    RequestPictureWhenShown(paMovedWindow);
    return;
  }
  // Also while hidden, when the request itself is dropped: a later plot
  // picture must not keep what this changed.
  m_plotChanges.Whole();
  RequestPictureWhenShown(paWhole);
}

void TCustomChartControl::PaintMovedWindow() {
  m_windowMoving = true;
  Paint();
  m_windowMoving = false;
}

void TCustomChartControl::RequestPictureWhenShown(TPictureArea area) {
  if (!Visible() || m_loading || m_paintSuspended) return;
  RequestPicture(area);
}

void TCustomChartControl::SetAutoRedraw(bool v) {
  if (!v) FlushPicture();
  m_autoRedraw = v;
}

void TCustomChartControl::RenderPicture(TPictureArea area) {
  if (!Visible() || m_loading) return;
  // Rendered straight into the window's picture, which the screen receives
  // only at the next repaint, once it is finished.
  TBitmap& control = WindowBitmap();
  if (area == paWhole || !RenderChangedPlot(control, area)) {
    if (area != paPlotArea) RenderFrame(control);
    RenderPlot(control.Canvas(), m_lRim, m_tRim);
    if (area == paPlotArea) PictureChanged(PlotRect());
  }
  ShowPlotArea();
  KeepPlot(control);
}

TRect TCustomChartControl::PlotRect() const {
  const TSize plot = PlotBitmapSize();
  return {m_lRim, m_tRim, m_lRim + plot.cx, m_tRim + plot.cy};
}

TSize TCustomChartControl::PlotBitmapSize() const {
  return {std::max(PlotWidth(), 0) + 1, std::max(PlotHeight(), 0) + 1};
}

TBitmap TCustomChartControl::PlotBitmap() {
  const TSize size = PlotBitmapSize();
  TBitmap plot(size.cx, size.cy);
  plot.Canvas().CopyRect({0, 0, size.cx, size.cy}, ControlBitmap(), PlotRect());
  return plot;
}

void TCustomChartControl::RenderPlot(TCanvas& canvas, int offX, int offY, const TRect* part) {
  const TSize size = PlotBitmapSize();
  // Far-away items, a tiled background or a wide pen stop at the plot's edge.
  const TRect clip = part ? *part : TRect{0, 0, size.cx, size.cy};
  canvas.SetClipRect({offX + clip.Left, offY + clip.Top, offX + clip.Right, offY + clip.Bottom});
  ClearPlotArea(canvas, offX, offY);
  RenderItems(canvas, offX, offY, false, false);
  canvas.ResetClip();
}

void TCustomChartControl::RenderFrame(TBitmap& bitmap) {
  const int w = Width(), h = Height();
  bitmap.SetSize(w, h);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Pen = TPen{m_windColor, psSolid, 1, pmCopy};
  canvas.Brush = TBrush{m_windColor, bsSolid};
  // The plot picture is drawn over its area afterwards; filling it here as
  // well would only cost time.
  const TSize plot = PlotBitmapSize();
  const int plotRight = m_lRim + plot.cx, plotBottom = m_tRim + plot.cy;
  canvas.FillRect({0, 0, w, m_tRim});
  canvas.FillRect({0, plotBottom, w, h});
  canvas.FillRect({0, m_tRim, m_lRim, plotBottom});
  canvas.FillRect({plotRight, m_tRim, w, plotBottom});
  // On a finer screen the plot's one-pixel frame lines leave device pixels
  // of its edge lines to what lies beneath, where scales draw their ticks:
  // cleared, so no tick of an earlier picture stays there.
  if (bitmap.Scale() != 1) {
    canvas.Brush.Color = m_chartColor;
    canvas.FillRect({m_lRim, m_tRim, plotRight, m_tRim + 1});
    canvas.FillRect({m_lRim, plotBottom - 1, plotRight, plotBottom});
    canvas.FillRect({m_lRim, m_tRim, m_lRim + 1, plotBottom});
    canvas.FillRect({plotRight - 1, m_tRim, plotRight, plotBottom});
  }
  if (m_shadowWidth > 0) DrawShadow(canvas);
  DrawCaption(canvas);
  UpdateLayerTransforms();
  for (auto* painters : {&m_painterX, &m_painterY}) {
    for (const std::unique_ptr<TScale>& painter : *painters) {
      painter->SetExternalCanvas(&canvas, 0, 0);
      painter->PaintNow();
    }
  }
  if (OnScalesRendered) OnScalesRendered(this, canvas, 0, 0);
}

void TCustomChartControl::DrawShadow(TCanvas& canvas) {
  const int w = Width(), h = Height(), sw = m_shadowWidth;
  canvas.Pen = TPen{m_shadowBakColor, psSolid, 1, pmCopy};
  canvas.Brush = TBrush{m_shadowBakColor, bsSolid};
  canvas.Rectangle(w - sw, 0, w, sw);
  canvas.Rectangle(0, h - sw, sw, h);
  const bool flying = m_shadowStyle == ssFlying;
  canvas.Brush.Color = m_shadowColor;
  canvas.Pen.Color = flying ? m_shadowColor : clBlack;
  const int d = flying ? sw - 1 : 0;
  const TPoint bottom[] = {{d, h - sw}, {sw - 1, h - 1}, {w - 1, h - 1}, {w - sw, h - sw}};
  canvas.Polygon(bottom, 4);
  const TPoint right[] = {{w - sw, h - sw}, {w - 1, h - 1}, {w - 1, sw - 1}, {w - sw, d}};
  canvas.Polygon(right, 4);
  canvas.Pen = TPen{clBlack, psSolid, 1, pmCopy};
  canvas.MoveTo(0, 0);
  canvas.LineTo(w - sw, 0);
  canvas.LineTo(w - sw, h - sw);
  canvas.LineTo(0, h - sw);
  canvas.LineTo(0, 0);
}

void TCustomChartControl::DrawCaption(TCanvas& canvas) {
  canvas.Pen = TPen{m_chartFrameColor, psSolid, 1, pmCopy};
  canvas.Brush.Style = bsClear;
  if (m_caption.empty()) return;
  const int w = Width(), h = Height(), pw = PlotWidth(), ph = PlotHeight();
  int x = m_captionPosX;
  switch (m_captionAnchorHoriz) {
    case cahControlLeft: break;
    case cahChartLeft: x += m_lRim; break;
    case cahChartCenter: x += m_lRim + pw / 2; break;
    case cahChartRight: x += w - m_rRim - m_shadowWidth; break;
    case cahControlRight: x += w; break;
  }
  int y = m_captionPosY;
  switch (m_captionAnchorVert) {
    case cavControlTop: break;
    case cavChartTop: y += m_tRim; break;
    case cavChartCenter: y += m_tRim + ph / 2; break;
    case cavChartBottom: y += h - m_bRim; break;
    case cavControlBottom: y += h; break;
  }
  canvas.Font = m_font;
  const int width = canvas.TextWidth(m_caption);
  if (m_captionAlignment == taRightJustify) x -= width;
  if (m_captionAlignment == taCenter) x -= width / 2;
  canvas.TextOut(x, y, m_caption);
}

void TCustomChartControl::ClearPlotArea(TCanvas& canvas, int offX, int offY) {
  const TSize size = PlotBitmapSize();
  canvas.Pen = TPen{m_chartFrameColor, psSolid, 1, pmCopy};
  canvas.Brush = TBrush{m_chartColor, bsSolid};
  if (m_backGroundImg.Name().empty()) {
    canvas.Rectangle(offX, offY, offX + size.cx, offY + size.cy);
  } else {
    DrawBackgroundImage(canvas, offX, offY);
  }
}

void TCustomChartControl::DrawBackgroundImage(TCanvas& canvas, int offX, int offY) {
  const TSize size = PlotBitmapSize();
  const int pw = size.cx, ph = size.cy;
  TBitmap picture;
  // Read anew each time, so a changed file shows at the next redraw.
  if (!picture.LoadFromFile(m_backGroundImg.Name()) || picture.Width() == 0 || picture.Height() == 0) {
    canvas.Rectangle(offX, offY, offX + pw, offY + ph);
    m_backGroundImg.Drop();
    return;
  }
  // Placed at the plot's origin (offX, offY), where the picture belongs
  // whichever canvas the plot is rendered onto.
  switch (m_backGroundImg.FillMode()) {
    case bfSimple:
      canvas.Rectangle(offX, offY, offX + pw, offY + ph);
      canvas.Draw(offX, offY, picture);
      break;
    case bfStretch: canvas.StretchDraw(TRect{offX, offY, offX + pw, offY + ph}, picture); break;
    case bfTile: {
      const int tw = picture.Width(), th = picture.Height();
      const int nx = (pw - 1) / tw + 1, ny = (ph - 1) / th + 1;
      for (int i = 0; i < nx; ++i)
        for (int j = 0; j < ny; ++j) canvas.Draw(offX + i * tw, offY + j * th, picture);
      break;
    }
  }
}

void TCustomChartControl::RenderItems(TCanvas& canvas, int offX, int offY, bool blackAndWhite, bool skipGrid) {
  const int top = m_tRim - offY, left = m_lRim - offX;
  if (OnBeforeRenderData) {
    const TColor pen = canvas.Pen.Color, brush = canvas.Brush.Color;
    OnBeforeRenderData(this, canvas, top, left);
    canvas.Pen.Color = pen;
    canvas.Brush.Color = brush;
  }
  if (m_gridStyle != gsNone && !skipGrid) DrawGrid(canvas, offX, offY);
  TItemRenderer items(canvas, *this, offX, offY, blackAndWhite);
  if (m_curveSource) items.LeaveOutLinesOf(*m_curveSource);
  items.Render(m_store->Items(), m_store->Count());
  if (m_curveSource) TSourceRenderer(canvas, *this, offX, offY, blackAndWhite).Render(*m_curveSource);
  canvas.Pen.Width = 1;
  // Text labels have no visible mode yet; all twenty stay off.
  if (OnDataRendered) OnDataRendered(this, canvas, top, left);
  const int pw = PlotWidth(), ph = PlotHeight();
  canvas.Pen = TPen{m_chartFrameColor, psSolid, 1, pmCopy};
  canvas.MoveTo(offX, offY);
  canvas.LineTo(offX + pw, offY);
  canvas.LineTo(offX + pw, offY + ph);
  canvas.LineTo(offX, offY + ph);
  canvas.LineTo(offX, offY);
}

void TCustomChartControl::ShowPlotArea() {
  TCanvas& canvas = WindowBitmap().Canvas();
  const TPen saved = canvas.Pen;
  const int w = Width(), h = Height(), sw = m_shadowWidth;
  for (const TCrossHair& crossHair : m_crossHairs) {
    if (crossHair.Mode() == chOff) continue;
    int cx, cy;
    WorldToPixel(crossHair.Layer(), crossHair.PosX(), crossHair.PosY(), cx, cy);
    canvas.Pen = TPen{crossHair.Color(), crossHair.LineType(), crossHair.LineWid(), pmCopy};
    const int half = crossHair.LineWid() / 2;
    const bool horizontal = crossHair.Mode() == chHoriz || crossHair.Mode() == chBoth;
    const bool vertical = crossHair.Mode() == chVert || crossHair.Mode() == chBoth;
    if (horizontal && m_tRim + half < cy && cy < h - m_bRim - sw - half) {
      canvas.MoveTo(m_lRim + 1 + half, cy);
      canvas.LineTo(w - m_rRim - sw - half, cy);
    }
    if (vertical && m_lRim + half < cx && cx < w - m_rRim - sw - half) {
      canvas.MoveTo(cx, m_tRim + 1 + half);
      canvas.LineTo(cx, h - m_bRim - sw - half);
    }
  }
  canvas.Pen = saved;
}

}  // namespace kurvex
