// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "platform/system/error.h"
#include "tests/serial/receivefixture.h"
#include "tests/support/fakeserialdevice.h"

namespace kurvex {
namespace {

using test::EventLog;
using test::RunEventsFor;
using test::WaitUntil;
using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Numbered commands, so a byte lost, doubled or out of order shows.
std::string Command(int number) { return "CMD" + std::to_string(number) + "?\r\n"; }

/// Runs with UseMainThread true (GUI thread) and false (reader thread).
class SendPath : public test::ReceiveFixture, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    ReceiveFixture::SetUp();
    ConfigureLikeTheWindow(m_comm);
    m_comm.SetUseMainThread(GetParam());
    m_comm.OnQueuedSent = [this](TBaseIO&, std::uint64_t written) {
      m_written = written;
      m_sentOnGuiThread = m_sentOnGuiThread && TDispatcher::InGuiThread();
    };
    SetErrorReporter([this](const EKurvexError& error) { m_log.Add(std::string("report ") + error.what()); });
  }
  void TearDown() override { SetErrorReporter(nullptr); }

  /// Queues 1 KiB commands until one is refused; the line must not take them.
  // Whether `got` is stretches of `whole`, each later in it than the one before.
  static bool StretchesInOrder(const std::string& got, const std::string& whole) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < got.size();) {
      if (at < whole.size() && got[i] == whole[at]) {
        ++i, ++at;
        continue;
      }
      // A new stretch begins: look for it further on.
      at = whole.find(got.substr(i, 16), at);
      if (at == std::string::npos) return false;
    }
    return true;
  }

  std::string FillUntilRefused() {
    std::string accepted;
    long long slowest = 0;
    const auto giveUp = Clock::now() + std::chrono::seconds(10);
    for (int number = 0; Clock::now() < giveUp; ++number) {
      std::string command = Command(number);
      command.resize(1024, '.');
      const auto start = Clock::now();
      const bool queued = m_comm.Queue(command);
      slowest = std::max(slowest, MsSince(start));
      if (!queued) break;
      accepted += command;
    }
    EXPECT_LT(slowest, 100) << "Queue waited for the line";
    return accepted;
  }

  EventLog m_log;
  TSerialComm m_comm;
  std::atomic<std::uint64_t> m_written{0};
  std::atomic<bool> m_sentOnGuiThread{true};
};

TEST_P(SendPath, QueuedCommandsArriveWholeInOrderAndAreReportedWritten) {
  EXPECT_FALSE(m_comm.Queue("closed\n")) << "nothing is queued while closed";
  m_comm.SetActive(true);
  std::string expected;
  for (int number = 0; number < 3000; ++number) {
    ASSERT_TRUE(m_comm.Queue(Command(number))) << number;
    expected += Command(number);
  }
  const std::string got = m_pty.ReadMaster(expected.size(), 10000);
  EXPECT_TRUE(got == expected) << got.size() << " of " << expected.size() << " bytes, or out of order";
  ASSERT_TRUE(WaitUntil([&] { return m_written == expected.size(); })) << m_written;
  EXPECT_EQ(m_sentOnGuiThread, GetParam());
  EXPECT_EQ(m_comm.SendWaiting(), 0u);
  EXPECT_FALSE(m_comm.SendStalled());
  EXPECT_TRUE(m_comm.DrainSend(0));
  EXPECT_EQ(m_comm.BytesSent(), expected.size());
  // The synchronous send still works beside the queue.
  EXPECT_TRUE(m_comm.SendString("SYST:LOC\n"));
  EXPECT_EQ(m_pty.ReadMaster(9), "SYST:LOC\n");
  m_comm.SetActive(false);
  EXPECT_FALSE(m_comm.Queue("closed\n"));
}

TEST_P(SendPath, AnAcquisitionWithNothingQueuedWritesNothing) {
  std::atomic<int> lines{0};
  m_comm.OnAfterReceive = [&](TBaseIO&, const std::uint8_t* buffer, std::uint32_t received) {
    lines += static_cast<int>(std::count(buffer, buffer + received, '\n'));
  };
  m_comm.SetActive(true);
  std::string data;
  for (int line = 0; line < 10000; ++line) data += std::to_string(line % 100) + ".5\r\n";
  std::thread instrument([&] { m_pty.WriteMaster(data); });
  const bool all = WaitUntil([&] { return lines == 10000; });
  instrument.join();
  ASSERT_TRUE(all) << lines;
  RunEventsFor(50);
  m_comm.SetActive(false);
  EXPECT_EQ(m_pty.ReadMaster(1, 100), "");
  EXPECT_EQ(m_comm.BytesSent(), 0u);
  EXPECT_EQ(m_written, 0u);
}

TEST_P(SendPath, ALineThatTakesNothingNeverHoldsTheCallerAndStallsVisibly) {
  m_comm.SetActive(true);
  // Nobody reads the master: the pty fills, then the queue up to its limit.
  const std::string accepted = FillUntilRefused();
  EXPECT_GE(m_comm.SendWaiting(), kMaxQueuedSendBytes - 1024);
  EXPECT_LE(m_comm.SendWaiting(), kMaxQueuedSendBytes);
  ASSERT_TRUE(WaitUntil([&] { return m_comm.SendStalled(); }));

  // The window's loop answers while the writer waits.
  std::atomic<bool> ran{false};
  TDispatcher::Post([&] { ran = true; });
  EXPECT_TRUE(WaitUntil([&] { return ran.load(); }, 1000));

  const auto drainStart = Clock::now();
  EXPECT_FALSE(m_comm.DrainSend(150));
  const long long drained = MsSince(drainStart);
  EXPECT_GE(drained, 150);
  EXPECT_LT(drained, 1000);

  // The instrument reads again: everything arrives, in order, and the stall ends.
  const std::string got = m_pty.ReadMaster(accepted.size(), 10000);
  EXPECT_TRUE(got == accepted) << got.size() << " of " << accepted.size() << " bytes, or out of order";
  EXPECT_TRUE(WaitUntil([&] { return m_comm.SendWaiting() == 0 && !m_comm.SendStalled(); }));
  EXPECT_TRUE(m_comm.DrainSend(1000));
  EXPECT_TRUE(WaitUntil([&] { return m_written == accepted.size(); }));
  EXPECT_TRUE(m_comm.Queue("more\n"));
  EXPECT_EQ(m_pty.ReadMaster(5), "more\n");
}

TEST_P(SendPath, ClosingWhileStalledEndsAtOnceAndDropsWhatWaits) {
  m_comm.SetActive(true);
  FillUntilRefused();
  ASSERT_GT(m_comm.SendWaiting(), 0u);
  const auto closeStart = Clock::now();
  m_comm.SetActive(false);
  EXPECT_LT(MsSince(closeStart), 500);
  EXPECT_EQ(m_comm.SendWaiting(), 0u);
  EXPECT_FALSE(m_comm.SendStalled());
  EXPECT_FALSE(m_comm.Queue("closed\n"));
  EXPECT_TRUE(m_log.Entries.empty()) << m_log.Entries.front();
}

TEST_P(SendPath, APurgeDropsWhatWaitsAndTheNextCommandFollowsWhatTheLineHad) {
  m_comm.SetActive(true);
  const std::string accepted = FillUntilRefused();
  m_comm.PurgeOutput();
  EXPECT_EQ(m_comm.SendWaiting(), 0u);
  EXPECT_FALSE(m_comm.SendStalled());
  ASSERT_TRUE(m_comm.Queue("after\n"));
  // What the pty held before the purge may still come (a pty's own queue
  // is the reader's side, and the purge may drop a stretch of it), and so
  // may a write the writer had begun; but only accepted bytes in their
  // order, and nothing after "after".
  std::string got;
  ASSERT_TRUE(WaitUntil([&] {
    got += m_pty.ReadMaster(65536, 10);
    return got.ends_with("after\n");
  })) << got.size();
  EXPECT_TRUE(StretchesInOrder(got.substr(0, got.size() - 6), accepted));
  EXPECT_LT(got.size(), accepted.size() - kMaxQueuedSendBytes / 2);
}

TEST_P(SendPath, AWriteThatFailsAsAGoneDeviceDoesClosesThePortAsAFailingReadDoes) {
  m_comm.OnFatalError = [&](TBaseIO&, std::uint32_t code, std::uint32_t detail, const std::string&,
                            bool& raise) {
    m_log.Add("fatal " + std::to_string(code) + " " + std::to_string(detail));
    raise = false;
  };
  test::FakeSerialDevice* fake = nullptr;
  m_comm.HandOverDevice(test::OpenFakeDevice(m_pty.SlavePath(), fake));
  ASSERT_NE(fake, nullptr);
  m_comm.SetActive(true);
  fake->FailWritesWith(EIO);
  ASSERT_TRUE(m_comm.Queue("MEAS?\n"));
  ASSERT_TRUE(WaitUntil([&] { return m_log.Count() == 1; }));
  EXPECT_EQ(m_log.Entries.front(), "fatal 1 " + std::to_string(EIO));
  EXPECT_TRUE(WaitUntil([&] { return !m_comm.Active(); }));
  EXPECT_FALSE(m_comm.Queue("MEAS?\n"));
}

TEST_P(SendPath, AnyOtherWriteFailureIsACommErrorAndLaterCommandsStillGo) {
  m_comm.OnCommError = [&](TBaseIO&, std::uint32_t code, std::uint32_t sysError, TComStateFlags,
                           bool&) {
    m_log.Add("comm " + std::to_string(code) + " " + std::to_string(sysError) +
              (TDispatcher::InGuiThread() == GetParam() ? "" : " on the wrong thread"));
  };
  test::FakeSerialDevice* fake = nullptr;
  m_comm.HandOverDevice(test::OpenFakeDevice(m_pty.SlavePath(), fake));
  ASSERT_NE(fake, nullptr);
  m_comm.SetActive(true);
  fake->FailWritesWith(EINVAL);
  ASSERT_TRUE(m_comm.Queue("lost\n"));
  ASSERT_TRUE(WaitUntil([&] { return m_log.Count() == 1; }));
  EXPECT_EQ(m_log.Entries.front(), "comm 0 " + std::to_string(EINVAL));
  EXPECT_EQ(m_comm.SendWaiting(), 0u);
  fake->FailWritesWith(0);
  ASSERT_TRUE(m_comm.Queue("READ?\n"));
  EXPECT_EQ(m_pty.ReadMaster(6), "READ?\n");
  EXPECT_TRUE(m_comm.Active());
}

INSTANTIATE_TEST_SUITE_P(Threads, SendPath, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "GuiThread" : "ReaderThread"; });

}  // namespace
}  // namespace kurvex
