// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include <QWidget>

#include "app/mainwindow.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/golden.h"
#include "tests/support/tempfolder.h"

namespace kurvex::test {
namespace {

const std::string kGoldenDir = std::filesystem::path(KURVEX_TEST_DATA).parent_path().string() + "/golden/";

// Temperature on the left axis, pressure on the right, as an instrument
// sends them: 200 lines of both, with units.
class TwoAxesGoldenTest : public MainWindowTest {
 protected:
  TwoAxesGoldenTest() {
    const std::string setup = folder.Path("zwei.kxs");
    std::ofstream(setup) << R"({"Kurvex-Setup": 1, "graph": {"xMax": 200, "yMin": 18, "yMax": 28},
                               "curves": [{"name": "Temp"}, {"name": "Druck", "axis": "right"}]})";
    EXPECT_TRUE(form->OpenSetupFile(setup));
    form->StartButton->Click();
    std::string lines;
    for (int i = 0; i < 200; ++i) {
      char line[64];
      std::snprintf(line, sizeof line, "%.2f °C;%.1f hPa\r\n", 23 + 3 * std::sin(i / 15.0), 1010 + 6 * std::cos(i / 25.0));
      lines += line;
    }
    Receive(lines);
    form->StopButton->Click();
  }
  TempFolder folder;
};

TEST_F(TwoAxesGoldenTest, BothAxesWithTheirUnits) {
  EXPECT_TRUE(MatchesGolden(form->Chart1->ControlBitmap(), kGoldenDir, "two-axes"));
}

TEST_F(TwoAxesGoldenTest, BothAxesWithTheirUnitsAtTwiceTheResolution) {
  if (form->Chart1->Widget()->devicePixelRatioF() != 2) GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
  EXPECT_TRUE(MatchesGolden(form->Chart1->ControlBitmap(), kGoldenDir, "two-axes@2x"));
}

// Black and white: each curve its own dashes, both axes black.
TEST_F(TwoAxesGoldenTest, BlackAndWhiteExportKeepsTheCurvesApart) {
  const std::string path = folder.Path("export.bmp");
  form->Chart1->SaveBitmap(path, true);
  TBitmap written;
  ASSERT_TRUE(written.LoadFromFile(path));
  EXPECT_TRUE(MatchesGolden(written, kGoldenDir, "two-axes-bw"));
}

}  // namespace
}  // namespace kurvex::test
