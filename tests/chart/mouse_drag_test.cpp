// SPDX-License-Identifier: GPL-3.0-or-later
#include <vector>

#include "tests/chart/mouse_fixture.h"

namespace kurvex::test {
namespace {

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

}  // namespace
}  // namespace kurvex::test
