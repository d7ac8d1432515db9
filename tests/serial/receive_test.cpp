// SPDX-License-Identifier: GPL-3.0-or-later
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "platform/system/error.h"
#include "serial/inputbacklog.h"
#include "tests/serial/receivefixture.h"

namespace kurvex {
namespace {

using test::EventLog;
using test::RunEventsFor;
using test::WaitUntil;

std::string RandomBytes(std::size_t count) {
  std::mt19937 random(12345);
  std::string bytes(count, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
  return bytes;
}

/// Runs with UseMainThread true (GUI thread) and false (reader thread).
class ReceiveThreads : public test::ReceiveFixture, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    ReceiveFixture::SetUp();
    ConfigureLikeTheWindow(m_comm);
    m_comm.SetUseMainThread(GetParam());
    SetErrorReporter([this](const EKurvexError& error) {
      m_log.Add(std::string("report ") + error.what() + (TDispatcher::InGuiThread() ? "" : " off GUI"));
    });
  }
  void TearDown() override { SetErrorReporter(nullptr); }

  EventLog m_log;
  TSerialComm m_comm;
};

TEST_P(ReceiveThreads, AMegabyteArrivesWholeInOrderAndUnnestedOnTheChosenThread) {
  std::atomic<int> depth{0};
  std::atomic<bool> nested{false};
  const TOnReceived receive = m_log.Receiver();
  m_comm.OnAfterReceive = [&](TBaseIO& com, const std::uint8_t* buffer, std::uint32_t received) {
    if (depth++ > 0) nested = true;
    receive(com, buffer, received);
    // As the window does after a redraw: no event of the component may nest here.
    if (GetParam()) TDispatcher::ProcessMessages();
    --depth;
  };
  m_comm.SetActive(true);
  const std::string data = RandomBytes(1 << 20);
  std::thread instrument([&] { m_pty.WriteMaster(data); });
  const bool all = WaitUntil([&] { return m_log.ByteCount() >= data.size(); });
  instrument.join();
  ASSERT_TRUE(all) << m_log.ByteCount() << " of " << data.size() << " bytes";
  m_comm.SetActive(false);

  EXPECT_TRUE(m_log.Bytes == data) << "bytes lost, doubled or out of order";
  EXPECT_FALSE(nested);
  EXPECT_EQ(m_log.AllOnGuiThread, GetParam());
  EXPECT_EQ(m_comm.BytesReceived(), data.size());
  for (const std::uint32_t size : m_log.Sizes) EXPECT_LE(size, 16384u);
  EXPECT_LT(m_log.Sizes.size(), data.size() / 64) << "blocks as large as what waits";
}

TEST_P(ReceiveThreads, AHandlerThatThrowsBecomesAFatalErrorAndTheNextBytesStillArrive) {
  bool veto = false;
  m_comm.OnFatalError = [&](TBaseIO&, std::uint32_t code, std::uint32_t, const std::string& msg,
                            bool& raise) {
    m_log.Add(std::to_string(code) + " " + msg);
    raise = !veto;
  };
  const TOnReceived receive = m_log.Receiver();
  m_comm.OnAfterReceive = [&](TBaseIO& com, const std::uint8_t* buffer, std::uint32_t received) {
    receive(com, buffer, received);
    if (buffer[received - 1] == '!') throw std::runtime_error("kaputt");
  };
  m_comm.SetActive(true);
  m_pty.WriteMaster("one!");
  ASSERT_TRUE(WaitUntil([&] { return m_log.Count() == 2; }));
  m_pty.WriteMaster("two");
  ASSERT_TRUE(WaitUntil([&] { return m_log.ByteCount() == 7; }));
  veto = true;  // a cleared RaiseException suppresses the report
  m_pty.WriteMaster("three!");
  ASSERT_TRUE(WaitUntil([&] { return m_log.Count() == 3; }));
  RunEventsFor(30);
  EXPECT_EQ(m_log.Entries, (std::vector<std::string>{"1 kaputt", "report kaputt", "1 kaputt"}));
  EXPECT_EQ(m_log.Bytes, "one!twothree!");
  EXPECT_TRUE(m_comm.Active());
}

TEST_P(ReceiveThreads, ClosingFromInsideTheHandlerKeepsItsBytesAndEndsDelivery) {
  // Directly, and on the GUI thread also through message processing there.
  for (const bool throughMessages : {false, GetParam()}) {
    SCOPED_TRACE(throughMessages ? "through messages" : "directly");
    std::string seen;
    std::atomic<int> calls{0};
    m_comm.OnAfterReceive = [&](TBaseIO& com, const std::uint8_t* buffer, std::uint32_t received) {
      if (throughMessages) {
        TDispatcher::Post([&] { com.SetActive(false); });
        TDispatcher::ProcessMessages();
      } else {
        com.SetActive(false);
      }
      EXPECT_FALSE(com.Active());
      seen.assign(reinterpret_cast<const char*>(buffer), received);  // after the close
      ++calls;
    };
    m_comm.SetActive(true);
    const std::string written = RandomBytes(3000);
    m_pty.WriteMaster(written);
    ASSERT_TRUE(WaitUntil([&] { return calls > 0; }));
    m_pty.WriteMaster("later");
    RunEventsFor(40);
    EXPECT_EQ(calls, 1);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen, written.substr(0, seen.size()));
    tcflush(m_pty.Slave(), TCIFLUSH);
  }
}

TEST_P(ReceiveThreads, AnUnpluggedDeviceClosesTheComponentWhichReportsIt) {
  test::PtyPair device;
  test::LinkComPort(6, device.SlavePath());
  m_comm.SetComPortNo(6);
  m_comm.AddListener([&](TBaseIO&, int code) { m_log.Add("listener " + std::to_string(code)); });
  m_comm.OnClose = [&](TBaseIO&) { m_log.Add("closed"); };
  m_comm.OnFatalError = [&](TBaseIO& sender, std::uint32_t code, std::uint32_t detail,
                            const std::string& msg, bool&) {
    m_log.Add(std::to_string(code) + " " + std::to_string(detail) + " " + msg +
              (sender.Active() ? " while open" : ""));
    sender.SetActive(false);  // the window's Stop
  };
  m_comm.OnAfterReceive = m_log.Receiver();
  m_comm.SetActive(true);
  device.WriteMaster("ok");
  ASSERT_TRUE(WaitUntil([&] { return m_log.ByteCount() == 2; }));

  device.CloseMaster();
  ASSERT_TRUE(WaitUntil([&] { return m_log.Count() == 5; }));
  RunEventsFor(20);
  const std::string message = std::string("Device \"COM6\" Connection Lost !!!\r") + strerror(EIO);
  EXPECT_EQ(m_log.Entries,
            (std::vector<std::string>{"listener 2", "closed", "listener 1",
                                      "1 " + std::to_string(EIO) + " " + message,
                                      "report " + message}));
  EXPECT_FALSE(m_comm.Active());
  EXPECT_EQ(m_comm.ReceiveBufferSize(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Threads, ReceiveThreads, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "GuiThread" : "ReaderThread"; });

using ReceiveEvents = test::ReceiveFixture;

TEST_F(ReceiveEvents, WithoutReceiverBytesAreCountedButLeftWaiting) {
  TSerialComm comm;
  ConfigureLikeTheWindow(comm);
  comm.SetActive(true);
  m_pty.WriteMaster("abc");
  ASSERT_TRUE(WaitUntil([&] { return comm.BytesReceived() == 3; }));
  RunEventsFor(40);
  EXPECT_EQ(comm.BytesReceived(), 3u) << "bytes left waiting raise no new events";
  EXPECT_EQ(m_pty.SlaveInputQueued(), 3u);
  EventLog log;
  comm.OnAfterReceive = log.Receiver();
  m_pty.WriteMaster("d");
  ASSERT_TRUE(WaitUntil([&] { return log.ByteCount() == 4; }));
  EXPECT_EQ(log.Bytes, "abcd");
}

TEST_F(ReceiveEvents, AnEventTheGuiHasNotRunIsDroppedByCloseAndByDestruction) {
  int calls = 0;
  {
    TSerialComm comm;
    ConfigureLikeTheWindow(comm);
    comm.OnAfterReceive = [&](TBaseIO&, const std::uint8_t*, std::uint32_t) { ++calls; };
    for (const bool reopen : {true, false}) {
      comm.SetActive(true);
      m_pty.WriteMaster("abc");
      // The reader now waits for the GUI thread, which runs no events.
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      if (reopen) comm.SetActive(true);
    }
  }  // destroyed while open with an event waiting
  RunEventsFor(30);
  EXPECT_EQ(calls, 0);
}

// Waits a little longer each round, so that the owner's close falls on every
// step of a close the reader makes at the same time.
void SpreadOver(int round, std::chrono::nanoseconds step) {
  const auto until = std::chrono::steady_clock::now() + round % 40 * step;
  while (std::chrono::steady_clock::now() < until) {
  }
}

// On the reader thread a hang-up or a handler closes the component there,
// while its owner may be closing it at the same moment: one of them closes,
// once, and neither waits for the other for ever.
TEST(ReceiveRace, AHangUpAndTheOwnersCloseMeetWithoutHarm) {
  test::TempConfigHome home;
  for (int round = 0; round < 1000; ++round) {
    test::PtyPair device;
    test::LinkComPort(6, device.SlavePath());
    std::atomic<int> fatal{0};
    TSerialComm comm;
    comm.SetUseMainThread(false);
    comm.SetComPortNo(6);
    comm.OnFatalError = [&](TBaseIO&, std::uint32_t, std::uint32_t, const std::string&,
                            bool& raise) {
      ++fatal;
      raise = false;
    };
    comm.SetActive(true);
    ASSERT_TRUE(comm.Active());
    device.CloseMaster();
    SpreadOver(round, std::chrono::nanoseconds(250));  // a hang-up is seen within microseconds
    comm.SetActive(false);
    EXPECT_FALSE(comm.Active());
    EXPECT_LE(fatal, 1);
  }
}

TEST_F(ReceiveEvents, AHandlersCloseAndTheOwnersCloseMeetWithoutHarm) {
  TSerialComm comm;
  ConfigureLikeTheWindow(comm);
  comm.SetUseMainThread(false);
  comm.OnAfterReceive = [](TBaseIO& com, const std::uint8_t*, std::uint32_t) { com.SetActive(false); };
  for (int round = 0; round < 1000; ++round) {
    comm.SetActive(true);
    m_pty.WriteMaster("x");
    SpreadOver(round, std::chrono::microseconds(25));  // bytes reach the handler within a millisecond
    comm.SetActive(false);
    ASSERT_FALSE(comm.Active());
    tcflush(m_pty.Slave(), TCIFLUSH);
  }
}

using test::WaitUntil;

// Numbered lines, so a lost, doubled or reordered byte shows.
std::string NumberedLines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += std::to_string(i) + "\n";
  return text;
}

/// An instrument faster than its consumer: the handler takes longer per
/// block than one handling may spend.
class Flood : public test::ReceiveFixture {
 protected:
  void SetUp() override {
    ReceiveFixture::SetUp();
    ConfigureLikeTheWindow(m_comm);
    m_comm.OnAfterReceive = [this](TBaseIO&, const std::uint8_t* buffer, std::uint32_t received) {
      m_bytes.append(reinterpret_cast<const char*>(buffer), received);
      ++m_blocks;
      if (OnBlock) OnBlock(m_blocks);
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    };
  }
  ~Flood() override {
    m_flooding = false;
    if (m_instrument.joinable()) m_instrument.join();
  }
  void Send(const std::string& data) {
    m_instrument = std::thread([this, data] { m_pty.WriteMaster(data); });
  }
  void SendUntilStopped() {
    m_instrument = std::thread([this] { m_pty.FloodMaster(NumberedLines(2000), m_flooding); });
  }

  TSerialComm m_comm;
  std::string m_bytes;
  int m_blocks = 0;
  std::function<void(int)> OnBlock;
  std::atomic<bool> m_flooding{true};
  std::thread m_instrument;
};

TEST_F(Flood, TheLoopRunsBetweenHandlingsAndEveryByteArrivesOnceInOrder) {
  // Commands posted from inside a handling, as a click queued behind it:
  // each must run before the next block is delivered.
  std::vector<std::pair<int, int>> postedAndRun;
  OnBlock = [&](int block) {
    if (block % 8 != 3) return;
    postedAndRun.emplace_back(block, -1);
    const std::size_t index = postedAndRun.size() - 1;
    TDispatcher::Post([&, index] { postedAndRun[index].second = m_blocks; });
  };
  m_comm.SetActive(true);
  const std::string data = NumberedLines(60000);  // about 350 KB, 20 blocks and more
  Send(data);
  ASSERT_TRUE(WaitUntil([&] { return m_bytes.size() >= data.size(); }, 60000))
      << m_bytes.size() << " of " << data.size();
  m_comm.SetActive(false);

  EXPECT_TRUE(m_bytes == data) << "bytes lost, doubled or out of order";
  ASSERT_GE(postedAndRun.size(), 2u);
  for (const auto& [posted, run] : postedAndRun) {
    EXPECT_EQ(run, posted) << "a command posted at block " << posted << " waited for block " << run;
  }
}

TEST_F(Flood, AnOverloadIsReportedAfterASecondAndEndsWhenCaughtUp) {
  std::vector<bool> reports;
  m_comm.OnInputOverload = [&](TBaseIO&, bool overloaded) { reports.push_back(overloaded); };
  m_comm.SetActive(true);
  SendUntilStopped();
  ASSERT_TRUE(WaitUntil([&] { return !reports.empty(); }, 20000));
  EXPECT_TRUE(m_comm.InputOverloaded());
  m_flooding = false;
  m_instrument.join();
  ASSERT_TRUE(WaitUntil([&] { return reports.size() == 2; }, 20000));
  EXPECT_EQ(reports, (std::vector<bool>{true, false}));
  EXPECT_FALSE(m_comm.InputOverloaded());
  m_comm.SetActive(false);
}

TEST_F(Flood, ClosingWhileOverloadedReportsTheEndOfIt) {
  std::vector<bool> reports;
  m_comm.OnInputOverload = [&](TBaseIO&, bool overloaded) { reports.push_back(overloaded); };
  m_comm.SetActive(true);
  SendUntilStopped();
  ASSERT_TRUE(WaitUntil([&] { return !reports.empty(); }, 20000));
  m_comm.SetActive(false);
  EXPECT_EQ(reports, (std::vector<bool>{true, false}));
}

TEST(InputBacklog, OverloadedOnlyOnceBytesHaveWaitedASecondWithoutADrain) {
  using namespace std::chrono_literals;
  TInputBacklog backlog;
  const TInputBacklog::Clock::time_point t0{};
  EXPECT_FALSE(backlog.HandlingEnded(true, t0));
  EXPECT_FALSE(backlog.HandlingEnded(true, t0 + 999ms));
  EXPECT_TRUE(backlog.HandlingEnded(true, t0 + 1s));
  EXPECT_TRUE(backlog.Overloaded());
  EXPECT_FALSE(backlog.HandlingEnded(true, t0 + 5s));
  EXPECT_TRUE(backlog.HandlingEnded(false, t0 + 6s));
  EXPECT_FALSE(backlog.Overloaded());
  // A drain in between starts the second over.
  EXPECT_FALSE(backlog.HandlingEnded(true, t0 + 7s));
  EXPECT_FALSE(backlog.HandlingEnded(true, t0 + 7s + 999ms));
}

}  // namespace
}  // namespace kurvex
