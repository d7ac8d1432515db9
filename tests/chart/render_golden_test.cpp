#include <cstdlib>

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/bitmap.h"
#include "tests/chart/render_fixture.h"
#include "tests/support/image.h"

namespace kurvex::test {
namespace {

// Reference pictures live in the source tree. KURVEX_UPDATE_GOLDEN=1 writes
// the actual pictures there instead (look at them before committing).
const std::string kGoldenDir = std::filesystem::path(KURVEX_TEST_DATA).parent_path().string() + "/golden/";

::testing::AssertionResult MatchesGolden(const TBitmap& actual, const std::string& name) {
  const std::string path = kGoldenDir + name + ".png";
  if (std::getenv("KURVEX_UPDATE_GOLDEN")) {
    std::filesystem::create_directories(kGoldenDir);
    if (!actual.Image().save(QString::fromStdString(path), "PNG"))
      return ::testing::AssertionFailure() << "cannot write " << path;
    return ::testing::AssertionSuccess();
  }
  TBitmap expected;
  if (!expected.Image().load(QString::fromStdString(path))) return ::testing::AssertionFailure() << "no " << path;
  expected.Image() = expected.Image().convertToFormat(QImage::Format_RGB32);
  return SameImage(actual, expected, "golden-" + name);
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

}  // namespace
}  // namespace kurvex::test
