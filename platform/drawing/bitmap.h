// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "platform/drawing/canvas.h"

class QImage;

namespace kurvex {

/// An off-screen RGB bitmap with its canvas. Copyable by value (deep copy).
class TBitmap {
 public:
  TBitmap();
  TBitmap(int width, int height);
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);
  ~TBitmap();

  int Width() const;
  int Height() const;
  /// Changes the size; the contents are white afterwards when the size
  /// changed. Negative sides count as 0; a zero side gives a 0 × 0 bitmap.
  void SetSize(int width, int height);
  /// Device pixels per pixel, for a picture shown on a finer screen (1.25,
  /// 1.5, 2, …): the image holds DevicePixel(Width) by DevicePixel(Height)
  /// device pixels (platform/drawing/devicepixels.h) and the canvas draws into it at
  /// that resolution in the same pixel coordinates. Changing it leaves the
  /// bitmap white. At least 1; 1 unless set.
  void SetScale(double scale);
  double Scale() const;
  /// Moves the pixels of rect (clipped to the bitmap) by dx along X within
  /// it; the columns it uncovers keep what they held. False, and nothing
  /// moves, when dx is no whole number of device pixels at the Scale.
  bool MoveAlongX(const TRect& rect, int dx);
  TCanvas& Canvas();

  /// Writes a 24-bit uncompressed Windows BMP (through a temporary file, so
  /// a failure leaves an existing file as it was). On failure returns false
  /// and sets *error to "<path>: <system error text>".
  bool SaveToFile(const std::string& path, std::string* error = nullptr) const;
  /// The picture as the bytes of such a BMP file.
  std::string BmpBytes() const;
  /// The picture as the bytes of a PNG file (colour as drawn).
  std::string PngBytes() const;
  /// Reads a Windows BMP. On failure returns false, keeps the bitmap and sets *error.
  bool LoadFromFile(const std::string& path, std::string* error = nullptr);

  /// The pixels (Format_RGB32, device pixels, its device pixel ratio the
  /// Scale), for the platform's own use (drawing to
  /// windows, tests). Ends the canvas's active painter first, so a copy of
  /// the image keeps the pixels of this moment; fetch it again after drawing.
  const QImage& Image() const;
  QImage& Image();

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace kurvex
