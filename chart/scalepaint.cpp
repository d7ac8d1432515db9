// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>

#include "chart/scale.h"

namespace kurvex {

namespace {

constexpr int kShortTick = 4;
constexpr int kLongTickVertical = 6;
constexpr int kLongTickHorizontal = 7;
// Free columns a horizontal label keeps from its shown neighbours.
constexpr int kLabelGap = 1;
// The parent's background shows through a transparent stand-alone scale;
// the own surface has no parent, so white stands in for it.
constexpr TColor kNoParentBackground = clWhite;

}  // namespace

TTickParams TScale::TickParams() const {
  TTickParams p;
  p.Low = m_rangeLow;
  p.High = m_rangeHigh;
  p.MinTicks = m_minTicks;
  p.Logarithmic = m_logarithmic;
  p.ShortTicks = m_shortTicks;
  p.WholeNumbers = m_wholeNumberTicks;
  p.Vertical = Vertical();
  p.LabelType = m_labelType;
  p.DecPlaces = m_decPlaces;
  p.UserTickText = m_userTickText;
  p.ScaleInscript = m_scaleInscript;
  p.DateFormat = m_dateFormat.Format();
  return p;
}

int TScale::AxisLine() const {
  switch (m_scaleType) {
    case sctXB: return m_height - m_marginBottom - 1;
    case sctXT: return m_marginTop;
    case sctYL: return m_marginLeft;
    default: return m_width - m_marginRight - 1;
  }
}

void TScale::Paint() {
  if (m_loading || m_suspended || !m_visible) return;
  TCanvas* target = m_externalCanvas;
  int offX = m_externalX, offY = m_externalY;
  if (!target) {
    m_surface.SetSize(m_width, m_height);
    target = &m_surface.Canvas();
    offX = offY = 0;
    if (m_transparent) {
      target->Brush = TBrush{kNoParentBackground, bsSolid};
      target->FillRect({0, 0, m_width, m_height});
    }
  }
  target->Font = m_font;
  if (OnBeforeScaleRendered) OnBeforeScaleRendered(this, *target);
  if (m_transparent) {
    PaintOn(*target, offX, offY, true);
    if (OnAfterScaleRendered) OnAfterScaleRendered(this, *target);
    return;
  }
  // Opaque: one off-screen pass, then a single copy, so nothing flickers.
  TBitmap buffer(m_width, m_height);
  TCanvas& canvas = buffer.Canvas();
  canvas.Font = m_font;
  canvas.Pen = TPen{m_colorBackGnd, psSolid, 1, pmCopy};
  canvas.Brush = TBrush{m_colorBackGnd, bsSolid};
  canvas.Rectangle(0, 0, m_width, m_height);
  PaintOn(canvas, 0, 0, false);
  if (OnAfterScaleRendered) OnAfterScaleRendered(this, canvas);
  DrawFrame(canvas);
  target->Draw(offX, offY, buffer);
}

void TScale::PaintOn(TCanvas& canvas, int offX, int offY, bool transparent) {
  canvas.Pen = TPen{m_colorScale, psSolid, 1, pmCopy};
  canvas.Brush = transparent ? TBrush{clWhite, bsClear} : TBrush{m_colorBackGnd, bsSolid};
  DrawScale(canvas, offX, offY);
}

void TScale::DrawScale(TCanvas& target, int offX, int offY) {
  // The offset applies across the scale only: the chart's scales span the
  // whole chart, so positions along them are already chart pixels.
  const int axis = AxisLine() + (Vertical() ? offX : offY);
  TCanvas* canvas = &target;
  m_numTicks = 0;
  LayoutTicks(TickParams(), m_layout);
  DrawMessage(*canvas, axis);
  // Horizontal labels that would touch are thinned out to every stride-th;
  // their ticks stay.
  const int stride = Vertical() ? 1 : HorizontalLabelStride(*canvas);
  int labelIndex = 0;
  for (const TTickMark& mark : m_layout.Marks) {
    if (mark.Recorded) Record(mark.Value);
    const int tick = ValueToPixel(mark.Value);
    DrawTick(*canvas, mark, tick, axis);
    const int x = Vertical() ? axis : tick, y = Vertical() ? tick : axis;
    const bool eventFirst = m_layout.EventBeforeLabel;
    if (eventFirst && OnScaleTickDrawn) OnScaleTickDrawn(this, canvas, m_scaleType, mark.Value, x, y);
    if (!mark.Label.empty() && labelIndex++ % stride == 0) DrawLabel(*canvas, mark.Label, tick, axis);
    if (!eventFirst && OnScaleTickDrawn) OnScaleTickDrawn(this, canvas, m_scaleType, mark.Value, x, y);
  }
  if (m_showBaseLine) {
    if (Vertical()) {
      canvas->MoveTo(axis, m_marginTop);
      canvas->LineTo(axis, m_height - m_marginBottom);
    } else {
      canvas->MoveTo(m_marginLeft, axis);
      canvas->LineTo(m_width - m_marginRight, axis);
    }
  }
  DrawCaption(*canvas, axis);
}

void TScale::DrawTick(TCanvas& canvas, const TTickMark& mark, int tick, int axis) {
  const int length = !mark.Long ? kShortTick : Vertical() ? kLongTickVertical : kLongTickHorizontal;
  // Ticks point to the label side; LineTo leaves out the end pixel, so a
  // tick covers `length` pixels counted from the axis line.
  const int direction = m_scaleType == sctXB || m_scaleType == sctYR ? -1 : 1;
  if (Vertical()) {
    canvas.MoveTo(axis, tick);
    canvas.LineTo(axis + direction * length, tick);
  } else {
    canvas.MoveTo(tick, axis);
    canvas.LineTo(tick, axis + direction * length);
  }
}

void TScale::DrawLabel(TCanvas& canvas, const std::string& text, int tick, int axis) {
  const TSize size = canvas.TextExtent(text);
  int left, top;
  if (Vertical()) {
    top = tick - canvas.TextHeight("0") / 2;
    left = m_scaleType == sctYR ? axis - 6 - size.cx - 2 : axis + 8;
  } else {
    left = HorizontalLabelLeft(tick, size.cx);
    top = m_scaleType == sctXT ? axis + 7 : axis - 7 - size.cy;
  }
  canvas.TextOut(left, top, text);
}

// Centred on the tick, but never starting left of x = 2 nor reaching the
// right edge.
int TScale::HorizontalLabelLeft(int tick, int width) const {
  int half = width / 2;
  int left = tick - half;
  if (left < 2) {
    half = tick - 2;
    left = 2;
  }
  if (tick + half >= m_width - 2) left = m_width - 2 * half - 2;
  return left;
}

int TScale::HorizontalLabelStride(TCanvas& canvas) {
  m_labelSpans.clear();
  for (const TTickMark& mark : m_layout.Marks) {
    if (mark.Label.empty()) continue;
    const int width = canvas.TextExtent(mark.Label).cx;
    const int left = HorizontalLabelLeft(ValueToPixel(mark.Value), width);
    m_labelSpans.push_back({left, left + width});
  }
  return LabelStride(m_labelSpans, kLabelGap);
}

// The lines of a date/time scale that cannot show its range, stacked on the
// label side of the axis line.
void TScale::DrawMessage(TCanvas& canvas, int axis) {
  const int count = static_cast<int>(m_layout.Message.size());
  for (int i = 0; i < count; ++i) {
    const std::string& line = m_layout.Message[i];
    const TSize size = canvas.TextExtent(line);
    switch (m_scaleType) {
      case sctXB: canvas.TextOut(m_marginLeft + 2, axis - 7 - (count - i) * size.cy, line); break;
      case sctXT: canvas.TextOut(m_marginLeft + 2, axis + 7 + i * size.cy, line); break;
      case sctYL: canvas.TextOut(axis + 8, m_marginTop + i * size.cy, line); break;
      case sctYR: canvas.TextOut(axis - 8 - size.cx, m_marginTop + i * size.cy, line); break;
    }
  }
}

void TScale::DrawCaption(TCanvas& canvas, int axis) {
  if (m_caption.empty()) return;
  int x, y;
  if (Vertical()) {
    x = axis;
    y = m_captionAnchor == uaSclTopLft   ? m_marginTop
        : m_captionAnchor == uaSclCenter ? m_marginTop + (m_height - m_marginTop - m_marginBottom) / 2
                                         : m_height - m_marginBottom;
  } else {
    x = m_captionAnchor == uaSclTopLft   ? m_marginLeft
        : m_captionAnchor == uaSclCenter ? m_marginLeft + (m_width - m_marginLeft - m_marginRight) / 2
                                         : m_width - m_marginRight;
    y = axis;
  }
  x += m_captionPosX;
  y += m_captionPosY;
  const int width = canvas.TextWidth(m_caption);
  if (m_captionAlignment == taRightJustify) x -= width;
  if (m_captionAlignment == taCenter) x -= width / 2;
  canvas.TextOut(x, y, m_caption);
}

void TScale::DrawFrame(TCanvas& canvas) const {
  if (m_frameStyle == fsNone) return;
  const int r = m_width - 1, b = m_height - 1;
  const bool system = m_colorScheme == csSystem;
  const TColor shadow = system ? clBtnShadow : clGray;
  const TColor light = system ? clBtnHighlight : clWhite;
  // One ring: top and left edge in `topLeft`, bottom and right in `bottomRight`.
  auto ring = [&](int inset, TColor topLeft, TColor bottomRight) {
    canvas.Pen = TPen{topLeft, psSolid, 1, pmCopy};
    canvas.MoveTo(inset, b - inset);
    canvas.LineTo(inset, inset);
    canvas.LineTo(r - inset, inset);
    canvas.Pen = TPen{bottomRight, psSolid, 1, pmCopy};
    canvas.MoveTo(r - inset, inset);
    canvas.LineTo(r - inset, b - inset);
    canvas.LineTo(inset - 1, b - inset);
  };
  switch (m_frameStyle) {
    case fsSimple: ring(0, clBlack, clBlack); break;
    case fsLowered: ring(0, shadow, light); break;
    case fsRaised: ring(0, light, shadow); break;
    case fsEngraved:  // a groove: sunk outer ring, raised inner ring
      ring(0, shadow, light);
      ring(1, light, shadow);
      break;
    case fsEmbossed:  // a ridge
      ring(0, light, shadow);
      ring(1, shadow, light);
      break;
    default: break;
  }
}

}  // namespace kurvex
