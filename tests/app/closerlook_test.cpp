// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <tuple>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QTest>

#include "app/closer/closertexts.h"
#include "app/closer/historyseries.h"
#include "app/closer/itemseries.h"
#include "app/closer/markerdelta.h"
#include "app/lookback/lookback.h"
#include "history/historyfeed.h"
#include "tests/support/recordingclipboard.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/strictcsv.h"
#include "tests/support/timezone.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

// The window after an acquisition of sample k = k / 4 (k = 1 …).
class CloserLookTest : public MainWindowTest {
 protected:
  void Acquire(int lines, bool trend = false) {
    form->TrendCheckBox->SetChecked(trend);
    form->StartButton->Click();
    Samples(lines);
  }
  void Samples(int lines) {
    std::string bytes;
    for (int i = 0; i < lines; ++i) bytes += std::to_string(++sent / 4.0) + "\r\n";
    Receive(bytes);
  }
  static float ValueOf(std::int64_t number) { return static_cast<float>(number / 4.0); }

  TChartControl& Chart() { return *form->Chart1; }
  TCloserLook& Closer() { return form->CloserLook(); }
  QPoint PixelOf(double x) {
    int px, py;
    Chart().WorldToPixel(1, x, Chart().Scale1Y().RangeLow(), px, py);
    return {px, Chart().TRim() + 30};
  }
  void Hover(QPoint at) { MouseMove(Chart().Widget(), at); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Chart().Widget(), key, modifiers);
  }
  /// The label's text once a frame has shown `expected` (or after waiting in vain).
  static std::string Shown(TLabel& label, const std::string& expected) {
    WaitUntil([&] { return static_cast<QLabel*>(label.Widget())->text().toStdString() == expected; });
    return static_cast<QLabel*>(label.Widget())->text().toStdString();
  }
  /// The panel's values of `figures` as one text, "a|b|…", once a frame has shown `expected`.
  std::string Shown(std::initializer_list<TFigure> figures, const std::string& expected) {
    const auto shown = [&] {
      std::string text;
      for (TFigure figure : figures)
        text += static_cast<QLabel*>(Closer().Panel().Value(figure).Widget())->text().toStdString() + "|";
      return text;
    };
    WaitUntil([&] { return shown() == expected; });
    return shown();
  }
  /// What a screen reader says for `label`.
  static std::string Spoken(TLabel& label) {
    return QAccessible::queryAccessibleInterface(label.Widget())->text(QAccessible::Name).toStdString();
  }

  RecordingClipboard clipboard;
  int sent = 0;
};

TEST_F(CloserLookTest, InNormalTheReadoutFollowsThePointerAndGoesWhenItLeavesThePlot) {
  Acquire(100);
  form->StopButton->Click();
  Chart().SetRange(1, 0, 0, 100, 30);  // a few pixels a sample
  TCloserPanel& panel = Closer().Panel();
  EXPECT_FALSE(panel.ReadoutLabel->Visible());

  Hover(PixelOf(0));  // sample 1 lies at X = 0 in Normal
  EXPECT_EQ(Closer().Readout().Number, 1);
  Hover(PixelOf(50));
  ASSERT_EQ(Closer().Readout().Number, 50);
  EXPECT_EQ(Chart().CrossHair(1).Mode(), chVert);
  EXPECT_EQ(Chart().CrossHair(1).PosX(), 50);
  EXPECT_TRUE(WaitUntil([&] { return Spoken(*panel.ReadoutLabel).rfind("Sample 50 · 12,5 · ", 0) == 0; }))
      << Spoken(*panel.ReadoutLabel);
  EXPECT_TRUE(panel.ReadoutLabel->Visible());
  EXPECT_FALSE(panel.PanelShown()) << "hovering leaves the chart's size alone";

  Hover(QPoint(3, 3));  // the chart's rim
  EXPECT_EQ(Chart().CrossHair(1).Mode(), chOff);
  EXPECT_TRUE(WaitUntil([&] { return !panel.ReadoutLabel->Visible(); }));

  // The same acquisition saved and loaded as a graph file is read from its points, without times.
  TempFolder folder;
  Chart().SaveGraph(folder.Path("a.kvx"));
  form->ClearGraphButton->Click();
  Chart().LoadGraph(folder.Path("a.kvx"), true);
  Chart().SetRange(1, 0, 0, 20, 10);
  Hover(PixelOf(6.2));
  const TPickedSample read = Closer().Readout();
  EXPECT_EQ(read.Number, 6);
  EXPECT_EQ(read.Value, ValueOf(6));
  EXPECT_FALSE(read.WallNs);
  EXPECT_EQ(Shown(*panel.ReadoutLabel, "Sample 6 · 1,5"), "Sample 6 · 1,5");
}

// Pointer moves and samples between two frames cost one render at the next.
TEST_F(CloserLookTest, TheReadoutFollowsThePointerWithOneRenderPerFrame) {
  int renders = 0;
  Chart().OnDataRendered = [&](TObject*, TCanvas&, int, int) { ++renders; };
  Acquire(2000, true);
  ASSERT_TRUE(WaitUntil([&] { return renders > 0; }));
  QCoreApplication::processEvents();
  renders = 0;
  for (int x = 100; x < 400; x += 3) {
    Hover(QPoint(x, Chart().TRim() + 30));
    Samples(10);
  }
  EXPECT_EQ(renders, 0) << "a pointer move rendered at once";
  ASSERT_TRUE(WaitUntil([&] { return renders > 0; }));
  QCoreApplication::processEvents();
  EXPECT_LE(renders, 2);
  EXPECT_TRUE(Closer().Panel().ReadoutLabel->Visible());
}

TEST_F(CloserLookTest, InTrendTheReadoutFollowsTheScrollingSamplesAndStaysOnAPausedView) {
  Acquire(2000, true);
  const QPoint at = PixelOf((Chart().Scale1X().RangeLow() + Chart().Scale1X().RangeHigh()) / 2);
  Hover(at);
  const std::int64_t following = Closer().Readout().Number;
  Samples(100);
  EXPECT_EQ(Closer().Readout().Number, following + 100) << "the samples scrolled under the pointer";
  EXPECT_TRUE(WaitUntil([&] { return Chart().CrossHair(1).PosX() == static_cast<double>(following + 100); }));

  // A drag pauses the view; the pointer rests where it let go.
  MouseDrag(Chart().Widget(), at, at + QPoint(100, 0));
  Hover(at);
  const TPickedSample paused = Closer().Readout();
  Samples(500);
  EXPECT_EQ(Closer().Readout().Number, paused.Number);
  EXPECT_EQ(Closer().Readout().Value, ValueOf(paused.Number));
  EXPECT_TRUE(Closer().Readout().WallNs);
  form->StopButton->Click();
}

TEST_F(CloserLookTest, KeysMoveTheReadoutAndSetTheMarkersWhoseDifferencesAndStatisticsAreTheDirectOnes) {
  Acquire(1000);
  form->StopButton->Click();
  Chart().SetFocus();
  Key(Qt::Key_Right);  // starts in the middle of the view, 0 … 1000
  EXPECT_EQ(Closer().Readout().Number, 500);
  Key(Qt::Key_Right);
  Key(Qt::Key_A);
  EXPECT_EQ(Closer().Marker(TCloserLook::MarkerA).Number, 501);
  Key(Qt::Key_Left, Qt::ShiftModifier);  // a screen width back: held at sample 1
  EXPECT_EQ(Closer().Readout().Number, 1);
  Key(Qt::Key_Right, Qt::ShiftModifier);
  Key(Qt::Key_B);
  EXPECT_EQ(Closer().Marker(TCloserLook::MarkerB).Number, 1000);
  EXPECT_EQ(Chart().CrossHair(2).PosX(), 501);
  EXPECT_EQ(Chart().CrossHair(3).PosX(), 1000);

  TCloserPanel& panel = Closer().Panel();
  EXPECT_TRUE(panel.PanelShown());
  // Direct: samples 501 … 1000, evenly a quarter apart.
  const std::string figures = "499|124,75|0,25|500|125,25|250|187,625|" +
                              FigureText(std::sqrt((500.0 * 500 - 1) / 12) / 4, ',') + "|124,75|";
  EXPECT_EQ(Shown({TFigure::DeltaSamples, TFigure::DeltaValue, TFigure::SlopePerSample, TFigure::Count,
                   TFigure::Minimum, TFigure::Maximum, TFigure::Mean, TFigure::StandardDeviation,
                   TFigure::PeakToPeak},
                  figures),
            figures);
  EXPECT_EQ(Shown(*panel.StatisticsRangeLabel, "Statistik: von A bis B"), "Statistik: von A bis B");
  // Each value is read with its caption.
  for (TFigure figure : {TFigure::MarkerA, TFigure::DeltaTime, TFigure::StandardDeviation}) {
    QAccessibleInterface* value = QAccessible::queryAccessibleInterface(panel.Value(figure).Widget());
    EXPECT_EQ(value->role(), QAccessible::StaticText);
    const auto labels = value->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1) << panel.Value(figure).Name();
    EXPECT_EQ(labels.front().first->object(), panel.Caption(figure).Widget());
    EXPECT_EQ(Spoken(panel.Value(figure)), panel.Value(figure).Caption());
  }
  EXPECT_EQ(panel.Value(TFigure::StandardDeviation).Name(), "StandardDeviationValue");
  EXPECT_EQ(panel.Caption(TFigure::StandardDeviation).Caption(), "Standardabweichung");

  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard.Text().rfind("Sample\tWert\tZeit\tSample A\t", 0), 0u) << clipboard.Text();
  EXPECT_NE(clipboard.Text().find("\n1000\t250\t"), std::string::npos) << clipboard.Text();

  // A screen width back from sample 1000 still lies right of the view, which scrolls to keep it in.
  Chart().SetRange(1, 100, 0, 200, 300);
  Key(Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(Closer().Readout().Number, 900);
  EXPECT_EQ(RangeX(), (TAxisWindow{800, 900}));
}

// Another feature listening to the chart leaves the readout its pointer and keys; it hears the
// pointer, the keys the readout leaves and the view the keys scroll.
TEST_F(CloserLookTest, AnotherListenerOfTheChartLeavesTheReadoutAndMarkersWorking) {
  Acquire(2000, true);
  std::vector<std::string> heard;
  const TSubscription moves = Chart().SubscribeMouseMoveInChart(
      [&](TObject*, bool inPlot, TShiftState, double, double) { heard.push_back(inPlot ? "move" : "out"); });
  const TSubscription keys =
      Chart().SubscribeKeyDown([&](TObject*, TKey& key, TShiftState) { heard.push_back(std::to_string(key)); });
  const TSubscription views = Chart().SubscribeZoomPan([&](TObject*) { heard.push_back("view"); });

  Chart().SetFocus();
  Hover(PixelOf((Chart().Scale1X().RangeLow() + Chart().Scale1X().RangeHigh()) / 2));
  const std::int64_t pointed = Closer().Readout().Number;
  ASSERT_GT(pointed, 1000);
  Key(Qt::Key_Left);
  Key(Qt::Key_A);
  Key(Qt::Key_X);
  EXPECT_EQ(Closer().Readout().Number, pointed - 1);
  EXPECT_EQ(Closer().Marker(TCloserLook::MarkerA).Number, pointed - 1);
  EXPECT_EQ(Chart().CrossHair(2).Mode(), chVert);
  EXPECT_EQ(heard, (std::vector<std::string>{"move", "88"})) << "the readout's keys went on";

  // A screen width back lies left of the live window: the view scrolls there and stops following.
  Key(Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(Closer().Readout().Number, pointed - 1001);
  EXPECT_EQ(RangeX().Low, static_cast<double>(pointed - 1001));
  EXPECT_TRUE(Chart().Widget()->findChild<QWidget*>("FollowButton")->isVisible());
  EXPECT_EQ(heard.back(), "view");
  Samples(100);
  EXPECT_EQ(RangeX().Low, static_cast<double>(pointed - 1001)) << "the view followed the samples";
  form->StopButton->Click();
}

TEST_F(CloserLookTest, TheContextMenuSetsMarkersWhereItOpensShowsStatisticsAndRemovesThem) {
  Acquire(200);
  form->StopButton->Click();
  Chart().SetRange(1, 0, 0, 100, 60);
  TPopupMenu& menu = Closer().Menu();
  std::vector<std::string> captions;
  for (int i = 0; i < menu.Count(); ++i) captions.push_back(menu.Items(i).Caption());
  EXPECT_EQ(captions, (std::vector<std::string>{"Marke &A setzen", "Marke &B setzen", "Marken &entfernen",
                                                "&Statistik zeigen", "&Kopieren"}));
  const QPoint at = PixelOf(80);
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, Chart().Widget()->mapToGlobal(at));
  QApplication::sendEvent(Chart().Widget(), &event);
  EXPECT_TRUE(WaitUntil([&] { return menu.Shown(); }));
  menu.Items(0).Action()->trigger();
  EXPECT_EQ(Closer().Marker(TCloserLook::MarkerA).Number, 80);
  EXPECT_TRUE(Closer().Panel().PanelShown());
  EXPECT_EQ(Shown({TFigure::DeltaSamples}, "–|"), "–|");

  // Statistics of what is shown: samples 11 … 20 of the view 10,5 … 20,2.
  form->Content().SetWindow(10.5, 0, 20.2, 100);
  EXPECT_EQ(Shown({TFigure::Count, TFigure::Mean}, "10|3,875|"), "10|3,875|");
  EXPECT_EQ(Shown(*Closer().Panel().StatisticsRangeLabel, "Statistik: sichtbarer Bereich"),
            "Statistik: sichtbarer Bereich");

  const int chartHeight = Chart().Height();
  menu.Items(3).Action()->trigger();  // statistics stay once markers go
  menu.Items(2).Action()->trigger();
  EXPECT_FALSE(Closer().Marker(TCloserLook::MarkerA).Valid());
  EXPECT_EQ(Chart().CrossHair(2).Mode(), chOff);
  EXPECT_TRUE(Closer().Panel().PanelShown());
  menu.Items(3).Action()->trigger();
  EXPECT_FALSE(Closer().Panel().PanelShown());
  EXPECT_GT(Chart().Height(), chartHeight) << "the chart takes its room back";
}

TEST_F(CloserLookTest, EveryFigureStaysInsideThePanelBesideALegendAndInAWiderWindow) {
  form->StartButton->Click();
  Receive("a:1;b:2\r\na:3;b:4\r\n");
  Closer().SetStatisticsShown(true);
  // The last column ends at the panel's right inset, whatever its width.
  const auto figuresFit = [&] {
    const TLabel& peak = Closer().Panel().Value(TFigure::PeakToPeak);
    const int room = Closer().Panel().Panel->Width() - (peak.Left() + peak.Width());
    return room >= 0 && room < 10;
  };
  EXPECT_LT(Closer().Panel().Panel->Width(), 657) << "the legend takes its column";
  EXPECT_TRUE(figuresFit());
  form->SetBounds(form->Left(), form->Top(), 1100, 575);
  EXPECT_TRUE(figuresFit());
}

constexpr auto kNone = std::pair<std::int64_t, std::int64_t>{1, 0};

// Normal draws sample 1 at X = 0 and sample n ≥ 2 at X = n; Trend and an
// opened recording draw sample n at X = n, from the first sample still held.
TEST(SampleAxisTest, TheNearestSampleAndTheSamplesOfARangeFollowWhereTheChartDrawsThem) {
  const auto normal = TSampleAxis::NormalStart, numbers = TSampleAxis::Numbers;
  // Axis, X, first and last sample held, the nearest; 1.01 is nearer to X = 2 than to X = 0,
  // and 3 lies before the oldest still held.
  const std::tuple<TSampleAxis, double, std::int64_t, std::int64_t, std::int64_t> nearest[] = {
      {normal, -7, 1, 50, 1},     {normal, 0.99, 1, 50, 1},      {normal, 1.01, 1, 50, 2},
      {normal, 2.49, 1, 50, 2},   {normal, 2.51, 1, 50, 3},      {normal, 1e300, 1, 50, 50},
      {normal, 0.2, 1, 1, 1},     {numbers, 0.2, 1, 50, 1},      {numbers, 17.6, 1, 50, 18},
      {numbers, 3, 4097, 9000, 4097}, {numbers, -1e300, 4097, 9000, 4097}, {numbers, std::nan(""), 1, 50, 0},
      {numbers, 5, 1, 0, 0}};
  for (const auto& [axis, x, first, last, number] : nearest)
    EXPECT_EQ(NearestNumber(axis, x, first, last), number) << x << " of " << first << " .. " << last;

  // X = 1 holds no sample in Normal.
  const std::tuple<TSampleAxis, double, double, std::pair<std::int64_t, std::int64_t>> between[] = {
      {normal, 0, 0, {1, 1}},      {normal, 0.5, 1.5, kNone},   {normal, -1, 3.7, {1, 3}}, {normal, 0.5, 100, {2, 50}},
      {numbers, 2.5, 5.5, {3, 5}}, {numbers, 60, 70, kNone},    {numbers, 5, 4, kNone}};
  for (const auto& [axis, from, to, range] : between) EXPECT_EQ(NumbersBetween(axis, from, to, 1, 50), range);
}

// A history standing for an opened recording (X = n), its oldest samples
// dropped: the readout reads value and time, the keys stop at the ends.
TEST(HistorySeriesTest, ReadsTheHeldSamplesAndStopsAtTheirEnds) {
  THistory history(std::size_t{1} << 30, 64);
  for (std::int64_t n = 1; n <= 300; ++n) {
    const float v = static_cast<float>(n) / 4;
    history.Append(1000 * n, {&v, 1}, 1);
  }
  const THistorySeries series(history, TSampleAxis::Numbers, 0);
  const TPickedSample picked = series.Nearest(41.7);
  EXPECT_EQ(picked.Number, 42);
  EXPECT_EQ(picked.X, 42);
  EXPECT_EQ(picked.Value, 10.5f);
  EXPECT_EQ(picked.WallNs, 42000);
  EXPECT_EQ(series.Step(42, -100).Number, 1);
  EXPECT_EQ(series.Step(42, 1000).Number, 300);
  EXPECT_FALSE(series.At(301).Valid());
  const THistorySummary s = series.Summary(9.5, 12);
  EXPECT_EQ(s.Count, 3);
  EXPECT_EQ(s.Min, 2.5f);
  EXPECT_DOUBLE_EQ(s.Mean, 2.75);
  EXPECT_TRUE(std::isnan(THistorySeries(history, TSampleAxis::Numbers, 3).At(5).Value))
      << "a curve the history does not have reads as a gap";
}

// A loaded graph file: only the chart's line items, two curves in turn, the
// points numbered among all line items, out of X order in places.
class ItemSeriesTest : public QtAppTest {
 protected:
  ItemSeriesTest() {
    chart.SetDataCurve(0);
    chart.MoveTo(0, 10);  // 1
    chart.SetDataCurve(1);
    chart.MoveTo(0, -1);  // 2
    chart.SetDataCurve(0);
    chart.DrawTo(2, 20);  // 3
    chart.SetDataCurve(1);
    chart.DrawTo(2, -2);  // 4
    chart.SetDataCurve(0);
    chart.DrawTo(5, 50);  // 5
    chart.DrawTo(3, 30);  // 6: drawn back
  }
  TChartControl chart;
};

TEST_F(ItemSeriesTest, PicksTheNearestPointOfItsCurveByX) {
  const TItemSeries first(chart, 0), second(chart, 1);
  EXPECT_EQ(first.Nearest(-3).Number, 1);
  EXPECT_EQ(first.Nearest(2.4).Number, 3);
  EXPECT_EQ(first.Nearest(2.6).Number, 6);
  EXPECT_EQ(first.Nearest(4.1).Value, 50);
  EXPECT_EQ(second.Nearest(1.2).Number, 4);
  EXPECT_FALSE(second.Nearest(1.2).WallNs) << "a graph file keeps no times";
  EXPECT_EQ(first.Step(3, 1).Number, 6) << "the keys step along X";
  EXPECT_EQ(first.Step(6, 5).Number, 5);
  EXPECT_FALSE(first.At(2).Valid()) << "number 2 is the other curve's";
  const THistorySummary s = first.Summary(1, 4);
  EXPECT_EQ(s.Count, 2);
  EXPECT_DOUBLE_EQ(s.Mean, 25);
  EXPECT_FALSE(TItemSeries(TChartControl(), 0).Nearest(1).Valid());
}

TEST(MarkerDeltaTest, DifferencesAndSlopesAgreeWithTheDirectOnesAlsoAtTheFloatLimit) {
  const TPickedSample a{10, 10, 3.4e38f, 5'000'000'000}, b{30, 30, -3.4e38f, 7'500'000'000};
  const TMarkerDelta d = DeltaOf(a, b);
  EXPECT_EQ(d.Samples, 20);
  EXPECT_EQ(d.Value, -2.0 * double{3.4e38f});  // beyond a float, exact in double
  EXPECT_DOUBLE_EQ(*d.Seconds, 2.5);
  EXPECT_DOUBLE_EQ(*d.SlopePerSample, -2.0 * double{3.4e38f} / 20);
  EXPECT_DOUBLE_EQ(*d.SlopePerSecond, -2.0 * double{3.4e38f} / 2.5);

  const TMarkerDelta tiny = DeltaOf({4, 4, 1e-38f, std::nullopt}, {2, 2, 3e-38f, 9});
  EXPECT_EQ(tiny.Samples, -2);
  EXPECT_DOUBLE_EQ(tiny.Value, double{3e-38f} - double{1e-38f});
  EXPECT_DOUBLE_EQ(*tiny.SlopePerSample, (double{3e-38f} - double{1e-38f}) / -2);
  EXPECT_FALSE(tiny.Seconds) << "one time unknown";
  EXPECT_FALSE(tiny.SlopePerSecond);

  const TMarkerDelta same = DeltaOf({7, 7, 1, 100}, {7, 7, 1, 100});
  EXPECT_FALSE(same.SlopePerSample);
  EXPECT_FALSE(same.SlopePerSecond) << "one batch: no time between them";
  EXPECT_EQ(*same.Seconds, 0);
}

// Times of day in a fixed zone, whatever the machine's.
class CloserTextsTest : public ::testing::Test {
 protected:
  ScopedTimeZone m_zone{"UTC"};
  // 2026-12-07 10:15:00.123 UTC
  static constexpr std::int64_t kTime = 1'796'638'500'123'000'000;
};

TEST_F(CloserTextsTest, TheReadoutSaysNumberValueAndTimeInTheWindowsLocale) {
  EXPECT_EQ(SampleText({12345, 12345, 6.992f, kTime}, ','), "Sample 12.345 · 6,992 · 10:15:00,123");
  EXPECT_EQ(SampleText({7, 7, -3.4e38f, std::nullopt}, '.'), "Sample 7 · -3.4E38");
  EXPECT_EQ(SampleText({1, 1, 2.5f, 0}, ','), "Sample 1 · 2,5 · 00:00:00,000") << "0 is a time too";
  EXPECT_EQ(SampleText({7, 7, std::numeric_limits<float>::quiet_NaN(), std::nullopt}, ','), "Sample 7 · –");
  EXPECT_EQ(FigureText(-2.0 * double{3.4e38f}, ','), "-6,7999999E38");
  EXPECT_EQ(FigureText(1e39, '.'), "1E39");
  EXPECT_EQ(FigureText(1e-38, ','), "1E-38");
  EXPECT_EQ(FigureText(std::nullopt, ','), "–");
  EXPECT_EQ(SecondsText(2.5, ','), "2,500 s");
  EXPECT_EQ(SecondsText(-0.0015, '.'), "-0.002 s");
}

TEST_F(CloserTextsTest, TheTableHasAHeaderAndOneRowOfWhatIsShownForASpreadsheet) {
  TCloserFigures figures;
  figures.Readout = {12345, 12345, 6.992f, kTime};
  EXPECT_EQ(FiguresTable(figures, ','), "Sample\tWert\tZeit\n12345\t6,992\t10:15:00,123\n");

  figures.Readout = {};
  figures.MarkerA = {1, 0, 2.5f, std::nullopt};
  figures.MarkerB = {5, 5, 4.5f, std::nullopt};
  figures.Statistics = THistoryStatistics{5, -1, 4.5, 2, 0.5, 5.5};
  EXPECT_EQ(FiguresTable(figures, ','),
            "Sample A\tWert A\tZeit A\tSample B\tWert B\tZeit B\tΔ Samples\tΔ Wert\tΔ Zeit (s)\t"
            "Steigung pro Sample\tSteigung pro s\tAnzahl\tMinimum\tMaximum\tMittelwert\tStandardabweichung\t"
            "Spitze-Spitze\n"
            "1\t2,5\t\t5\t4,5\t\t4\t2\t\t0,5\t\t5\t-1\t4,5\t2\t0,5\t5,5\n");
}

// The look-back on its own: a Trend acquisition's plotter and a history that
// keeps chunks of 4096 samples within a budget of about three of them.
class LookBackTest : public QtAppTest {
 protected:
  LookBackTest() {
    chart.SetBounds(0, 0, 400, 300);
    chart.Show();
    chart.SetRange(1, 0, 0, 1000, 10);
    session.TrendMode = true;
    session.GraphXMax = 1000;
    plotter.StartAcquisition();
    lookBack.StartAcquisition(true);
  }
  void Take(std::int64_t count) {
    for (std::int64_t i = 0; i < count; ++i) {
      const float v = static_cast<float>(5 + 4 * std::sin(static_cast<double>(++taken) / 50));
      const TSampleValue values[] = {{v, v}};
      const TSample sample{taken, {}, values, {}, 1};
      plotter.Take(sample);
      feed.Take(sample);
      lookBack.Take(sample);
    }
  }
  TAxisWindow X() const { return {chart.ScaleX(1).RangeLow(), chart.ScaleX(1).RangeHigh()}; }

  TChartControl chart;
  TSessionState session;
  TChartPlotter plotter{chart, session};
  THistory history{3 * 4096 * 4 + 40000, 4096};
  THistoryFeed feed{history};
  TLookBack lookBack{chart, plotter, history};
  std::int64_t taken = 0;
};

TEST_F(LookBackTest, APausedViewStaysWhileSamplesArriveAndFollowingShowsTheLiveWindowAsIfNeverPaused) {
  Take(2000);
  const TAxisWindow live = X();
  chart.NavigateTo({100, 600}, {0, 10});  // as a pan leaves it
  EXPECT_TRUE(lookBack.FollowButton().Visible());
  EXPECT_EQ(chart.CurveSource() != nullptr, true);
  Take(100000);
  EXPECT_EQ(X(), (TAxisWindow{100, 600})) << "the paused view moved";

  lookBack.FollowButton().Click();
  EXPECT_EQ(X(), (TAxisWindow{live.Low + 100000, live.High + 100000}));
  EXPECT_EQ(chart.CurveSource(), nullptr);
  EXPECT_FALSE(lookBack.FollowButton().Visible());
  Take(1);
  EXPECT_EQ(X().Low, live.Low + 100001) << "following again";
}

TEST_F(LookBackTest, TheViewTellsFromWhichSampleTheHistoryHoldsOnceTheOldestLeft) {
  chart.NavigateTo(X(), {0, 10});
  Take(4096);
  EXPECT_FALSE(lookBack.HistoryStart().Visible());
  Take(5 * 4096);
  ASSERT_EQ(history.FirstNumber(), 3 * 4096 + 1);  // three chunks left
  EXPECT_TRUE(lookBack.HistoryStart().Visible());
  EXPECT_EQ(lookBack.HistoryStart().Caption(), "Verlauf ab Sample 12.289");
  // Clear Graph or a loaded file: the view stays, without the history.
  chart.SetRange(1, 5, 0, 50, 10);
  lookBack.Forget();
  EXPECT_EQ(X(), (TAxisWindow{5, 50}));
  EXPECT_EQ(chart.CurveSource(), nullptr);
  EXPECT_FALSE(lookBack.HistoryStart().Visible());
  chart.NavigateTo({5, 60}, {0, 10});
  EXPECT_EQ(chart.CurveSource(), nullptr) << "nothing to look back on";
}

TEST_F(LookBackTest, AnOpenedRecordingShowsWholeWithoutALiveWindow) {
  lookBack.StartAcquisition(false);
  const float values[][2] = {{2, -3}, {7, 1}, {4, 0.5f}};
  for (const auto& v : values) history.Append(0, v, 0b11);
  lookBack.ShowWhole();
  EXPECT_EQ(X(), (TAxisWindow{1, 3}));
  EXPECT_EQ(chart.Scale1Y().RangeLow(), -3);
  EXPECT_EQ(chart.Scale1Y().RangeHigh(), 7);
  EXPECT_NE(chart.CurveSource(), nullptr);
  EXPECT_FALSE(lookBack.FollowButton().Visible());
}

// The window as a user meets it.
class LookBackWindowTest : public MainWindowTest {
 protected:
  void Lines(int lines) {
    std::string bytes;
    for (int i = 0; i < lines; ++i, ++sent) bytes += std::to_string(5 + (sent % 100) / 25.0) + "\r\n";
    Receive(bytes);
  }
  int sent = 0;
};

// A graph file loaded while an acquisition runs leaves its history whole:
// the export still numbers every sample as it was counted.
TEST_F(LookBackWindowTest, AFileLoadedWhileAcquiringKeepsTheHistoryNumbered) {
  TempFolder folder;
  form->Chart1->SaveGraph(folder.Path("leer.kvx"));
  form->StartButton->Click();
  EXPECT_FALSE(form->AufzeichnungOeffnen->Enabled()) << "a recording opens only while idle";
  Lines(100);
  dialogs.Files().Answers.push_back(folder.Path("leer.kvx"));
  form->Erfassungladen->Click();
  Lines(50);
  form->StopButton->Click();
  EXPECT_TRUE(form->AufzeichnungOeffnen->Enabled());
  dialogs.Files().Answers.push_back(folder.Path("export.csv"));
  dialogs.Files().FilterAnswers.push_back(1);  // for Excel
  form->ErfassungCsvExportieren->Click();
  const StrictCsv csv = ReadStrictCsv(FileText(folder.Path("export.csv")), ';');
  ASSERT_EQ(csv.Rows.size(), 151u);
  EXPECT_EQ(csv.Rows.back()[0], "150");
}

}  // namespace
}  // namespace kurvex::test
