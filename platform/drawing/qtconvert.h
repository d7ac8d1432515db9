// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>

#include "platform/drawing/canvas.h"
#include "platform/drawing/color.h"

namespace kurvex {

/// The opaque Qt colour of a TColor, system colours resolved (ColorToRGB).
QRgb ToQRgb(TColor color);
inline QColor ToQColor(TColor color) { return QColor::fromRgb(ToQRgb(color)); }
/// The RGB TColor of a Qt pixel; alpha is ignored.
TColor FromQRgb(QRgb rgb);

/// The Qt font for a TFont: family, pixel size and styles, never antialiased,
/// so text pixels are the same on every machine.
QFont ToQFont(const TFont& font);

}  // namespace kurvex
