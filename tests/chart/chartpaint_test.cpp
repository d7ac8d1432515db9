// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "tests/chart/render_fixture.h"

namespace kurvex {
namespace {

using test::CountingChart;

class ChartPaintTest : public test::QtAppTest {
 protected:
  ChartPaintTest() {
    chart.SetBounds(0, 0, 300, 200);
    chart.Show();
    chart.HandleNeeded();
  }
  CountingChart chart;
};

TEST_F(ChartPaintTest, NothingPaintsBeforeTheWindowExists) {
  CountingChart hidden;
  EXPECT_TRUE(hidden.PaintSuspended());
  hidden.SetChartColor(clRed);
  EXPECT_EQ(hidden.ControlBitmap().Width(), 0);
}

TEST_F(ChartPaintTest, DrawingSettersRepaintOnlyWithAutoRedraw) {
  const int before = chart.paints;
  chart.SetChartColor(clYellow);
  EXPECT_EQ(chart.paints, before + 1);
  chart.SetAutoRedraw(false);
  chart.SetChartColor(clAqua);
  chart.SetDataColor(clRed);  // stores only, in any mode
  EXPECT_EQ(chart.paints, before + 1);
}

TEST_F(ChartPaintTest, AddingItemsNeverPaintsAndSetRangePaintsOnce) {
  const int before = chart.paints;
  chart.MoveTo(0, 0);
  for (int i = 1; i < 100; ++i) chart.DrawTo(i, i);
  chart.RemoveFirstItem();
  EXPECT_EQ(chart.paints, before);
  chart.SetRange(0, 0, 0, 10, 10);
  EXPECT_EQ(chart.paints, before + 1);
}

TEST_F(ChartPaintTest, ShowGraphRefreshesOnlyThePlotArea) {
  chart.SetChartColor(clYellow);
  chart.SetAutoRedraw(false);
  chart.SetWindColor(clRed);  // not painted: AutoRedraw is off
  chart.SetAutoRedraw(true);
  const int before = chart.paints;
  chart.ShowGraph();
  EXPECT_EQ(chart.paints, before);
  TBitmap shown = chart.ControlBitmap();
  EXPECT_EQ(shown.Canvas().Pixel(2, 2), ColorToRGB(clBtnFace));
  EXPECT_EQ(shown.Canvas().Pixel(chart.LRim() + 5, chart.TRim() + 5), clYellow);
}

}  // namespace
}  // namespace kurvex
