// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/cursor.h"

#include <QBitmap>
#include <QCursor>
#include <QWidget>

#include <array>
#include <map>
#include <mutex>
#include <string>

namespace kurvex {

namespace {

constexpr int kCursorSize = 32;

struct CursorImage {
  std::array<std::string, kCursorSize> rows;
  int hotX = 0;
  int hotY = 0;
};

// Images are kept as text and turned into QCursors only when used, because
// registration may run before the application (and its pixmaps) exists.
std::map<TCursor, CursorImage>& Registry() {
  static std::map<TCursor, CursorImage> registry;
  return registry;
}

std::mutex& RegistryMutex() {
  static std::mutex mutex;
  return mutex;
}

QCursor ToQCursor(const CursorImage& image) {
  // One bit per pixel, least significant bit first: in the bitmap a set bit
  // is black, in the mask a set bit is opaque.
  constexpr int kBytesPerRow = kCursorSize / 8;
  uchar bits[kCursorSize * kBytesPerRow] = {};
  uchar mask[kCursorSize * kBytesPerRow] = {};
  for (int y = 0; y < kCursorSize; ++y) {
    const std::string& row = image.rows[y];
    for (int x = 0; x < kCursorSize && x < static_cast<int>(row.size()); ++x) {
      const uchar bit = static_cast<uchar>(1u << (x % 8));
      const int index = y * kBytesPerRow + x / 8;
      if (row[x] == '#') {
        bits[index] |= bit;
        mask[index] |= bit;
      } else if (row[x] == '.') {
        mask[index] |= bit;
      }
    }
  }
  const QSize size(kCursorSize, kCursorSize);
  return QCursor(QBitmap::fromData(size, bits, QImage::Format_MonoLSB),
                 QBitmap::fromData(size, mask, QImage::Format_MonoLSB), image.hotX, image.hotY);
}

bool StockShape(TCursor cursor, Qt::CursorShape* shape) {
  switch (cursor) {
    case crArrow: *shape = Qt::ArrowCursor; return true;
    case crCross: *shape = Qt::CrossCursor; return true;
    case crIBeam: *shape = Qt::IBeamCursor; return true;
    case crSizeAll: *shape = Qt::SizeAllCursor; return true;
    case crHandPoint: *shape = Qt::PointingHandCursor; return true;
    case crDrag: *shape = Qt::DragMoveCursor; return true;
    case crNo: *shape = Qt::ForbiddenCursor; return true;
    default: return false;
  }
}

}  // namespace

void RegisterCursor(TCursor id, const char* const rows[32], int hotX, int hotY) {
  CursorImage image;
  for (int y = 0; y < kCursorSize; ++y) image.rows[y] = rows[y] ? rows[y] : "";
  image.hotX = hotX;
  image.hotY = hotY;
  std::lock_guard lock(RegistryMutex());
  Registry()[id] = std::move(image);
}

void ApplyCursor(QWidget* widget, TCursor cursor) {
  Qt::CursorShape shape;
  if (StockShape(cursor, &shape)) {
    widget->setCursor(shape);
    return;
  }
  std::lock_guard lock(RegistryMutex());
  const auto found = Registry().find(cursor);
  if (found != Registry().end()) {
    widget->setCursor(ToQCursor(found->second));
  } else {
    widget->unsetCursor();
  }
}

}  // namespace kurvex
