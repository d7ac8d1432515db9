// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/renderitems.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>
#include <string>

#include "chart/chartcontrol.h"
#include "chart/marks.h"

namespace kurvex {

namespace {

// Limits for sizes read from foreign files: beyond them a picture only
// costs time and memory.
constexpr int kMaxFontSize = 200;
constexpr int kMaxTextLength = 17;

constexpr double kArrowHalfAngle = 20;

int LimitPixel(long long v) { return static_cast<int>(std::clamp<long long>(v, -kPixelLimit, kPixelLimit)); }

// Round to nearest, halves to even, for offsets and sizes given as doubles
// or angles; NaN counts as 0.
int RoundLimited(double v) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::nearbyint(std::clamp<double>(v, -kPixelLimit, kPixelLimit)));
}

double Radians(double degrees) { return degrees * std::numbers::pi / 180; }

TPenStyle StyleOf(const TChartItem& item) {
  return item.PenStyle <= psInsideFrame ? static_cast<TPenStyle>(item.PenStyle) : psSolid;
}

int PenWidthOf(int width) { return std::clamp(width, 1, kMaxPenWidth); }

// Text bytes are 8-bit Latin text; the canvas takes UTF-8.
std::string Utf8OfLatin1(const std::uint8_t* bytes, int length) {
  std::string text;
  for (int i = 0; i < length; ++i) {
    const std::uint8_t b = bytes[i];
    if (b < 0x80) {
      text += static_cast<char>(b);
    } else {
      text += static_cast<char>(0xC0 | (b >> 6));
      text += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return text;
}

// NaN has no pixel: mapped, it would land on the control's edge.
bool IsNumberPoint(double x, double y) { return !std::isnan(x) && !std::isnan(y); }

bool UsesSecondPoint(std::uint8_t kind) {
  switch (kind) {
    case ikLine:
    case ikRect:
    case ikFrameRect:
    case ikBar3D:
    case ikEllipse:
    case ikArrow: return true;
    default: return false;
  }
}

struct TBox {
  int Left, Top, Right, Bottom;  // Right and Bottom inclusive
};

TBox BoxOf(TPoint a, TPoint b) {
  return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

}  // namespace

TItemRenderer::TItemRenderer(TCanvas& canvas, const TCustomChartControl& chart, int offX, int offY,
                             bool blackAndWhite)
    : m_canvas(canvas),
      m_chart(chart),
      m_shiftX(offX - chart.LRim()),
      m_shiftY(offY - chart.TRim()),
      m_offX(offX),
      m_offY(offY),
      m_blackAndWhite(blackAndWhite),
      m_mapper(chart) {}

void TItemRenderer::LeaveOutLinesOf(const TCurveSource& source) {
  m_leftOutLines.set(1);
  for (std::size_t curve = 0; curve < source.Curves(); ++curve) {
    m_leftOutLines.set(static_cast<std::size_t>(std::clamp(source.CurveLayer(curve), 1, kLayerCount)));
  }
}

void TItemRenderer::Render(const TChartItem* items, int count) {
  m_canvas.Pen = TPen{m_chart.ChartColor(), psSolid, PenWidthOf(m_chart.LineWidth()), pmCopy};
  m_canvas.Brush = TBrush{m_chart.ChartColor(), bsSolid};
  m_canvas.MoveTo(m_offX, m_offY);
  for (int i = 0; i < count;) {
    const TChartItem& item = items[i];
    if (IsLinePoint(item) && item.Layer >= 1 && item.Layer <= kLayerCount &&
        m_leftOutLines.test(static_cast<std::size_t>(item.Layer))) {
      ++i;
      continue;
    }
    if (!m_chart.CurveVisible(item.Curve)) {
      ++i;
      if (IsLinePoint(item)) FollowHidden(item);
      continue;
    }
    const TColor color = m_blackAndWhite ? clBlack : item.Color;
    if (item.Kind == ikDrawTo) {
      TCurveTrace& trace = Trace(item.Curve);
      m_lastCurve = item.Curve;
      if (trace.Broken || !IsNumberPoint(item.X, item.Y)) {
        ++i;
        MoveToPoint(item, color);
        continue;
      }
      const TPen pen = LinePen(item, color);
      if (pen != trace.Batch.Pen()) {
        trace.Batch.Flush();
        trace.Batch.SetPen(pen);
      }
      trace.Lone = false;
      i = AddLineRun(trace.Batch, items, i, count);
      continue;
    }
    ++i;
    if (item.Kind == ikMoveTo) {
      m_lastCurve = item.Curve;
      MoveToPoint(item, color);
      continue;
    }
    FlushAll();
    // Relative items go on from the pen, where the latest line item left
    // it: its point starts their line rather than standing alone.
    if ((item.Kind == ikMoveRel || item.Kind == ikDrawRel) && m_lastCurve < m_traces.size())
      m_traces[m_lastCurve].Lone = false;
    m_canvas.Pen.Width = PenWidthOf(item.LineWidth);
    DrawItem(item, color);
  }
  for (TCurveTrace& trace : m_traces) {
    trace.Batch.Flush();
    EndLine(trace);
  }
  FlushAll();
}

TItemRenderer::TCurveTrace& TItemRenderer::Trace(std::uint8_t curve) {
  // The first curve's lines go under every other curve's anyway: drawn at
  // once, they are not copied aside (a figure of 100,000 points would be).
  while (m_traces.size() <= curve) {
    const auto hold = m_traces.empty() ? TPolylineBatch::THold::Dots : TPolylineBatch::THold::LinesAndDots;
    m_traces.emplace_back(m_canvas).Batch.SetHolding(hold);
  }
  return m_traces[curve];
}

TPenStyle CurveLineStyle(std::size_t curve, TPenStyle style, bool blackAndWhite) {
  // Without colour, dashes keep the curves apart; 1-pixel patterns that
  // differ in their runs, the first curve as in colour. A clear pen stays
  // clear.
  static constexpr TPenStyle kCurveDashes[] = {psDash, psDot, psDashDot, psDashDotDot};
  if (!blackAndWhite || curve == 0 || style == psClear) return style;
  return kCurveDashes[(curve - 1) % std::size(kCurveDashes)];
}

TPen TItemRenderer::LinePen(const TChartItem& item, TColor color) const {
  return TPen{color, CurveLineStyle(item.Curve, StyleOf(item), m_blackAndWhite), PenWidthOf(item.LineWidth), pmCopy};
}

int TItemRenderer::AddLineRun(TPolylineBatch& batch, const TChartItem* items, int from, int count) {
  const TChartItem& head = items[from];
  // Raw fields are compared: an item that differs only in how a field is
  // read (an unknown style drawn solid, say) just starts the next run.
  const auto same = [&](const TChartItem& item) {
    return item.Kind == ikDrawTo && item.Curve == head.Curve && item.Layer == head.Layer &&
           item.LineWidth == head.LineWidth && item.PenStyle == head.PenStyle &&
           (m_blackAndWhite || item.Color == head.Color) && IsNumberPoint(item.X, item.Y);
  };
  constexpr int kChunk = 256;
  std::array<TPoint, kChunk> points;
  int i = from;
  for (;;) {
    int n = 0;
    for (; i < count && n < kChunk && same(items[i]); ++i, ++n) points[n] = Point(items[i], items[i].X, items[i].Y);
    batch.Add(points.data(), n);
    if (n < kChunk) return i;
  }
}

void TItemRenderer::MoveToPoint(const TChartItem& item, TColor color) {
  TCurveTrace& trace = Trace(item.Curve);
  trace.Batch.Flush();
  EndLine(trace);
  trace.Broken = !IsNumberPoint(item.X, item.Y);
  if (trace.Broken) return;
  const TPoint p = Point(item, item.X, item.Y);
  // Nothing waits after the flush, so the pen may change; the dot of a
  // lone point takes it.
  trace.Batch.SetPen(LinePen(item, color));
  trace.Batch.SetCurrent(p);
  trace.Lone = true;
  m_canvas.MoveTo(p.X, p.Y);
}

void TItemRenderer::EndLine(TCurveTrace& trace) {
  if (trace.Lone) trace.Batch.DrawDot();
  trace.Lone = false;
}

void TItemRenderer::FollowHidden(const TChartItem& item) {
  TCurveTrace& trace = Trace(item.Curve);
  trace.Lone = false;
  trace.Broken = !IsNumberPoint(item.X, item.Y);
  if (!trace.Broken) trace.Batch.SetCurrent(Point(item, item.X, item.Y));
}

void TItemRenderer::FlushAll() {
  // The pen ends with the latest line item's curve, or else the last one
  // that drew.
  TCurveTrace* ending = nullptr;
  for (TCurveTrace& trace : m_traces) {
    trace.Batch.Flush();
    if (trace.Batch.HasLines()) ending = &trace;
  }
  if (m_lastCurve < m_traces.size() && m_traces[m_lastCurve].Batch.HasLines()) ending = &m_traces[m_lastCurve];
  // Lines, then dots, each in the order of the curves: a pixel two curves
  // share shows the same curve whenever and however often it is drawn.
  for (const bool dots : {false, true})
    for (TCurveTrace& trace : m_traces) trace.Batch.DrawHeld(dots);
  if (ending) ending->Batch.PlacePen();
}

void TItemRenderer::UsePen(TColor color, TPenStyle style) {
  m_canvas.Pen.Color = color;
  m_canvas.Pen.Style = style;
  m_canvas.Pen.Mode = pmCopy;
}

TColor TItemRenderer::ShapeFill(const TChartItem& item) const {
  return m_blackAndWhite ? clSilver : item.FillColor;
}

void TItemRenderer::DrawItem(const TChartItem& item, TColor color) {
  // Relative items move by offsets, where NaN counts as no move.
  const bool relative = item.Kind == ikMoveRel || item.Kind == ikDrawRel;
  const bool placed =
      IsNumberPoint(item.X, item.Y) && (!UsesSecondPoint(item.Kind) || IsNumberPoint(item.X2, item.Y2));
  if (!relative && !placed) return;
  switch (item.Kind) {
    case ikMark: DrawMark(item, color); break;
    case ikLine: DrawLine(item, color); break;
    case ikRect: DrawRect(item, color); break;
    case ikFrameRect: DrawFrameRect(item); break;
    case ikBar3D: DrawBar(item, color); break;
    case ikText: DrawText(item, color); break;
    case ikEllipse: DrawEllipse(item, color); break;
    case ikMoveRel: MoveRel(item); break;
    case ikDrawRel: DrawRel(item, color); break;
    case ikArrow: DrawArrow(item, color); break;
    default: break;  // kinds 0, 10, 11 and unknown ones draw nothing
  }
}

void TItemRenderer::DrawMark(const TChartItem& item, TColor color) {
  const TPoint p = Point(item, item.X, item.Y);
  if (item.MarkCode == 0) {
    m_canvas.SetPixel(p.X, p.Y, color);
  } else if (item.MarkCode <= kLastSymbolMark) {
    DrawSymbolMark(m_canvas, p, item.MarkCode, color);
  } else {
    const std::uint8_t code = item.MarkCode;
    m_canvas.Brush.Style = bsClear;
    const std::string text = Utf8OfLatin1(&code, 1);
    m_canvas.Font = m_chart.Font();
    m_canvas.Font.Size = std::clamp(item.Size, -kMaxFontSize, kMaxFontSize);
    m_canvas.Font.Color = color;
    const TSize extent = m_canvas.TextExtent(text);
    m_canvas.TextOut(p.X - extent.cx / 2, p.Y - extent.cy / 2, text);
  }
}

void TItemRenderer::DrawLine(const TChartItem& item, TColor color) {
  const TPoint a = Point(item, item.X, item.Y), b = Point(item, item.X2, item.Y2);
  if (a == b) {
    m_canvas.SetPixel(a.X, a.Y, color);
    return;
  }
  UsePen(color, StyleOf(item));
  m_canvas.MoveTo(a.X, a.Y);
  m_canvas.LineTo(b.X, b.Y);
}

void TItemRenderer::DrawRect(const TChartItem& item, TColor color) {
  DrawBoxShape(item, color, Point(item, item.X, item.Y), Point(item, item.X2, item.Y2), &TCanvas::Rectangle);
}

void TItemRenderer::DrawBoxShape(const TChartItem& item, TColor color, TPoint a, TPoint b,
                                 void (TCanvas::*draw)(int, int, int, int)) {
  if (a == b) {
    m_canvas.SetPixel(a.X, a.Y, color);
    return;
  }
  UsePen(color, StyleOf(item));
  m_canvas.Brush = TBrush{ShapeFill(item), item.NoFill ? bsClear : bsSolid};
  // Both corner pixels belong to the shape.
  const TBox box = BoxOf(a, b);
  (m_canvas.*draw)(box.Left, box.Top, box.Right + 1, box.Bottom + 1);
}

void TItemRenderer::DrawFrameRect(const TChartItem& item) {
  const TPoint a = Point(item, item.X, item.Y), b = Point(item, item.X2, item.Y2);
  const TColor body = ShapeFill(item);
  if (a == b) {
    m_canvas.SetPixel(a.X, a.Y, body);
  } else {
    UsePen(body, StyleOf(item));
    m_canvas.Brush = TBrush{body, bsSolid};
    const TBox box = BoxOf(a, b);
    m_canvas.Rectangle(box.Left, box.Top, box.Right + 1, box.Bottom + 1);
  }
  // (x1, y1) is the lower left corner, (x2, y2) the upper right one.
  const int x1 = std::min(a.X, b.X), x2 = std::max(a.X, b.X);
  const int y1 = std::max(a.Y, b.Y), y2 = std::min(a.Y, b.Y);
  const TColor c1 = item.FrameColor1, c2 = item.FrameColor2;
  const auto path = [&](std::initializer_list<TPoint> points, TColor color) {
    m_canvas.Pen.Color = color;
    for (TPoint p : points) m_canvas.LineTo(p.X, p.Y);
  };
  const auto corner = [&](TPoint start, TColor first, TColor second) {
    m_canvas.MoveTo(start.X, start.Y);
    path({{x1, y2}, {x2, y2}}, first);
    path({{x2, y1}, {x1, y1}}, second);
  };
  const auto outlines = [&](TColor first, TColor second) {
    m_canvas.MoveTo(x1 + 1, y1);
    path({{x1 + 1, y2 + 1}, {x2, y2 + 1}, {x2, y1}, {x1 + 1, y1}}, first);
    m_canvas.MoveTo(x1, y1 - 1);
    path({{x1, y2}, {x2 - 1, y2}, {x2 - 1, y1 - 1}, {x1, y1 - 1}}, second);
  };
  switch (item.FrameStyle) {
    case fsLowered: corner({x1, y1}, c1, c2); break;
    case fsRaised: corner({x1, y1}, c2, c1); break;
    case fsEmbossed: outlines(c1, c2); break;
    case fsEngraved: outlines(c2, c1); break;
    default: break;
  }
}

void TItemRenderer::DrawBar(const TChartItem& item, TColor color) {
  const TPoint a = Point(item, item.X, item.Y), b = Point(item, item.X2, item.Y2);
  if (a == b) {
    m_canvas.SetPixel(a.X, a.Y, color);
    return;
  }
  const TBox box = BoxOf(a, b);
  int x1 = box.Left, x2 = box.Right;
  const int y1 = box.Top, y2 = box.Bottom;
  const double angle = Radians(item.Size);
  const double depth = std::clamp(item.Depth, -kPixelLimit, kPixelLimit);
  const int dx = RoundLimited(std::cos(angle) * depth);
  const int dy = -RoundLimited(std::sin(angle) * depth);
  // Seen from the left, the side face is the left one.
  if (item.Size > 90) std::swap(x1, x2);
  UsePen(color, StyleOf(item));
  m_canvas.Brush = TBrush{ShapeFill(item), bsSolid};
  const TPoint top[] = {{x1, y1}, {x1 + dx, y1 + dy}, {x2 + dx, y1 + dy}, {x2, y1}};
  m_canvas.Polygon(top, 4);
  const TPoint side[] = {{x2 + dx, y1 + dy}, {x2, y1}, {x2, y2}, {x2 + dx, y2 + dy}};
  m_canvas.Polygon(side, 4);
  m_canvas.Rectangle(box.Left, box.Top, box.Right + 1, box.Bottom + 1);
}

void TItemRenderer::TextAt(TPoint p, const std::string& utf8, int size, TColor color, TAlignment alignment) {
  m_canvas.Font = m_chart.Font();
  m_canvas.Font.Size = std::clamp(size, -kMaxFontSize, kMaxFontSize);
  m_canvas.Font.Style = m_chart.TextFontStyle();
  m_canvas.Font.Color = color;
  m_canvas.Font.Orientation = 0;
  const TSize extent = m_canvas.TextExtent(utf8);
  const int x = alignment == taRightJustify ? p.X - extent.cx
                : alignment == taCenter     ? p.X - extent.cx / 2
                                            : p.X;
  m_canvas.TextOut(x, p.Y - extent.cy / 2, utf8);
}

void TItemRenderer::DrawText(const TChartItem& item, TColor color) {
  const int length = std::min<int>(item.Text[0], kMaxTextLength);
  m_canvas.Brush = m_chart.TextBkStyle() == tbSolid ? TBrush{m_chart.TextBkColor(), bsSolid}
                                                    : TBrush{m_chart.TextBkColor(), bsClear};
  TextAt(Point(item, item.X, item.Y), Utf8OfLatin1(item.Text + 1, length), item.Size, color,
         m_chart.TextAlignment());
}

void TItemRenderer::DrawEllipse(const TChartItem& item, TColor color) {
  DrawBoxShape(item, color, Point(item, item.X - item.X2, item.Y + item.Y2),
               Point(item, item.X + item.X2, item.Y - item.Y2), &TCanvas::Ellipse);
}

void TItemRenderer::MoveRel(const TChartItem& item) {
  const TPoint pos = m_canvas.PenPos();
  m_canvas.MoveTo(LimitPixel(static_cast<long long>(pos.X) + RoundLimited(item.X)),
                  LimitPixel(static_cast<long long>(pos.Y) + RoundLimited(item.Y)));
}

void TItemRenderer::DrawRel(const TChartItem& item, TColor color) {
  const TPoint pos = m_canvas.PenPos();
  const int x = LimitPixel(static_cast<long long>(pos.X) + RoundLimited(item.X));
  const int y = LimitPixel(static_cast<long long>(pos.Y) + RoundLimited(item.Y));
  const TPenStyle style = StyleOf(item);
  UsePen(color, style);
  m_canvas.LineTo(x, y);
  if (style != psClear) m_canvas.SetPixel(x, y, color);
}

void TItemRenderer::DrawArrow(const TChartItem& item, TColor color) {
  // The shaft is the item's line; the head follows unless both ends coincide.
  DrawLine(item, color);
  const TPoint a = Point(item, item.X, item.Y), b = Point(item, item.X2, item.Y2);
  if (a == b) return;
  const int size = std::min(item.Size, kPixelLimit);
  if (size <= 0) return;
  const int dx = b.X - a.X, dy = b.Y - a.Y;
  const double direction = dx > 0   ? std::atan(static_cast<double>(dy) / dx) + Radians(90)
                           : dx < 0 ? std::atan(static_cast<double>(dy) / dx) + Radians(270)
                           : dy > 0 ? Radians(90)
                                    : Radians(270);
  const auto headPoint = [&](double phi) {
    return TPoint{b.X - RoundLimited(std::sin(phi) * size), b.Y + RoundLimited(std::cos(phi) * size)};
  };
  const TPoint left = headPoint(direction + Radians(kArrowHalfAngle));
  const TPoint right = headPoint(direction - Radians(kArrowHalfAngle));
  if (item.NoFill) {
    for (TPoint end : {left, right}) {
      m_canvas.MoveTo(b.X, b.Y);
      m_canvas.LineTo(end.X, end.Y);
    }
  } else {
    m_canvas.Brush = TBrush{ShapeFill(item), bsSolid};
    const TPoint head[] = {b, left, right};
    m_canvas.Polygon(head, 3);
  }
}

}  // namespace kurvex
