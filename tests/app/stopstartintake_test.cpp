// SPDX-License-Identifier: GPL-3.0-or-later
#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/system/dispatcher.h"
#include "tests/app/mainwindow_fixture.h"
#include "tests/support/waituntil.h"

namespace kurvex::test {
namespace {

// Threads of this process but for Qt's pool, which starts and retires its
// workers by itself.
int ThreadCount() {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) {
    std::ifstream comm(entry.path() / "comm");
    std::string name;
    std::getline(comm, name);
    if (name != "Thread (pooled)") ++count;
  }
  return count;
}

class StopStartIntakeTest : public MainWindowTest {
 protected:
  ~StopStartIntakeTest() override {
    feeding = false;
    if (feeder.joinable()) feeder.join();
  }

  // The instrument at full speed: lines as fast as the pty takes them.
  void FeedAtFullSpeed() {
    feeder = std::thread([this] {
      std::string block;
      for (int i = 0; i < 1000; ++i) block += "12.5\r\n";
      pty.FloodMaster(block, feeding);
    });
  }

  // Trend: runs until stopped, so every pair meets a running acquisition.
  void StartTrend() {
    form->TrendCheckBox->SetChecked(true);
    form->StartButton->Click();
  }
  bool Acquiring() { return form->SerialComm1->Active() && form->SessionState.SampleCount > 0; }

  std::atomic<bool> feeding{true};
  std::thread feeder;
};

TEST_F(StopStartIntakeTest, StopAndStartDuringFullSpeedIntakeLeaveNoThreadsBehind) {
  FeedAtFullSpeed();
  StartTrend();
  ASSERT_TRUE(WaitUntil([&] { return Acquiring(); }));
  const int threads = ThreadCount();

  for (int pair = 0; pair < 50; ++pair) {
    // Clicks queue up behind the deliveries, as the user's do.
    bool handled = false;
    TDispatcher::Post([&] {
      form->StopButton->Click();
      StartTrend();
      handled = true;
    });
    ASSERT_TRUE(WaitUntil([&] { return handled && Acquiring(); }, 20000)) << "pair " << pair;
    EXPECT_EQ(ThreadCount(), threads) << "pair " << pair;
  }
  feeding = false;
  form->StopButton->Click();
}

// What waited in the port since Stop is old; a line begun before Stop is
// finished by the next acquisition's first bytes.
TEST_F(StopStartIntakeTest, ANewAcquisitionStartsWithWhatComesAfterItsStart) {
  form->StartButton->Click();
  pty.WriteMaster("1\r\n5");
  ASSERT_TRUE(WaitUntil([&] { return form->Intake().PendingLine() == "5"; }));
  form->StopButton->Click();
  pty.WriteMaster("2\r\n3\r\n");
  ASSERT_TRUE(WaitUntil([&] { return pty.SlaveInputQueued() == 6; }));

  form->StartButton->Click();
  pty.WriteMaster("7\r\n");
  ASSERT_TRUE(WaitUntil([&] { return form->SessionState.SampleCount == 1; }));
  EXPECT_EQ(form->SessionState.RawValue, 57.0f);
  form->StopButton->Click();
}

}  // namespace
}  // namespace kurvex::test
