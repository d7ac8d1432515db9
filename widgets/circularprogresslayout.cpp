// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/circularprogresslayout.h"

#include <algorithm>

namespace kurvex {

int SegmentSweep(int width, int height) {
  const int size = std::min(width, height);
  if (size < 40) return 22;
  if (size < 60) return 23;
  if (size < 100) return 24;
  if (size < 200) return 25;
  return 26;
}

int SegmentStartAngle(int segment) { return (segment - 1) * 30 - 90; }

TRect RingRect(int width, int height, bool bordered) {
  const int inset = bordered ? 1 : 0;
  return {0, 0, width - inset, height - inset};
}

TRect HoleRect(const TRect& ring) {
  // Fractions in floating point, truncated only at the end: integer division
  // would make the hole a pixel larger at most sizes.
  const double w = ring.Width();
  const double h = ring.Height();
  const int left = ring.Left + static_cast<int>(w * 7 / 30);
  const int top = ring.Top + static_cast<int>(h * 7 / 30);
  return {left, top, left + static_cast<int>(w - w * 14 / 30),
          top + static_cast<int>(h - h * 14 / 30)};
}

TRect TickUpdateRect(int newSegment, int width, int height) {
  const int midX = width / 2;
  const int midY = height / 2;
  // Segments 7 and 10 start exactly on a centre line, so the rectangles that
  // must also hold them reach a few pixels past it for the smoothed edge.
  constexpr int kEdgeReach = 4;
  switch (newSegment) {
    case 1: return {0, 0, width, midY};
    case 2:
    case 3: return {midX, 0, width, midY};
    case 4: return {midX, 0, width, height};
    case 5:
    case 6: return {midX, midY, width, height};
    case 7: return {0, midY, width, height};
    case 8:
    case 9: return {0, midY, midX + kEdgeReach, height};
    case 10: return {0, 0, midX, height};
    default: return {0, 0, midX, midY + kEdgeReach};
  }
}

}  // namespace kurvex
