// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/chartcontent.h"

#include <string>
#include <vector>

#include "app/lookback/lookback.h"
#include "tests/support/qtapp.h"

namespace kurvex::test {
namespace {

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
