// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <cstdio>
#include <fstream>

#include <QCoreApplication>
#include <QLabel>

#include "app/chartcontent.h"
#include "app/chartplotter.h"
#include "app/chartroom.h"
#include "app/curvecolors.h"
#include "app/lookback/lookback.h"
#include "platform/windows/form.h"
#include "platform/windows/panel.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/tempfolder.h"
#include "tests/support/image.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

class ChartPlotterTest : public QtAppTest {
 protected:
  ChartPlotterTest() { chart.SetRange(1, 0, 0, 1000, 10); }

  void Plot(std::int64_t number, float value) {
    const TSampleValue values[] = {{value, value}};
    plotter.Take({number, {}, values, {}, 1});
  }

  /// A line's values by curve; NaN: the curve has no value in it.
  void PlotCurves(std::int64_t number, std::vector<float> values) {
    std::vector<TSampleValue> taken;
    std::uint16_t present = 0;
    for (std::size_t k = 0; k < values.size(); ++k) {
      taken.push_back({values[k], values[k]});
      if (!std::isnan(values[k])) present |= static_cast<std::uint16_t>(1u << k);
    }
    plotter.Take({number, {}, taken, {}, present});
  }
  /// The items as "curve kind x", kind M or D.
  std::vector<std::string> Items() const {
    std::vector<std::string> items;
    for (int i = 0; i < chart.ItemCount(); ++i) {
      const TChartItem& item = chart.Item(i);
      items.push_back(std::to_string(item.Curve) + (item.Kind == ikMoveTo ? " M " : " D ") +
                      std::to_string(static_cast<int>(item.X)));
    }
    return items;
  }

  TChartControl chart;
  TSessionState session;
  TChartPlotter plotter{chart, session};
};

TEST_F(ChartPlotterTest, NormalAsksForNoPictureOnceItsCurvesRunBeyondTheXWindow) {
  int renders = 0;
  chart.OnDataRendered = [&](TObject*, TCanvas&, int, int) { ++renders; };
  chart.Show();
  for (int n = 1; n <= 1000; ++n) Plot(n, 5);
  chart.ControlBitmap();  // renders a pending request, if any
  EXPECT_EQ(renders, 1);
  for (int n = 1001; n <= 1100; ++n) Plot(n, 5);
  chart.ControlBitmap();
  EXPECT_EQ(renders, 2) << "the segment from 1000 into the rim still shows";
  for (int n = 1101; n <= 1300; ++n) Plot(n, 5);
  chart.ControlBitmap();
  EXPECT_EQ(renders, 2);
}

TEST_F(ChartPlotterTest, NormalPlacesSampleNAtXnAndRedrawsLessOftenAsTheChartFills) {
  Plot(1, 12.5);
  Plot(2, 3);
  EXPECT_EQ(Items(), (std::vector<std::string>{"0 M 0", "0 D 2"}));  // no point at X = 1
  EXPECT_EQ(chart.Item(0).Y, 12.5);
  EXPECT_EQ(plotter.RedrawCounter(), 0);  // every early sample redraws
  for (int n = 3; n <= 2001; ++n) Plot(n, 1);
  EXPECT_EQ(plotter.RedrawInterval(), 2);
  EXPECT_EQ(plotter.RedrawCounter(), 1);
  Plot(20001, 1);
  EXPECT_EQ(plotter.RedrawInterval(), 200);
}

TEST_F(ChartPlotterTest, TrendFillsTheWindowThenScrollsByOne) {
  session.TrendMode = true;
  session.GraphXMax = 1000;
  for (int n = 1; n <= 981; ++n) Plot(n, static_cast<float>(n % 7));
  EXPECT_EQ(chart.Scale1X().RangeLow(), 0);
  EXPECT_EQ(chart.ItemCount(), 982);  // the first sample is a MoveTo and a DrawTo
  Plot(982, 3);
  EXPECT_EQ(chart.Scale1X().RangeLow(), 1);
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 1001);
  EXPECT_EQ(chart.Scale1Y().RangeHigh(), 10);  // Y stays
  EXPECT_EQ(chart.ItemCount(), 982);
  EXPECT_EQ(chart.Item(981).X, 982);
}

TEST_F(ChartPlotterTest, TrendWithASmallWindowScrollsFromTheFirstSample) {
  session.TrendMode = true;
  session.GraphXMax = 10;
  Plot(1, 4);
  EXPECT_EQ(chart.ItemCount(), 0);  // sample 1 removed both of its items
  EXPECT_EQ(chart.Scale1X().RangeLow(), 1);
  Plot(2, 5);
  EXPECT_EQ(chart.ItemCount(), 0);
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 1002);
}

// Each curve is a polyline of its own in its colour; a curve missing from
// a line leaves a gap, one that comes back starts anew.
TEST_F(ChartPlotterTest, CurvesOneToThreeToOneKeepTheirOwnLinesAndGaps) {
  const float gap = NAN;
  PlotCurves(1, {1});
  PlotCurves(2, {1, 2, 3});
  PlotCurves(3, {1, gap, 3});
  PlotCurves(4, {1, 2});
  PlotCurves(5, {1});
  EXPECT_EQ(Items(), (std::vector<std::string>{"0 M 0", "0 D 2", "1 M 2", "2 M 2", "0 D 3", "2 D 3", "0 D 4",
                                              "1 M 4", "0 D 5"}));
  EXPECT_EQ(chart.Item(2).Color, CurveColor(1));
  EXPECT_EQ(chart.Item(0).Color, clBlue);
}

TEST_F(ChartPlotterTest, TrendScrollsAllCurvesOfTheOldestSampleAway) {
  session.TrendMode = true;
  session.GraphXMax = 24;  // full after 5 samples
  for (int n = 1; n <= 5; ++n) PlotCurves(n, {1, 2, 3});
  ASSERT_EQ(chart.ItemCount(), 18);  // sample 1: a MoveTo and a DrawTo per curve
  PlotCurves(6, {1, 2, 3});
  PlotCurves(7, {1, 2, 3});
  // Each step took the oldest step's three points: first the MoveTos.
  EXPECT_EQ(Items().front(), "0 D 2");
  EXPECT_EQ(chart.ItemCount(), 18);
}

// A line without any value is still a sample: it breaks every curve and,
// in Trend, moves the window on like any other.
TEST_F(ChartPlotterTest, ASampleWithoutValuesBreaksTheCurvesAndTakesItsStep) {
  const float gap = NAN;
  session.TrendMode = true;
  session.GraphXMax = 24;
  for (int n = 1; n <= 5; ++n) PlotCurves(n, {1});
  PlotCurves(6, {gap});
  PlotCurves(7, {gap});
  PlotCurves(8, {1});
  EXPECT_EQ(chart.Scale1X().RangeLow(), 3);  // samples 6, 7 and 8 each scrolled by one
  EXPECT_EQ(Items(), (std::vector<std::string>{"0 D 3", "0 D 4", "0 D 5", "0 M 8"}));
}

// What the chart shows, on its own: a chart, its plotter and an intake whose
// samples go to the content.
class ChartContentTest : public QtAppTest {
 protected:
  ChartContentTest() {
    chart.SetBounds(0, 0, 400, 300);
    chart.Show();
    chart.SetRange(1, 0, 0, 100, 10);
    intake.Attach(plotter);
    content.AttachTo(intake);
  }
  void Acquire(bool trend, int lines) {
    session.TrendMode = trend;
    session.GraphXMax = 100;
    content.StartAcquisition(trend);
    intake.StartAcquisition();
    for (int i = 1; i <= lines; ++i) intake.TakeLine(std::to_string(i));
  }
  std::int64_t ShownSamples() const {
    const THistory* history = content.HistoryShown();
    return history != nullptr ? history->LastNumber() : 0;
  }

  TChartControl chart;
  TSessionState session;
  TSampleIntake intake{session};
  TChartPlotter plotter{chart, session};
  TChartContent content{chart, plotter};
  std::vector<TContentChange> changes;
  TSubscription listening = content.SubscribeChanged([this](TContentChange change) {
    changes.push_back(change);
    // A listener already sees the state the change leads to.
    EXPECT_EQ(content.OpenedRecording().has_value(), change == TContentChange::RecordingOpened);
  });
};

using enum TContentChange;
using TShows = TChartContent::TShows;

TEST_F(ChartContentTest, EachTransitionTellsWhatIsShownAndWhereItsSamplesAre) {
  Acquire(false, 3);
  EXPECT_EQ(content.Shows(), TShows::Acquisition);
  EXPECT_EQ(ShownSamples(), 3);
  EXPECT_EQ(content.Axis(), TSampleAxis::NormalStart);

  // A graph file loaded while acquiring leaves the history whole; when idle it goes.
  content.GraphFileLoaded(true);
  EXPECT_EQ(content.Shows(), TShows::GraphFile);
  EXPECT_EQ(ShownSamples(), 3);
  content.GraphFileLoaded(false);
  EXPECT_EQ(content.HistoryShown(), nullptr);

  THistory recording;
  const float values[][1] = {{2}, {7}};
  for (const auto& v : values) recording.Append(0, v, 0b1);
  content.ShowRecording(std::move(recording), {"/daten/alt.csv", 2});
  EXPECT_EQ(content.Shows(), TShows::OpenedRecording);
  EXPECT_EQ(content.OpenedRecording()->Path, "/daten/alt.csv");
  EXPECT_EQ(ShownSamples(), 2);
  EXPECT_EQ(content.Axis(), TSampleAxis::Numbers);

  content.Clear();
  EXPECT_EQ(content.Shows(), TShows::Acquisition);
  EXPECT_FALSE(content.OpenedRecording());
  EXPECT_EQ(content.HistoryShown(), nullptr);
  EXPECT_EQ(chart.ItemCount(), 0);

  Acquire(false, 1);
  EXPECT_EQ(changes,
            (std::vector{AcquisitionStarts, GraphFileLoaded, GraphFileLoaded, RecordingOpened, Cleared, AcquisitionStarts}));
}

TEST_F(ChartContentTest, ATrendViewMovedByAFeatureIsLookedBackOnUntilFolgen) {
  Acquire(true, 50);
  int windowsSet = 0;
  const TSubscription windows = content.SubscribeWindowSet([&] { ++windowsSet; });
  content.SetWindow(0, 0, 100, 10);
  EXPECT_EQ(windowsSet, 1);
  EXPECT_EQ(content.Shows(), TShows::Acquisition) << "a window the program sets keeps following";

  content.NavigateTo({10, 30}, {0, 10});
  EXPECT_EQ(content.Shows(), TShows::LookedBack);
  EXPECT_EQ(content.Axis(), TSampleAxis::Numbers);
  content.LookBack().FollowButton().Click();
  EXPECT_EQ(content.Shows(), TShows::Acquisition);
  // A loaded graph file ends looking back: its items are what the chart shows.
  content.NavigateTo({10, 30}, {0, 10});
  content.GraphFileLoaded(true);
  EXPECT_EQ(content.Shows(), TShows::GraphFile);
  EXPECT_FALSE(content.LookBack().FollowButton().Visible());
}

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

struct Bounds {
  int left, top, width, height;
  bool operator==(const Bounds&) const = default;
};
Bounds BoundsOf(const TWinControl& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

// The chart where the window puts it, a column as wide as the legend and a
// strip as high as the closer-look panel.
class ChartRoomTest : public QtAppTest {
 protected:
  ChartRoomTest() {
    form.SetBounds(0, 0, 900, 575);
    chart.SetBounds(232, 119, 657, 371);
    chart.SetAnchors(akLeft | akTop | akRight | akBottom);
    form.Show();
  }
  TForm form;
  TChartControl chart{&form};
  TPanel column{&form};
  TPanel strip{&form};
  TChartRoom room{chart};
};

TEST_F(ChartRoomTest, ColumnAndStripShareTheRoomInEitherOrderAndGiveItBackWhole) {
  for (bool columnFirst : {true, false}) {
    SCOPED_TRACE(columnFirst ? "column first" : "strip first");
    room.ShowRightColumn(column, 190, columnFirst);
    room.ShowBottomStrip(strip, 96, true);
    room.ShowRightColumn(column, 190, true);
    EXPECT_EQ(BoundsOf(chart), (Bounds{232, 119, 463, 275}));
    EXPECT_EQ(BoundsOf(column), (Bounds{699, 119, 190, 275})) << "beside the chart, not beside the strip";
    EXPECT_EQ(BoundsOf(strip), (Bounds{232, 394, 463, 96}));
    EXPECT_TRUE(column.Visible() && strip.Visible());

    room.ShowRightColumn(column, 190, false);
    EXPECT_EQ(BoundsOf(strip), (Bounds{232, 394, 657, 96})) << "the strip follows the chart's width";
    room.ShowBottomStrip(strip, 96, false);
    EXPECT_EQ(BoundsOf(chart), (Bounds{232, 119, 657, 371}));
    EXPECT_FALSE(column.Visible() || strip.Visible());
  }
}

TEST_F(ChartRoomTest, AWindowResizedMeanwhileGetsItsWholeChartBack) {
  room.ShowRightColumn(column, 190, true);
  room.ShowBottomStrip(strip, 96, true);
  form.SetBounds(0, 0, 1000, 675);
  room.ShowBottomStrip(strip, 96, false);
  room.ShowRightColumn(column, 190, false);
  EXPECT_EQ(BoundsOf(chart), (Bounds{232, 119, 757, 471}));
}

class CurvesTest : public MainWindowTest {
 protected:
  QWidget* Child(const char* name) { return form->Widget()->findChild<QWidget*>(name); }
};

TEST_F(CurvesTest, NamedCurvesGetALegendBesideANarrowerChartUntilTheNextStart) {
  const int chartWidth = form->Chart1->Width();
  form->StartButton->Click();
  Receive("a: 1; b: 2; c: 3\na: 2; b: 3; c: 4\n");
  ASSERT_NE(Child("CurveLegend"), nullptr);
  EXPECT_TRUE(Child("CurveLegend")->isVisibleTo(form->Widget()));
  EXPECT_LT(form->Chart1->Width(), chartWidth);
  EXPECT_GE(Child("CurveLegend")->geometry().left(), form->Chart1->Left() + form->Chart1->Width());
  EXPECT_TRUE(Panel(1).ends_with(" · LF")) << Panel(1);
  EXPECT_EQ(form->Label10->Caption(), "2");  // curve 1

  // The check box that hides curve 2 says so to a screen reader.
  QWidget* box = Child("CurveShown2");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->accessibleName().toStdString(), "b anzeigen");

  form->StopButton->Click();
  form->StartButton->Click();
  EXPECT_EQ(form->Chart1->Width(), chartWidth);
  EXPECT_FALSE(Child("CurveLegend")->isVisibleTo(form->Widget()));
  // The next acquisition's legend has its own curves, nothing of the last.
  Receive("1;2\n3;4\n");
  EXPECT_TRUE(Child("CurveName2")->isVisibleTo(form->Widget()));
  EXPECT_FALSE(Child("CurveName3")->isVisibleTo(form->Widget()));
  const auto* name = static_cast<QLabel*>(Child("CurveName1"));
  EXPECT_TRUE(WaitUntil([&] { return name->text() == "Kanal 1"; })) << name->text().toStdString();

  // Values beyond the last curve are ignored, and said once.
  std::string line;
  for (int i = 1; i <= 17; ++i) line += std::to_string(i) + ";";
  Receive(line + "\n" + line + "\n");
  EXPECT_EQ(form->SessionState.SampleCount, 4);
  EXPECT_NE(Panel(2).find("Mehr als 16 Werte je Zeile – weitere ignoriert"), std::string::npos) << Panel(2);
  form->StopButton->Click();
}

// The instrument's unit follows each value; one the user set wins, and a
// long one is cut with its whole text in the tooltip.
TEST_F(CurvesTest, EachLegendValueCarriesItsCurvesUnit) {
  TempFolder folder;
  const std::string setup = folder.Path("einheit.kxs");
  std::ofstream(setup) << R"({"Kurvex-Setup": 1, "curves": [{}, {}, {"unit": "Prozent relativer Feuchte"}]})";
  ASSERT_TRUE(form->OpenSetupFile(setup));
  form->StartButton->Click();
  Receive("Temp: 21.5 °C;Druck: 1013 hPa;Feuchte: 45 %\r\n");
  const auto text = [&](const char* name) { return static_cast<QLabel*>(Child(name))->text().toStdString(); };
  EXPECT_TRUE(WaitUntil([&] { return text("CurveValue1") == "21,5 °C"; })) << text("CurveValue1");
  EXPECT_EQ(text("CurveValue2"), "1013 hPa");
  EXPECT_EQ(text("CurveValue3"), "45 Prozent relative…");
  EXPECT_EQ(Child("CurveValue3")->toolTip().toStdString(), "Prozent relativer Feuchte");
  EXPECT_EQ(Child("CurveValue1")->toolTip().toStdString(), "");
  form->StopButton->Click();
}

}  // namespace
}  // namespace kurvex::test
