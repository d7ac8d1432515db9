// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <string>
#include <vector>

#include "app/chartcontent.h"
#include "app/chartplotter.h"
#include "app/xaxis/xaxisfeature.h"
#include "intake/sampleintake.h"
#include "tests/support/qtapp.h"

namespace kurvex::test {
namespace {

constexpr std::int64_t kMs = 1'000'000, kSecond = 1000 * kMs;

/// The sample path of the window against time: the intake, the plotter and
/// what the chart shows, fed whole blocks of lines at chosen read times.
class TimeAxisTest : public QtAppTest {
 protected:
  TimeAxisTest() {
    chart.SetRange(1, 0, 0, 10, 10);
    intake.Attach(plotter);
    content.AttachTo(intake);
  }
  void Start(bool trend, const TPlotX& x, double xSpan = 10) {
    session.TrendMode = trend;
    session.GraphXMax = static_cast<float>(xSpan);
    content.StartAcquisition(trend, x);
    intake.StartAcquisition();
    content.SetLimits(xSpan, 0, 10);
  }
  /// `lines` lines of `value` that one read brought at `wallNs`.
  void Block(std::int64_t wallNs, int lines, int value = 1) {
    std::string bytes;
    for (int i = 0; i < lines; ++i) bytes += std::to_string(value) + "\r\n";
    intake.Receive(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), TReadTime{wallNs, wallNs},
                   [this](std::string_view line) { intake.TakeLine(line); });
  }
  std::vector<double> ItemXs() const {
    std::vector<double> xs;
    for (int i = 0; i < chart.ItemCount(); ++i) xs.push_back(chart.Item(i).X);
    return xs;
  }
  TAxisWindow RangeX() { return {chart.Scale1X().RangeLow(), chart.Scale1X().RangeHigh()}; }

  TChartControl chart;
  TSessionState session;
  TSampleIntake intake{session};
  TChartPlotter plotter{chart, session};
  TChartContent content{chart, plotter};
  const std::int64_t start = 1'765'000'000 * kSecond;
};

TEST_F(TimeAxisTest, LinesOfABlockSpreadSinceTheBlockBeforeAndAPauseStaysOnTheChart) {
  Start(false, {TPlotX::TTime{start, start}});
  Block(start + 100 * kMs, 1);    // since Start
  Block(start + 200 * kMs, 1000);  // a fast instrument's block: no stairs
  Block(start + 10200 * kMs, 3);   // after a pause of ten seconds
  std::vector<double> expected{0.1};
  for (int j = 1; j <= 1000; ++j) expected.push_back(0.1 + 0.1 * j / 1000);
  // The block before brought a line every 0.1 ms: the three lines after the
  // pause lie at most twice that apart, not smeared across the pause.
  for (int j = 1; j <= 3; ++j) expected.push_back(10.2 - 0.0006 + 0.0002 * j);
  const std::vector<double> xs = ItemXs();
  ASSERT_EQ(xs.size(), expected.size());
  for (std::size_t i = 0; i < xs.size(); ++i) EXPECT_NEAR(xs[i], expected[i], 1e-9) << "sample " << i + 1;
  // The history places every sample where the chart drew it: the readout,
  // the markers and a look back find them there.
  const TSampleAxis axis = content.Axis();
  for (std::int64_t n = 1; n <= 1004; ++n) ASSERT_EQ(SampleX(axis, n), xs[static_cast<std::size_t>(n - 1)]) << n;
}

TEST_F(TimeAxisTest, OneLineBlocksLieAtTheirReadTimes) {
  Start(false, {TPlotX::TTime{start, start}});
  for (int i = 1; i <= 50; ++i) Block(start + i * 1000 * kMs + (i % 7) * kMs, 1);
  const std::vector<double> xs = ItemXs();
  ASSERT_EQ(xs.size(), 50u);
  for (int i = 1; i <= 50; ++i) EXPECT_NEAR(xs[i - 1], i + (i % 7) * 0.001, 1e-9);
}

TEST_F(TimeAxisTest, NormalShowsGraphXMaxSecondsFromStartOrFromItsTimeOfDay) {
  const TFigType numeric = chart.Scale1X().LabelType();
  const int places = chart.Scale1X().DecPlaces();
  Start(false, {TPlotX::TTime{start, start}});
  EXPECT_EQ(RangeX(), (TAxisWindow{0, 10}));
  EXPECT_EQ(chart.Scale1X().LabelType(), ftTime);

  const std::int64_t midnight = LocalMidnightNs(start);
  Start(false, {TPlotX::TTime{start, midnight}});
  const double startOfDay = static_cast<double>(start - midnight) * 1e-9;
  EXPECT_EQ(RangeX(), (TAxisWindow{startOfDay, startOfDay + 10}));
  Block(start + 2 * kSecond, 1);
  EXPECT_NEAR(ItemXs().at(0), startOfDay + 2, 1e-9);

  Start(false, {});
  EXPECT_EQ(RangeX(), (TAxisWindow{0, 10}));
  EXPECT_EQ(chart.Scale1X().LabelType(), numeric);
  EXPECT_EQ(chart.Scale1X().DecPlaces(), places);
}

TEST_F(TimeAxisTest, TrendScrollsOverTheLastGraphXMaxSeconds) {
  Start(true, {TPlotX::TTime{start, start}});
  for (int i = 1; i <= 100; ++i) Block(start + i * 300 * kMs, 1, i);
  EXPECT_NEAR(RangeX().Low, 20, 1e-9);
  EXPECT_NEAR(RangeX().High, 30, 1e-9);
  // The points in the window, and the one the curve enters it from.
  const std::vector<double> xs = ItemXs();
  ASSERT_EQ(xs.size(), 35u);
  EXPECT_NEAR(xs.front(), 19.8, 1e-9);
  EXPECT_NEAR(xs.back(), 30, 1e-9);
}

TEST_F(TimeAxisTest, LookingBackDrawsTheHistoryAgainstTime) {
  Start(true, {TPlotX::TTime{start, start}});
  for (int i = 1; i <= 300; ++i) Block(start + i * 100 * kMs, 1, i);
  content.NavigateTo({5, 6}, {0, 10});
  ASSERT_TRUE(content.LookingBack());
  const TCurveSource& source = *chart.CurveSource();
  EXPECT_EQ(source.SampleCount(5, 6), 11);  // 5.0, 5.1 … 6.0
  std::vector<TSourcePoint> points;
  source.Points(0, 5.05, 5.15, points);
  ASSERT_EQ(points.size(), 3u);  // 5.1 and one beside each end
  EXPECT_NEAR(points[0].X, 5.0, 1e-9);
  EXPECT_EQ(points[1].Y, 51);
  std::vector<TColumnSpan> columns(10);
  source.Columns(0, 0, 10, columns);  // a second a column: ten samples each
  for (std::size_t c = 0; c < columns.size(); ++c) {
    EXPECT_EQ(columns[c].Count, c == 0 ? 9 : 10) << c;  // nothing before 0.1 s
    EXPECT_EQ(columns[c].Max, static_cast<double>(10 * c + 9)) << c;
  }
}

}  // namespace
}  // namespace kurvex::test
