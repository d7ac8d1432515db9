// SPDX-License-Identifier: GPL-3.0-or-later
#include <chrono>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QWidget>

#include "chart/scrollpace.h"
#include "tests/chart/render_fixture.h"
#include "tests/support/image.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

using Clock = std::chrono::steady_clock;

class RenderPacingTest : public WindowChartTest {
 protected:
  RenderPacingTest() {
    AcquisitionRange();
    chart.OnDataRendered = [this](TObject*, TCanvas&, int, int) { renders.push_back(Clock::now()); };
    // The window's first repaint is behind us.
    chart.Invalidate();
    EXPECT_TRUE(WaitUntil([&] { return !renders.empty(); }));
    renders.clear();
  }

  std::vector<Clock::time_point> renders;
};

TEST_F(RenderPacingTest, RequestsRenderNothingUntilThePictureIsRead) {
  AddSineSamples(chart);
  chart.ShowGraph();
  chart.SetRange(1, 0, 0, 500, 10);
  chart.Paint();
  EXPECT_TRUE(renders.empty());

  // Reading the picture renders the pending request, once.
  const TBitmap plot = chart.PlotBitmap();
  ASSERT_EQ(renders.size(), 1u);
  EXPECT_GT(CountPixels(plot, clBlue), 400);
  chart.ControlBitmap();
  EXPECT_EQ(renders.size(), 1u);
}

TEST_F(RenderPacingTest, RendersAreAFrameApart) {
  chart.ShowGraph();
  ASSERT_TRUE(WaitUntil([&] { return renders.size() == 1; }));
  chart.ShowGraph();
  ASSERT_TRUE(WaitUntil([&] { return renders.size() == 2; }));
  // The offscreen screen refreshes at 60 Hz: a picture every 16.7 ms.
  EXPECT_GE(renders[1] - renders[0], std::chrono::milliseconds(16));
}

// Records the rectangle of each repaint of a widget.
class RepaintWatch : public QObject {
 public:
  explicit RepaintWatch(QWidget* widget) { widget->installEventFilter(this); }
  std::vector<QRect> rects;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) rects.push_back(static_cast<QPaintEvent*>(event)->rect());
    return false;
  }
};

TEST_F(RenderPacingTest, APlotPictureReachesTheScreenAsThePlotAreaAlone) {
  RepaintWatch watch(chart.Widget());
  AddSineSamples(chart);
  chart.ShowGraph();
  ASSERT_TRUE(WaitUntil([&] { return !watch.rects.empty(); }));
  EXPECT_EQ(watch.rects.back(), QRect(chart.LRim(), chart.TRim(), chart.PlotWidth() + 1, chart.PlotHeight() + 1));

  // New scales change the frame too.
  watch.rects.clear();
  chart.SetRange(1, 0, 0, 2000, 10);
  ASSERT_TRUE(WaitUntil([&] { return !watch.rects.empty(); }));
  EXPECT_EQ(watch.rects.back(), chart.Widget()->rect());
}

TEST_F(RenderPacingTest, APacedRequestWaitsItsPaceAfterTheLastRenderButNotAReader) {
  constexpr auto kPace = std::chrono::milliseconds(120);
  chart.SetPicturePace(kPace);
  chart.ShowGraph();
  ASSERT_TRUE(WaitUntil([&] { return renders.size() == 1; }));
  chart.ShowGraph();
  ASSERT_TRUE(WaitUntil([&] { return renders.size() == 2; }));
  EXPECT_GE(renders[1] - renders[0], kPace);

  chart.ShowGraph();
  chart.ControlBitmap();
  EXPECT_EQ(renders.size(), 3u);

  // A request without a pace brings the waiting render forward.
  constexpr auto kLongPace = std::chrono::seconds(5);
  chart.SetPicturePace(kLongPace);
  chart.ShowGraph();
  chart.SetPicturePace({});
  chart.ShowGraph();
  ASSERT_TRUE(WaitUntil([&] { return renders.size() == 4; }));
  EXPECT_LT(renders[3] - renders[2], kLongPace);
}

TEST_F(RenderPacingTest, AFullRedrawAfterAPlotRefreshStillRendersTheScales) {
  chart.ShowGraph();
  chart.SetRange(1, 0, 0, 2000, 10);  // new X labels
  TBitmap paced = chart.ControlBitmap();

  chart.SetRange(1, 0, 0, 1000, 10);
  chart.ControlBitmap();
  chart.SetRange(1, 0, 0, 2000, 10);
  chart.ControlBitmap();
  chart.ShowGraph();
  EXPECT_TRUE(SameImage(paced, chart.ControlBitmap(), "pacing-full-after-plot"));
}

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

using std::chrono::milliseconds;

// Feeds `perSecond` samples a second for `seconds`, each moving the picture
// by `pixels`, in batches as the serial reader hands them over; returns the
// last pace.
milliseconds Feed(TScrollPace& pace, double perSecond, double pixels, double seconds, std::int64_t& nowNs) {
  milliseconds last{};
  const auto stepNs = static_cast<std::int64_t>(1e9 / perSecond);
  for (int i = 0; i < static_cast<int>(perSecond * seconds); ++i) {
    nowNs += stepNs;
    last = pace.Take(nowNs, pixels);
  }
  return last;
}

TEST(ScrollPace, WaitsForAFewPixelsAtMostAsLongAsTheTextsAndNotAtAllWhenFast) {
  TScrollPace pace;
  std::int64_t now = 1'000'000'000;
  // Unknown at first: at once.
  EXPECT_EQ(pace.Take(now, 0.57), milliseconds(0));
  // 200 samples/s at 0.567 px: 113 px/s, 4 px in 35 ms.
  EXPECT_EQ(Feed(pace, 200, 0.567, 1, now), milliseconds(35));
  // A slow curve: no longer than the texts wait.
  EXPECT_EQ(Feed(pace, 20, 0.567, 2, now), TScrollPace::kLongest);
  // A fast one: every frame of the screen.
  EXPECT_EQ(Feed(pace, 20000, 0.567, 0.5, now), milliseconds(0));
  // A new acquisition starts over.
  Feed(pace, 200, 0.567, 1, now);
  pace.Reset();
  EXPECT_EQ(pace.Take(now + 1'000'000, 0.57), milliseconds(0));
}

}  // namespace
}  // namespace kurvex::test
