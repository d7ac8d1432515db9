// SPDX-License-Identifier: GPL-3.0-or-later
#include <cmath>
#include <fstream>

#include "tests/app/mainwindow_fixture.h"
#include "tests/support/tempfolder.h"

namespace kurvex::test {
namespace {

using SampleNumberAxisTest = MainWindowTest;

// A recording of three rows opens whole, X 1 .. 3: its axis ticks only
// whole sample numbers, so no label repeats.
TEST_F(SampleNumberAxisTest, AThreeRowRecordingTicksEachSampleOnce) {
  TempFolder folder;
  const std::string path = folder.Path("drei.csv");
  std::ofstream(path, std::ios::binary) << "t;U\r\n0;1\r\n1;2\r\n2;3\r\n";
  dialogs.Files().Answers.push_back(path);
  form->AufzeichnungOeffnen->Click();
  ASSERT_EQ(RangeX(), (TAxisWindow{1, 3}));
  TChartControl& chart = *form->Chart1;
  chart.ControlBitmap();  // paints the scales
  const TScale& x = chart.PainterX(1);
  ASSERT_GT(x.NumTicks(), 0);
  for (int i = 1; i <= x.NumTicks(); ++i) EXPECT_EQ(x.TickPosition(i), std::round(x.TickPosition(i))) << i;
  EXPECT_EQ(x.NumTicks(), 3);
}

}  // namespace
}  // namespace kurvex::test
