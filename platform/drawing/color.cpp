// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/color.h"

#include <array>

#include "platform/drawing/qtconvert.h"

namespace kurvex {

namespace {

// The classic desktop defaults, fixed here instead of asking the desktop so
// that a picture is the same on every machine and in headless tests.
constexpr std::array<TColor, 25> kSystemColors = {
    RGB(200, 200, 200),  // clScrollBar
    RGB(0, 0, 0),        // clBackground
    RGB(153, 180, 209),  // clActiveCaption
    RGB(191, 205, 219),  // clInactiveCaption
    RGB(240, 240, 240),  // clMenu
    RGB(255, 255, 255),  // clWindow
    RGB(100, 100, 100),  // clWindowFrame
    RGB(0, 0, 0),        // clMenuText
    RGB(0, 0, 0),        // clWindowText
    RGB(0, 0, 0),        // clCaptionText
    RGB(180, 180, 180),  // clActiveBorder
    RGB(244, 247, 252),  // clInactiveBorder
    RGB(171, 171, 171),  // clAppWorkSpace
    RGB(0, 120, 215),    // clHighlight
    RGB(255, 255, 255),  // clHighlightText
    RGB(240, 240, 240),  // clBtnFace
    RGB(160, 160, 160),  // clBtnShadow
    RGB(109, 109, 109),  // clGrayText
    RGB(0, 0, 0),        // clBtnText
    RGB(0, 0, 0),        // clInactiveCaptionText
    RGB(255, 255, 255),  // clBtnHighlight
    RGB(105, 105, 105),  // cl3DDkShadow
    RGB(227, 227, 227),  // cl3DLight
    RGB(0, 0, 0),        // clInfoText
    RGB(255, 255, 225),  // clInfoBk
};

}  // namespace

TColor ColorToRGB(TColor color) {
  if (color & clSystemColor) {
    const TColor index = color & 0xFF;
    return index < kSystemColors.size() ? kSystemColors[index] : clBlack;
  }
  // Markers such as clNone and clDefault keep only their RGB bits, as the
  // classic drawing layer does: clNone draws white, clDefault black.
  return color & 0xFFFFFF;
}

QRgb ToQRgb(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQRgb(QRgb rgb) {
  return RGB(static_cast<std::uint8_t>(qRed(rgb)), static_cast<std::uint8_t>(qGreen(rgb)),
             static_cast<std::uint8_t>(qBlue(rgb)));
}

}  // namespace kurvex
