// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include <QCoreApplication>

#include "tests/app/mainwindow_fixture.h"
#include "tests/support/image.h"
#include "tests/support/paintedpixels.h"

namespace kurvex::test {
namespace {

class TrendScrollTest : public MainWindowTest {
 protected:
  static std::string Line(int i) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f;%.3f;%.3f\r\n", 5 + 4 * std::sin(i / 40.0), 5 + 3 * std::cos(i / 23.0),
                  5 + 2 * std::sin(i / 7.0));
    return text;
  }
};

// The window's Trend (which keeps Y linear) with grid, DoubleTics and three
// curves: a picture rendered after every sample from what changed equals,
// many renders on, the picture drawn whole.
TEST_F(TrendScrollTest, TheScrolledPictureEqualsThePictureDrawnWhole) {
  form->ShowGridCheckBox->SetChecked(true);
  form->DoubleTicsCheckBox->SetChecked(true);
  form->TrendCheckBox->SetChecked(true);
  form->GraphXmaxEdit->SetText("300");
  form->StartButton->Click();
  QCoreApplication::processEvents();
  const PaintedPixels painted(*form->Chart1->Widget());
  for (int i = 1; i <= 2400; ++i) {
    Receive(Line(i));
    form->Chart1->ControlBitmap();
    QCoreApplication::processEvents();
    if (i % 400 != 0) continue;
    const TBitmap moved = form->Chart1->ControlBitmap();
    form->Chart1->Paint();
    ASSERT_TRUE(SameImage(moved, form->Chart1->ControlBitmap(), "trendscroll-" + std::to_string(i)));
  }
  // Drawn whole, each picture would repaint the chart.
  EXPECT_LT(painted.Count, 2400LL * form->Chart1->Width() * form->Chart1->Height() / 4);
  form->StopButton->Click();
}

}  // namespace
}  // namespace kurvex::test
