// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>
#include <deque>
#include <string>

#include "tests/chart/render_fixture.h"
#include "tests/support/image.h"
#include "tests/support/paintedpixels.h"

namespace kurvex::test {
namespace {

// A Trend as the window plots it, with log Y, grid, DoubleTics, a thick
// curve, a curve on the right axis and gaps: one chart draws what changed,
// its twin draws every picture whole from the same calls.
class PlotScrollTest : public QtAppTest {
 protected:
  static constexpr int kCurves = 4, kWindow = 400, kMargin = 20;

  PlotScrollTest() {
    for (TChartControl* chart : {&moving, &whole}) {
      ConfigureLikeWindowChart(*chart);
      chart->SetAnchoredX(true);
      chart->Scale1Y().SetLogarithmic(true);
      chart->Scale1X().SetMinTicks(6);
      chart->Scale1Y().SetMinTicks(6);
      chart->JointLayers().SetXControlledBy(2, 1);
      chart->SetRange(1, 0, 0.1, kWindow, 100);
      chart->SetRange(2, 0, -50, kWindow, 50);
      chart->Show();
      chart->HandleNeeded();
    }
  }

  double Value(int curve, long long n) const {
    const double wave = std::sin(n / (17.0 + 9 * curve)) + 0.3 * std::sin(n / 3.0);
    return curve == 3 ? 40 * wave : std::pow(10.0, 0.9 * wave + curve * 0.4);
  }

  /// Sample n: each curve's point (a gap now and then), the oldest sample
  /// taken off once the window is full, the window moved on by one.
  void Sample(long long n) {
    int added = 0;
    for (int curve = 0; curve < kCurves; ++curve) {
      if ((n + 13 * curve) % 89 == 0) {
        broken[curve] = true;  // a gap
        continue;
      }
      for (TChartControl* chart : {&moving, &whole}) {
        chart->SetDataCurve(static_cast<std::uint8_t>(curve));
        chart->SetDataLayer(curve == 3 ? 2 : 1);
        chart->SetDataColor(kColors[curve]);
        chart->SetLineWidth(curve == 1 ? 3 : 1);
        broken[curve] ? chart->MoveTo(n, Value(curve, n)) : chart->DrawTo(n, Value(curve, n));
      }
      broken[curve] = false;
      ++added;
    }
    steps.push_back(added);
    const long long low = std::max(0LL, n + kMargin - kWindow);
    if (low > 0) {
      for (int i = 0; i < steps.front(); ++i) {
        moving.RemoveFirstItem();
        whole.RemoveFirstItem();
      }
      steps.pop_front();
    }
    for (TChartControl* chart : {&moving, &whole}) {
      chart->SetRange(1, low, 0.1, low + kWindow, 100);
      chart->ShowGraph();
    }
  }

  ::testing::AssertionResult SameAsWhole(long long n) {
    const TBitmap& drawn = moving.ControlBitmap();
    whole.Paint();
    return SameImage(drawn, whole.ControlBitmap(), "plotscroll-" + std::to_string(n));
  }

  /// Plots samples 1 … last, comparing the pictures after every few.
  void Run(long long last) {
    for (long long n = 1; n <= last; ++n) {
      Sample(n);
      if (n % (1 + n % 5) == 0) {
        ASSERT_TRUE(SameAsWhole(n)) << "after sample " << n;
      }
    }
  }

  static constexpr TColor kColors[kCurves] = {clBlue, clRed, clGreen, clFuchsia};
  TChartControl moving, whole;
  std::deque<int> steps;  // items each sample added, oldest first
  bool broken[kCurves] = {true, true, true, true};
};

TEST_F(PlotScrollTest, AMovedPictureEqualsThePictureDrawnWholePixelForPixel) { Run(3000); }

TEST_F(PlotScrollTest, AMovedPictureEqualsThePictureDrawnWholeAtTwiceTheResolution) { Run(1500); }

TEST_F(PlotScrollTest, AMovedPictureEqualsThePictureDrawnWholeAtOneAndAHalfTheResolution) { Run(1500); }

// The screen receives the moved pixels as a move and only the new columns
// as pixels, and shows what the picture holds.
TEST_F(PlotScrollTest, TheScreenGetsOnlyTheChangedColumnsAndShowsThePicture) {
  Run(600);
  QCoreApplication::processEvents();
  const PaintedPixels painted(*moving.Widget());
  for (long long n = 601; n <= 640; ++n) {
    Sample(n);
    moving.ControlBitmap();
    QCoreApplication::processEvents();
  }
  // Drawn whole, each picture would repaint the window; the plot is three
  // quarters of it.
  const long long window = 1LL * moving.Width() * moving.Height();
  EXPECT_GT(painted.Count, 0);
  EXPECT_LT(painted.Count, 40 * window / 3) << "a picture repainted a third of the window or more";
  QWidget& widget = *moving.Widget();
  TBitmap shown(moving.Width(), moving.Height());
  shown.SetScale(moving.ControlBitmap().Scale());
  shown.Image() = widget.screen()->grabWindow(widget.winId()).toImage().convertToFormat(QImage::Format_RGB32);
  shown.Image().setDevicePixelRatio(shown.Scale());
  EXPECT_TRUE(SameImage(shown, moving.ControlBitmap(), "plotscroll-screen"));
}

}  // namespace
}  // namespace kurvex::test
