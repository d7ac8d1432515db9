// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/geometry.h"

namespace kurvex {

/// The ring of a busy indicator has twelve segments placed like the hours
/// of a clock; segment 1 starts at twelve o'clock.
inline constexpr int kSegmentCount = 12;

/// Sweep of every segment in degrees for a control of that size (pixels):
/// larger rings get wider segments, so the gaps stay a few pixels wide.
int SegmentSweep(int width, int height);

/// Start of segment 1..12 in degrees, clockwise from the positive x axis.
int SegmentStartAngle(int segment);

/// The rectangle whose inscribed ellipse is the ring's outer edge: the whole
/// control, or one pixel less to the right and bottom when a border is drawn.
TRect RingRect(int width, int height, bool bordered);

/// The rectangle of the circular hole cut out of the ring.
TRect HoleRect(const TRect& ring);

/// The part of a width × height control that a tick repaints after the
/// running segment moved on to `newSegment`: it holds the previous and the
/// new running segment. Control coordinates.
TRect TickUpdateRect(int newSegment, int width, int height);

}  // namespace kurvex
