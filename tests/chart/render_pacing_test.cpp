// SPDX-License-Identifier: GPL-3.0-or-later
#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QWidget>

#include <chrono>
#include <vector>

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

}  // namespace
}  // namespace kurvex::test
