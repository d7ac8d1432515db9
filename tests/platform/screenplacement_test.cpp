// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

#include "platform/windows/form.h"
#include "platform/windows/screenplacement.h"
#include "tests/support/qtapp.h"

namespace kurvex {
namespace {

using ScreenPlacementTest = test::QtAppTest;

const QRect kDesign(393, 166, 900, 575);

// Where the window system puts a window's frame: Qt hands it the client
// area's position and size, each scaled and rounded, and the frame around.
QRect DeviceFrame(const QPoint& place, const QSize& size, const QMargins& frame, qreal scale) {
  return QRect(qRound(place.x() * scale), qRound(place.y() * scale), qRound(size.width() * scale),
               qRound(size.height() * scale))
      .marginsAdded(frame);
}

// A screen area of `device` pixels as Qt reports it in pixels.
QRect InPixels(const QRect& device, qreal scale) {
  return {qRound(device.x() / scale), qRound(device.y() / scale), qRound(device.width() / scale),
          qRound(device.height() / scale)};
}

// A window opens at its design position when it fits there, otherwise
// moved the shortest way onto the screen's free area.
TEST_F(ScreenPlacementTest, AWindowOpensWhollyOnItsScreen) {
  EXPECT_EQ(PlacedWithin(kDesign, QRect(0, 0, 1600, 1000)), QPoint(393, 166));
  EXPECT_EQ(PlacedWithin(kDesign, QRect(0, 0, 1280, 800)), QPoint(380, 166));
  EXPECT_EQ(PlacedWithin(kDesign, QRect(0, 30, 1280, 700)), QPoint(380, 155)) << "below a top panel";
  EXPECT_EQ(PlacedWithin(QRect(-50, -20, 300, 200), QRect(0, 30, 1280, 700)), QPoint(0, 30));
  EXPECT_EQ(PlacedWithin(kDesign, QRect(0, 0, 800, 500)), QPoint(0, 0)) << "too large: its top left on the screen";

  const QRect screen = QApplication::primaryScreen()->availableGeometry();
  TForm fits, reaches;
  fits.SetBounds(screen.x() + 10, screen.y() + 20, 300, 200);
  reaches.SetBounds(screen.right() - 100, screen.bottom() - 50, 300, 200);
  fits.Show();
  reaches.Show();
  EXPECT_EQ(QPoint(fits.Left(), fits.Top()), QPoint(screen.x() + 10, screen.y() + 20));
  EXPECT_EQ(reaches.Widget()->frameGeometry().bottomRight(), screen.bottomRight());
  EXPECT_EQ(reaches.Width(), 300) << "moved, not resized";
}

// A window that fits the screen's pixels can cross its edge by a device
// pixel at 150 %, where pixels round to device pixels; in device pixels the
// frame lies on the free area at every scale.
TEST_F(ScreenPlacementTest, TheFrameFitsTheScreensDevicePixelsAtEveryScale) {
  struct Case {
    qreal scale;
    QRect deviceArea;
    QRect expected;  // the frame in device pixels
  };
  const Case cases[] = {
      {1, {0, 0, 1600, 1000}, {393 - 2, 166 - 2, 904, 579}},
      {1.5, {0, 0, 1600, 1000}, {246, 133, 1354, 867}},
      {1.5, {0, 40, 1600, 960}, {246, 133, 1354, 867}},
      {1.5, {0, 40, 1600, 900}, {246, 73, 1354, 867}},
      {1.5, {0, 0, 1280, 800}, {0, 0, 1354, 867}},
      {2, {0, 0, 1600, 1000}, {0, 0, 1804, 1154}},
      {2, {0, 0, 2000, 1400}, {194, 244, 1804, 1154}},  // 1999 or 2000 wide reads as 1000
  };
  for (const Case& c : cases) {
    // Two device pixels of frame, as Qt reports them in pixels.
    const int framePixels = qRound(2 / c.scale);
    const QPoint place = DevicePlacedWithin(kDesign, QMargins(framePixels, framePixels, framePixels, framePixels),
                                            InPixels(c.deviceArea, c.scale), c.scale);
    const QRect frame = DeviceFrame(place, kDesign.size(), QMargins(2, 2, 2, 2), c.scale);
    EXPECT_EQ(frame, c.expected) << c.scale << " on " << c.deviceArea.width() << " x " << c.deviceArea.height();
  }
}

// The screen of 1600 x 1000 device pixels (tests/platform/data) at 150 %.
TEST_F(ScreenPlacementTest, TheWindowLiesOnTheScreenAtOneAndAHalfTheResolution) {
  QScreen* screen = QApplication::primaryScreen();
  const qreal scale = screen->devicePixelRatio();
  if (scale != 1.5 || screen->availableGeometry() != QRect(0, 0, 1067, 667)) {
    GTEST_SKIP() << "needs a 1600 x 1000 screen at QT_SCALE_FACTOR=1.5";
  }
  TForm form;
  form.SetBounds(kDesign.x(), kDesign.y(), kDesign.width(), kDesign.height());
  form.Show();
  const QRect geometry = form.Widget()->geometry();
  const QRect frame = form.Widget()->frameGeometry();
  const auto device = [scale](int pixels) { return int(std::ceil(pixels * scale)); };
  const QMargins deviceFrame(device(geometry.left() - frame.left()), device(geometry.top() - frame.top()),
                             device(frame.right() - geometry.right()), device(frame.bottom() - geometry.bottom()));
  EXPECT_TRUE(QRect(0, 0, 1600, 1000).contains(DeviceFrame(geometry.topLeft(), geometry.size(), deviceFrame, scale)));
  EXPECT_EQ(geometry.size(), kDesign.size()) << "moved, not resized";
}

}  // namespace
}  // namespace kurvex
