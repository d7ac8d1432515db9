// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdlib>

#include <QImage>
#include <QWidget>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/devicepixels.h"
#include "tests/chart/render_fixture.h"
#include "tests/support/golden.h"
#include "tests/support/image.h"

namespace kurvex::test {
namespace {

const std::string kGoldenDir = std::filesystem::path(KURVEX_TEST_DATA).parent_path().string() + "/golden/";

TBitmap Golden(const std::string& name) { return test::Golden(kGoldenDir, name); }
::testing::AssertionResult MatchesGolden(const TBitmap& actual, const std::string& name) {
  return test::MatchesGolden(actual, kGoldenDir, name);
}

class RenderGoldenTest : public WindowChartTest {
 protected:
  // The window's Log Y and DoubleTics switches, as its handlers set them.
  void DoubleTics() {
    chart.Scale1X().SetMinTicks(6);
    chart.Scale1Y().SetMinTicks(6);
  }
};

TEST_F(RenderGoldenTest, EmptyChartWithScalesAndGrid) {
  EXPECT_EQ(chart.Width(), kWindowChartWidth);
  EXPECT_TRUE(MatchesGolden(chart.ControlBitmap(), "empty"));
}

TEST_F(RenderGoldenTest, ThousandSamplePolyline) {
  AcquisitionRange();
  AddSineSamples(chart);
  chart.ShowGraph();
  EXPECT_TRUE(MatchesGolden(chart.ControlBitmap(), "polyline-1000"));
}

TEST_F(RenderGoldenTest, LogarithmicY) {
  DoubleTics();
  chart.SetRange(1, 0, 0.1, 1000, 10);
  chart.Scale1Y().SetLogarithmic(true);
  AddSineSamples(chart);
  chart.ShowGraph();
  EXPECT_TRUE(MatchesGolden(chart.ControlBitmap(), "log-y"));
}

TEST_F(RenderGoldenTest, DoubleTics) {
  AcquisitionRange();
  DoubleTics();
  AddSineSamples(chart);
  chart.ShowGraph();
  EXPECT_TRUE(MatchesGolden(chart.ControlBitmap(), "doubletics"));
}

TEST_F(RenderGoldenTest, BlackAndWhiteExport) {
  AcquisitionRange();
  AddSineSamples(chart);
  TempFolder folder;
  chart.SaveBitmap(folder.Path("export.bmp"), true);
  TBitmap written;
  ASSERT_TRUE(written.LoadFromFile(folder.Path("export.bmp")));
  EXPECT_TRUE(MatchesGolden(written, "export-bw"));
}

// On a screen with two device pixels per pixel (ctest runs this as
// chart.hidpi, with QT_SCALE_FACTOR=2) the window's picture has the screen's
// resolution: the same layout, lines one device pixel thin, sharp text.
TEST_F(RenderGoldenTest, ThousandSamplePolylineAtTwiceTheResolution) {
  if (chart.Widget()->devicePixelRatioF() != 2) GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
  AcquisitionRange();
  AddSineSamples(chart);
  chart.ShowGraph();
  const TBitmap& picture = chart.ControlBitmap();
  ASSERT_EQ(picture.Width(), kWindowChartWidth);
  ASSERT_EQ(picture.Image().width(), 2 * kWindowChartWidth);
  EXPECT_TRUE(MatchesGolden(picture, "polyline-1000@2x"));

  // Down a column of the plot every grid line is a single device row.
  const std::string column = ColumnText(picture, 2 * 300 + 1, 2 * 20 + 2, 2 * (kWindowChartHeight - 40) - 2, clSilver);
  EXPECT_NE(column.find('#'), std::string::npos);
  EXPECT_EQ(column.find("##"), std::string::npos) << column;
  // The labels left of the plot were drawn at this resolution, not enlarged.
  const QImage labels = picture.Image().copy(0, 0, 2 * 66, 2 * kWindowChartHeight);
  bool finer = false;
  for (int y = 0; y + 1 < labels.height() && !finer; y += 2) {
    for (int x = 0; x + 1 < labels.width() && !finer; x += 2) {
      finer = labels.pixel(x, y) != labels.pixel(x + 1, y + 1) || labels.pixel(x, y) != labels.pixel(x + 1, y);
    }
  }
  EXPECT_TRUE(finer);
}

// How many runs of `ink` a column holds: the lines it crosses.
int Runs(const std::string& column) {
  int runs = 0;
  for (std::size_t i = 0; i < column.size(); ++i) runs += column[i] == '#' && (i == 0 || column[i - 1] != '#');
  return runs;
}

// On a screen of 150 % (ctest runs this as chart.hidpi150, with
// QT_SCALE_FACTOR=1.5) the picture has the screen's own resolution, so the
// screen shows it without resampling: every grid line of the 1× picture is
// there, one device pixel thin, and the curve is one unbroken line.
TEST_F(RenderGoldenTest, ThousandSamplePolylineAtOneAndAHalfTheResolution) {
  if (chart.Widget()->devicePixelRatioF() != 1.5) GTEST_SKIP() << "needs QT_SCALE_FACTOR=1.5";
  AcquisitionRange();
  AddSineSamples(chart);
  chart.ShowGraph();
  const TBitmap& picture = chart.ControlBitmap();
  ASSERT_EQ(picture.Width(), kWindowChartWidth);
  ASSERT_EQ(picture.Image().width(), DevicePixel(kWindowChartWidth, 1.5));
  EXPECT_TRUE(MatchesGolden(picture, "polyline-1000@1.5x"));

  // Plot rows 2 … height − 42; pixel column 300 spans two device columns,
  // the second of which no vertical line touches.
  const int top = 20 + 2, bottom = kWindowChartHeight - 40 - 2;
  const std::string plain = ColumnText(Golden("polyline-1000"), 300, top, bottom, clSilver);
  const std::string fine = ColumnText(picture, DevicePixel(300, 1.5) + 1, DevicePixel(top, 1.5),
                                      DevicePixel(bottom, 1.5), clSilver);
  EXPECT_EQ(Runs(fine), Runs(plain)) << fine;
  EXPECT_EQ(fine.find("##"), std::string::npos) << fine;

  // Each device column of the curve touches the next one.
  const QImage& image = picture.Image();
  const auto blueRows = [&](int x) {
    std::pair<int, int> rows{image.height(), -1};
    for (int y = 0; y < image.height(); ++y) {
      if (image.pixel(x, y) == qRgb(0, 0, 255)) rows = {std::min(rows.first, y), std::max(rows.second, y)};
    }
    return rows;
  };
  const int first = DevicePixel(70, 1.5) + 1, last = DevicePixel(kWindowChartWidth - 20, 1.5) - 2;
  for (int x = first; x < last; ++x) {
    const auto here = blueRows(x), next = blueRows(x + 1);
    ASSERT_GE(here.second, 0) << "no curve in device column " << x;
    ASSERT_TRUE(next.first <= here.second + 1 && here.first <= next.second + 1) << "a gap after device column " << x;
  }
}

}  // namespace
}  // namespace kurvex::test
