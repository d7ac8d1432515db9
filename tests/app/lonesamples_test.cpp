// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include "app/curvecolors.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/chart/mouse_fixture.h"
#include "tests/support/image.h"
#include "tests/support/tempfolder.h"

namespace kurvex::test {
namespace {

// Samples that have no neighbour on their curve, as the window shows them.
class LoneSamplesTest : public MainWindowTest {
 protected:
  /// Whether the plot shows a whole dot of the curve's colour on the point.
  ::testing::AssertionResult DotAt(std::size_t curve, double x, double y) {
    TChartControl& chart = *form->Chart1;
    int px, py;
    chart.WorldToPixel(1, x, y, px, py);
    px -= chart.LRim();
    py -= chart.TRim();
    const int pixels = CountPixels(chart.PlotBitmap(), CurveColor(curve), TRect{px - 1, py - 1, px + 2, py + 2});
    if (pixels == 9) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "sample at " << x << ": " << pixels << " of 9 dot pixels";
  }
  /// Curve b on every other line, from the first on: each of its samples is
  /// alone; curve a is a line through all of them.
  void EveryOtherLine(int lines) {
    std::string bytes;
    for (int n = 1; n <= lines; ++n)
      bytes += n % 2 ? "a:50;b:" + std::to_string(100 + n) + "\r\n" : std::string("a:50\r\n");
    Receive(bytes);
  }
  void ExpectCurveBDots(const char* view) {
    for (int n : {11, 15})
      EXPECT_TRUE(DotAt(1, n, 100 + n)) << view;
  }

  TempFolder folder;
};

TEST_F(LoneSamplesTest, ACurveOnEveryOtherLineShowsInEveryView) {
  form->StartButton->Click();
  form->Chart1->SetRange(1, 0, 0, 40, 200);  // a sample every few pixels
  EveryOtherLine(20);
  ExpectCurveBDots("Normal");
  form->StopButton->Click();
  ExpectCurveBDots("Normal, stopped");

  dialogs.Files().Answers.push_back(folder.Path("lone.kvx"));
  form->ErfassungSpeichern->Click();
  form->ClearGraphButton->Click();
  dialogs.Files().Answers.push_back(folder.Path("lone.kvx"));
  form->Erfassungladen->Click();
  ExpectCurveBDots("graph file");

  form->TrendCheckBox->SetChecked(true);
  form->StartButton->Click();
  form->Chart1->SetRange(1, 0, 0, 40, 200);  // a sample every few pixels
  EveryOtherLine(20);
  ExpectCurveBDots("Trend");
  WheelTurn(form->Chart1->Widget(), {200, 150}, -120);
  ASSERT_NE(form->Chart1->CurveSource(), nullptr) << "not looking back";
  ExpectCurveBDots("Trend, looked back");
}

}  // namespace
}  // namespace kurvex::test
