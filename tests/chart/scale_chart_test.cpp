// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "chart/chartcontrol.h"
#include "tests/support/image.h"
#include "tests/support/qtapp.h"

namespace kurvex {
namespace {

class ChartScalesTest : public test::QtAppTest {
 protected:
  ChartScalesTest() {
    chart.SetBounds(0, 0, 400, 300);
    chart.SetRange(1, 0, 0, 100, 10);
    chart.Show();
  }
  const TBitmap& Picture() {
    chart.Paint();
    return chart.ControlBitmap();
  }
  TChartControl chart;
};

TEST_F(ChartScalesTest, CreationGivesEachLayerItsColourPlaceAndPainter) {
  TChartControl fresh;
  const TColor colours[16] = {clBlack, clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clGray,
                              clSilver, clRed,   clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
  for (int layer = 1; layer <= 16; ++layer) {
    EXPECT_EQ(fresh.ScaleX(layer).ColorScale(), colours[layer - 1]);
    EXPECT_EQ(fresh.ScaleY(layer).ColorScale(), colours[layer - 1]);
    EXPECT_EQ(fresh.PainterX(layer).Name(), "Chart_Scale_X_" + std::to_string(layer));
    EXPECT_EQ(fresh.PainterY(layer).Name(), "Chart_Scale_Y_" + std::to_string(layer));
    EXPECT_TRUE(fresh.PainterX(layer).Embedded());
    EXPECT_TRUE(fresh.PainterY(layer).PaintingSuspended());
    EXPECT_EQ(fresh.ScaleX(layer).Visible(), layer == 1);
    EXPECT_EQ(fresh.ScaleY(layer).Visible(), layer == 1);
    if (layer > 4) {
      EXPECT_EQ(fresh.ScaleX(layer).ScaleLocation(), layer % 2 ? slBottom : slTop);
      EXPECT_EQ(fresh.ScaleY(layer).ScaleLocation(), layer % 2 ? slLeft : slRight);
      EXPECT_EQ(fresh.ScaleX(layer).ScalePos(), (layer - 1) / 2 * 30);
      EXPECT_EQ(fresh.ScaleY(layer).ScalePos(), (layer - 1) / 2 * 50);
    }
  }
  EXPECT_EQ(fresh.StandardLayout(), lay_X1Bottom_Y1Left);
  EXPECT_EQ(fresh.LRim(), 50);
  EXPECT_EQ(fresh.RRim(), 20);
  EXPECT_EQ(fresh.TRim(), 20);
  EXPECT_EQ(fresh.BRim(), 40);
  EXPECT_EQ(fresh.CaptionPosY(), -16);
  EXPECT_EQ(fresh.CaptionAnchorHoriz(), cahChartRight);
  EXPECT_EQ(fresh.Scale1X().CaptionPosY(), 22);
  EXPECT_EQ(fresh.Scale1X().CaptionAnchor(), uaSclCenter);
  EXPECT_EQ(fresh.Scale1Y().CaptionAlignment(), taLeftJustify);
  EXPECT_EQ(fresh.Scale3X().CaptionPosY(), 100);
  EXPECT_EQ(fresh.Scale2Y().ScaleLocation(), slLeft);
  EXPECT_EQ(fresh.Scale2X().ScalePos(), 0);
  EXPECT_EQ(fresh.Width(), 280);
}

TEST_F(ChartScalesTest, PaintersMapExactlyLikeTheLayers) {
  for (double v : {0.0, 12.5, 50.0, 99.0, 100.0}) {
    int px, py;
    chart.WorldToPixel(1, v, v / 10, px, py);
    EXPECT_EQ(chart.PainterX(1).ValueToPixel(v), px) << v;
    EXPECT_EQ(chart.PainterY(1).ValueToPixel(v / 10), py) << v;
  }
  chart.SetShadowWidth(6);
  chart.SetRange(1, 1, 1, 1000, 1000);
  chart.Scale1X().SetLogarithmic(true);
  int px, py;
  chart.WorldToPixel(1, 31.6, 0, px, py);
  EXPECT_EQ(chart.PainterX(1).ValueToPixel(31.6), px);
  EXPECT_EQ(chart.PainterX(1).ValueToPixel(1000), 400 - 20 - 6);
}

// Where the axes are painted is in the golden pictures.
TEST_F(ChartScalesTest, TickEventsComeFromTheChart) {
  int ticks = 0;
  chart.OnScaleTickDrawn = [&](TObject* sender, TCanvas*&, TScaleType, double, int, int) {
    EXPECT_EQ(sender, &chart);
    ++ticks;
  };
  Picture();
  // Horizontal scales record only their short ticks, vertical ones all.
  EXPECT_EQ(ticks, chart.PainterX(1).NumTicks() + 6 + chart.PainterY(1).NumTicks());
}

TEST_F(ChartScalesTest, ScalePosMovesTheLineOutwardsAndLabelsTakeTheAxisColour) {
  chart.Scale1X().SetScalePos(30);
  const TBitmap& moved = Picture();
  EXPECT_EQ(test::RowText(moved, 290, 48, 52), "..##");
  EXPECT_EQ(test::RowText(moved, 290, 378, 382), "###.");

  chart.Scale1X().SetScalePos(0);
  TFont font;
  font.Color = clLime;
  chart.Scale1X().SetFont(font);
  chart.Scale1X().SetColorScale(clMaroon);
  const TBitmap& coloured = Picture();
  const TRect labels{0, 268, 400, 300};
  EXPECT_GT(test::CountPixels(coloured, clMaroon, labels), 20);
  EXPECT_EQ(test::CountPixels(coloured, clLime), 0);
  EXPECT_EQ(test::CountPixels(coloured, clBlack, labels), 0);

  chart.Scale1Y().SetVisible(false);
  EXPECT_EQ(test::RowText(Picture(), chart.PainterY(1).ValueToPixel(4), 40, 50), "..........");
}

TEST_F(ChartScalesTest, PropertyChangesReachThePainters) {
  chart.Scale1Y().SetCaption("U/V");
  chart.Scale1Y().SetUserTickText("a|b");
  chart.Scale1Y().SetMinTicks(5);
  chart.Scale1Y().DateFormat().SetYearLength(ylYY);
  EXPECT_EQ(chart.PainterY(1).Caption(), "U/V");
  EXPECT_EQ(chart.PainterY(1).UserTickText(), "a|b");
  EXPECT_EQ(chart.PainterY(1).MinTicks(), 5);
  EXPECT_EQ(chart.PainterY(1).DateFormat().YearLength(), ylYY);

  chart.Scale1X().SetLabelType(ftTime);
  EXPECT_EQ(chart.PainterX(1).DecPlaces(), 4);
  chart.Scale1X().SetDecPlaces(1);  // changed after ftTime: kept
  EXPECT_EQ(chart.PainterX(1).DecPlaces(), 1);

  chart.Scale1X().SetWholeNumberTicks(true);
  EXPECT_TRUE(chart.PainterX(1).WholeNumberTicks());

  chart.Scale2X().SetScaleLocation(slTop);
  EXPECT_EQ(chart.PainterX(2).ScaleType(), sctXB);
  chart.Scale2Y().SetScaleLocation(slRight);
  EXPECT_EQ(chart.PainterY(2).ScaleType(), sctYL);
}

TEST_F(ChartScalesTest, ALoadedDesignReachesThePaintersAtTheEnd) {
  chart.BeginLoad();
  chart.Scale1X().SetCaption("A");
  chart.Scale1Y().SetRangeLow(0);
  chart.Scale1Y().SetLogarithmic(true);  // unchecked while loading
  EXPECT_EQ(chart.PainterX(1).Caption(), "");
  chart.Loaded();
  EXPECT_EQ(chart.PainterX(1).Caption(), "A");
  EXPECT_TRUE(chart.PainterY(1).Logarithmic());
  chart.Scale1X().SetRangeLow(-1);
  chart.Scale1X().SetLogarithmic(true);  // checked again
  EXPECT_FALSE(chart.Scale1X().Logarithmic());
}

TEST_F(ChartScalesTest, StandardLayoutsSetRimsCaptionsAndAxes) {
  chart.ScaleX(7).SetVisible(true);
  for (int l = lay_X1Bottom_Y1Left; l <= lay_X2Both_Y2Both; ++l) {
    const TChartLayout layout = static_cast<TChartLayout>(l);
    chart.SetStandardLayout(layout);
    const TLayoutValues& values = LayoutValues(layout);
    EXPECT_EQ(chart.BRim(), values.BRim);
    EXPECT_EQ(chart.LRim(), values.LRim);
    EXPECT_EQ(chart.CaptionAlignment(), values.CaptionAlignment);
    for (int layer = 1; layer <= 4; ++layer) {
      EXPECT_EQ(chart.ScaleX(layer).Visible(), values.X[layer - 1].Visible);
      EXPECT_EQ(chart.ScaleY(layer).ScalePos(), values.Y[layer - 1].ScalePos);
    }
    EXPECT_FALSE(chart.ScaleX(7).Visible());
  }
  // Spot checks against the published table.
  EXPECT_EQ(LayoutValues(lay_X1Bottom_Y4Left).LRim, 200);
  EXPECT_EQ(LayoutValues(lay_X1Bottom_Y4Left).Y[3].ScalePos, 150);
  EXPECT_EQ(LayoutValues(lay_X2Bottom_Y2Left).X[1].ScalePos, 30);
  EXPECT_EQ(LayoutValues(lay_X2Bottom_Y2Left).BRim, 70);
  EXPECT_EQ(LayoutValues(lay_X1Bottom_Y2Both).CaptionPosY, -20);
  EXPECT_EQ(LayoutValues(lay_X2Both_Y2Both).Y[2].CaptionPosY, -23);
  EXPECT_EQ(LayoutValues(lay_X1Bottom_Y2Left).Y[3].CaptionPosX, 10);

  // X2 (maroon) on top: its line on the plot area's top edge, ticks pointing up.
  chart.SetStandardLayout(lay_X2Both_Y2Both);
  chart.SetRange(2, 0, 0, 100, 10);
  EXPECT_EQ(chart.Scale2X().ScaleLocation(), slTop);
  EXPECT_EQ(chart.Scale2Y().ScaleLocation(), slRight);
  const TBitmap& picture = Picture();
  const int x = chart.PainterX(2).ValueToPixel(40);
  EXPECT_EQ(test::ColumnText(picture, x, 41, 48, clMaroon), ".######");  // 42..48, the last under the plot area
  // Y2 on the right: its line on the plot area's right edge, ticks pointing right.
  const int y = chart.PainterY(2).ValueToPixel(4);
  EXPECT_EQ(test::RowText(picture, y, 351, 358, clMaroon), "#####..");
}

}  // namespace
}  // namespace kurvex
