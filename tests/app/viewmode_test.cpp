// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/app/mainwindow_fixture.h"

namespace kurvex::test {
namespace {

using ViewModeTest = MainWindowTest;

// A vertical drag upwards: zooming shrinks the Y window, panning moves it.
double YExtentAfterDrag(TForm1& f) {
  MouseDrag(f.Chart1->Widget(), {300, 150}, {300, 100});
  return f.Chart1->Scale1Y().RangeHigh() - f.Chart1->Scale1Y().RangeLow();
}

TEST_F(ViewModeTest, AStartThatFailsOnAFieldKeepsTrendOrZoom) {
  TForm1& f = *form;
  f.TrendCheckBox->SetChecked(true);
  f.Chart1->DrawTo(1, 1);
  for (TNumEdit* field : {f.GraphYmaxEdit.get(), f.DatSkalEdit.get()}) {
    SCOPED_TRACE(field->Name());
    SetFieldText(*field, "1.000");
    MouseClick(f.StartButton->Widget());
    EXPECT_EQ(Messages().back(), "'1.000' ist kein gültiger Gleitkommawert");
    ExpectIdleControls(f);
    ExpectState(f, {false, false, false, false, false, true, maPan, true});
    EXPECT_EQ(f.Chart1->ItemCount(), 1);  // nothing was acquired, nothing is lost
    SetFieldText(*field, "10");
  }
  // Mended, the next Start runs in Trend.
  f.StartButton->Click();
  EXPECT_TRUE(f.SerialComm1->Active());
  EXPECT_TRUE(f.SessionState.TrendMode);
  f.StopButton->Click();

  MouseClick(f.ZoomRadioButton->Widget());
  SetFieldText(*f.DatOffsetEdit, "1.000");
  MouseClick(f.StartButton->Widget());
  EXPECT_EQ(Messages().size(), 3u);
  ExpectIdleControls(f);
  ExpectState(f, {false, true, true, false, true, false, maZoomDrag, false});
}

TEST_F(ViewModeTest, AfterStopTheMouseDoesWhatTheCheckedRadioButtonSays) {
  TForm1& f = *form;
  MouseClick(f.ZoomRadioButton->Widget());
  f.StartButton->Click();
  f.StopButton->Click();
  EXPECT_TRUE(f.ZoomRadioButton->Checked());
  EXPECT_EQ(f.Chart1->MouseAction(), maZoomDrag);
  f.ResetAxisButton->Click();
  EXPECT_LT(YExtentAfterDrag(f), 10);

  // Zoom chosen while acquiring.
  MouseClick(f.NormalRadioButton->Widget());
  f.StartButton->Click();
  MouseClick(f.ZoomRadioButton->Widget());
  f.StopButton->Click();
  EXPECT_EQ(f.Chart1->MouseAction(), maZoomDrag);

  MouseClick(f.NormalRadioButton->Widget());
  f.StartButton->Click();
  f.StopButton->Click();
  EXPECT_EQ(f.Chart1->MouseAction(), maPan);
  f.ResetAxisButton->Click();
  EXPECT_DOUBLE_EQ(YExtentAfterDrag(f), 10);
}

}  // namespace
}  // namespace kurvex::test
