// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/marks.h"

namespace kurvex {

namespace {

enum class TMarkShape { Cross, DiagonalCross, Circle, Square, TriangleUp, TriangleDown, Diamond };

struct TMarkFamily {
  TMarkShape Shape;
  bool Filled;
};

constexpr TMarkFamily kFamilies[] = {
    {TMarkShape::Cross, false},        {TMarkShape::DiagonalCross, false},
    {TMarkShape::Circle, false},       {TMarkShape::Circle, true},
    {TMarkShape::Square, false},       {TMarkShape::Square, true},
    {TMarkShape::TriangleUp, false},   {TMarkShape::TriangleUp, true},
    {TMarkShape::TriangleDown, false}, {TMarkShape::TriangleDown, true},
    {TMarkShape::Diamond, false},      {TMarkShape::Diamond, true},
};
constexpr int kSizesPerFamily = 4;
constexpr int kSmallestHalfWidth = 2;

// Strokes include their end pixel so that the symbol is symmetric.
void Stroke(TCanvas& canvas, TPoint from, TPoint to, TColor color) {
  canvas.MoveTo(from.X, from.Y);
  canvas.LineTo(to.X, to.Y);
  canvas.SetPixel(to.X, to.Y, color);
}

void Outline(TCanvas& canvas, const TPoint* points, int count, bool filled) {
  canvas.Brush.Style = filled ? bsSolid : bsClear;
  canvas.Polygon(points, count);
}

}  // namespace

void DrawSymbolMark(TCanvas& canvas, TPoint c, int code, TColor color) {
  if (code < 1 || code > kLastSymbolMark) return;
  const TMarkFamily family = kFamilies[(code - 1) / kSizesPerFamily];
  const int r = kSmallestHalfWidth + (code - 1) % kSizesPerFamily;
  canvas.Pen.Color = color;
  canvas.Pen.Style = psSolid;
  canvas.Brush.Color = color;
  switch (family.Shape) {
    case TMarkShape::Cross:
      Stroke(canvas, {c.X - r, c.Y}, {c.X + r, c.Y}, color);
      Stroke(canvas, {c.X, c.Y - r}, {c.X, c.Y + r}, color);
      break;
    case TMarkShape::DiagonalCross:
      Stroke(canvas, {c.X - r, c.Y - r}, {c.X + r, c.Y + r}, color);
      Stroke(canvas, {c.X - r, c.Y + r}, {c.X + r, c.Y - r}, color);
      break;
    case TMarkShape::Circle:
      canvas.Brush.Style = family.Filled ? bsSolid : bsClear;
      canvas.Ellipse(c.X - r, c.Y - r, c.X + r + 1, c.Y + r + 1);
      break;
    case TMarkShape::Square:
      canvas.Brush.Style = family.Filled ? bsSolid : bsClear;
      canvas.Rectangle(c.X - r, c.Y - r, c.X + r + 1, c.Y + r + 1);
      break;
    case TMarkShape::TriangleUp: {
      const TPoint points[] = {{c.X, c.Y - r}, {c.X + r, c.Y + r}, {c.X - r, c.Y + r}};
      Outline(canvas, points, 3, family.Filled);
      break;
    }
    case TMarkShape::TriangleDown: {
      const TPoint points[] = {{c.X, c.Y + r}, {c.X - r, c.Y - r}, {c.X + r, c.Y - r}};
      Outline(canvas, points, 3, family.Filled);
      break;
    }
    case TMarkShape::Diamond: {
      const TPoint points[] = {{c.X, c.Y - r}, {c.X + r, c.Y}, {c.X, c.Y + r}, {c.X - r, c.Y}};
      Outline(canvas, points, 4, family.Filled);
      break;
    }
  }
}

}  // namespace kurvex
