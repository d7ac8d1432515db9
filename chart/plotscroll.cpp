// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <bitset>

#include "chart/chartcontrol.h"

namespace kurvex {

namespace {

// Pixels a point's line or dot may reach beyond its pen's width.
constexpr int kReach = 2;

// Grid styles whose lines stay where they are or move with X. Dotted lines
// across the plot keep their dots where the plot begins, and a grid of
// points draws a limited number, so those are drawn whole when X moves.
bool GridMovesWithX(GridStyleType style) {
  return style == gsNone || style == gsLines || style == gsVertLines || style == gsHorizLines ||
         style == gsVertDotLines;
}

}  // namespace

void TCustomChartControl::RenderMovedFrame(TBitmap& control) {
  const TRect plot = PlotRect();
  const int w = control.Width(), h = control.Height();
  // The X scales' labels above and below the plot and their axis lines,
  // which reach into the side rims along the plot's edge rows; the Y
  // scales did not change.
  const TRect changed[] = {{0, 0, w, plot.Top + 1}, {0, plot.Bottom - 1, w, h}};
  if (control.Scale() == 1) {
    // The plot covers every pixel of its area, so the frame is drawn in place.
    RenderFrame(control);
    for (const TRect& rect : changed) PictureChanged(rect);
    return;
  }
  // On a finer screen a scale reaches into device pixels of the plot's edge
  // that the plot leaves: drawn aside and only the rims taken.
  m_movedFrame.SetSize(w, h);  // sized first: an empty bitmap keeps no scale
  m_movedFrame.SetScale(control.Scale());
  RenderFrame(m_movedFrame);
  for (const TRect& rim : {TRect{0, 0, w, plot.Top}, TRect{0, plot.Bottom, w, h},
                           TRect{0, plot.Top, plot.Left, plot.Bottom}, TRect{plot.Right, plot.Top, w, plot.Bottom}})
    control.Canvas().CopyRect(rim, m_movedFrame, rim);
  for (const TRect& rect : changed) PictureChanged(rect);
}

bool TCustomChartControl::RenderChangedPlot(TBitmap& control, TPictureArea area) {
  // What is drawn over the plot besides the items, and items that another
  // chart changes, are not known to have only moved.
  const bool crossHairShown = std::any_of(m_crossHairs.begin(), m_crossHairs.end(),
                                          [](const TCrossHair& c) { return c.Mode() != chOff; });
  if (!m_anchoredX || !m_keptPlot || m_plotChanges.IsWhole() || m_curveSource || m_owner || !m_users.empty() || OnBeforeRenderData ||
      OnDataRendered || !m_backGroundImg.Name().empty() || crossHairShown || RubberBandActive())
    return false;
  UpdateLayerTransforms();
  const TKeptPlot& kept = *m_keptPlot;
  const TRect plot = PlotRect();
  if (control.Width() != kept.Width || control.Height() != kept.Height || control.Scale() != kept.Scale ||
      plot != kept.Plot || m_transY != kept.Y)
    return false;
  const std::optional<int> dx = PlotMovedBy(kept);
  if (!dx || (*dx != 0 && area != paMovedWindow) || std::abs(*dx) >= plot.Width()) return false;
  if (*dx != 0 && !GridMovedAlong(kept, *dx)) return false;
  const std::vector<std::pair<int, int>> columns = ColumnsToDraw(*dx);
  int width = 0;
  for (const auto& [from, to] : columns) width += to - from;
  // Beyond half the plot, drawing it whole costs about as much.
  if (2 * width > plot.Width()) return false;
  if (!control.MoveAlongX(plot, *dx)) return false;
  if (area == paMovedWindow) RenderMovedFrame(control);
  if (*dx != 0) PictureMoved(plot, *dx);
  const bool overFrame = area == paMovedWindow && control.Scale() != 1;
  // On a finer screen the plot's frame lines leave device pixels of its
  // edge rows to the frame's picture, which moved with the plot.
  if (overFrame) {
    RenderPlotPart(control, {0, 0, plot.Width(), 1}, true);
    RenderPlotPart(control, {0, plot.Height() - 1, plot.Width(), plot.Height()}, true);
  }
  for (const auto& [from, to] : columns) RenderPlotPart(control, {from, 0, to, plot.Height()}, overFrame);
  return true;
}

void TCustomChartControl::RenderPlotPart(TBitmap& control, const TRect& part, bool overMovedFrame) {
  const TRect inControl{m_lRim + part.Left, m_tRim + part.Top, m_lRim + part.Right, m_tRim + part.Bottom};
  if (overMovedFrame) control.Canvas().CopyRect(inControl, m_movedFrame, inControl);
  RenderPlot(control.Canvas(), m_lRim, m_tRim, &part);
  PictureChanged(inControl);
}

std::optional<int> TCustomChartControl::PlotMovedBy(const TKeptPlot& kept) const {
  std::array<int, kLayerCount> by{};
  for (int i = 0; i < kLayerCount; ++i) {
    const TAxisTransform &now = m_transX[i], &then = kept.X[i];
    if (now.K != then.K || now.Origin != then.Origin) return std::nullopt;
    by[i] = then.Anchor - now.Anchor;
  }
  // The active layer's grid moves with the picture; a layer that moved
  // otherwise must have nothing to draw.
  const int moved = by[m_activeLayer - 1];
  std::bitset<kLayerCount + 1> otherwise;
  for (int i = 0; i < kLayerCount; ++i)
    if (by[i] != moved) otherwise.set(static_cast<std::size_t>(i + 1));
  if (otherwise.none()) return moved;
  const TChartItem* items = m_store->Items();
  for (int i = 0; i < m_store->Count(); ++i)
    if (otherwise.test(static_cast<std::size_t>(std::clamp<int>(items[i].Layer, 1, kLayerCount)))) return std::nullopt;
  return moved;
}

bool TCustomChartControl::GridMovedAlong(const TKeptPlot& kept, int dx) const {
  if (!GridMovesWithX(m_gridStyle)) return false;
  // The plot's columns that hold moved pixels show the same lines as before.
  const int width = PlotBitmapSize().cx, from = std::max(0, dx), to = std::min(width, width + dx);
  const int layer = m_activeLayer;
  const bool logarithmic = ScaleX(layer).Logarithmic();
  const auto columns = [&](const std::vector<double>& values, const TAxisTransform& transform, int shift) {
    std::vector<int> at;
    for (double v : values) {
      const int column = MapToPixel(transform, v, logarithmic) - m_lRim + shift;
      if (column >= from && column < to) at.push_back(column);
    }
    return at;
  };
  return columns(GridXValues(), m_transX[layer - 1], 0) == columns(kept.GridX, kept.X[layer - 1], dx);
}

std::vector<std::pair<int, int>> TCustomChartControl::ColumnsToDraw(int dx) const {
  const int width = PlotBitmapSize().cx, last = width - 1;
  const int reach = m_plotChanges.PenWidth() + kReach;
  std::vector<std::pair<int, int>> columns;
  if (dx < 0) {
    // Uncovered on the right, with the right frame that moved in; the left
    // frame now holds what was beside it.
    columns.push_back({last + dx - reach, width});
    columns.push_back({0, 1 + reach});
  } else if (dx > 0) {
    columns.push_back({0, dx + 1 + reach});
    columns.push_back({last - reach, width});
  }
  for (const TPlotChanges::TSpan& span : {m_plotChanges.Appended(), m_plotChanges.Removed()}) {
    if (!span.Any) continue;
    for (int layer = 1; layer <= kLayerCount; ++layer) {
      if (!m_plotChanges.Layers().test(static_cast<std::size_t>(layer))) continue;
      int low = 0, high = 0, y = 0;
      WorldToPixel(layer, span.Low, 0, low, y);
      WorldToPixel(layer, span.High, 0, high, y);
      if (low > high) std::swap(low, high);
      columns.push_back({low - m_lRim - reach, high - m_lRim + reach + 1});
    }
  }
  for (auto& [from, to] : columns) {
    from = std::clamp(from, 0, width);
    to = std::clamp(to, 0, width);
  }
  std::sort(columns.begin(), columns.end());
  // Each part drawn maps every item: parts closer than this are drawn as one.
  constexpr int kJoinGap = 48;
  std::vector<std::pair<int, int>> merged;
  for (const auto& span : columns) {
    if (span.first >= span.second) continue;
    if (!merged.empty() && span.first <= merged.back().second + kJoinGap) {
      merged.back().second = std::max(merged.back().second, span.second);
    } else {
      merged.push_back(span);
    }
  }
  return merged;
}

void TCustomChartControl::KeepPlot(const TBitmap& control) {
  m_plotChanges.Clear();
  // Only an anchored chart draws what changed: others keep nothing and
  // track no items on the sample path.
  if (!m_anchoredX) {
    m_keptPlot.reset();
    return;
  }
  m_keptPlot = TKeptPlot{control.Width(), control.Height(), control.Scale(), PlotRect(), m_transX, m_transY,
                         GridXValues()};
}

}  // namespace kurvex
