// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <utility>

#include "tests/chart/mouse_fixture.h"

namespace kurvex::test {
namespace {

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

}  // namespace
}  // namespace kurvex::test
