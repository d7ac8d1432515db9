// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/mousenav.h"
#include "tests/chart/mouse_fixture.h"

namespace kurvex::test {
namespace {

using MousePanTest = MouseChartTest;

TEST_F(MousePanTest, PanFollowsThePointerAndReturnsExactlyToTheStart) {
  chart.SetMouseAction(maPan);
  Press({200, 150});
  MoveHeld({200, 150});
  EXPECT_EQ(X(), (TAxisWindow{0, 100}));  // the origin only
  EXPECT_EQ(zoomPans, 0);

  MoveHeld({250, 150});
  EXPECT_EQ(X(), (TAxisWindow{-10, 90}));
  EXPECT_EQ(Y(), (TAxisWindow{0, 100}));
  MoveHeld({250, 180});  // 30 px down: the window moves up by 10
  EXPECT_EQ(Y(), (TAxisWindow{10, 110}));
  MoveHeld({200, 150});
  EXPECT_EQ(X(), (TAxisWindow{0, 100}));
  EXPECT_EQ(Y(), (TAxisWindow{0, 100}));
  Release({200, 150});
  EXPECT_EQ(zoomPans, 3);
}

TEST_F(MousePanTest, HorizontalAndVerticalPanKeepTheOtherAxis) {
  chart.SetMouseAction(maPanHoriz);
  Drag({200, 150}, {250, 180});
  EXPECT_EQ(X(), (TAxisWindow{-10, 90}));
  EXPECT_EQ(Y(), (TAxisWindow{0, 100}));

  chart.SetRange(1, 0, 0, 100, 100);
  chart.SetMouseAction(maPanVert);
  Drag({200, 150}, {250, 180});
  EXPECT_EQ(X(), (TAxisWindow{0, 100}));
  EXPECT_EQ(Y(), (TAxisWindow{10, 110}));
}

TEST_F(MousePanTest, LogarithmicAxesPanByFactors) {
  chart.SetMouseAction(maPan);
  chart.SetRange(1, 1, 1, 1000, 1000);
  chart.Scale1Y().SetLogarithmic(true);
  chart.Scale1X().SetLogarithmic(true);
  Drag({200, 100}, {200, 200});  // 100 of 300 px down: one decade
  EXPECT_DOUBLE_EQ(Y().Low, 10);
  EXPECT_DOUBLE_EQ(Y().High, 10000);
  Drag({300, 100}, {200, 100});  // 100 of 500 px left: 1000^(1/5)
  EXPECT_NEAR(X().Low, std::pow(1000.0, 0.2), 1e-12);
  EXPECT_NEAR(X().High, 1000 * std::pow(1000.0, 0.2), 1e-9);
}

TEST_F(MousePanTest, TheOriginIsTheFirstHeldMoveAndOnlyMovesInsideThePlotCount) {
  chart.SetMouseAction(maPan);
  // A press and release alone changes nothing and paints nothing.
  chart.paints = 0;
  Press({200, 150});
  Release({200, 150});
  EXPECT_EQ(X(), (TAxisWindow{0, 100}));
  EXPECT_EQ(chart.paints, 0);
  EXPECT_EQ(zoomPans, 0);

  Press({100, 150});
  MoveHeld({150, 150});  // origin here, not at the press
  MoveHeld({200, 150});
  EXPECT_EQ(X(), (TAxisWindow{-10, 90}));
  MoveHeld({20, 150});  // left of the plot area: ignored
  EXPECT_EQ(X(), (TAxisWindow{-10, 90}));
  MoveHeld({100, 150});  // back inside, still measured from the origin
  EXPECT_EQ(X(), (TAxisWindow{10, 110}));

  // A move without the button ends the drag; the next held move starts anew.
  Hover({300, 150});
  MoveHeld({400, 150});
  EXPECT_EQ(X(), (TAxisWindow{10, 110}));
  MoveHeld({450, 150});
  EXPECT_EQ(X(), (TAxisWindow{0, 100}));
}

TEST_F(MousePanTest, EachNavigationMoveRepaintsOnceAndMovesJoinedLayers) {
  chart.SetMouseAction(maPan);
  chart.JointLayers().SetXControlledBy(2, 1);
  chart.SetRange(2, 0, 5, 1, 6);
  Press({200, 150});
  MoveHeld({200, 150});
  for (int x : {210, 230, 250}) {
    chart.paints = 0;
    MoveHeld({x, 150});
    EXPECT_EQ(chart.paints, 1) << "move to " << x;
  }
  Release({250, 150});
  EXPECT_EQ(X(2), (TAxisWindow{-10, 90}));
  EXPECT_EQ(Y(2), (TAxisWindow{5, 6}));  // its own Y axis is not navigated
}

TEST_F(MousePanTest, ZoomDragScalesAroundTheCentreByTheControlSize) {
  chart.SetBounds(0, 0, 600, 348);
  chart.SetRange(1, 0, 0, 100, 100);
  chart.SetMouseAction(maZoomDrag);
  Press({300, 150});
  MoveHeld({300, 150});
  MoveHeld({360, 150});
  EXPECT_DOUBLE_EQ(X().Low, 5);
  EXPECT_DOUBLE_EQ(X().High, 95);
  EXPECT_EQ(Y(), (TAxisWindow{0, 100}));
  MoveHeld({240, 150});
  EXPECT_NEAR(X().Low, -5, 1e-12);
  EXPECT_NEAR(X().High, 105, 1e-12);
  MoveHeld({240, 150 - 174});  // outside the plot area: ignored
  EXPECT_NEAR(X().High, 105, 1e-12);
  MoveHeld({240, 150 - 87});  // up by a quarter of the height: zoom in to 0.75
  EXPECT_DOUBLE_EQ(Y().Low, 12.5);
  EXPECT_DOUBLE_EQ(Y().High, 87.5);
  Release({240, 63});
  EXPECT_EQ(zoomPans, 3);
}

TEST_F(MousePanTest, IsometricZoomDragScalesYByTheHorizontalFactor) {
  chart.SetBounds(0, 0, 600, 348);
  chart.SetIsometric(true);
  chart.SetRange(1, 0, 0, 100, 0);  // Y height follows from the plot aspect
  const TAxisWindow y0 = Y();
  chart.SetMouseAction(maZoomDrag);
  Drag({300, 150}, {360, 250});  // vertical travel has no effect
  EXPECT_DOUBLE_EQ(X().Low, 5);
  EXPECT_DOUBLE_EQ(Y().Low, ScaleAroundCentre(y0, 0.9).Low);
  EXPECT_DOUBLE_EQ(Y().High, ScaleAroundCentre(y0, 0.9).High);
}

TEST_F(MousePanTest, ZoomDragNeverTakesALogarithmicAxisBelowZero) {
  chart.SetRange(1, 0, 0.1, 100, 10);
  chart.Scale1Y().SetLogarithmic(true);
  chart.SetMouseAction(maZoomDrag);
  Press({300, 20});
  MoveHeld({300, 20});
  MoveHeld({300, 100});  // zoom out: the linear low end would be about -1.04
  EXPECT_EQ(Y(), (TAxisWindow{0.1, 10}));
  MoveHeld({300, 21});  // one pixel: the low end stays positive
  EXPECT_NEAR(Y().Low, 0.0858, 1e-4);
  EXPECT_NEAR(Y().High, 10.0142, 1e-4);
  Release({300, 21});
}

TEST_F(MousePanTest, PanNeverLeavesALogarithmicAxisWithoutAUsableRange) {
  // A span so wide that one drag overflows the pan factor.
  chart.SetRange(1, 0, 1e-99, 100, 1e300);
  chart.Scale1Y().SetLogarithmic(true);
  chart.SetMouseAction(maPan);
  Drag({300, 20}, {300, 310});
  EXPECT_EQ(Y(), (TAxisWindow{1e-99, 1e300}));
  Drag({300, 310}, {300, 20});
  EXPECT_EQ(Y(), (TAxisWindow{1e-99, 1e300}));
}

TEST_F(MousePanTest, OtherModesDoNotNavigate) {
  for (TMouseActMode mode : {maNone, maRubberBand, maZoom, maRotate, maRotAndZoom, maRotXOnly, maRotZOnly}) {
    chart.SetMouseAction(mode);
    Drag({200, 150}, {300, 250});
    EXPECT_EQ(X(), (TAxisWindow{0, 100})) << int(mode);
    EXPECT_EQ(Y(), (TAxisWindow{0, 100})) << int(mode);
  }
  EXPECT_EQ(zoomPans, 0);
}

TEST_F(MousePanTest, ChangingTheModeDuringADragKeepsTheOrigin) {
  chart.SetMouseAction(maPan);
  Press({200, 150});
  MoveHeld({200, 150});
  MoveHeld({250, 150});
  chart.SetMouseAction(maPanVert);
  MoveHeld({300, 180});
  EXPECT_EQ(X(), (TAxisWindow{-10, 90}));
  EXPECT_EQ(Y(), (TAxisWindow{10, 110}));
  Release({300, 180});
}

TEST(MouseRulesTest, PanHandlesBackwardAxesAndTinyPlots) {
  // Scale from the current window, offset from the origin window.
  EXPECT_EQ(PanAxis({0, 100}, {20, 70}, false, 100, 500), (TAxisWindow{10, 110}));
  // A backwards axis moves its numbers the other way.
  EXPECT_EQ(PanAxis({100, 0}, {100, 0}, false, 50, 500), (TAxisWindow{90, -10}));
  EXPECT_EQ(PanAxis({0, 100}, {5, 105}, false, 30, 0), (TAxisWindow{0, 100}));
}

}  // namespace
}  // namespace kurvex::test
