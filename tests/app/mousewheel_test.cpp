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

TEST_F(MouseWheelWindowTest, AWheelZoomOfAFollowingTrendPictureStopsFollowingAsADragDoes) {
  form->TrendCheckBox->SetChecked(true);
  form->StartButton->Click();
  Lines(2000);
  const double width = Width();
  Wheel(120);
  const TAxisWindow zoomed = RangeX();
  EXPECT_NEAR(zoomed.High - zoomed.Low, width / 1.25, 1e-6);
  EXPECT_TRUE(form->Chart1->Widget()->findChild<QWidget*>("FollowButton")->isVisible()) << "still following";
  EXPECT_NE(form->Chart1->CurveSource(), nullptr) << "not drawn from the history";
  Lines(500);
  EXPECT_EQ(RangeX(), zoomed) << "the view went on following";

  QWidget* follow = form->Chart1->Widget()->findChild<QWidget*>("FollowButton");
  MouseClick(follow, follow->rect().center());
  EXPECT_NEAR(Width(), width, 1e-6) << "Folgen returns to the live window";
  EXPECT_EQ(form->Chart1->CurveSource(), nullptr);
}

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
