// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/image.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include <QImage>
#include <QString>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/qtconvert.h"

namespace kurvex::test {

namespace {

bool Is(const QImage& image, int x, int y, TColor color) {
  return image.valid(x, y) && FromQRgb(image.pixel(x, y)) == ColorToRGB(color);
}

std::filesystem::path ArtifactDir() {
  const char* dir = std::getenv("KURVEX_TEST_ARTIFACTS");
  return dir && *dir ? std::filesystem::path(dir) : std::filesystem::path("test-artifacts");
}

}  // namespace

std::string RowText(const TBitmap& bitmap, int y, int x0, int x1, TColor ink) {
  std::string text;
  for (int x = x0; x < x1; ++x) text += Is(bitmap.Image(), x, y, ink) ? '#' : '.';
  return text;
}

std::string ColumnText(const TBitmap& bitmap, int x, int y0, int y1, TColor ink) {
  std::string text;
  for (int y = y0; y < y1; ++y) text += Is(bitmap.Image(), x, y, ink) ? '#' : '.';
  return text;
}

int CountPixels(const TBitmap& bitmap, TColor color) {
  return CountPixels(bitmap, color, {0, 0, bitmap.Image().width(), bitmap.Image().height()});
}

int CountPixels(const TBitmap& bitmap, TColor color, const TRect& area) {
  const QImage& image = bitmap.Image();
  int count = 0;
  for (int y = area.Top; y < area.Bottom; ++y) {
    for (int x = area.Left; x < area.Right; ++x) {
      count += Is(image, x, y, color) ? 1 : 0;
    }
  }
  return count;
}

TRect InkBounds(const TBitmap& bitmap, TColor background) {
  const QImage& image = bitmap.Image();
  TRect bounds{image.width(), image.height(), 0, 0};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (!Is(image, x, y, background)) {
        bounds = {std::min(bounds.Left, x), std::min(bounds.Top, y),
                  std::max(bounds.Right, x + 1), std::max(bounds.Bottom, y + 1)};
      }
    }
  }
  return bounds.Right == 0 ? TRect{} : bounds;
}

::testing::AssertionResult SameImage(const TBitmap& actual, const TBitmap& expected,
                                     const std::string& name) {
  const QImage& a = actual.Image();
  const QImage& e = expected.Image();
  // Differences red on grey, for the artifacts.
  QImage diff(a.size().expandedTo(e.size()), QImage::Format_RGB32);
  int differences = 0, firstX = -1, firstY = -1;
  for (int y = 0; y < diff.height(); ++y) {
    for (int x = 0; x < diff.width(); ++x) {
      const bool same = a.valid(x, y) && e.valid(x, y) && a.pixel(x, y) == e.pixel(x, y);
      diff.setPixel(x, y, same ? qRgb(230, 230, 230) : qRgb(255, 0, 0));
      if (!same && differences++ == 0) firstX = x, firstY = y;
    }
  }
  if (differences == 0) return ::testing::AssertionSuccess();
  const std::filesystem::path dir = ArtifactDir();
  std::error_code ignored;
  std::filesystem::create_directories(dir, ignored);
  const auto file = [&](const char* suffix) {
    return QString::fromStdString((dir / (name + suffix)).string());
  };
  a.save(file("-actual.png"));
  e.save(file("-expected.png"));
  diff.save(file("-diff.png"));
  return ::testing::AssertionFailure()
         << name << ": " << differences << " pixels differ (sizes " << a.width() << "x"
         << a.height() << " and " << e.width() << "x" << e.height() << "), first at ("
         << firstX << ", " << firstY << "); images in " << std::filesystem::absolute(dir);
}

}  // namespace kurvex::test
