// SPDX-License-Identifier: GPL-3.0-or-later

#include <QCursor>

#include "tests/app/mainwindow_fixture.h"
#include "tests/chart/mouse_fixture.h"

namespace kurvex::test {
namespace {

using ViewControlsTest = MainWindowTest;

void Click(TWinControl& control) { MouseClick(control.Widget()); }

TEST_F(ViewControlsTest, EveryRowOfTheStateTable) {
  TForm1& f = *form;
  SCOPED_TRACE("start-up");
  ExpectState(f, {true, false, true, false, true, false, maPan, false});

  f.SessionState.TrendMode = true;  // Zoom leaves it as it is
  Click(*f.ZoomRadioButton);
  {
    SCOPED_TRACE("Zoom chosen");
    ExpectState(f, {false, true, true, false, true, false, maZoomDrag, true});
  }
  f.SessionState.TrendMode = false;

  Click(*f.LogCheckBox);
  {
    SCOPED_TRACE("Y Log checked");
    ExpectState(f, {true, false, false, true, true, false, maPan, false});
  }
  Click(*f.LogCheckBox);

  f.GraphXmaxEdit->SetText("500");
  Click(*f.TrendCheckBox);
  {
    SCOPED_TRACE("Trend checked");
    ExpectState(f, {false, false, false, false, false, true, maPan, true});
    EXPECT_EQ(f.GraphXmaxEdit->Text(), "1000");
    EXPECT_EQ(RangeX(), (TAxisWindow{0, 1000}));
    EXPECT_EQ(RangeY(), (TAxisWindow{0, 10}));
  }
  Click(*f.TrendCheckBox);
  {
    SCOPED_TRACE("Trend unchecked");
    ExpectState(f, {true, false, true, false, true, false, maPan, false});
  }
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ViewControlsTest, YLogResetsTheWindowAndUncheckingKeepsItsLowerLimit) {
  TForm1& f = *form;
  f.Chart1->SetRange(1, 10, 20, 30, 40);  // as after a pan
  Click(*f.LogCheckBox);
  EXPECT_EQ(f.GraphYminEdit->Text(), "0,100000000");  // "0,1" in the field's 9 places
  EXPECT_TRUE(f.DoubleTicsCheckBox->Checked());
  EXPECT_EQ(f.Chart1->Scale1X().MinTicks(), 6);
  EXPECT_EQ(f.Chart1->Scale1Y().MinTicks(), 6);
  EXPECT_EQ(RangeX(), (TAxisWindow{0, 1000}));
  EXPECT_EQ(RangeY(), (TAxisWindow{0.1f, 10}));
  EXPECT_TRUE(f.Chart1->Scale1Y().Logarithmic());

  Click(*f.LogCheckBox);
  EXPECT_EQ(f.GraphYminEdit->Text(), "0,000000000");
  EXPECT_FALSE(f.Chart1->Scale1Y().Logarithmic());
  EXPECT_EQ(RangeY().Low, 0.1f);  // until Reset Axis or Start
  EXPECT_TRUE(f.DoubleTicsCheckBox->Checked());
  EXPECT_TRUE(f.ZoomRadioButton->Enabled());

  Click(*f.ResetAxisButton);
  EXPECT_EQ(RangeY(), (TAxisWindow{0, 10}));
}

// Reset Axis and Start alike; Start acquires in the kept window.
TEST_F(ViewControlsTest, ALogarithmicYAxisKeepsItsWindowForLimitsAtOrBelowZeroAndSaysWhy) {
  TForm1& f = *form;
  const std::string why =
      "Die logarithmische Y-Achse kann nur Werte größer als 0 zeigen. Graph Y min und Graph Y max müssen "
      "größer als 0 sein; die Y-Achse bleibt unverändert.";
  Click(*f.LogCheckBox);  // Y 0.1 .. 10
  f.GraphYminEdit->SetText("0");
  f.GraphXmaxEdit->SetText("500");
  Click(*f.ResetAxisButton);
  EXPECT_EQ(RangeX(), (TAxisWindow{0, 500}));
  EXPECT_EQ(RangeY(), (TAxisWindow{0.1f, 10}));
  EXPECT_EQ(Messages(), std::vector<std::string>{why});
  f.GraphYminEdit->SetText("-5");
  f.GraphXmaxEdit->SetText("400");
  f.StartButton->Click();
  EXPECT_EQ(Messages(), (std::vector<std::string>{why, why}));
  EXPECT_TRUE(f.SerialComm1->Active());
  EXPECT_TRUE(f.Chart1->Scale1Y().Logarithmic());
  EXPECT_EQ(RangeX(), (TAxisWindow{0, 400}));
  EXPECT_EQ(RangeY(), (TAxisWindow{0.1f, 10}));
  f.StopButton->Click();
  f.GraphYminEdit->SetText("1");
  Click(*f.ResetAxisButton);
  EXPECT_EQ(RangeY(), (TAxisWindow{1, 10}));
  EXPECT_EQ(Messages().size(), 2u);

  Click(*f.LogCheckBox);  // off
  f.GraphYmaxEdit->SetText("0");
  Click(*f.LogCheckBox);  // on, with nothing above zero to show
  EXPECT_FALSE(f.Chart1->Scale1Y().Logarithmic());
  EXPECT_EQ(Messages(), (std::vector<std::string>{why, why, why}));
}

TEST_F(ViewControlsTest, TrendWhileYLogIsCheckedLeavesZoomUsable) {
  TForm1& f = *form;
  Click(*f.LogCheckBox);
  Click(*f.TrendCheckBox);
  // Y Log's handler ran inside Trend's and enabled Zoom again.
  ExpectState(f, {false, false, true, false, false, true, maPan, true});
  EXPECT_FALSE(f.Chart1->Scale1Y().Logarithmic());
  EXPECT_EQ(f.GraphYminEdit->Text(), "0,000000000");

  Click(*f.ZoomRadioButton);
  EXPECT_EQ(f.Chart1->MouseAction(), maZoomDrag);
  EXPECT_TRUE(f.SessionState.TrendMode);
  EXPECT_TRUE(f.TrendCheckBox->Checked());
}

TEST_F(ViewControlsTest, NormalWhileTrendIsCheckedRunsOnceAndSwitchesTrendOff) {
  TForm1& f = *form;
  Click(*f.TrendCheckBox);
  int normalRuns = 0;
  const TNotifyEvent normal = f.NormalRadioButton->OnClick;
  f.NormalRadioButton->OnClick = [&](TObject* s) {
    ++normalRuns;
    normal(s);
  };
  Click(*f.NormalRadioButton);
  EXPECT_EQ(normalRuns, 1);
  ExpectState(f, {true, false, true, false, true, false, maPan, false});
}

TEST_F(ViewControlsTest, GridTicsResetAndClear) {
  TForm1& f = *form;
  EXPECT_EQ(f.Chart1->GridStyle(), gsLines);
  Click(*f.ShowGridCheckBox);
  EXPECT_EQ(f.Chart1->GridStyle(), gsNone);
  Click(*f.ShowGridCheckBox);
  EXPECT_EQ(f.Chart1->GridStyle(), gsLines);

  Click(*f.DoubleTicsCheckBox);
  EXPECT_EQ(f.Chart1->Scale1X().MinTicks(), 6);
  Click(*f.DoubleTicsCheckBox);
  EXPECT_EQ(f.Chart1->Scale1X().MinTicks(), 3);
  EXPECT_EQ(f.Chart1->Scale1Y().MinTicks(), 3);

  f.GraphYmaxEdit->SetText("25");
  f.GraphYminEdit->SetText("-5");
  Click(*f.ResetAxisButton);
  EXPECT_EQ(RangeX(), (TAxisWindow{0, 1000}));
  EXPECT_EQ(RangeY(), (TAxisWindow{-5, 25}));

  f.Chart1->MoveTo(0, 1);
  f.Chart1->DrawTo(1, 2);
  f.StatusBar->Panels()[0].SetText("2");
  f.Label10->SetCaption("2");
  f.SessionState.SampleCount = 2;
  Click(*f.ClearGraphButton);
  EXPECT_EQ(f.Chart1->ItemCount(), 0);
  EXPECT_EQ(f.StatusBar->Panels()[0].Text(), "");
  EXPECT_EQ(f.Label10->Caption(), "2");
  EXPECT_EQ(f.SessionState.SampleCount, 2);
}

TEST_F(ViewControlsTest, AFieldThatDoesNotConvertStopsTheHandlerThere) {
  TForm1& f = *form;
  const TAxisWindow x0 = RangeX(), y0 = RangeY();
  SetFieldText(*f.GraphYmaxEdit, "1,2,3");
  Click(*f.ResetAxisButton);
  EXPECT_EQ(Messages(), std::vector<std::string>{"'1,2,3' ist kein gültiger Gleitkommawert"});
  EXPECT_EQ(RangeX(), x0);

  Click(*f.LogCheckBox);  // the steps before the conversion have run
  EXPECT_EQ(Messages().size(), 2u);
  EXPECT_EQ(f.GraphYminEdit->Text(), "0,100000000");  // "0,1" in the field's 9 places
  EXPECT_TRUE(f.DoubleTicsCheckBox->Checked());
  EXPECT_FALSE(f.ZoomRadioButton->Enabled());
  EXPECT_EQ(RangeY(), y0);
  EXPECT_FALSE(f.Chart1->Scale1Y().Logarithmic());

  Click(*f.TrendCheckBox);
  EXPECT_EQ(Messages().size(), 3u);
  EXPECT_EQ(f.Chart1->MouseAction(), maPan);
  EXPECT_EQ(f.GraphXmaxEdit->Text(), "1000");
  EXPECT_FALSE(f.SessionState.TrendMode);
}

// Panning and zooming themselves are the chart's; the window's chart shows
// the hand pointer for both.
TEST_F(ViewControlsTest, TheChartInTheWindowShowsTheHandPointerToPanAndToZoom) {
  TForm1& f = *form;
  QWidget* chart = f.Chart1->Widget();
  MouseMove(chart, {300, 150});
  EXPECT_EQ(chart->cursor().shape(), Qt::PointingHandCursor);
  Click(*f.ZoomRadioButton);
  MouseMove(chart, {310, 150});
  EXPECT_EQ(chart->cursor().shape(), Qt::PointingHandCursor);
}

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
