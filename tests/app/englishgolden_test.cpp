// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include <QApplication>
#include <QWidget>

#include "tests/app/language_fixture.h"
#include "tests/support/golden.h"
#include "tests/support/tempfolder.h"

namespace kurvex::test {
namespace {

const std::string kGoldenDir = std::filesystem::path(KURVEX_TEST_DATA).parent_path().string() + "/golden/";

// The whole window of an English session, as a user sees it.
class EnglishGoldenTest : public EnglishWindowTest {
 protected:
  bool Matches(const std::string& name) {
    // What differs from machine to machine: the pseudo-terminal behind COM5,
    // and how far the busy indicator has turned.
    form->StatusBar->Panels()[1].SetText("COM5 → ", "/dev/ttyUSB0", "");
    // Stopped first: a tick due while the picture is taken (a slow build)
    // would turn it on.
    form->CircularProgress->SetInterval(0);
    form->CircularProgress->SetPosition(0);
    form->Chart1->ControlBitmap();
    QApplication::processEvents();
    TBitmap window;
    window.Image() = form->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return MatchesGolden(window, kGoldenDir, name);
  }
  TempFolder folder;
};

TEST_F(EnglishGoldenTest, TheIdleWindow) { EXPECT_TRUE(Matches("english-idle")); }

// Three curves of an instrument, with their units, while acquiring.
TEST_F(EnglishGoldenTest, AcquiringThreeCurves) {
  const std::string setup = folder.Path("three.kxs");
  std::ofstream(setup) << R"({"Kurvex-Setup": 1, "graph": {"xMax": 300, "yMin": -5, "yMax": 15},
                             "curves": [{"name": "Voltage", "unit": "V"}, {"name": "Current", "unit": "A"},
                                        {"name": "Temp", "unit": "°C"}]})";
  ASSERT_TRUE(form->OpenSetupFile(setup));
  form->StartButton->Click();
  std::string lines;
  for (int i = 0; i < 240; ++i) {
    char line[80];
    std::snprintf(line, sizeof line, "%.3f;%.3f;%.2f\r\n", 5 + 4 * std::sin(i / 20.0), 2 * std::cos(i / 13.0),
                  10 + i / 60.0);
    lines += line;
  }
  Receive(lines);
  EXPECT_TRUE(Matches("english-acquiring"));
  form->StopButton->Click();
}

}  // namespace
}  // namespace kurvex::test
