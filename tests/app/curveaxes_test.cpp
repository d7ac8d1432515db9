// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "app/curves/curveaxes.h"
#include "app/curves/curvedialog.h"
#include "app/mainwindow.h"
#include "chart/ticklayout.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/tempfolder.h"

namespace kurvex::test {
namespace {

class CurveAxesTest : public MainWindowTest {
 protected:
  /// Opens a setup with the given curves (JSON array) and graph group, and starts.
  void StartWith(const std::string& curves, const std::string& graph = "{}") {
    const std::string path = folder.Path("achsen.kxs");
    std::ofstream(path) << R"({"Kurvex-Setup": 1, "graph": )" << graph << R"(, "curves": )" << curves << "}";
    ASSERT_TRUE(form->OpenSetupFile(path));
    form->StartButton->Click();
  }
  TScalePropsVert& Right() { return form->Chart1->ScaleY(2); }
  TAxisWindow RightWindow() { return {Right().RangeLow(), Right().RangeHigh()}; }

  TempFolder folder;
};

TEST(AutoRangeTest, ATwentiethOfTheSpanBeyondEitherEndOrAHundredthOfAFlatValue) {
  EXPECT_EQ(AutoRange(1000, 1020), (TAxisRange{999, 1021}));
  EXPECT_EQ(AutoRange(-5, 5), (TAxisRange{-5.5, 5.5}));
  EXPECT_EQ(AutoRange(200, 200), (TAxisRange{198, 202}));
  EXPECT_EQ(AutoRange(0, 0), (TAxisRange{-1, 1}));
}

// The right axis shows only while a curve of the acquisition is drawn
// against it; its range and ticks follow the samples, its caption the unit.
TEST_F(CurveAxesTest, TheRightAxisShowsItsCurvesSamplesAndUnitWhileOneIsDrawnAgainstIt) {
  const int rightRim = form->Chart1->RRim();
  StartWith(R"([{}, {"axis": "right"}])", R"({"yMin": 15, "yMax": 30})");
  Receive("21.5 °C;1013 hPa\r\n22 °C;1020 hPa\r\n21 °C;1000 hPa\r\n");
  ASSERT_TRUE(Right().Visible());
  EXPECT_GT(form->Chart1->RRim(), rightRim);
  const TAxisRange expected = AutoRange(1000, 1020);
  EXPECT_EQ(RightWindow(), (TAxisWindow{expected.Low, expected.High}));
  EXPECT_EQ(RangeY(), (TAxisWindow{15, 30}));  // the left axis keeps the graph limits
  EXPECT_EQ(form->Chart1->Scale1Y().Caption(), "°C");
  EXPECT_EQ(Right().Caption(), "hPa");

  // The ticks are those of the range, as any axis lays them out.
  form->Chart1->ControlBitmap();
  TTickParams params;
  params.Low = expected.Low;
  params.High = expected.High;
  params.MinTicks = Right().MinTicks();
  params.Vertical = true;
  params.DecPlaces = Right().DecPlaces();
  TTickLayout layout;
  LayoutTicks(params, layout);
  std::vector<double> ticks;
  for (const TTickMark& mark : layout.Marks) {
    if (mark.Recorded) ticks.push_back(mark.Value);
  }
  const TScale& painter = form->Chart1->PainterY(2);
  ASSERT_EQ(painter.NumTicks(), static_cast<int>(ticks.size()));
  for (int i = 1; i <= painter.NumTicks(); ++i) EXPECT_EQ(painter.TickPosition(i), ticks[i - 1]) << i;

  // Items of the right curve are drawn on layer 2, the left one's on layer 1.
  for (int i = 0; i < form->Chart1->ItemCount(); ++i) {
    const TChartItem& item = form->Chart1->Item(i);
    EXPECT_EQ(item.Layer, item.Curve == 1 ? 2 : 1) << i;
  }
  form->StopButton->Click();

  // Without a right curve the next acquisition has the design's chart.
  StartWith(R"([{}, {"axis": "left"}])");
  Receive("1;2\r\n");
  EXPECT_FALSE(Right().Visible());
  EXPECT_EQ(form->Chart1->RRim(), rightRim);
  EXPECT_EQ(form->Chart1->Scale1Y().Caption(), "");
  form->StopButton->Click();
}

// The right axis follows the samples until the user moves it, and again
// after Reset Axis; Y Log tells when it cannot follow; a fixed range stays.
TEST_F(CurveAxesTest, AUsersMoveHoldsTheRightAxisUntilResetAxisAndAFixedRangeStays) {
  StartWith(R"([{}, {"axis": "right"}])");
  Receive("1;0\r\n2;10\r\n");
  const TAxisWindow before = RightWindow();
  form->Chart1->NavigateTo({0, 100}, {-5, 5});  // as a look back does: the left axis only
  EXPECT_EQ(RightWindow(), before);
  const TAxisRange wider = AutoRange(0, 100);
  Receive("3;100\r\n");
  EXPECT_EQ(RightWindow(), (TAxisWindow{wider.Low, wider.High}));
  // A drag pans both axes by the same pixels; the samples leave them there.
  const TPlotBounds plot = form->Chart1->PlotBounds();
  MouseDrag(form->Chart1->Widget(), {plot.Left + 100, plot.Top + 50}, {plot.Left + 100, plot.Top + 150});
  const TAxisWindow panned = RightWindow();
  EXPECT_GT(panned.Low, wider.Low);
  EXPECT_NEAR(panned.High - panned.Low, wider.High - wider.Low, 1e-9);
  Receive("4;1000\r\n");
  EXPECT_EQ(RightWindow(), panned);
  form->StopButton->Click();
  form->ResetAxisButton->Click();
  const TAxisRange all = AutoRange(0, 1000);
  EXPECT_EQ(RightWindow(), (TAxisWindow{all.Low, all.High}));

  form->LogCheckBox->SetChecked(true);
  EXPECT_TRUE(form->Chart1->Scale1Y().Logarithmic());
  EXPECT_FALSE(Right().Logarithmic());
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages().back().find("rechte Y-Achse"), std::string::npos) << Messages().back();
  form->LogCheckBox->SetChecked(false);

  StartWith(R"([{}, {"axis": "right"}])", R"({"rightYMin": 900, "rightYMax": 1100})");
  Receive("1;1000\r\n2;5000\r\n");
  EXPECT_EQ(RightWindow(), (TAxisWindow{900, 1100}));
  form->StopButton->Click();
}

// The dialog moves a curve to the right axis at once, with its colour; a
// saved chart loads back with the same axes.
TEST_F(CurveAxesTest, AnAppliedAxisMovesTheItemsAndASavedChartLoadsBackWithBothAxes) {
  StartWith("[]");
  Receive("1;1000\r\n2;1010\r\n");
  form->StopButton->Click();
  EXPECT_FALSE(Right().Visible());
  form->EditCurve(1);
  TCurveDialog& dialog = *form->CurveDialog();
  dialog.AxisComboBox->SetText("rechts");
  dialog.ColorComboBox->SetText("Schwarz");
  dialog.ApplyButton->Click();
  ASSERT_TRUE(Right().Visible());
  for (int i = 0; i < form->Chart1->ItemCount(); ++i) {
    const TChartItem& item = form->Chart1->Item(i);
    if (item.Curve != 1) continue;
    EXPECT_EQ(item.Layer, 2) << i;
    EXPECT_EQ(item.Color, clBlack) << i;
  }
  const TAxisWindow shown = RightWindow();
  EXPECT_EQ(shown, (TAxisWindow{AutoRange(1000, 1010).Low, AutoRange(1000, 1010).High}));

  const std::string saved = folder.Path("zwei.kvx");
  dialogs.Files().Answers.push_back(saved);
  form->ErfassungSpeichern->Click();
  form->ClearGraphButton->Click();
  EXPECT_FALSE(Right().Visible());
  dialog.AxisComboBox->SetText("links");  // the file, not the settings, says where its curves are
  dialog.ApplyButton->Click();
  dialogs.Files().Answers.push_back(saved);
  form->Erfassungladen->Click();
  ASSERT_TRUE(Right().Visible());
  EXPECT_EQ(RightWindow(), shown);
}

// An opened recording keeps its columns' units: on the axes, and in the
// CSV it is exported as.
TEST_F(CurveAxesTest, AnOpenedRecordingKeepsItsUnitsOnTheAxesAndInItsExport) {
  StartWith(R"([{}, {"axis": "right"}])");
  form->StopButton->Click();
  const std::string recording = folder.Path("r.csv");
  std::ofstream(recording, std::ios::binary)
      << "Nr,\"Zeit (ISO 8601, Ortszeit)\",Sekunden seit Start,Rohwert Temp,Wert Temp (skaliert) [°C],"
         "Rohwert Druck,Wert Druck (skaliert) [hPa]\r\n"
         "1,2026-12-08T10:15:00.000+01:00,0.000,21.5,21.5,1013,1013\r\n"
         "2,2026-12-08T10:15:01.000+01:00,1.000,22,22,1003,1003\r\n";
  dialogs.Files().Answers.push_back(recording);
  form->AufzeichnungOeffnen->Click();
  ASSERT_TRUE(Right().Visible());
  EXPECT_EQ(RightWindow(), (TAxisWindow{AutoRange(1003, 1013).Low, AutoRange(1003, 1013).High}));
  EXPECT_EQ(RangeY(), (TAxisWindow{21.5, 22}));  // the left axis holds the left curve alone
  EXPECT_EQ(form->Chart1->Scale1Y().Caption(), "°C");
  EXPECT_EQ(Right().Caption(), "hPa");

  const std::string exported = folder.Path("e.csv");
  dialogs.Files().Answers.push_back(exported);
  form->ErfassungCsvExportieren->Click();
  std::ifstream in(exported);
  std::string header;
  std::getline(in, header);
  EXPECT_EQ(header, "Sample,Wert Kanal 1 (skaliert) [°C],Wert Kanal 2 (skaliert) [hPa]\r");
}

}  // namespace
}  // namespace kurvex::test
