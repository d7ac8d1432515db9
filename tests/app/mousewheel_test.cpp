// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include "tests/app/mainwindow_fixture.h"
#include "tests/chart/mouse_fixture.h"

namespace kurvex::test {
namespace {

// The wheel over the window's chart.
class MouseWheelWindowTest : public MainWindowTest {
 protected:
  void Lines(int lines) {
    std::string bytes;
    for (int i = 0; i < lines; ++i) bytes += std::to_string(5 + i % 7) + "\r\n";
    Receive(bytes);
  }
  void Wheel(int delta) { WheelTurn(form->Chart1->Widget(), {300, 150}, delta); }
  double Width() const { return RangeX().High - RangeX().Low; }
};

TEST_F(MouseWheelWindowTest, TheWheelZoomsDuringAndAfterANormalAcquisitionInEitherMouseMode) {
  form->ZoomRadioButton->SetChecked(true);
  form->StartButton->Click();
  const double width = Width();
  Lines(50);
  Wheel(120);
  EXPECT_NEAR(Width(), width / 1.25, 1e-6) << "acquiring";
  Lines(50);
  EXPECT_NEAR(Width(), width / 1.25, 1e-6) << "new samples keep the view";
  form->StopButton->Click();
  form->NormalRadioButton->SetChecked(true);
  Wheel(-120);
  EXPECT_NEAR(Width(), width, 1e-6) << "stopped";
}

}  // namespace
}  // namespace kurvex::test
