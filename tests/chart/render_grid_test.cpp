// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "chart/grid.h"
#include "platform/drawing/bitmap.h"
#include "tests/chart/render_fixture.h"
#include "tests/support/image.h"

namespace kurvex::test {
namespace {

std::vector<double> Walk(double low, double high, bool logarithmic, double step) {
  return GridValues(TGridAxis{low, high, logarithmic, step, nullptr});
}

TEST(GridValues, StepsOnLinearAndLogarithmicAxes) {
  EXPECT_EQ(Walk(0.5, 3, false, 1), (std::vector<double>{1, 2}));
  EXPECT_EQ(Walk(-2.5, 0, false, 1), (std::vector<double>{-2, -1}));
  EXPECT_EQ(Walk(0.5, 3, false, -1), (std::vector<double>{0, 1, 2}));  // linear: |step|
  EXPECT_EQ(Walk(0.3, 2000, true, -1), (std::vector<double>{1, 10, 100, 1000}));
  EXPECT_EQ(Walk(0.3, 30, true, -2), (std::vector<double>{0.5, 1, 2, 5, 10, 20}));
  const std::vector<double> nines = Walk(3, 30, true, -3);
  ASSERT_EQ(nines.size(), 9u);
  EXPECT_DOUBLE_EQ(nines.front(), 3);
  EXPECT_DOUBLE_EQ(nines.back(), 20);
  EXPECT_EQ(Walk(2, 10, true, 0.5).size(), 16u);  // a positive step counts in world units
  EXPECT_EQ(Walk(5, 50, true, -1.5).front(), 5);   // other negative steps start at the low end
}

TEST(GridValues, WalksAreBounded) {
  EXPECT_EQ(Walk(0, 1e9, false, 1).size(), static_cast<std::size_t>(kMaxGridValues));
  EXPECT_EQ(Walk(1e20, 1e21, false, 1).size(), static_cast<std::size_t>(kMaxGridValues));  // v + 1 == v
  EXPECT_TRUE(Walk(std::nan(""), 10, false, 1).empty());
}

class RenderGridTest : public WindowChartTest {};

TEST_F(RenderGridTest, TickGridFollowsThePaintersTicksBelowTheHighEnd) {
  chart.SetGridStyle(gsVertLines);
  chart.Paint();
  const TBitmap& plot = chart.PlotBitmap();  // the painters lay out their ticks as they draw
  const TScale& painter = chart.PainterX(1);
  ASSERT_GT(painter.NumTicks(), 3);
  const int row = chart.PlotHeight() / 2;
  int expected = 0;
  for (int k = 1; k <= painter.NumTicks() && painter.TickPosition(k) < 100; ++k) ++expected;
  // Grid columns inside the frame.
  EXPECT_EQ(CountPixels(plot, clSilver, {1, row, chart.PlotWidth(), row + 1}), expected - 1);  // tick 0 lies under the frame
  chart.SetGridDx(10);
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clSilver, {1, row, chart.PlotWidth(), row + 1}), 9);
  chart.SetGridDx(-4);  // ignored
  EXPECT_EQ(chart.GridDx(), 10);
}

TEST_F(RenderGridTest, TickGridCoversTheWholePlotBeyondFiftyTicksAndOnReversedAxes) {
  chart.SetGridStyle(gsLines);
  chart.Scale1X().SetMinTicks(6);  // DoubleTics: short ticks every 20, 58 of them
  chart.SetRange(1, 0, 0, 1150, 10);
  const int row = chart.PlotHeight() / 2 + 3;  // between two horizontal lines
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clSilver, {1, row, chart.PlotWidth(), row + 1}), 57);  // 20 .. 1140
  const int lastColumn = chart.PlotWidth() - 1;
  EXPECT_GT(CountPixels(chart.PlotBitmap(), clSilver, {lastColumn - 8, row, lastColumn, row + 1}), 0);

  const int column = chart.PlotWidth() / 2 + 3;
  const auto horizontalLines = [&] {
    return CountPixels(chart.PlotBitmap(), clSilver, {column, 1, column + 1, chart.PlotHeight()});
  };
  chart.SetRange(1, 0, 0, 1000, 10);
  const int upwards = horizontalLines();
  ASSERT_GT(upwards, 0);
  chart.SetRange(1, 0, 10, 1000, 0);  // Graph Y min above Graph Y max
  EXPECT_EQ(horizontalLines(), upwards);
  chart.SetRange(1, 0, 0, -1150, 10);  // a negative Graph X max
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clSilver, {1, row, chart.PlotWidth(), row + 1}), 57);
}

TEST_F(RenderGridTest, StylesAndThePointLimit) {
  chart.SetRange(1, -1, -1, 99, 99);  // no grid value under the frame
  chart.SetGridDx(2);
  chart.SetGridDy(2);
  chart.SetGridStyle(gsPoints);  // 50 × 50 grid values
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clSilver), 1000);
  chart.SetGridDx(10);
  chart.SetGridDy(25);
  chart.SetGridStyle(gsHorizLines);
  const int column = chart.PlotWidth() / 2 + 3;
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clSilver, {column, 1, column + 1, chart.PlotHeight()}), 4);  // 0, 25, 50, 75
  chart.SetGridStyle(gsDotLines);
  const int dotted = CountPixels(chart.PlotBitmap(), clSilver);
  chart.SetGridStyle(gsLines);
  const int solid = CountPixels(chart.PlotBitmap(), clSilver);
  EXPECT_GT(dotted, solid / 3);
  EXPECT_LT(dotted, solid * 2 / 3);
  chart.SetGridStyle(gsNone);
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clSilver), 0);
}

}  // namespace
}  // namespace kurvex::test
