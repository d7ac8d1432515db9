// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/screenplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace kurvex {

namespace {

// A window's position or size in device pixels, rounded as Qt does.
int Device(int pixels, qreal scale) { return qRound(pixels * scale); }

// Qt reports a screen's area in pixels rounded from device pixels, so each
// value stands for any device value within half a pixel of it: the least
// and the greatest of those (never before the screen's corner).
int LeastDevice(int pixels, qreal scale) { return std::max(0, int(std::ceil((pixels - 0.5) * scale))); }
int MostDevice(int pixels, qreal scale) { return int(std::ceil((pixels + 0.5) * scale)) - 1; }

// The device pixels of the screen's area that are surely on it.
QRect DeviceArea(const QRect& available, qreal scale) {
  const QPoint first(MostDevice(available.x(), scale), MostDevice(available.y(), scale));
  const QPoint end(LeastDevice(available.x(), scale) + LeastDevice(available.width(), scale),
                   LeastDevice(available.y(), scale) + LeastDevice(available.height(), scale));
  return {first, QSize(end.x() - first.x(), end.y() - first.y())};
}

// The pixel position whose device position comes closest to `device`
// without passing it, or else the one just after it when that one would
// leave `first`.
int PixelsAt(int device, int first, qreal scale) {
  int pixels = int(std::floor(device / scale));
  while (Device(pixels + 1, scale) <= device) ++pixels;
  while (Device(pixels, scale) > device) --pixels;
  return Device(pixels, scale) < first ? pixels + 1 : pixels;
}

}  // namespace

QPoint PlacedWithin(const QRect& frame, const QRect& available) {
  const auto axis = [](int at, int length, int first, int areaLength) {
    return std::max(first, std::min(at, first + areaLength - length));
  };
  return {axis(frame.x(), frame.width(), available.x(), available.width()),
          axis(frame.y(), frame.height(), available.y(), available.height())};
}

QPoint DevicePlacedWithin(const QRect& geometry, const QMargins& frame, const QRect& available, qreal scale) {
  // A frame in pixels stands for up to half a pixel more in device pixels.
  const QMargins deviceFrame(MostDevice(frame.left(), scale), MostDevice(frame.top(), scale),
                             MostDevice(frame.right(), scale), MostDevice(frame.bottom(), scale));
  const QRect client(Device(geometry.x(), scale), Device(geometry.y(), scale), Device(geometry.width(), scale),
                     Device(geometry.height(), scale));
  const QRect area = DeviceArea(available, scale);
  const QPoint placed = PlacedWithin(client.marginsAdded(deviceFrame), area) +
                        QPoint(deviceFrame.left(), deviceFrame.top());
  return {PixelsAt(placed.x(), area.x() + deviceFrame.left(), scale),
          PixelsAt(placed.y(), area.y() + deviceFrame.top(), scale)};
}

void KeepOnScreen(QWidget& window) {
  const QRect frame = window.frameGeometry();
  QScreen* screen = QGuiApplication::screenAt(frame.topLeft());
  if (!screen) screen = window.screen();
  if (!screen) return;
  const QRect geometry = window.geometry();
  const QMargins margins(geometry.left() - frame.left(), geometry.top() - frame.top(),
                         frame.right() - geometry.right(), frame.bottom() - geometry.bottom());
  const QPoint origin = screen->geometry().topLeft();
  const QPoint place = origin + DevicePlacedWithin(geometry.translated(-origin), margins,
                                                   screen->availableGeometry().translated(-origin),
                                                   screen->devicePixelRatio());
  // move() places the frame, which keeps its distance to the client area.
  if (place != geometry.topLeft()) window.move(frame.topLeft() + place - geometry.topLeft());
}

}  // namespace kurvex
