#include <gtest/gtest.h>

#include "platform/bitmap.h"
#include "tests/chart/render_fixture.h"
#include "tests/support/image.h"

namespace kurvex::test {
namespace {

using RenderFrameTest = WindowChartTest;

TEST_F(RenderFrameTest, ShadowAndCaptionFrameTheControl) {
  chart.SetShadowWidth(6);
  TBitmap shown = chart.WindowImage();
  const int w = chart.Width(), h = chart.Height();
  EXPECT_EQ(shown.Canvas().Pixel(w - 1, 0), ColorToRGB(clBtnFace));      // free corner
  EXPECT_EQ(shown.Canvas().Pixel(w - 3, h / 2), ColorToRGB(clGrayText));  // right shadow
  EXPECT_EQ(shown.Canvas().Pixel(w / 2, h - 3), ColorToRGB(clGrayText));  // bottom shadow
  EXPECT_EQ(shown.Canvas().Pixel(w - 6, h / 2), clBlack);                 // outline
  chart.SetShadowStyle(ssBox);
  shown = chart.WindowImage();
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
  EXPECT_EQ(RowText(chart.WindowImage(), cy, chart.LRim() + 1, chart.LRim() + pw, clRed), std::string(pw - 1, '#'));
  EXPECT_EQ(ColumnText(chart.WindowImage(), cx, chart.TRim() + 1, chart.TRim() + ph, clRed), std::string(ph - 1, '#'));
  chart.ShowGraph();  // the fast path draws it too, into the plot bitmap
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clRed), pw - 1 + ph - 2);
  cross.SetMode(chHoriz);
  cross.SetPosY(1000);  // outside the plot: nothing
  EXPECT_EQ(CountPixels(chart.WindowImage(), clRed), 0);
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
  EXPECT_EQ(chart.BackGroundImg().Name(), "");
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clYellow), 0);
}

}  // namespace
}  // namespace kurvex::test
