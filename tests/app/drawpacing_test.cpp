// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>

#include <cmath>
#include <cstdio>

#include "tests/app/mainwindow_fixture.h"
#include "tests/support/image.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

struct PacingCase {
  const char* Name;
  bool Trend, LogY, DoubleTics;
};

class DrawPacingTest : public MainWindowTest, public ::testing::WithParamInterface<PacingCase> {
 protected:
  static constexpr int kBurst = 10000;

  DrawPacingTest() {
    form->Chart1->OnDataRendered = [this](TObject*, TCanvas&, int, int) { ++renders; };
  }

  void Start() {
    const PacingCase& c = GetParam();
    form->LogCheckBox->SetChecked(c.LogY);
    form->DoubleTicsCheckBox->SetChecked(c.DoubleTics);
    form->TrendCheckBox->SetChecked(c.Trend);
    form->StartButton->Click();
    form->Chart1->ControlBitmap();  // Start's own picture
    renders = 0;
  }

  static std::string Line(int i) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f\r\n", 5 + 4 * std::sin(i / 40.0));
    return text;
  }


  int renders = 0;
};

TEST_P(DrawPacingTest, ABurstRendersOnceAndShowsWhatRenderingEverySampleShows) {
  Start();
  std::string burst;
  for (int i = 1; i <= kBurst; ++i) burst += Line(i);
  Receive(burst);
  EXPECT_EQ(renders, 0) << "the sample path rendered";
  ASSERT_TRUE(WaitUntil([&] { return renders > 0; }));
  QCoreApplication::processEvents();
  EXPECT_LE(renders, 2);
  const TBitmap paced = form->Chart1->ControlBitmap();

  // The same samples once more, the picture rendered after every sample
  // (only every 100th of the early ones: each shows the state of its moment).
  form->StopButton->Click();
  Start();
  for (int i = 1; i <= kBurst; ++i) {
    Receive(Line(i));
    if (i % 100 == 0 || i > kBurst - 50) form->Chart1->ControlBitmap();
  }
  EXPECT_TRUE(SameImage(paced, form->Chart1->ControlBitmap(), std::string("pacing-") + GetParam().Name));
  form->StopButton->Click();
}

INSTANTIATE_TEST_SUITE_P(Modes, DrawPacingTest,
                         ::testing::Values(PacingCase{"Normal", false, false, false},
                                           PacingCase{"TrendScrolling", true, false, false},
                                           PacingCase{"LogY", false, true, false},
                                           PacingCase{"DoubleTics", true, false, true}),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace kurvex::test
