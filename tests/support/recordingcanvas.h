// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/drawing/canvas.h"

namespace kurvex::test {

/// One drawing call a TRecordingCanvas received, with the pen and brush in
/// force at that moment.
struct CanvasCall {
  std::string Op;              ///< "LineTo", "Polyline", "Polygon", "Rectangle", "SetPixel", "TextOut", ...
  std::vector<TPoint> Points;  ///< the points passed (LineTo: from and to; shapes: two corners)
  TPen Pen;
  TBrush Brush;
  std::string Text;            ///< TextOut only
};

/// A canvas that draws nothing and records every drawing call, for tests of
/// what a renderer asks a canvas to do. Text extents are 6 pixels per byte
/// wide and 12 high.
class TRecordingCanvas : public TCanvas {
 public:
  TRecordingCanvas(int width, int height) : m_width(width), m_height(height) {}

  std::vector<CanvasCall> Calls;
  /// The calls with the given Op, in order.
  std::vector<CanvasCall> CallsOf(const std::string& op) const;

  int Width() const override { return m_width; }
  int Height() const override { return m_height; }
  void LineTo(int x, int y) override;
  void Polyline(const TPoint* points, int count) override;
  void Polygon(const TPoint* points, int count) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void FillRect(const TRect& rect) override;
  void Ellipse(int left, int top, int right, int bottom) override;
  void SetPixel(int x, int y, TColor color) override;
  TColor Pixel(int x, int y) const override;
  void TextOut(int x, int y, const std::string& utf8) override;
  TSize TextExtent(const std::string& utf8) override;
  void Draw(int x, int y, const TBitmap& bitmap) override;
  void CopyRect(const TRect& dest, const TBitmap& source, const TRect& sourceRect) override;
  void StretchDraw(const TRect& dest, const TBitmap& bitmap) override;
  void SetClipRect(const TRect& rect) override;
  void ResetClip() override;

 private:
  void Record(const std::string& op, std::vector<TPoint> points, std::string text = {});

  int m_width, m_height;
};

}  // namespace kurvex::test
