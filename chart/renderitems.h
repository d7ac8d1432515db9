// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <deque>
#include <string>

#include "chart/chartcontrol.h"
#include "chart/chartitem.h"
#include "chart/pixelmapper.h"
#include "chart/polylinebatch.h"
#include "platform/drawing/alignment.h"
#include "platform/drawing/canvas.h"

namespace kurvex {

/// Item pixels are limited to this distance from the control's origin, so
/// far-away points still give finite lines, which the bitmap clips.
inline constexpr int kPixelLimit = 30000;

/// The style a curve's lines are drawn in: without colour (blackAndWhite)
/// each curve after the first gets dashes of its own.
TPenStyle CurveLineStyle(std::size_t curve, TPenStyle style, bool blackAndWhite);

/// Draws a chart's items onto a canvas in store order for one render pass:
/// each curve's line items are batched into its own polylines, which go on
/// from the curve's last point whatever other curves' items lie between;
/// a polyline ends when its item's colour, style or width changes; item
/// pixels are limited to -30000..30000 and then shifted by the offsets.
/// Each curve starts at its first point; a point that no line item of its
/// curve continues is drawn as a dot (TPolylineBatch::DrawDot). Between two
/// other items, the curves' lines are drawn in the order of the curves and
/// their dots after them, so where curves cross does not depend on which
/// came last.
/// Items of hidden curves only move their curve's point. Items from foreign
/// files are drawn safely whatever their fields hold: a point with a NaN
/// coordinate is left out and breaks the polyline, a shape with one is not
/// drawn. GUI thread only.
class TItemRenderer {
 public:
  /// Control pixel (px, py) lands on canvas pixel (px - LRim + offX,
  /// py - TRim + offY). With blackAndWhite every item is black and shapes
  /// are filled in silver.
  TItemRenderer(TCanvas& canvas, const TCustomChartControl& chart, int offX, int offY, bool blackAndWhite);

  /// Sets up the pen and the current point at (offX, offY), draws the
  /// items and draws what is still batched.
  void Render(const TChartItem* items, int count);
  /// Leaves out the line items of layer 1 and of each layer the source
  /// draws a curve on: the source draws those curves.
  void LeaveOutLinesOf(const TCurveSource& source);

 private:
  /// The item's point (x, y), limited to -30000..30000 and shifted.
  TPoint Point(const TChartItem& item, double x, double y) const {
    const TPoint p = m_mapper.Map(item.Layer, x, y);
    return {std::clamp(p.X, -kPixelLimit, kPixelLimit) + m_shiftX, std::clamp(p.Y, -kPixelLimit, kPixelLimit) + m_shiftY};
  }
  /// Where one curve's polyline stands.
  struct TCurveTrace {
    explicit TCurveTrace(TCanvas& canvas) : Batch(canvas) {}
    TPolylineBatch Batch;
    /// The next line item only sets where the polyline goes on from.
    bool Broken = true;
    /// The curve's line so far is its start point alone.
    bool Lone = false;
  };
  TCurveTrace& Trace(std::uint8_t curve);
  /// Draws what the item's curve has batched and goes on from the item's
  /// point in the item's pen; a point with a NaN coordinate is left out and
  /// breaks the curve.
  void MoveToPoint(const TChartItem& item, TColor color);
  /// The curve's line ends: a start point that got no line is a dot.
  static void EndLine(TCurveTrace& trace);
  /// The same for an item of a hidden curve, which draws nothing.
  void FollowHidden(const TChartItem& item);
  /// Draws what every curve has batched and held: the lines in the order
  /// of the curves, then the dots; the pen ends where the latest line item
  /// left it.
  void FlushAll();
  TPen LinePen(const TChartItem& item, TColor color) const;
  void UsePen(TColor color, TPenStyle style);
  /// Adds the line items from index `from` on that share its curve, kind,
  /// layer, colour, style and width to the curve's batch; returns the index
  /// after them. Dense plots are long runs of such items, so this is the
  /// hot loop.
  int AddLineRun(TPolylineBatch& batch, const TChartItem* items, int from, int count);
  TColor ShapeFill(const TChartItem& item) const;
  void DrawItem(const TChartItem& item, TColor color);
  void DrawMark(const TChartItem& item, TColor color);
  void DrawLine(const TChartItem& item, TColor color);
  void DrawRect(const TChartItem& item, TColor color);
  /// A rectangle or ellipse over the box of corners a and b (a single pixel
  /// when they coincide).
  void DrawBoxShape(const TChartItem& item, TColor color, TPoint a, TPoint b,
                    void (TCanvas::*draw)(int, int, int, int));
  void DrawFrameRect(const TChartItem& item);
  void DrawBar(const TChartItem& item, TColor color);
  void DrawText(const TChartItem& item, TColor color);
  void DrawEllipse(const TChartItem& item, TColor color);
  void MoveRel(const TChartItem& item);
  void DrawRel(const TChartItem& item, TColor color);
  void DrawArrow(const TChartItem& item, TColor color);
  /// Text centred vertically on p, aligned horizontally by `alignment`.
  void TextAt(TPoint p, const std::string& utf8, int size, TColor color, TAlignment alignment);

  TCanvas& m_canvas;
  const TCustomChartControl& m_chart;
  const int m_shiftX, m_shiftY;
  const int m_offX, m_offY;
  const bool m_blackAndWhite;
  // A deque keeps the traces in place as curves are added.
  std::deque<TCurveTrace> m_traces;
  std::uint8_t m_lastCurve = 0;
  std::bitset<kLayerCount + 1> m_leftOutLines;  // by layer number
  TPixelMapper m_mapper;
};

}  // namespace kurvex
