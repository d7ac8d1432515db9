// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include <gtest/gtest.h>

#include <QImage>

#include "chart/grid.h"
#include "platform/drawing/bitmap.h"
#include "tests/chart/render_fixture.h"
#include "tests/support/image.h"

namespace kurvex::test {
namespace {

using RenderFrameTest = WindowChartTest;

TEST_F(RenderFrameTest, ShadowAndCaptionFrameTheControl) {
  chart.SetShadowWidth(6);
  TBitmap shown = chart.ControlBitmap();
  const int w = chart.Width(), h = chart.Height();
  EXPECT_EQ(shown.Canvas().Pixel(w - 1, 0), ColorToRGB(clBtnFace));      // free corner
  EXPECT_EQ(shown.Canvas().Pixel(w - 3, h / 2), ColorToRGB(clGrayText));  // right shadow
  EXPECT_EQ(shown.Canvas().Pixel(w / 2, h - 3), ColorToRGB(clGrayText));  // bottom shadow
  EXPECT_EQ(shown.Canvas().Pixel(w - 6, h / 2), clBlack);                 // outline
  chart.SetShadowStyle(ssBox);
  shown = chart.ControlBitmap();
  EXPECT_EQ(shown.Canvas().Pixel(w - 1, h / 2), clBlack);  // the box's black pen

  chart.SetShadowWidth(0);
  chart.SetCaption("Messung");
  // Above the plot, right-justified at its right edge.
  TBitmap above = chart.ControlBitmap();
  EXPECT_GT(CountPixels(above, clBlack, {w - chart.RRim() - 60, chart.TRim() - 16, w - chart.RRim(), chart.TRim() - 1}), 0);
  EXPECT_EQ(CountPixels(above, clBlack, {w - chart.RRim() + 1, 0, w, chart.TRim() - 1}), 0);
}

TEST_F(RenderFrameTest, CrosshairsAreDrawnOverTheShownPlotOnly) {
  AcquisitionRange();
  TCrossHair& cross = chart.CrossHair1();
  cross.SetColor(clRed);
  cross.SetPos(500, 5);
  cross.SetMode(chBoth);
  int cx, cy;
  chart.WorldToPixel(1, 500, 5, cx, cy);
  const int pw = chart.PlotWidth(), ph = chart.PlotHeight();
  EXPECT_EQ(RowText(chart.ControlBitmap(), cy, chart.LRim() + 1, chart.LRim() + pw, clRed), std::string(pw - 1, '#'));
  EXPECT_EQ(ColumnText(chart.ControlBitmap(), cx, chart.TRim() + 1, chart.TRim() + ph, clRed), std::string(ph - 1, '#'));
  chart.ShowGraph();  // the fast path draws it too, into the plot bitmap
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clRed), pw - 1 + ph - 2);
  cross.SetMode(chHoriz);
  cross.SetPosY(1000);  // outside the plot: nothing
  EXPECT_EQ(CountPixels(chart.ControlBitmap(), clRed), 0);
}

TEST_F(RenderFrameTest, BackgroundPicturesFillThePlotAndABrokenOneIsDropped) {
  TempFolder folder;
  TBitmap tile(100, 50);
  tile.Canvas().Brush = TBrush{clYellow, bsSolid};
  tile.Canvas().FillRect({0, 0, 100, 50});
  tile.Canvas().SetPixel(0, 0, clRed);
  ASSERT_TRUE(tile.SaveToFile(folder.Path("tile.bmp")));
  chart.SetGridStyle(gsNone);
  chart.BackGroundImg().SetIncludePath(true);
  chart.BackGroundImg().SetFillMode(bfTile);
  chart.BackGroundImg().SetName(folder.Path("tile.bmp"));
  const int pw = chart.PlotWidth() + 1, ph = chart.PlotHeight() + 1;
  // The copies' corner pixels, but for those under the frame's left and top edges.
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clRed), ((pw - 1) / 100) * ((ph - 1) / 50));
  chart.BackGroundImg().SetFillMode(bfStretch);
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clWhite), 0);
  chart.BackGroundImg().SetFillMode(bfSimple);
  EXPECT_GT(CountPixels(chart.PlotBitmap(), clWhite), 0);

  chart.SetAutoRedraw(false);
  chart.BackGroundImg().SetIncludePath(false);
  EXPECT_EQ(chart.BackGroundImg().Name(), "tile.bmp");
  chart.SetAutoRedraw(true);
  chart.Paint();  // not found from here: dropped, the plain plot area is drawn
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clYellow), 0);
  EXPECT_EQ(chart.BackGroundImg().Name(), "");
}

TEST_F(RenderFrameTest, PlotDrawingStaysInsideThePlotArea) {
  AcquisitionRange();
  const TBitmap frame = chart.ControlBitmap();
  // Items reaching far beyond the plot, loaded as foreign items are: a wide
  // line, a filled ellipse and a filled rectangle larger than the control.
  TChartItem from = MakeItem(ikMoveTo, -1e9, 5), line = MakeItem(ikDrawTo, 1e9, 5);
  line.LineWidth = 9;
  TChartItem ellipse = MakeItem(ikEllipse, 500, 5, 5000, 50);
  ellipse.Color = ellipse.FillColor = clRed;
  TChartItem box = MakeItem(ikRect, -1000, -20, 3000, 30);
  box.Color = box.FillColor = clYellow;
  std::string bytes;
  for (const TChartItem& item : {box, ellipse, from, line})
    bytes.append(reinterpret_cast<const char*>(&item), sizeof item);
  TempFolder folder;
  WriteFileBytes(folder.Path("far.kvx"), bytes);
  chart.LoadGraph(folder.Path("far.kvx"), false);
  chart.ShowGraph();

  const QImage& shown = chart.ControlBitmap().Image();
  const int pw = chart.PlotWidth() + 1, ph = chart.PlotHeight() + 1;
  int changedOutside = 0, changedInside = 0;
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      const bool inside = x >= chart.LRim() && x < chart.LRim() + pw && y >= chart.TRim() && y < chart.TRim() + ph;
      if (shown.pixel(x, y) != frame.Image().pixel(x, y)) ++(inside ? changedInside : changedOutside);
    }
  }
  EXPECT_EQ(changedOutside, 0) << "frame and scales stay as they were";
  EXPECT_GT(changedInside, pw * ph / 2);
  // The plot picture is that area of the window's picture.
  EXPECT_EQ(chart.PlotBitmap().Image(), shown.copy(chart.LRim(), chart.TRim(), pw, ph));
}

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
