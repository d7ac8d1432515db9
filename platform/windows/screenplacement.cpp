// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/screenplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace kurvex {

QPoint PlacedWithin(const QRect& frame, const QRect& available) {
  const auto axis = [](int at, int length, int first, int areaLength) {
    return std::max(first, std::min(at, first + areaLength - length));
  };
  return {axis(frame.x(), frame.width(), available.x(), available.width()),
          axis(frame.y(), frame.height(), available.y(), available.height())};
}

void KeepOnScreen(QWidget& window) {
  const QRect frame = window.frameGeometry();
  QScreen* screen = QGuiApplication::screenAt(frame.topLeft());
  if (!screen) screen = window.screen();
  if (!screen) return;
  const QPoint place = PlacedWithin(frame, screen->availableGeometry());
  if (place != frame.topLeft()) window.move(place);
}

}  // namespace kurvex
