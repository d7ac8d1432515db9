// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QImage>
#include <string>

#include "platform/drawing/canvas.h"

namespace kurvex {

/// A text drawn once, unrotated, in one font and colour on a transparent
/// image, to be copied wherever the same label is needed again (scale
/// labels repeat on every redraw). Text is drawn without antialiasing, so
/// copying the run gives exactly the pixels drawing it would.
struct TTextRun {
  QImage Glyphs;         ///< the text at device pixel (DeviceMargin, Ascent); transparent elsewhere
  int Margin = 0;        ///< room left of the text for glyphs that reach beyond it
  int DeviceMargin = 0;  ///< that room in device pixels, whole, so the text begins on a device pixel
  int Width = 0;   ///< advance width in pixels
  int Height = 0;  ///< line height in pixels
};

/// The run of `utf8` in `font` (with `qfont` its toolkit form) and `color`
/// for images of `device`'s resolution; kept for later calls. GUI thread.
const TTextRun& TextRunOf(const TFont& font, const QFont& qfont, TColor color, const std::string& utf8,
                          const QImage& device);

/// Width and height of `utf8` in `font`, kept for later calls. GUI thread.
TSize TextSizeOf(const TFont& font, const QFont& qfont, const std::string& utf8, const QImage* device);

}  // namespace kurvex
