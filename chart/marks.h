// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/canvas.h"
#include "platform/drawing/geometry.h"

namespace kurvex {

/// Highest mark code that selects a drawn symbol; codes above it are
/// characters.
inline constexpr int kLastSymbolMark = 47;

/// Draws symbol `code` (1..47) centred on `centre` in `color`, with the
/// canvas pen's width. The symbols come in families of four sizes (half
/// widths 2, 3, 4 and 5 pixels), in this order: upright cross, diagonal
/// cross, hollow and filled circle, hollow and filled square, hollow and
/// filled triangle pointing up, hollow and filled triangle pointing down,
/// hollow diamond and filled diamond (the last family has three sizes).
/// Other codes draw nothing. Leaves the canvas pen colour and style and the
/// brush changed.
void DrawSymbolMark(TCanvas& canvas, TPoint centre, int code, TColor color);

}  // namespace kurvex
