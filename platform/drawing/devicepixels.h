// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>

namespace kurvex {

/// On a screen with `scale` device pixels per pixel (1, 1.25, 1.5, 2, …),
/// pixel v covers the device pixels DevicePixel(v) … DevicePixel(v + 1) − 1:
/// at least one, so no pixel of a picture is lost at any scale, and the
/// integer scales map exactly (2v at 2×). The tolerance absorbs the rounding
/// of scales that binary fractions do not hold exactly.
inline int DevicePixel(int v, double scale) { return static_cast<int>(std::ceil(v * scale - 1e-6)); }

/// The pixels a picture of `deviceLength` device pixels holds: the inverse
/// of DevicePixel for lengths (PixelsOfDeviceLength(DevicePixel(n, s), s) is n).
inline int PixelsOfDeviceLength(int deviceLength, double scale) {
  return std::max(0, static_cast<int>(std::floor(deviceLength / scale + 1e-6)));
}

}  // namespace kurvex
