// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>

class QWidget;

namespace kurvex {

/// Where a window with the frame `frame` goes so that it opens wholly on
/// `available` (a screen without its panels): where it is when it fits,
/// otherwise moved the shortest way onto it. A window larger than the area
/// keeps its top left corner (title bar, menu) on it.
QPoint PlacedWithin(const QRect& frame, const QRect& available);

/// The same in the device pixels the window system places, for a screen of
/// `scale` device pixels per pixel: where the client area `geometry`, with
/// `frame` around it, goes (in pixels). Qt scales a window's position and
/// size apart and rounds each, so a window that fits in pixels can still
/// cross the screen's edge by a device pixel. All positions are relative to
/// the screen's top left corner, which pixels and device pixels share.
QPoint DevicePlacedWithin(const QRect& geometry, const QMargins& frame, const QRect& available, qreal scale);

/// Moves a top-level window by DevicePlacedWithin onto the available area of
/// the screen it is on (or else the one it would appear on). GUI thread.
void KeepOnScreen(QWidget& window);

}  // namespace kurvex
