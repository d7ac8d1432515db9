// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

#include <QFont>
#include <QPainter>
#include <QPoint>

#include "platform/drawing/canvas.h"

class QImage;

namespace kurvex {

/// The canvas of a TBitmap: draws aliased into a Format_RGB32 QImage with the
/// GDI pixel rules.
///
/// Pens: width <= 1 is one pixel; lines and polygon outlines are drawn by
/// TThinLine (the end pixel is left out in every direction; dash 18/6, dot
/// 3/3, dash-dot 9/6/3/6, dash-dot-dot 9/3/3/3/3/3 pixels). Wider pens cover
/// Width pixels across, are always solid and have round ends and joins, so
/// consecutive polylines meet without notches (their end pixels are drawn).
/// pmXor/pmNotXor apply to pen and brush of lines and shapes; FillRect, text,
/// SetPixel and bitmap copies always copy.
///
/// One QPainter stays active on the image between primitives, because
/// starting one per call costs more than most primitives. Its pixels are in
/// the image at once, but a copy of the image taken while it is active would
/// keep sharing the painted buffer; Flush() ends the painter (the next
/// primitive starts a new one, which detaches the image from such copies).
/// TBitmap flushes before it hands out its image. Pixels, thin lines and
/// QPainter output go to the same buffer at once, so their order holds.
/// GUI thread only.
class TImageCanvas final : public TCanvas {
 public:
  /// `image` must outlive the canvas and change size only after Flush().
  explicit TImageCanvas(QImage& image);
  ~TImageCanvas() override;
  TImageCanvas(const TImageCanvas&) = delete;
  TImageCanvas& operator=(const TImageCanvas&) = delete;

  /// Ends the active painter, if any; the clip rectangle is kept.
  void Flush();

  int Width() const override;
  int Height() const override;
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
  /// The active painter, started on demand; nullptr for an empty image.
  QPainter* Begin();
  /// Begin() with `pen`, Brush (or none) and Pen.Mode applied, for shapes.
  QPainter* BeginShape(const TPen& pen, bool withBrush);
  /// Begin() in copy mode, for fills, text and bitmap copies.
  QPainter* BeginCopy();
  void SetComposition(QPainter::CompositionMode mode);
  /// The current Font as QFont, rebuilt only when Font changed.
  const QFont& CurrentFont();
  /// The clip rectangle, or the whole image.
  QRect ClipBounds() const;
  /// Device pixels per pixel: the image's device pixel ratio (1 unless the
  /// image belongs to a finer screen, 1.25, 1.5, 2, …). Coordinates stay in
  /// pixels, each mapped to its first device pixel (DevicePixel); one-pixel
  /// lines and outlines are drawn one device pixel thin through the first
  /// device pixel of each pixel they cover, fills and text at full resolution.
  double Scale() const;
  TPoint ToDevice(TPoint p) const;
  /// The device pixels of the pixels of `rect`.
  QRect DeviceRect(const QRect& rect) const;
  QRect DeviceClip() const;
  /// Where a copy of `part` (device pixels of `source`) to the pixels `dest`
  /// goes: one to one when the source has this resolution and `dest` its
  /// size, so nothing is resampled; otherwise stretched over `dest`.
  QRect DeviceTarget(const QRect& dest, const QImage& source, const QRect& part) const;
  /// The points in device pixels, into m_points.
  void CopyPoints(const TPoint* points, int count);

  QImage& m_image;
  QImage m_view;  ///< m_image's pixels at ratio 1, for the active painter
  QPainter m_painter;
  std::optional<TRect> m_clip;
  std::vector<QPoint> m_points;
  // What the active painter holds, so unchanged state is not set again.
  std::optional<TPen> m_appliedPen;
  std::optional<TBrush> m_appliedBrush;
  std::optional<QPainter::CompositionMode> m_appliedComposition;
  std::optional<TFont> m_fontOf;
  QFont m_font;
  bool m_fontApplied = false;
};

}  // namespace kurvex
