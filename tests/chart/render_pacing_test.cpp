// SPDX-License-Identifier: GPL-3.0-or-later
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
