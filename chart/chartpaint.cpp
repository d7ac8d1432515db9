#include <algorithm>

#include "chart/chartcontrol.h"

namespace kurvex {

void TCustomChartControl::Paint() {
  if (!Visible() || m_loading || m_paintSuspended) return;
  RenderFrame(m_controlBitmap.Canvas());
  ClearPlotArea(m_plotBitmap.Canvas(), 0, 0);
  RenderItems(m_plotBitmap.Canvas(), 0, 0);
  m_controlBitmap.Canvas().Draw(m_lRim, m_tRim, m_plotBitmap);
  PresentBitmap(0, 0, m_controlBitmap);
}

void TCustomChartControl::RenderFrame(TCanvas& canvas) {
  const int w = Width(), h = Height();
  m_controlBitmap.SetSize(w, h);
  canvas.Pen = TPen{m_windColor, psSolid, 1, pmCopy};
  canvas.Brush = TBrush{m_windColor, bsSolid};
  canvas.Rectangle(0, 0, w, h);
  UpdateLayerTransforms();
  for (auto* painters : {&m_painterX, &m_painterY}) {
    for (const std::unique_ptr<TScale>& painter : *painters) {
      painter->SetExternalCanvas(&canvas, 0, 0);
      painter->PaintNow();
    }
  }
}

void TCustomChartControl::ClearPlotArea(TCanvas& canvas, int offX, int offY) {
  m_plotBitmap.SetSize(std::max(PlotWidth(), 0) + 1, std::max(PlotHeight(), 0) + 1);
  canvas.Pen = TPen{m_chartFrameColor, psSolid, 1, pmCopy};
  canvas.Brush = TBrush{m_chartColor, bsSolid};
  canvas.Rectangle(offX, offY, offX + m_plotBitmap.Width(), offY + m_plotBitmap.Height());
}

void TCustomChartControl::RenderItems(TCanvas& canvas, int offX, int offY) {
  const int pw = PlotWidth(), ph = PlotHeight();
  canvas.Pen = TPen{m_chartFrameColor, psSolid, 1, pmCopy};
  canvas.MoveTo(offX, offY);
  canvas.LineTo(offX + pw, offY);
  canvas.LineTo(offX + pw, offY + ph);
  canvas.LineTo(offX, offY + ph);
  canvas.LineTo(offX, offY);
}

}  // namespace kurvex
