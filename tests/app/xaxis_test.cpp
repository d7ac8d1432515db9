// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/commandline.h"
#include "app/xaxis/xaxisfeature.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/tempfolder.h"

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

}  // namespace
}  // namespace kurvex::test
