// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "platform/drawing/color.h"
#include "platform/drawing/geometry.h"

namespace kurvex {
class TBitmap;
}

namespace kurvex::test {

// All helpers read the image's own (device) pixels: for a bitmap of Scale 2
// the coordinates are twice the drawing coordinates.

/// Pixels x0..x1-1 of row y as text: '#' where the pixel is `ink`, '.' elsewhere.
std::string RowText(const TBitmap& bitmap, int y, int x0, int x1, TColor ink = clBlack);
/// Pixels y0..y1-1 of column x, as RowText.
std::string ColumnText(const TBitmap& bitmap, int x, int y0, int y1, TColor ink = clBlack);

/// How many pixels of `area` (default: the whole bitmap) have `color`.
int CountPixels(const TBitmap& bitmap, TColor color);
int CountPixels(const TBitmap& bitmap, TColor color, const TRect& area);

/// The smallest rectangle holding every pixel that is not `background`;
/// empty (all zero) when there is none.
TRect InkBounds(const TBitmap& bitmap, TColor background = clWhite);

/// Pixel-exact comparison. On a difference writes <name>-actual.png,
/// <name>-expected.png and <name>-diff.png (differences red) into
/// $KURVEX_TEST_ARTIFACTS or ./test-artifacts and names them in the message.
::testing::AssertionResult SameImage(const TBitmap& actual, const TBitmap& expected,
                                     const std::string& name);

}  // namespace kurvex::test
