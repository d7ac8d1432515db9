// SPDX-License-Identifier: GPL-3.0-or-later
#include <QElapsedTimer>
#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "platform/system/dispatcher.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/strictcsv.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

class EndToEndTest : public MainWindowTest {
 protected:
  static std::string Lines(int first, int last) {
    std::string text;
    char line[32];
    for (int i = first; i <= last; ++i) {
      std::snprintf(line, sizeof line, "%.3f\r\n", i * 0.5);
      text += line;
    }
    return text;
  }
};

TEST_F(EndToEndTest, UnpluggingThePortShowsTheErrorAndStops) {
  form->StartButton->Click();
  pty.WriteMaster(Lines(1, 20));
  ASSERT_TRUE(WaitUntil([&] { return form->SessionState.SampleCount == 20; }));
  pty.CloseMaster();
  ASSERT_TRUE(WaitUntil([&] { return !form->StopButton->Enabled(); }));
  ASSERT_FALSE(Messages().empty());
  EXPECT_EQ(Messages().front(), "Es ist ein Schnittstellenfehler aufgetreten");
  EXPECT_FALSE(form->SerialComm1->Active());
  EXPECT_TRUE(form->StartButton->Enabled());
}

// One corrupted line on a long run must not end it: a value beyond single
// precision is a gap, and everything after it is plotted and recorded.
TEST_F(EndToEndTest, AValueBeyondSinglePrecisionIsAGapAndTheAcquisitionGoesOn) {
  form->RecordCheckBox->SetChecked(true);
  form->StartButton->Click();
  pty.WriteMaster("5\r\n1e39\r\n6\r\n7\r\n");
  ASSERT_TRUE(WaitUntil([&] { return form->SessionState.SampleCount == 4; }));
  EXPECT_TRUE(form->SerialComm1->Active());
  EXPECT_EQ(Panel(2), "Ungültige Zeilen: 1");
  form->StopButton->Click();
  EXPECT_TRUE(Messages().empty());
  ASSERT_EQ(form->Chart1->ItemCount(), 3);
  EXPECT_EQ(form->Chart1->Item(1).Kind, ikMoveTo);  // the gap breaks the line
  EXPECT_EQ(form->Chart1->Item(1).X, 3);
  std::vector<std::string> raw;
  for (const auto& entry : std::filesystem::directory_iterator(config.DataDir() / "kurvex"))
    for (const std::vector<std::string>& row : ReadStrictCsv(FileText(entry.path()), ',').Rows) raw.push_back(row[3]);
  EXPECT_EQ(raw, (std::vector<std::string>{"Rohwert", "5", "", "6", "7"}));
}

TEST_F(EndToEndTest, TheSampleLimitStopsFromInsideTheDelivery) {
  form->StartButton->Click();
  form->SessionState.SampleCount = 49990;
  pty.WriteMaster(Lines(1, 30));
  ASSERT_TRUE(WaitUntil([&] { return !form->SerialComm1->Active(); }));
  WaitUntil([] { return false; }, 100);  // nothing more may arrive or crash
  EXPECT_GE(form->SessionState.SampleCount, 50001);
  EXPECT_TRUE(form->StartButton->Enabled());
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace kurvex::test
