// SPDX-License-Identifier: GPL-3.0-or-later
#include <QImage>

#include "tests/chart/mouse_fixture.h"

namespace kurvex::test {
namespace {

using MouseBandTest = MouseChartTest;

// The world windows from pixel a to pixel b: X, then Y.
std::pair<TAxisWindow, TAxisWindow> World(const TChartControl& c, TPoint a, TPoint b) {
  double x0, y0, x1, y1;
  c.PixelToWorld(1, a.X, a.Y, x0, y0);
  c.PixelToWorld(1, b.X, b.Y, x1, y1);
  return {{x0, x1}, {y0, y1}};
}

TEST_F(MouseBandTest, ZoomWindTakesTheDragOrderAndZoomWindPosKeepsTheAxisDirections) {
  const TPoint a{100, 66}, b{300, 216};  // top left to bottom right
  const auto [wx, wy] = World(chart, a, b);
  ASSERT_LT(wx.Low, wx.High);
  ASSERT_GT(wy.Low, wy.High);

  chart.SetMouseAction(maZoomWind);
  Drag({a.X, a.Y}, {b.X, b.Y});
  EXPECT_EQ(X(), wx);
  EXPECT_EQ(Y(), wy);  // the Y axis now runs downwards
  EXPECT_FALSE(chart.RubberBandActive());
  EXPECT_EQ(zoomPans, 1);

  chart.SetRange(1, 0, 0, 100, 100);
  chart.SetMouseAction(maZoomWindPos);
  Drag({b.X, b.Y}, {a.X, a.Y});  // the other way round
  EXPECT_EQ(X(), wx);
  EXPECT_EQ(Y(), (TAxisWindow{wy.High, wy.Low}));

  // On an axis that already runs backwards, the kept direction is backwards.
  chart.SetRange(1, 100, 0, 0, 100);
  const TAxisWindow rx = World(chart, a, b).first;
  Drag({a.X, a.Y}, {b.X, b.Y});
  EXPECT_EQ(X(), (TAxisWindow{std::max(rx.Low, rx.High), std::min(rx.Low, rx.High)}));
}

TEST_F(MouseBandTest, TheBandIsXoredOntoTheWindowAndRightButtonErasesItWithoutZooming) {
  chart.SetMouseAction(maZoomWind);
  chart.Paint();
  const QImage before = chart.ControlBitmap().Image().copy();
  chart.paints = 0;

  Press({100, 66});
  EXPECT_TRUE(chart.RubberBandActive());
  MoveHeld({200, 116});
  MoveHeld({300, 216});
  const QImage& shown = chart.ControlBitmap().Image();
  // White plot under a white XOR pen turns black on the outline only.
  EXPECT_EQ(shown.pixel(100, 150) & 0xFFFFFF, 0x000000u);
  EXPECT_EQ(shown.pixel(299, 150) & 0xFFFFFF, 0x000000u);
  EXPECT_EQ(shown.pixel(200, 150) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(shown.pixel(199, 90), before.pixel(199, 90));  // the first band was erased

  Release({300, 216}, Qt::RightButton);
  EXPECT_FALSE(chart.RubberBandActive());
  EXPECT_EQ(chart.ControlBitmap().Image(), before);
  EXPECT_EQ(X(), (TAxisWindow{0, 100}));
  EXPECT_EQ(Y(), (TAxisWindow{0, 100}));
  EXPECT_EQ(chart.paints, 0);
  EXPECT_EQ(zoomPans, 0);
}

TEST_F(MouseBandTest, TheBandIsClampedToThePlotAreaAndOnlyStartsInsideIt) {
  chart.SetMouseAction(maZoomWindPos);
  Drag({5, 100}, {300, 200});  // pressed on the rim: no band
  EXPECT_EQ(X(), (TAxisWindow{0, 100}));

  Drag({300, 166}, {900, -40});  // far beyond the top right corner
  EXPECT_DOUBLE_EQ(X().Low, 50);
  EXPECT_DOUBLE_EQ(X().High, 100);
  EXPECT_DOUBLE_EQ(Y().Low, 50);
  EXPECT_DOUBLE_EQ(Y().High, 100);
}

TEST_F(MouseBandTest, AThinBandDoesNotZoomAndLeavesNothingBehind) {
  chart.SetMouseAction(maZoomWind);
  chart.Paint();
  const QImage before = chart.ControlBitmap().Image().copy();
  Press({100, 100});
  Release({100, 100});
  Drag({100, 100}, {300, 100});  // no height
  EXPECT_EQ(X(), (TAxisWindow{0, 100}));
  EXPECT_EQ(zoomPans, 0);
  EXPECT_EQ(chart.ControlBitmap().Image(), before);

  // A middle-button release leaves the band as it is.
  Press({100, 100});
  MoveHeld({200, 200});
  Release({200, 200}, Qt::MiddleButton);
  EXPECT_TRUE(chart.RubberBandActive());
  Release({200, 200});
  EXPECT_EQ(zoomPans, 1);
}

TEST_F(MouseBandTest, IsometricBandsStaySquare) {
  chart.SetIsometric(true);
  chart.SetMouseAction(maZoomWind);
  chart.Paint();
  auto black = [&](int x, int y) { return (chart.ControlBitmap().Image().pixel(x, y) & 0xFFFFFF) == 0; };
  Press({200, 200});
  MoveHeld({260, 290});  // down right: 60 down, as far as across
  EXPECT_TRUE(black(230, 259));
  EXPECT_FALSE(black(230, 289));
  MoveHeld({260, 100});  // up right: mirrored upwards
  EXPECT_TRUE(black(230, 140));
  EXPECT_FALSE(black(230, 100));
  EXPECT_FALSE(black(230, 259));
  Release({260, 100}, Qt::RightButton);
}

}  // namespace
}  // namespace kurvex::test
