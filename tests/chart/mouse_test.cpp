// SPDX-License-Identifier: GPL-3.0-or-later
#include <memory>
#include <set>
#include <utility>

#include <QBitmap>
#include <QContextMenuEvent>
#include <QCursor>
#include <QEvent>
#include <QImage>
#include <QKeyEvent>

#include "chart/chartcursors.h"
#include "chart/mousenav.h"
#include "platform/windows/cursor.h"
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

class MouseDragTest : public MouseChartTest {
 protected:
  MouseDragTest() {
    chart.OnCrossHairMove = [this](TObject* sender, TCrossHair& moved) {
      EXPECT_EQ(sender, &chart);
      crossHairMoves.push_back(&moved);
    };
    // Pixels: x = 50 + 5·X, y = 316 - 3·Y.
    chart.CrossHair(1).SetPos(20, 0);  // vertical line at x 150
    chart.CrossHair(1).SetMode(chVert);
    chart.CrossHair(2).SetPos(0, 50);  // horizontal line at y 166
    chart.CrossHair(2).SetMode(chHoriz);
    chart.CrossHair(3).SetPos(80, 90);  // both, at (450, 46)
    chart.CrossHair(3).SetMode(chBoth);
    chart.SetMouseAction(maDragCrossH);
  }
  std::vector<TCrossHair*> crossHairMoves;
};

TEST_F(MouseDragTest, TheNearestLineIsDraggedAnywhereOnTheControlWithOnePaintPerMove) {
  Hover({300, 170});
  Press({300, 170});
  MoveHeld({300, 170});  // picks crosshair 2: 4 px above
  EXPECT_TRUE(crossHairMoves.empty());
  chart.paints = 0;
  MoveHeld({300, 100});
  EXPECT_EQ(chart.paints, 1);
  EXPECT_DOUBLE_EQ(chart.CrossHair(2).PosX(), 50);
  EXPECT_DOUBLE_EQ(chart.CrossHair(2).PosY(), 72);
  MoveHeld({5, 340});  // on the rim: still follows
  EXPECT_DOUBLE_EQ(chart.CrossHair(2).PosX(), -9);
  EXPECT_DOUBLE_EQ(chart.CrossHair(2).PosY(), -8);
  Release({5, 340});
  EXPECT_EQ(crossHairMoves, (std::vector<TCrossHair*>{&chart.CrossHair(2), &chart.CrossHair(2)}));
  EXPECT_DOUBLE_EQ(chart.CrossHair(1).PosX(), 20);
  EXPECT_DOUBLE_EQ(chart.CrossHair(3).PosX(), 80);
  EXPECT_EQ(zoomPans, 0);
  EXPECT_EQ(X(), (TAxisWindow{0, 100}));

  // Both lines of crosshair 3 count: near its vertical line it wins.
  Drag({445, 300}, {400, 300});
  EXPECT_DOUBLE_EQ(chart.CrossHair(3).PosX(), 70);
}

TEST_F(MouseDragTest, TiesKeepTheFirstAndSwitchedOffCrosshairsAreNeverPicked) {
  chart.CrossHair(3).SetPos(20, 0);  // its vertical line on crosshair 1's
  Drag({150, 300}, {200, 300});
  EXPECT_DOUBLE_EQ(chart.CrossHair(1).PosX(), 30);
  EXPECT_DOUBLE_EQ(chart.CrossHair(3).PosX(), 20);

  chart.CrossHair(4).SetPos(40, 40);  // off, right under the pointer
  Drag({250, 196}, {250, 190});
  EXPECT_DOUBLE_EQ(chart.CrossHair(4).PosX(), 40);
}

TEST_F(MouseDragTest, ACrosshairMovesInTheWorldOfItsOwnLayer) {
  chart.SetRange(2, 0, 0, 10, 10);
  chart.CrossHair(2).SetLayer(2);
  chart.CrossHair(2).SetPos(0, 5);  // y 166 on layer 2
  Drag({300, 168}, {300, 106});
  EXPECT_DOUBLE_EQ(chart.CrossHair(2).PosX(), 5);
  EXPECT_DOUBLE_EQ(chart.CrossHair(2).PosY(), 7);
}

TEST_F(MouseDragTest, LabelDragMovesTheChosenLabelToThePointerPixel) {
  std::vector<TTextLabel*> moved;
  chart.OnTextLabelMove = [&](TObject*, TTextLabel& label) { moved.push_back(&label); };
  chart.SetMouseAction(maDragLabel);
  // Every label is switched off, so the first one is the choice.
  Drag({200, 100}, {230, 120});
  EXPECT_DOUBLE_EQ(chart.TextLabel(1).PosX(), 230);
  EXPECT_DOUBLE_EQ(chart.TextLabel(1).PosY(), 120);
  EXPECT_EQ(moved, (std::vector<TTextLabel*>{&chart.TextLabel(1)}));
  EXPECT_EQ(crossHairMoves.size(), 0u);
}

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

// A second Y axis sharing layer 1's X: pan and the rubber band move its Y by
// the same pixels in its own units; a move made for the user keeps it.
TEST_F(MousePanTest, ANavigatedSecondYAxisMovesByItsOwnPixels) {
  chart.JointLayers().SetXControlledBy(2, 1);
  chart.SetNavigated(2, true);
  chart.SetRange(2, 0, 1000, 1, 1300);
  chart.SetMouseAction(maPan);
  Drag({200, 150}, {250, 180});  // 50 px right, 30 px down: a tenth of the height
  EXPECT_EQ(X(2), X());
  EXPECT_EQ(X(), (TAxisWindow{-10, 90}));
  EXPECT_EQ(Y(), (TAxisWindow{10, 110}));
  EXPECT_EQ(Y(2), (TAxisWindow{1030, 1330}));

  chart.SetRange(1, 0, 0, 100, 100);
  chart.SetRange(2, 0, 1000, 1, 1300);
  chart.SetMouseAction(maZoomWindPos);
  Drag({50, 166}, {550, 316});  // the lower half
  EXPECT_EQ(Y(), (TAxisWindow{0, 50}));
  EXPECT_EQ(Y(2), (TAxisWindow{1000, 1150}));

  chart.NavigateTo({20, 40}, {0, 10});
  EXPECT_EQ(X(2), (TAxisWindow{20, 40}));
  EXPECT_EQ(Y(2), (TAxisWindow{1000, 1150}));
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

using MousePointerTest = MouseChartTest;

struct MoveReport {
  bool inChart;
  TShiftState shift;
  double x, y;
};

TEST_F(MousePointerTest, EveryMoveIsReportedInsideAndOutsideThePlotArea) {
  std::vector<MoveReport> reports;
  chart.OnMouseMoveInChart = [&](TObject* sender, bool in, TShiftState shift, double x, double y) {
    EXPECT_EQ(sender, &chart);
    reports.push_back({in, shift, x, y});
  };
  Hover({300, 166});
  MouseMove(W(), {550, 16}, Qt::NoButton, Qt::ShiftModifier);  // the plot area's corner is inside
  Hover({20, 166});
  MoveHeld({551, 330});
  ASSERT_EQ(reports.size(), 4u);
  EXPECT_TRUE(reports[0].inChart);
  EXPECT_DOUBLE_EQ(reports[0].x, 50);
  EXPECT_DOUBLE_EQ(reports[0].y, 50);
  EXPECT_TRUE(reports[1].inChart);
  EXPECT_EQ(reports[1].shift, ssShift);
  EXPECT_FALSE(reports[2].inChart);
  EXPECT_DOUBLE_EQ(reports[2].x, -6);  // reported outside too
  EXPECT_FALSE(reports[3].inChart);
  EXPECT_EQ(reports[3].shift, ssLeft);
  // The stored position is the last one inside.
  EXPECT_DOUBLE_EQ(chart.MousePosX(), 100);
  EXPECT_DOUBLE_EQ(chart.MousePosY(), 100);
}

TEST_F(MousePointerTest, AFixedCursorAlwaysLeavesTheControlsOwnPointer) {
  chart.SetCursor(crHandPoint);
  ASSERT_TRUE(chart.MouseCursorFixed());
  for (TMouseActMode mode : {maNone, maPan, maZoomDrag, maZoomWind}) {
    chart.SetMouseAction(mode);
    Hover({300, 166});
    EXPECT_EQ(chart.ScreenCursor(), crDefault);
    EXPECT_EQ(W()->cursor().shape(), Qt::PointingHandCursor);
  }
}

TEST_F(MousePointerTest, AFreeCursorFollowsTheModeInsideThePlotArea) {
  chart.SetCursor(crHandPoint);
  chart.SetMouseCursorFixed(false);
  const std::pair<TMouseActMode, TCursor> expected[] = {
      {maNone, crCross},           {maPan, crChartPan},       {maPanHoriz, crChartPan},
      {maPanVert, crChartPan},     {maZoomWind, crChartZoomWind}, {maZoomDrag, crChartZoomDrag},
      {maZoomWindPos, crChartZoomWindPos}, {maDragCrossH, crDefault}, {maDragLabel, crDefault},
  };
  for (const auto& [mode, cursor] : expected) {
    chart.SetMouseAction(mode);
    Hover({300, 166});
    EXPECT_EQ(chart.ScreenCursor(), cursor) << int(mode);
  }
  chart.SetMouseAction(maZoomDrag);
  Hover({300, 166});
  EXPECT_EQ(W()->cursor().shape(), Qt::BitmapCursor);
  chart.SetMouseAction(maRotate);  // leaves the pointer as it is
  Hover({310, 166});
  EXPECT_EQ(chart.ScreenCursor(), crChartZoomDrag);

  Hover({10, 166});  // outside the plot area: the control's own pointer
  EXPECT_EQ(chart.ScreenCursor(), crDefault);
  EXPECT_EQ(W()->cursor().shape(), Qt::PointingHandCursor);

  chart.SetMouseAction(maPan);
  Hover({300, 166});
  EXPECT_EQ(chart.ScreenCursor(), crChartPan);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(W(), &leave);
  EXPECT_EQ(chart.ScreenCursor(), crDefault);
  EXPECT_EQ(W()->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(MousePointerTest, TheFourChartCursorsAreDistinctImages) {
  QWidget probe;
  std::set<std::vector<uchar>> images;
  for (TCursor id : {crChartPan, crChartZoomWind, crChartZoomDrag, crChartZoomWindPos}) {
    ApplyCursor(&probe, id);
    ASSERT_EQ(probe.cursor().shape(), Qt::BitmapCursor) << id;
    const QImage bits = probe.cursor().bitmap().toImage().convertToFormat(QImage::Format_Mono);
    EXPECT_EQ(bits.width(), 32);
    images.insert(std::vector<uchar>(bits.constBits(), bits.constBits() + bits.sizeInBytes()));
  }
  EXPECT_EQ(images.size(), 4u);
}

class MouseWheelTest : public MouseChartTest {
 protected:
  MouseWheelTest() { chart.SetMouseAction(maPan); }
  void Wheel(QPoint p, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
             Qt::MouseButtons buttons = Qt::NoButton) {
    WheelTurn(W(), p, delta, modifiers, buttons);
  }
  /// The world point under control pixel p.
  std::pair<double, double> WorldAt(QPoint p) const {
    double x = 0, y = 0;
    chart.PixelToWorld(1, p.x(), p.y(), x, y);
    return {x, y};
  }
  void ExpectWindow(const TAxisWindow& actual, const TAxisWindow& expected) {
    EXPECT_NEAR(actual.Low, expected.Low, 1e-9);
    EXPECT_NEAR(actual.High, expected.High, 1e-9);
  }
};

// Around `at`: the part of the window either side shrinks or grows alike.
TAxisWindow Around(double at, double factor) { return {at - at * factor, at + (100 - at) * factor}; }

TEST_F(MouseWheelTest, ANotchZoomsAroundThePointerAndShiftPans) {
  const QPoint pointer(150, 100);
  const auto [atX, atY] = WorldAt(pointer);
  const TAxisWindow whole{0, 100};
  struct Case {
    const char* what;
    int delta;
    Qt::KeyboardModifiers modifiers;
    TAxisWindow x, y;
  };
  for (const Case& c : {Case{"away: X narrows", 120, Qt::NoModifier, Around(atX, 0.8), whole},
                        Case{"towards: X widens", -120, Qt::NoModifier, Around(atX, 1.25), whole},
                        Case{"Ctrl: Y narrows", 120, Qt::ControlModifier, whole, Around(atY, 0.8)},
                        Case{"Shift towards: X pans on", -120, Qt::ShiftModifier, {10, 110}, whole},
                        Case{"Shift away: X pans back", 120, Qt::ShiftModifier, {-10, 90}, whole},
                        Case{"Ctrl Shift away: Y pans up", 120, Qt::ControlModifier | Qt::ShiftModifier, whole,
                             {10, 110}}}) {
    SCOPED_TRACE(c.what);
    chart.SetRange(1, 0, 0, 100, 100);
    zoomPans = 0;
    Wheel(pointer, c.delta, c.modifiers);
    ExpectWindow(X(), c.x);
    ExpectWindow(Y(), c.y);
    EXPECT_EQ(zoomPans, 1);
    if (!(c.modifiers & Qt::ShiftModifier)) {
      const auto [x, y] = WorldAt(pointer);
      EXPECT_NEAR(x, atX, 1e-9) << "the point under the pointer moved";
      EXPECT_NEAR(y, atY, 1e-9) << "the point under the pointer moved";
    }
  }
}

TEST_F(MouseWheelTest, FineWheelsTurnInProportionAlsoOnALogarithmicAxis) {
  const QPoint pointer(400, 250);
  Wheel(pointer, 60);
  Wheel(pointer, 60);
  const TAxisWindow twoHalves = X();
  chart.SetRange(1, 0, 0, 100, 100);
  Wheel(pointer, 120);
  ExpectWindow(twoHalves, X());

  chart.SetRange(1, 0, 1, 100, 1000);
  chart.Scale1Y().SetLogarithmic(true);
  ASSERT_TRUE(chart.Scale1Y().Logarithmic());
  const auto [atX, atY] = WorldAt(pointer);
  Wheel(pointer, 120, Qt::ControlModifier);
  EXPECT_NEAR(std::log10(Y().High / Y().Low), 3 / 1.25, 1e-9);
  EXPECT_NEAR(WorldAt(pointer).second / atY, 1, 1e-9);
}

TEST_F(MouseWheelTest, TheWheelLeavesTheWindowOffThePlotWithNavigationOffAndDuringADrag) {
  Wheel({20, 100}, 120);  // over the Y axis' labels
  chart.SetMouseAction(maNone);
  Wheel({150, 100}, 120);
  chart.SetMouseAction(maPan);
  Wheel({150, 100}, 120, Qt::NoModifier, Qt::LeftButton);
  EXPECT_EQ(X(), (TAxisWindow{0, 100}));
  EXPECT_EQ(Y(), (TAxisWindow{0, 100}));
  EXPECT_EQ(zoomPans, 0);
  chart.SetMouseAction(maZoomDrag);
  Wheel({150, 100}, 120);
  EXPECT_EQ(zoomPans, 1) << "zoom-drag mode";
}

// Who heard an event, in the order they heard it.
class ChartListenersTest : public MouseChartTest {
 protected:
  ChartListenersTest() { chart.SetMouseAction(maPan); }

  void Leave() {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(W(), &leave);
  }
  void ContextMenu(QPoint at) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, W()->mapToGlobal(at));
    QApplication::sendEvent(W(), &event);
  }
  void Key(Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(W(), &press);
  }

  /// Listener `name` of every event the chart lets features listen to.
  std::vector<TSubscription> ListenToAll(const std::string& name) {
    std::vector<TSubscription> all;
    all.push_back(chart.SubscribeMouseMoveInChart(
        [this, name](TObject* sender, bool, TShiftState, double, double) { Heard(sender, name + " move"); }));
    all.push_back(chart.SubscribeMouseLeave([this, name](TObject* sender) { Heard(sender, name + " leave"); }));
    all.push_back(
        chart.SubscribeKeyDown([this, name](TObject* sender, TKey&, TShiftState) { Heard(sender, name + " key"); }));
    all.push_back(chart.SubscribeContextPopup(
        [this, name](TObject* sender, int, int, bool) { Heard(sender, name + " menu"); }));
    all.push_back(chart.SubscribeZoomPan([this, name](TObject* sender) { Heard(sender, name + " zoompan"); }));
    return all;
  }
  void Heard(TObject* sender, const std::string& what) {
    EXPECT_EQ(sender, &chart) << what;
    heard.push_back(what);
  }
  /// What was heard since the last call.
  std::vector<std::string> Heard() { return std::exchange(heard, {}); }

  std::vector<std::string> heard;
};

using Texts = std::vector<std::string>;

TEST_F(ChartListenersTest, EveryListenerHearsEachEventInTheOrderItSubscribedAfterThePublishedHandler) {
  chart.OnMouseMoveInChart = [&](TObject*, bool, TShiftState, double, double) { heard.push_back("published"); };
  chart.OnMouseLeave = [&](TObject*) { heard.push_back("published"); };
  chart.OnKeyDown = [&](TObject*, TKey&, TShiftState) { heard.push_back("published"); };
  chart.OnContextPopup = [&](TObject*, int, int, bool) { heard.push_back("published"); };
  chart.OnZoomPan = [&](TObject*) { heard.push_back("published"); };
  const auto a = ListenToAll("a");
  const auto b = ListenToAll("b");

  Hover({300, 166});
  EXPECT_EQ(Heard(), (Texts{"published", "a move", "b move"}));
  Leave();
  EXPECT_EQ(Heard(), (Texts{"published", "a leave", "b leave"}));
  Key(Qt::Key_Left);
  EXPECT_EQ(Heard(), (Texts{"published", "a key", "b key"}));
  ContextMenu({300, 166});
  EXPECT_EQ(Heard(), (Texts{"published", "a menu", "b menu"}));
  Hover({300, 166});
  Press({300, 166});
  MoveHeld({300, 166});
  Heard();
  MoveHeld({310, 166});  // a pan step
  EXPECT_EQ(Heard(), (Texts{"published", "a zoompan", "b zoompan", "published", "a move", "b move"}));
  Release({310, 166});
  chart.NavigateTo({10, 60}, {0, 100});
  EXPECT_EQ(Heard(), (Texts{"published", "a zoompan", "b zoompan"}));
}

TEST_F(ChartListenersTest, ListenersAloneGetTheEventsWithoutAPublishedHandler) {
  chart.OnZoomPan = nullptr;
  const auto a = ListenToAll("a");
  Key(Qt::Key_A);
  ContextMenu({300, 166});
  chart.NavigateTo({10, 60}, {0, 100});
  EXPECT_EQ(Heard(), (Texts{"a key", "a menu", "a zoompan"}));
}

TEST_F(ChartListenersTest, AKeyTakenBySettingItToZeroGoesToNoLaterListener) {
  bool takenByOwner = false;
  chart.OnKeyDown = [&](TObject*, TKey& key, TShiftState) {
    if (takenByOwner) key = 0;
  };
  const auto a = chart.SubscribeKeyDown([&](TObject*, TKey& key, TShiftState) {
    heard.push_back("a " + std::to_string(key));
    if (key == 'A') key = 0;
  });
  const auto b = chart.SubscribeKeyDown([&](TObject*, TKey& key, TShiftState) {
    heard.push_back("b " + std::to_string(key));
  });
  Key(Qt::Key_B);
  Key(Qt::Key_A);
  EXPECT_EQ(Heard(), (Texts{"a 66", "b 66", "a 65"}));
  takenByOwner = true;
  Key(Qt::Key_B);
  EXPECT_EQ(Heard(), Texts{});
}

TEST_F(ChartListenersTest, AListenerWhoseSubscriptionWentHearsNothingMoreEvenFromTheEventUnderWay) {
  auto a = ListenToAll("a");
  std::vector<TSubscription> b;
  TSubscription c;
  // The first listener ends the second's subscription and its own while the event is under way.
  const TSubscription ending = chart.SubscribeZoomPan([&](TObject*) {
    b.clear();
    c.Unsubscribe();
    heard.push_back("ending");
  });
  b = ListenToAll("b");
  c = chart.SubscribeZoomPan([&](TObject*) { heard.push_back("c"); });
  chart.NavigateTo({10, 60}, {0, 100});
  EXPECT_EQ(Heard(), (Texts{"a zoompan", "ending"}));

  a.clear();
  Hover({300, 166});
  Key(Qt::Key_Left);
  chart.NavigateTo({20, 70}, {0, 100});
  EXPECT_EQ(Heard(), Texts{"ending"});

  // One that subscribes during an event hears the next one.
  std::vector<TSubscription> late;
  const TSubscription subscriber = chart.SubscribeMouseLeave([&](TObject*) {
    if (late.empty()) late.push_back(chart.SubscribeMouseLeave([&](TObject*) { heard.push_back("late"); }));
  });
  Leave();
  EXPECT_EQ(Heard(), Texts{});
  Leave();
  EXPECT_EQ(Heard(), Texts{"late"});
}

TEST_F(ChartListenersTest, ASubscriptionMayOutliveItsChart) {
  auto gone = std::make_unique<TChartControl>();
  TSubscription subscription = gone->SubscribeZoomPan([](TObject*) {});
  gone.reset();
  subscription.Unsubscribe();  // touches nothing of the chart (a sanitizer build would see it)
}

}  // namespace
}  // namespace kurvex::test
