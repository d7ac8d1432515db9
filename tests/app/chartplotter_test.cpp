// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <string>
#include <vector>

#include "app/chartcontent.h"
#include "app/chartplotter.h"
#include "app/curvecolors.h"
#include "app/lookback/lookback.h"
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

  /// A line's values by curve; NaN: the curve has no value in it.
  void PlotCurves(std::int64_t number, std::vector<float> values) {
    std::vector<TSampleValue> taken;
    std::uint16_t present = 0;
    for (std::size_t k = 0; k < values.size(); ++k) {
      taken.push_back({values[k], values[k]});
      if (!std::isnan(values[k])) present |= static_cast<std::uint16_t>(1u << k);
    }
    plotter.Take({number, {}, taken, {}, present});
  }
  /// The items as "curve kind x", kind M or D.
  std::vector<std::string> Items() const {
    std::vector<std::string> items;
    for (int i = 0; i < chart.ItemCount(); ++i) {
      const TChartItem& item = chart.Item(i);
      items.push_back(std::to_string(item.Curve) + (item.Kind == ikMoveTo ? " M " : " D ") +
                      std::to_string(static_cast<int>(item.X)));
    }
    return items;
  }

  TChartControl chart;
  TSessionState session;
  TChartPlotter plotter{chart, session};
};

TEST_F(ChartPlotterTest, NormalAsksForNoPictureOnceItsCurvesRunBeyondTheXWindow) {
  int renders = 0;
  chart.OnDataRendered = [&](TObject*, TCanvas&, int, int) { ++renders; };
  chart.Show();
  for (int n = 1; n <= 1000; ++n) Plot(n, 5);
  chart.ControlBitmap();  // renders a pending request, if any
  EXPECT_EQ(renders, 1);
  for (int n = 1001; n <= 1100; ++n) Plot(n, 5);
  chart.ControlBitmap();
  EXPECT_EQ(renders, 2) << "the segment from 1000 into the rim still shows";
  for (int n = 1101; n <= 1300; ++n) Plot(n, 5);
  chart.ControlBitmap();
  EXPECT_EQ(renders, 2);
}

TEST_F(ChartPlotterTest, NormalPlacesSampleNAtXnAndRedrawsLessOftenAsTheChartFills) {
  Plot(1, 12.5);
  Plot(2, 3);
  EXPECT_EQ(Items(), (std::vector<std::string>{"0 M 0", "0 D 2"}));  // no point at X = 1
  EXPECT_EQ(chart.Item(0).Y, 12.5);
  EXPECT_EQ(plotter.RedrawCounter(), 0);  // every early sample redraws
  for (int n = 3; n <= 2001; ++n) Plot(n, 1);
  EXPECT_EQ(plotter.RedrawInterval(), 2);
  EXPECT_EQ(plotter.RedrawCounter(), 1);
  Plot(20001, 1);
  EXPECT_EQ(plotter.RedrawInterval(), 200);
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

// Each curve is a polyline of its own in its colour; a curve missing from
// a line leaves a gap, one that comes back starts anew.
TEST_F(ChartPlotterTest, CurvesOneToThreeToOneKeepTheirOwnLinesAndGaps) {
  const float gap = NAN;
  PlotCurves(1, {1});
  PlotCurves(2, {1, 2, 3});
  PlotCurves(3, {1, gap, 3});
  PlotCurves(4, {1, 2});
  PlotCurves(5, {1});
  EXPECT_EQ(Items(), (std::vector<std::string>{"0 M 0", "0 D 2", "1 M 2", "2 M 2", "0 D 3", "2 D 3", "0 D 4",
                                              "1 M 4", "0 D 5"}));
  EXPECT_EQ(chart.Item(2).Color, CurveColor(1));
  EXPECT_EQ(chart.Item(0).Color, clBlue);
}

TEST_F(ChartPlotterTest, TrendScrollsAllCurvesOfTheOldestSampleAway) {
  session.TrendMode = true;
  session.GraphXMax = 24;  // full after 5 samples
  for (int n = 1; n <= 5; ++n) PlotCurves(n, {1, 2, 3});
  ASSERT_EQ(chart.ItemCount(), 18);  // sample 1: a MoveTo and a DrawTo per curve
  PlotCurves(6, {1, 2, 3});
  PlotCurves(7, {1, 2, 3});
  // Each step took the oldest step's three points: first the MoveTos.
  EXPECT_EQ(Items().front(), "0 D 2");
  EXPECT_EQ(chart.ItemCount(), 18);
}

// A line without any value is still a sample: it breaks every curve and,
// in Trend, moves the window on like any other.
TEST_F(ChartPlotterTest, ASampleWithoutValuesBreaksTheCurvesAndTakesItsStep) {
  const float gap = NAN;
  session.TrendMode = true;
  session.GraphXMax = 24;
  for (int n = 1; n <= 5; ++n) PlotCurves(n, {1});
  PlotCurves(6, {gap});
  PlotCurves(7, {gap});
  PlotCurves(8, {1});
  EXPECT_EQ(chart.Scale1X().RangeLow(), 3);  // samples 6, 7 and 8 each scrolled by one
  EXPECT_EQ(Items(), (std::vector<std::string>{"0 D 3", "0 D 4", "0 D 5", "0 M 8"}));
}

// What the chart shows, on its own: a chart, its plotter and an intake whose
// samples go to the content.
class ChartContentTest : public QtAppTest {
 protected:
  ChartContentTest() {
    chart.SetBounds(0, 0, 400, 300);
    chart.Show();
    chart.SetRange(1, 0, 0, 100, 10);
    intake.Attach(plotter);
    content.AttachTo(intake);
  }
  void Acquire(bool trend, int lines) {
    session.TrendMode = trend;
    session.GraphXMax = 100;
    content.StartAcquisition(trend);
    intake.StartAcquisition();
    for (int i = 1; i <= lines; ++i) intake.TakeLine(std::to_string(i));
  }
  std::int64_t ShownSamples() const {
    const THistory* history = content.HistoryShown();
    return history != nullptr ? history->LastNumber() : 0;
  }

  TChartControl chart;
  TSessionState session;
  TSampleIntake intake{session};
  TChartPlotter plotter{chart, session};
  TChartContent content{chart, plotter};
  std::vector<TContentChange> changes;
  TSubscription listening = content.SubscribeChanged([this](TContentChange change) {
    changes.push_back(change);
    // A listener already sees the state the change leads to.
    EXPECT_EQ(content.OpenedRecording().has_value(), change == TContentChange::RecordingOpened);
  });
};

using enum TContentChange;
using TShows = TChartContent::TShows;

TEST_F(ChartContentTest, EachTransitionTellsWhatIsShownAndWhereItsSamplesAre) {
  Acquire(false, 3);
  EXPECT_EQ(content.Shows(), TShows::Acquisition);
  EXPECT_EQ(ShownSamples(), 3);
  EXPECT_EQ(content.Axis(), TSampleAxis::NormalStart);

  // A graph file loaded while acquiring leaves the history whole; when idle it goes.
  content.GraphFileLoaded(true);
  EXPECT_EQ(content.Shows(), TShows::GraphFile);
  EXPECT_EQ(ShownSamples(), 3);
  content.GraphFileLoaded(false);
  EXPECT_EQ(content.HistoryShown(), nullptr);

  THistory recording;
  const float values[][1] = {{2}, {7}};
  for (const auto& v : values) recording.Append(0, v, 0b1);
  content.ShowRecording(std::move(recording), {"/daten/alt.csv", 2});
  EXPECT_EQ(content.Shows(), TShows::OpenedRecording);
  EXPECT_EQ(content.OpenedRecording()->Path, "/daten/alt.csv");
  EXPECT_EQ(ShownSamples(), 2);
  EXPECT_EQ(content.Axis(), TSampleAxis::Numbers);

  content.Clear();
  EXPECT_EQ(content.Shows(), TShows::Acquisition);
  EXPECT_FALSE(content.OpenedRecording());
  EXPECT_EQ(content.HistoryShown(), nullptr);
  EXPECT_EQ(chart.ItemCount(), 0);

  Acquire(false, 1);
  EXPECT_EQ(changes,
            (std::vector{AcquisitionStarts, GraphFileLoaded, GraphFileLoaded, RecordingOpened, Cleared, AcquisitionStarts}));
}

TEST_F(ChartContentTest, ATrendViewMovedByAFeatureIsLookedBackOnUntilFolgen) {
  Acquire(true, 50);
  int windowsSet = 0;
  const TSubscription windows = content.SubscribeWindowSet([&] { ++windowsSet; });
  content.SetWindow(0, 0, 100, 10);
  EXPECT_EQ(windowsSet, 1);
  EXPECT_EQ(content.Shows(), TShows::Acquisition) << "a window the program sets keeps following";

  content.NavigateTo({10, 30}, {0, 10});
  EXPECT_EQ(content.Shows(), TShows::LookedBack);
  EXPECT_EQ(content.Axis(), TSampleAxis::Numbers);
  content.LookBack().FollowButton().Click();
  EXPECT_EQ(content.Shows(), TShows::Acquisition);
  // A loaded graph file ends looking back: its items are what the chart shows.
  content.NavigateTo({10, 30}, {0, 10});
  content.GraphFileLoaded(true);
  EXPECT_EQ(content.Shows(), TShows::GraphFile);
  EXPECT_FALSE(content.LookBack().FollowButton().Visible());
}

}  // namespace
}  // namespace kurvex::test
