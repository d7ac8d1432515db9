#include <cstdlib>

#include <QImage>

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

}  // namespace
}  // namespace kurvex::test
