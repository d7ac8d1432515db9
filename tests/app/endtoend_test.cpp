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

TEST_F(EndToEndTest, AnOverflowStopsWithBothMessagesAndTheNextStartWorks) {
  form->StartButton->Click();
  pty.WriteMaster("1\r\n1e39\r\n");
  ASSERT_TRUE(WaitUntil([&] { return !form->StopButton->Enabled(); }));
  WaitUntil([&] { return Messages().size() >= 2; }, 2000);
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[0], "Es ist ein Schnittstellenfehler aufgetreten");
  EXPECT_EQ(Messages()[1], "Gleitkommaüberlauf");
  EXPECT_EQ(form->SessionState.SampleCount, 1);
  form->StartButton->Click();
  pty.WriteMaster("2\r\n");
  ASSERT_TRUE(WaitUntil([&] { return form->SessionState.SampleCount == 1; }));
  EXPECT_EQ(form->Chart1->Item(0).Y, 2);
  form->StopButton->Click();
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
