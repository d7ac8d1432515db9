// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "platform/drawing/color.h"
#include "platform/drawing/geometry.h"

namespace kurvex {

class TBitmap;

/// Pen styles; the ordinals are stored in graph files.
enum TPenStyle : std::uint8_t {
  psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame
};
enum TPenMode : std::uint8_t { pmCopy, pmXor, pmNotXor };
enum TBrushStyle : std::uint8_t { bsSolid, bsClear };

using TFontStyles = std::uint8_t;
inline constexpr TFontStyles fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8;

struct TPen {
  TColor Color = clBlack;
  TPenStyle Style = psSolid;
  int Width = 1;  ///< pixels across; values below 1 count as 1
  TPenMode Mode = pmCopy;
  friend bool operator==(const TPen&, const TPen&) = default;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = bsSolid;
  friend bool operator==(const TBrush&, const TBrush&) = default;
};

struct TFont {
  std::string Name = "DejaVu Sans";
  int Size = 8;              ///< points; 96 pixels per inch
  TFontStyles Style = 0;
  TColor Color = clWindowText;
  int Orientation = 0;       ///< tenths of a degree, counter-clockwise
  /// Size at 96 pixels per inch, rounded; at least 1 (Size <= 0 counts as its magnitude).
  int PixelSize() const;
  friend bool operator==(const TFont&, const TFont&) = default;
};

/// A drawing surface with the classic GDI pixel rules: aliased drawing,
/// LineTo and Polyline leave out their last pixel, Rectangle, Ellipse and
/// FillRect cover up to but not including Right and Bottom. Pen, Brush and
/// Font are read by every primitive. Coordinates are pixels. GUI thread only.
class TCanvas {
 public:
  virtual ~TCanvas() = default;

  TPen Pen;
  TBrush Brush;
  TFont Font;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  TPoint PenPos() const { return m_penPos; }
  void MoveTo(int x, int y) { m_penPos = {x, y}; }
  /// Line from PenPos to (x, y) without its end pixel; PenPos := (x, y).
  virtual void LineTo(int x, int y) = 0;
  /// Connected lines through the points, without the last pixel; PenPos unchanged.
  virtual void Polyline(const TPoint* points, int count) = 0;
  /// Closed polygon filled with the brush and outlined with the pen.
  virtual void Polygon(const TPoint* points, int count) = 0;
  /// Outline in the pen, inside in the brush; covers Left..Right-1, Top..Bottom-1.
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;
  /// Brush only, no outline; covers rect.Left..Right-1, rect.Top..Bottom-1.
  virtual void FillRect(const TRect& rect) = 0;
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  /// Sets one pixel inside the clip rectangle, whatever Pen.Mode.
  virtual void SetPixel(int x, int y, TColor color) = 0;
  /// The RGB value at (x, y); clBlack outside the surface.
  virtual TColor Pixel(int x, int y) const = 0;
  /// Text with its top-left corner at (x, y), rotated by Font.Orientation
  /// around that corner; a solid brush paints the background rectangle of
  /// TextExtent. PenPos := (x + text width, y).
  virtual void TextOut(int x, int y, const std::string& utf8) = 0;
  /// Width (advance) and line height of the text in Font, in pixels.
  virtual TSize TextExtent(const std::string& utf8) = 0;
  int TextWidth(const std::string& s) { return TextExtent(s).cx; }
  int TextHeight(const std::string& s) { return TextExtent(s).cy; }
  /// Copies the whole bitmap with its top-left corner at (x, y).
  virtual void Draw(int x, int y, const TBitmap& bitmap) = 0;
  /// Copies sourceRect of source into dest, scaled (nearest pixel) when the sizes differ.
  virtual void CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect) = 0;
  /// The whole bitmap scaled (nearest pixel) into dest.
  virtual void StretchDraw(const TRect& dest, const TBitmap& bitmap) = 0;
  /// Restricts drawing to rect until ResetClip.
  virtual void SetClipRect(const TRect& rect) = 0;
  virtual void ResetClip() = 0;

 protected:
  TPoint m_penPos;
};

}  // namespace kurvex
