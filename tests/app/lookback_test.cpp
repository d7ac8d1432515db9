// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lookback/lookback.h"

#include <QWidget>
#include <cmath>
#include <string>

#include "history/historyfeed.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/image.h"
#include "tests/support/strictcsv.h"
#include "tests/support/tempfolder.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

// The look-back on its own: a Trend acquisition's plotter and a history that
// keeps chunks of 4096 samples within a budget of about three of them.
class LookBackTest : public QtAppTest {
 protected:
  LookBackTest() {
    chart.SetBounds(0, 0, 400, 300);
    chart.Show();
    chart.SetRange(1, 0, 0, 1000, 10);
    session.TrendMode = true;
    session.GraphXMax = 1000;
    plotter.StartAcquisition();
    lookBack.StartAcquisition(true);
  }
  void Take(std::int64_t count) {
    for (std::int64_t i = 0; i < count; ++i) {
      const float v = static_cast<float>(5 + 4 * std::sin(static_cast<double>(++taken) / 50));
      const TSampleValue values[] = {{v, v}};
      const TSample sample{taken, {}, values, {}, 1};
      plotter.Take(sample);
      feed.Take(sample);
      lookBack.Take(sample);
    }
  }
  TAxisWindow X() const { return {chart.ScaleX(1).RangeLow(), chart.ScaleX(1).RangeHigh()}; }

  TChartControl chart;
  TSessionState session;
  TChartPlotter plotter{chart, session};
  THistory history{3 * 4096 * 4 + 40000, 4096};
  THistoryFeed feed{history};
  TLookBack lookBack{chart, plotter, history};
  std::int64_t taken = 0;
};

TEST_F(LookBackTest, APausedViewStaysWhileSamplesArriveAndFollowingShowsTheLiveWindowAsIfNeverPaused) {
  Take(2000);
  const TAxisWindow live = X();
  chart.NavigateTo({100, 600}, {0, 10});  // as a pan leaves it
  EXPECT_TRUE(lookBack.FollowButton().Visible());
  EXPECT_EQ(chart.CurveSource() != nullptr, true);
  Take(100000);
  EXPECT_EQ(X(), (TAxisWindow{100, 600})) << "the paused view moved";

  lookBack.FollowButton().Click();
  EXPECT_EQ(X(), (TAxisWindow{live.Low + 100000, live.High + 100000}));
  EXPECT_EQ(chart.CurveSource(), nullptr);
  EXPECT_FALSE(lookBack.FollowButton().Visible());
  Take(1);
  EXPECT_EQ(X().Low, live.Low + 100001) << "following again";
}

TEST_F(LookBackTest, TheViewTellsFromWhichSampleTheHistoryHoldsOnceTheOldestLeft) {
  chart.NavigateTo(X(), {0, 10});
  Take(4096);
  EXPECT_FALSE(lookBack.HistoryStart().Visible());
  Take(5 * 4096);
  ASSERT_EQ(history.FirstNumber(), 3 * 4096 + 1);  // three chunks left
  EXPECT_TRUE(lookBack.HistoryStart().Visible());
  EXPECT_EQ(lookBack.HistoryStart().Caption(), "Verlauf ab Sample 12.289");
  // Clear Graph or a loaded file: the view stays, without the history.
  chart.SetRange(1, 5, 0, 50, 10);
  lookBack.Forget();
  EXPECT_EQ(X(), (TAxisWindow{5, 50}));
  EXPECT_EQ(chart.CurveSource(), nullptr);
  EXPECT_FALSE(lookBack.HistoryStart().Visible());
  chart.NavigateTo({5, 60}, {0, 10});
  EXPECT_EQ(chart.CurveSource(), nullptr) << "nothing to look back on";
}

TEST_F(LookBackTest, AnOpenedRecordingShowsWholeWithoutALiveWindow) {
  lookBack.StartAcquisition(false);
  const float values[][2] = {{2, -3}, {7, 1}, {4, 0.5f}};
  for (const auto& v : values) history.Append(0, v, 0b11);
  lookBack.ShowWhole();
  EXPECT_EQ(X(), (TAxisWindow{1, 3}));
  EXPECT_EQ(chart.Scale1Y().RangeLow(), -3);
  EXPECT_EQ(chart.Scale1Y().RangeHigh(), 7);
  EXPECT_NE(chart.CurveSource(), nullptr);
  EXPECT_FALSE(lookBack.FollowButton().Visible());
}

// The window as a user meets it: 5,000 Trend samples, Stop, the plot dragged
// right twice, far past what the chart's own items hold.
class LookBackWindowTest : public MainWindowTest {
 protected:
  void Lines(int lines) {
    std::string bytes;
    for (int i = 0; i < lines; ++i, ++sent) bytes += std::to_string(5 + (sent % 100) / 25.0) + "\r\n";
    Receive(bytes);
  }
  int sent = 0;
};

TEST_F(LookBackWindowTest, AfterStopADraggedTrendViewShowsTheSamplesThatScrolledOff) {
  form->TrendCheckBox->SetChecked(true);
  form->StartButton->Click();
  Lines(5000);
  form->StopButton->Click();
  MouseDrag(form->Chart1->Widget(), {100, 200}, {600, 200});
  MouseDrag(form->Chart1->Widget(), {100, 200}, {600, 200});
  MouseMove(form->Chart1->Widget(), QPoint(5, 5));  // off the plot: the readout's mark goes
  TChartControl& chart = *form->Chart1;
  ASSERT_LT(chart.Scale1X().RangeHigh(), 4000) << "the view did not go back";
  EXPECT_TRUE(form->Chart1->Widget()->findChild<QWidget*>("FollowButton")->isVisible());
  // The samples step between 5 and 8.96: every column of the plot has curve
  // pixels, and none lies on a line from the plot's corner.
  const TBitmap plot = chart.PlotBitmap();
  for (int x = 1; x < plot.Width() - 1; ++x)
    ASSERT_GT(CountPixels(plot, clBlue, TRect{x, 0, x + 1, plot.Height()}), 0) << "column " << x;
  int unused, top;
  chart.WorldToPixel(1, 0, 9.5, unused, top);
  EXPECT_EQ(CountPixels(plot, clBlue, TRect{0, 0, plot.Width(), top - chart.TRim()}), 0);

  form->ClearGraphButton->Click();
  EXPECT_EQ(CountPixels(chart.PlotBitmap(), clBlue), 0);
}

// A graph file loaded while an acquisition runs leaves its history whole:
// the export still numbers every sample as it was counted.
TEST_F(LookBackWindowTest, AFileLoadedWhileAcquiringKeepsTheHistoryNumbered) {
  TempFolder folder;
  form->Chart1->SaveGraph(folder.Path("leer.kvx"));
  form->StartButton->Click();
  EXPECT_FALSE(form->AufzeichnungOeffnen->Enabled()) << "a recording opens only while idle";
  Lines(100);
  dialogs.Files().Answers.push_back(folder.Path("leer.kvx"));
  form->Erfassungladen->Click();
  Lines(50);
  form->StopButton->Click();
  EXPECT_TRUE(form->AufzeichnungOeffnen->Enabled());
  dialogs.Files().Answers.push_back(folder.Path("export.csv"));
  dialogs.Files().FilterAnswers.push_back(1);  // for Excel
  form->ErfassungCsvExportieren->Click();
  const StrictCsv csv = ReadStrictCsv(FileText(folder.Path("export.csv")), ';');
  ASSERT_EQ(csv.Rows.size(), 151u);
  EXPECT_EQ(csv.Rows.back()[0], "150");
}

}  // namespace
}  // namespace kurvex::test
