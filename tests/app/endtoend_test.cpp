// SPDX-License-Identifier: GPL-3.0-or-later
#include <QElapsedTimer>
#include <cstdio>
#include <unistd.h>

#include "platform/system/dispatcher.h"
#include "tests/app/mainwindow_fixture.h"
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
