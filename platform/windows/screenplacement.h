// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>

class QWidget;

namespace kurvex {

/// Where a window with the frame `frame` goes so that it opens wholly on
/// `available` (a screen without its panels): where it is when it fits,
/// otherwise moved the shortest way onto it. A window larger than the area
/// keeps its top left corner (title bar, menu) on it.
QPoint PlacedWithin(const QRect& frame, const QRect& available);

/// Moves a top-level window by PlacedWithin onto the available area of the
/// screen it is on (or else the one it would appear on). GUI thread.
void KeepOnScreen(QWidget& window);

}  // namespace kurvex
