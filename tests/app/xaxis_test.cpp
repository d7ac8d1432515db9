// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <fstream>
#include <sstream>

#include <QLabel>

#include "app/closer/closerlook.h"
#include "app/commandline.h"
#include "app/xaxis/xaxisfeature.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/tempfolder.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

constexpr std::int64_t kMs = 1'000'000;

class XAxisTest : public MainWindowTest {
 protected:
  XAxisTest() {
    // The read times the window sees: 13:30 on a day, on as the test says.
    OverrideReadClock([this] { return TReadTime{now, now}; });
  }
  ~XAxisTest() override { OverrideReadClock({}); }

  TMenuItem& Item(const std::string& name) {
    TMenuItem& menu = form->XAxis().Menu();
    for (int i = 0; i < menu.Count(); ++i)
      if (menu.Items(i).Name() == name) return menu.Items(i);
    throw std::runtime_error("no menu item " + name);
  }
  std::filesystem::path Save(const std::string& name) {
    const std::filesystem::path path = folder.Path(name);
    dialogs.Files().Answers.push_back(path.string());
    form->MessaufbauSpeichern->Click();
    return path;
  }
  /// Lines read at once `ms` after the time before.
  void ReceiveAfter(std::int64_t ms, const std::string& lines) {
    now += ms * kMs;
    Receive(lines);
  }
  void Hover(double x, double y) {
    int px = 0, py = 0;
    form->Chart1->WorldToPixel(1, x, y, px, py);
    MouseMove(form->Chart1->Widget(), {px, py});
  }
  /// The label's text once a frame has shown `expected` (or after waiting in vain).
  static std::string Shown(TLabel& label, const std::string& expected) {
    WaitUntil([&] { return static_cast<QLabel*>(label.Widget())->text().toStdString() == expected; });
    return static_cast<QLabel*>(label.Widget())->text().toStdString();
  }
  std::vector<TChartItem> Points(std::uint8_t curve) const {
    std::vector<TChartItem> points;
    for (int i = 0; i < form->Chart1->ItemCount(); ++i)
      if (IsLinePoint(form->Chart1->Item(i)) && form->Chart1->Item(i).Curve == curve) points.push_back(form->Chart1->Item(i));
    return points;
  }

  std::int64_t now = LocalMidnightNs(1'765'000'000'000'000'000) + 48'600'000 * kMs;
  TempFolder folder;
};

TEST_F(XAxisTest, TheMenuOffersTheModesAndTheCurvesAndTicksTheChoice) {
  EXPECT_EQ(form->Geraet1->Items(form->Geraet1->Count() - 1).Caption(), "&X-Achse");
  EXPECT_TRUE(Item("XAchseSamples").Checked());
  Item("XAchseUhrzeit").Click();
  EXPECT_EQ(form->XAxis().Choice(), (TXAxis{TXAxisMode::TimeOfDay}));
  EXPECT_FALSE(Item("XAchseSamples").Checked());
  EXPECT_TRUE(Item("XAchseUhrzeit").Checked());
  // Before any line two curves are offered, named as the legend names them.
  EXPECT_TRUE(Item("XAchseKanal2").Visible());
  EXPECT_FALSE(Item("XAchseKanal3").Visible());
  EXPECT_EQ(Item("XAchseKanal2").Caption(), "Kanal 2");
  Item("XAchseKanal2").Click();
  EXPECT_EQ(form->XAxis().Choice(), (TXAxis{TXAxisMode::Curve, 2}));
  EXPECT_FALSE(Item("XAchseUhrzeit").Checked());
}

TEST_F(XAxisTest, TheCommandLineNamesTheAxisByWordNumberOrCurveName) {
  std::ofstream(folder.Path("kurven.kxs")) << R"({"Kurvex-Setup": 1, "curves": [{"name": "U"}, {"name": "I"}]})";
  form->ApplyCommandLine({.SetupFile = folder.Path("kurven.kxs"), .XAxis = "I"});
  EXPECT_EQ(form->XAxis().Choice(), (TXAxis{TXAxisMode::Curve, 2}));
  form->ApplyCommandLine({.XAxis = "seconds"});
  EXPECT_EQ(form->XAxis().Choice(), (TXAxis{TXAxisMode::Seconds}));
  form->ApplyCommandLine({.XAxis = "Strom"});
  EXPECT_EQ(form->XAxis().Choice(), (TXAxis{TXAxisMode::Seconds}));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages().front(), "Keine Kurve heißt \"Strom\". Die X-Achse bleibt, wie sie ist.");
}

TEST_F(XAxisTest, ASetupKeepsTheChoiceAndOneWithoutItSaysNothingOfIt) {
  const std::string unused = [&] {
    std::ifstream in(Save("ohne.kxs"));
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }();
  EXPECT_EQ(unused.find("xAxis"), std::string::npos);
  Item("XAchseKanal2").Click();
  const auto saved = Save("xy.kxs");
  Item("XAchseSamples").Click();
  ASSERT_TRUE(form->OpenSetupFile(saved.string()));
  EXPECT_EQ(form->XAxis().Choice(), (TXAxis{TXAxisMode::Curve, 2}));
}

TEST_F(XAxisTest, AnAcquisitionAgainstTheTimeOfDayShowsItsTimesAndAPause) {
  Item("XAchseUhrzeit").Click();
  form->GraphXmaxEdit->SetText("60");
  form->StartButton->Click();
  const double start = 13.5 * 3600;
  EXPECT_EQ(RangeX(), (TAxisWindow{start, start + 60}));
  EXPECT_EQ(form->Chart1->Scale1X().LabelType(), ftTime);
  ReceiveAfter(1000, "1\r\n");
  ReceiveAfter(1000, "2\r\n");
  ReceiveAfter(20000, "3\r\n");  // the instrument paused
  const std::vector<TChartItem> points = Points(0);
  ASSERT_EQ(points.size(), 3u);
  EXPECT_NEAR(points[0].X, start + 1, 1e-6);
  EXPECT_NEAR(points[1].X, start + 2, 1e-6);
  EXPECT_NEAR(points[2].X, start + 22, 1e-6);
  form->StopButton->Click();
  // A graph file keeps the X drawn: it loads back as it was shown.
  const std::string drawn = Items();
  form->Chart1->SaveGraph(folder.Path("zeit.kvx"));
  form->ClearGraphButton->Click();
  form->Chart1->LoadGraph(folder.Path("zeit.kvx"), true);
  EXPECT_EQ(Items(), drawn);
  // The next acquisition by sample numbers labels numbers again.
  Item("XAchseSamples").Click();
  form->StartButton->Click();
  EXPECT_EQ(form->Chart1->Scale1X().LabelType(), ftNum);
  EXPECT_EQ(RangeX(), (TAxisWindow{0, 60}));
}

TEST_F(XAxisTest, XYDrawsTheOtherCurvesAgainstTheChosenOneInTheOrderTheyCame) {
  Item("XAchseKanal1").Click();
  form->StartButton->Click();
  Receive("0;0\r\n10;5\r\n5;8\r\n;9\r\n-10;2\r\n");
  EXPECT_TRUE(Points(0).empty()) << "the X curve is no line of its own";
  const std::vector<TChartItem> points = Points(1);
  ASSERT_EQ(points.size(), 4u);
  const double xs[] = {0, 10, 5, -10}, ys[] = {0, 5, 8, 2};
  for (std::size_t i = 0; i < points.size(); ++i) {
    EXPECT_EQ(points[i].X, xs[i]);
    EXPECT_EQ(points[i].Y, ys[i]);
  }
  // A line without X breaks the curve: the next point starts anew.
  EXPECT_EQ(points[2].Kind, ikDrawTo);
  EXPECT_EQ(points[3].Kind, ikMoveTo);
  // The X axis shows the X curve's values seen, a twentieth beyond each end.
  EXPECT_EQ(RangeX(), (TAxisWindow{-11, 11}));
}

TEST_F(XAxisTest, TheReadoutTheMarkersAndTheStatisticsWorkInTime) {
  Item("XAchseSekunden").Click();
  form->GraphXmaxEdit->SetText("10");
  form->StartButton->Click();
  for (int i = 1; i <= 8; ++i) ReceiveAfter(1000, std::to_string(i) + "\r\n");
  ReceiveAfter(500, "9\r\n10\r\n11\r\n12\r\n13\r\n");  // one block: 8,1 … 8,5 s
  form->StopButton->Click();
  TCloserLook& closer = form->CloserLook();
  Hover(4.2, 5);
  ASSERT_EQ(closer.Readout().Number, 4);
  EXPECT_EQ(closer.Readout().X, 4);
  EXPECT_EQ(Shown(*closer.Panel().ReadoutLabel, "00:00:04,000 · Sample 4 · 4"), "00:00:04,000 · Sample 4 · 4");
  closer.SetMarker(TCloserLook::MarkerA);
  Hover(8.28, 5);
  ASSERT_EQ(closer.Readout().Number, 11);
  closer.SetMarker(TCloserLook::MarkerB);
  // Δ Zeit is the X difference, also within a block.
  EXPECT_EQ(*closer.Marker(TCloserLook::MarkerB).WallNs - *closer.Marker(TCloserLook::MarkerA).WallNs, 4'300 * kMs);
  EXPECT_EQ(Shown(closer.Panel().Value(TFigure::DeltaTime), "4,300 s"), "4,300 s");
  // From A to B: samples 4 … 11.
  EXPECT_EQ(Shown(closer.Panel().Value(TFigure::Count), "8"), "8");
  EXPECT_EQ(Shown(closer.Panel().Value(TFigure::Mean), "7,5"), "7,5");
  // Without markers, the samples in the time shown: 2,5 … 6,5 s holds samples 3 … 6.
  closer.RemoveMarkers();
  closer.SetStatisticsShown(true);
  form->Chart1->SetRange(1, 2.5, 0, 6.5, 20);
  EXPECT_EQ(Shown(closer.Panel().Value(TFigure::Count), "4"), "4");
  EXPECT_EQ(Shown(closer.Panel().Value(TFigure::Mean), "4,5"), "4,5");
}

TEST_F(XAxisTest, XYInTrendKeepsTheLastGraphXMaxSamples) {
  Item("XAchseKanal2").Click();
  form->TrendCheckBox->SetChecked(true);
  form->GraphXmaxEdit->SetText("3");
  form->StartButton->Click();
  Receive("1;10\r\n2;20\r\n3;30\r\n4;40\r\n5;50\r\n");
  const std::vector<TChartItem> points = Points(0);  // curve 1 against curve 2
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(points.front().X, 30);
  EXPECT_EQ(points.front().Y, 3);
  EXPECT_EQ(points.back().X, 50);
  EXPECT_EQ(form->Content().XYNumbers(), (std::pair<std::int64_t, std::int64_t>{3, 5}));
}

TEST_F(XAxisTest, XYReadsOutThePointNearestToThePointer) {
  Item("XAchseKanal1").Click();
  form->StartButton->Click();
  Receive("0;0\r\n10;5\r\n5;8\r\n-10;2\r\n");
  TCloserLook& closer = form->CloserLook();
  Hover(4.6, 7.5);
  ASSERT_EQ(closer.Readout().Number, 3);
  EXPECT_EQ(closer.Readout().X, 5);
  EXPECT_EQ(closer.Readout().Value, 8);
  EXPECT_EQ(form->Chart1->CrossHair(1).Mode(), chBoth);
  const std::string text = "Sample 3 · X: 5 · 8 · 13:30:00,000";
  EXPECT_EQ(Shown(*closer.Panel().ReadoutLabel, text), text);
}

TEST_F(XAxisTest, ARecordingWithTimesOpensAgainstTimeOneWithoutByNumbers) {
  Item("XAchseSekunden").Click();
  const auto open = [&](const std::string& text) {
    const std::string path = folder.Path("r.csv");
    std::ofstream(path, std::ios::binary) << text;
    dialogs.Files().Answers.push_back(path);
    form->AufzeichnungOeffnen->Click();
  };
  open("Nr,\"Zeit (ISO 8601, Ortszeit)\",Sekunden seit Start,Rohwert,Wert (skaliert)\r\n"
       "1,2026-12-08T10:15:00.000+01:00,0.000,1,1\r\n"
       "2,2026-12-08T10:15:00.500+01:00,0.500,2,2\r\n"
       "3,2026-12-08T10:15:04.000+01:00,4.000,3,3\r\n");
  EXPECT_EQ(form->Chart1->Scale1X().LabelType(), ftTime);
  EXPECT_EQ(RangeX(), (TAxisWindow{0, 4}));
  // The readout and the statistics find the samples at their times.
  EXPECT_EQ(SampleX(form->Content().Axis(), 2), 0.5);

  open("U;I\r\n1;2\r\n3;4\r\n5;6\r\n");
  EXPECT_EQ(form->Chart1->Scale1X().LabelType(), ftNum);
  EXPECT_EQ(RangeX(), (TAxisWindow{1, 3}));
}

}  // namespace
}  // namespace kurvex::test
