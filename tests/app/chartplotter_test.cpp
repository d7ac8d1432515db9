// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/chartplotter.h"
#include "tests/support/qtapp.h"

namespace kurvex::test {
namespace {

class ChartPlotterTest : public QtAppTest {
 protected:
  ChartPlotterTest() { chart.SetRange(1, 0, 0, 1000, 10); }

  void Plot(std::int64_t number, float value) {
    const TSampleValue values[] = {{value, value}};
    plotter.Take({number, {}, values, {}, 1});
  }

  TChartControl chart;
  TSessionState session;
  TChartPlotter plotter{chart, session};
};

TEST_F(ChartPlotterTest, NormalPlacesSampleNAtXnAndRedrawsLessOftenAsTheChartFills) {
  Plot(1, 12.5);
  Plot(2, 3);
  ASSERT_EQ(chart.ItemCount(), 2);
  EXPECT_EQ(chart.Item(0).Kind, ikMoveTo);
  EXPECT_EQ(chart.Item(0).X, 0);  // no point at X = 1
  EXPECT_EQ(chart.Item(0).Y, 12.5);
  EXPECT_EQ(chart.Item(1).Kind, ikDrawTo);
  EXPECT_EQ(chart.Item(1).X, 2);
  EXPECT_EQ(session.RedrawCounter, 0);  // every early sample redraws
  for (int n = 3; n <= 2001; ++n) Plot(n, 1);
  EXPECT_EQ(session.RedrawInterval, 2);
  EXPECT_EQ(session.RedrawCounter, 1);
  Plot(20001, 1);
  EXPECT_EQ(session.RedrawInterval, 200);
}

TEST_F(ChartPlotterTest, TrendFillsTheWindowThenScrollsByOne) {
  session.TrendMode = true;
  session.GraphXMax = 1000;
  for (int n = 1; n <= 981; ++n) Plot(n, static_cast<float>(n % 7));
  EXPECT_EQ(chart.Scale1X().RangeLow(), 0);
  EXPECT_EQ(chart.ItemCount(), 982);  // the first sample is a MoveTo and a DrawTo
  Plot(982, 3);
  EXPECT_EQ(chart.Scale1X().RangeLow(), 1);
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 1001);
  EXPECT_EQ(chart.Scale1Y().RangeHigh(), 10);  // Y stays
  EXPECT_EQ(chart.ItemCount(), 982);
  EXPECT_EQ(chart.Item(981).X, 982);
}

TEST_F(ChartPlotterTest, TrendWithASmallWindowScrollsFromTheFirstSample) {
  session.TrendMode = true;
  session.GraphXMax = 10;
  Plot(1, 4);
  EXPECT_EQ(chart.ItemCount(), 0);  // sample 1 removed both of its items
  EXPECT_EQ(chart.Scale1X().RangeLow(), 1);
  Plot(2, 5);
  EXPECT_EQ(chart.ItemCount(), 0);
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 1002);
}

}  // namespace
}  // namespace kurvex::test
