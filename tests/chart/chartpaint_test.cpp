// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "chart/chartcontrol.h"
#include "tests/support/qtapp.h"

namespace kurvex {
namespace {

class CountingChart : public TChartControl {
 public:
  using TChartControl::TChartControl;
  void Paint() override {
    ++paints;
    TChartControl::Paint();
  }
  int paints = 0;
};

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

TEST_F(ChartPaintTest, PaintShowsBackgroundPlotAreaAndFrame) {
  chart.SetWindColor(clBtnFace);
  const TBitmap& shown = chart.ControlBitmap();
  TBitmap copy = shown;
  TCanvas& c = copy.Canvas();
  const int right = 300 - chart.RRim(), bottom = 200 - chart.BRim();
  EXPECT_EQ(c.Pixel(2, 2), ColorToRGB(clBtnFace));
  EXPECT_EQ(c.Pixel(chart.LRim() + 5, chart.TRim() + 5), clWhite);
  EXPECT_EQ(c.Pixel(chart.LRim(), chart.TRim() + 5), clBlack);  // frame
  EXPECT_EQ(c.Pixel(right, bottom), clBlack);                   // far corner of the frame
  EXPECT_EQ(c.Pixel(right + 1, bottom + 1), ColorToRGB(clBtnFace));
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
