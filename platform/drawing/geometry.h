// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kurvex {

/// A pixel position; Y grows downwards.
struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

/// A pixel rectangle; Right and Bottom lie just outside it, as in GDI.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

}  // namespace kurvex
