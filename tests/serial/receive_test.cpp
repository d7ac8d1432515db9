// SPDX-License-Identifier: GPL-3.0-or-later
#include <cerrno>
#include <cstring>
#include <random>
#include <termios.h>
#include <unistd.h>

#include "platform/system/error.h"
#include "serial/eventmask.h"
#include "serial/inputbacklog.h"
#include "serial/linecounters.h"
#include "serial/logfile.h"
#include "serial/receivemarks.h"
#include "tests/serial/receivefixture.h"
#include "tests/support/fakeserialdevice.h"

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

// An instrument that sends a line every few milliseconds is handed over
// about once a frame, not once a line.
TEST_P(ReceiveThreads, LinesComingEveryFewMillisecondsAreGathered) {
  const TOnReceived receive = m_log.Receiver();
  m_comm.OnAfterReceive = receive;
  m_comm.SetActive(true);
  constexpr int kLines = 40;
  for (int i = 0; i < kLines; ++i) {
    m_pty.WriteMaster("1.5\r\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(3));  // the instrument's pace
  }
  ASSERT_TRUE(WaitUntil([&] { return m_log.ByteCount() == 5u * kLines; }));
  m_comm.SetActive(false);
  std::lock_guard lock(m_log.Mutex);
  EXPECT_LE(m_log.Sizes.size(), kLines / 2u) << "blocks of a line or two";
}

// An answer to a queued command is handed over at once, though the reader
// handed the bytes before it over only just now: a query paced by its
// answers is not slowed by the gathering.
TEST_P(ReceiveThreads, AnAnswerToAQueuedCommandIsNotGathered) {
  using Clock = std::chrono::steady_clock;
  std::mutex mutex;
  std::vector<Clock::time_point> answers;
  m_comm.OnAfterReceive = [&](TBaseIO&, const std::uint8_t* buffer, std::uint32_t received) {
    const std::string text(reinterpret_cast<const char*>(buffer), received);
    std::lock_guard lock(mutex);
    for (const char c : text)
      if (c == 'A') answers.push_back(Clock::now());
  };
  const auto answered = [&] {
    std::lock_guard lock(mutex);
    return answers.size();
  };
  m_comm.SetActive(true);
  std::atomic<bool> answering{true};
  std::thread instrument([&] {
    while (answering)
      if (m_pty.ReadMaster(1, 20) == "Q") m_pty.WriteMaster("A\r\n");
  });
  constexpr std::size_t kRounds = 11;
  std::vector<Clock::duration> trips;
  for (std::size_t round = 0; round < kRounds; ++round) {
    const Clock::time_point asked = Clock::now();
    ASSERT_TRUE(m_comm.Queue("Q"));
    ASSERT_TRUE(WaitUntil([&] { return answered() > round; }));
    std::lock_guard lock(mutex);
    trips.push_back(answers[round] - asked);
  }
  answering = false;
  instrument.join();
  m_comm.SetActive(false);
  std::nth_element(trips.begin(), trips.begin() + kRounds / 2, trips.end());
  EXPECT_LT(trips[kRounds / 2], std::chrono::milliseconds(10)) << "answers wait to be gathered";
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

using test::EventLog;
using test::RunEventsFor;
using test::WaitUntil;

TEST(LineCounterDeltas, ErrorBitsLineEventsAndTraceStates) {
  const LineCounters before{1, 2, 3, 4, 5, 6, 7, 8, 0xFFFFFFFF};
  const auto changed = [&](std::uint32_t LineCounters::*field) {
    LineCounters after = before;
    ++(after.*field);  // BufferOverrun wraps to 0: still a change
    return std::make_pair(LineErrorBits(before, after), LineEventBits(before, after));
  };
  using Bits = std::pair<std::uint32_t, std::uint32_t>;
  EXPECT_EQ(changed(&LineCounters::Frame), Bits(CE_FRAME, EV_ERR));
  EXPECT_EQ(changed(&LineCounters::Overrun), Bits(CE_OVERRUN, EV_ERR));
  EXPECT_EQ(changed(&LineCounters::Parity), Bits(CE_RXPARITY, EV_ERR));
  EXPECT_EQ(changed(&LineCounters::Break), Bits(CE_BREAK, EV_BREAK));
  EXPECT_EQ(changed(&LineCounters::BufferOverrun), Bits(CE_RXOVER, 0));
  EXPECT_EQ(changed(&LineCounters::Cts), Bits(0, EV_CTS));
  EXPECT_EQ(changed(&LineCounters::Dsr), Bits(0, EV_DSR));
  EXPECT_EQ(changed(&LineCounters::Ring), Bits(0, EV_RING));
  EXPECT_EQ(changed(&LineCounters::Rlsd), Bits(0, EV_RLSD));
  EXPECT_EQ(LineErrorBits(before, before) | LineEventBits(before, before), 0u);

  EXPECT_EQ(TraceStatesForEvents(EV_RXCHAR | EV_TXEMPTY), TTraceStates{});
  for (int state = tsRxFlag; state <= tsEvent2; ++state) {
    if (state == tsTxEmpty) continue;
    const TTraceStates one{static_cast<TTraceState>(state)};
    EXPECT_EQ(TraceStatesForEvents(EventMaskFor(one, false, false)), one) << state;
  }
}

/// The pty of COM5 handed to the component through a fake device that adds
/// driver counters and failing reads; events go to the GUI thread.
class CommErrors : public test::ReceiveFixture, public TCustomLogFile {
 protected:
  void Open() {
    ConfigureLikeTheWindow(m_comm);
    m_comm.SetLog(this);
    m_comm.OnAfterReceive = m_log.Receiver();
    m_comm.HandOverDevice(test::OpenFakeDevice(m_pty.SlavePath(), m_fake));
    ASSERT_NE(m_fake, nullptr);
    m_comm.SetActive(true);
  }
  void Write(int level, const std::string& text) override {
    if (level == 1) m_log.Add(text);
  }
  static LineCounters Counting(std::uint32_t LineCounters::*field) {
    LineCounters delta{};
    delta.*field = 1;
    return delta;
  }

  EventLog m_log;
  TSerialComm m_comm;
  test::FakeSerialDevice* m_fake = nullptr;
};

TEST_F(CommErrors, LineErrorFiresOnCommErrorAndTheBytesComeWithTheNextEvent) {
  bool flush = false;
  m_comm.OnCommError = [&](TBaseIO&, std::uint32_t code, std::uint32_t sysError,
                           TComStateFlags state, bool& flFlashBuffers) {
    EXPECT_FALSE(flFlashBuffers);
    m_log.Add("error " + std::to_string(code) + ":" + std::to_string(sysError) + " " +
              std::to_string(state.Bits()) + " " + m_log.Bytes);
    flFlashBuffers = flush;
  };
  ASSERT_NO_FATAL_FAILURE(Open());
  m_fake->Advance(Counting(&LineCounters::Frame));
  m_fake->Advance(Counting(&LineCounters::Parity));
  m_pty.WriteMaster("12\r\n");
  ASSERT_TRUE(WaitUntil([&] { return m_log.ByteCount() == 4; }));
  // A handler asking for it empties the queues: those bytes never come.
  flush = true;
  m_fake->Advance(Counting(&LineCounters::BufferOverrun));
  m_pty.WriteMaster("34");
  ASSERT_TRUE(WaitUntil([&] { return m_log.Count() == 4; }));
  RunEventsFor(30);
  EXPECT_EQ(m_log.Entries, (std::vector<std::string>{
                               "SerialComm: Communication Error 12:0 0", "error 12:0 0 ",
                               "SerialComm: Communication Error 1:0 0", "error 1:0 0 12\r\n"}));
  EXPECT_EQ(m_log.Bytes, "12\r\n");
  EXPECT_EQ(m_pty.SlaveInputQueued(), 0u);
  EXPECT_TRUE(m_comm.Active());
}

TEST_F(CommErrors, AFailingReadClosesThePortAsAnUnplugDoes) {
  m_comm.OnFatalError = [&](TBaseIO&, std::uint32_t code, std::uint32_t detail,
                            const std::string& msg, bool& raise) {
    m_log.Add(std::to_string(code) + " " + std::to_string(detail) + " " + msg);
    raise = false;
  };
  ASSERT_NO_FATAL_FAILURE(Open());
  m_fake->FailReadsWith(EIO);
  m_pty.WriteMaster("z");
  ASSERT_TRUE(WaitUntil([&] { return m_log.Count() == 1; }));
  EXPECT_FALSE(m_comm.Active());
  EXPECT_EQ(m_log.Entries.front(), "1 " + std::to_string(EIO) + " Device \"COM5\" Connection Lost !!!\r" +
                                       std::strerror(EIO));
}

TEST_F(CommErrors, WatchedLineEventsReachOnTraceStateOthersDoNot) {
  ASSERT_NO_FATAL_FAILURE(Open());
  m_comm.SetEventChar('\n');
  m_comm.OnAfterSend = [&](TBaseIO&) { m_log.Add("sent"); };
  m_comm.OnTraceState = [&](TBaseIO&, TTraceStates states) {
    m_log.Add("trace " + std::to_string(states.Bits()));
  };
  // Chosen while open, once the reader waits: it must notice at once.
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  m_comm.SetTraceStates({tsCTS, tsRing, tsRxFlag, tsTxEmpty});
  m_fake->Advance(Counting(&LineCounters::Cts));
  ASSERT_TRUE(WaitUntil([&] { return m_log.Count() == 1; }));
  m_fake->Advance(Counting(&LineCounters::Dsr));  // not watched
  RunEventsFor(30);
  m_fake->Advance(Counting(&LineCounters::Ring));
  ASSERT_TRUE(WaitUntil([&] { return m_log.Count() == 2; }));
  m_pty.WriteMaster("ab");
  ASSERT_TRUE(WaitUntil([&] { return m_log.ByteCount() == 2; }));
  m_pty.WriteMaster("c\n");
  ASSERT_TRUE(WaitUntil([&] { return m_log.Count() == 3; }));
  m_comm.SendString("x");
  EXPECT_EQ(m_pty.ReadMaster(1), "x");
  ASSERT_TRUE(WaitUntil([&] { return m_log.Count() == 4; }));
  RunEventsFor(30);
  EXPECT_EQ(m_log.Entries, (std::vector<std::string>{
                               "trace " + std::to_string(TTraceStates{tsCTS}.Bits()),
                               "trace " + std::to_string(TTraceStates{tsRing}.Bits()),
                               "trace " + std::to_string(TTraceStates{tsRxFlag}.Bits()), "sent"}));
}

TEST(ReceiveMarks, DataComesOutCleanWhereverABlockEnds) {
  const std::string ff = "\xFF";
  const std::string nul(1, '\0');
  const std::pair<std::string, std::string> cases[] = {
      {"1" + ff + ff + "2", "1" + ff + "2"},   // a 0xFF data byte
      {"1" + ff + nul + "52\r\n", "1!2\r\n"},  // '5' received with an error
      {ff + nul + nul + "3", "!3"},            // a break
  };
  for (const auto& [marked, expected] : cases) {
    for (std::size_t cut = 0; cut <= marked.size(); ++cut) {
      TReceiveMarks marks;
      std::vector<std::size_t> errorsAt;
      std::string shown;  // '!' where a character came with an error
      for (std::string block : {marked.substr(0, cut), marked.substr(cut)}) {
        const std::size_t data = marks.Decode(reinterpret_cast<std::uint8_t*>(block.data()), block.size(), errorsAt);
        for (auto at = errorsAt.rbegin(); at != errorsAt.rend(); ++at) block.insert(*at, "!");
        shown += block.substr(0, data + errorsAt.size());
      }
      EXPECT_EQ(shown, expected) << "cut at " << cut;
    }
  }
}

class DataFormats : public test::ReceiveFixture {
 protected:
  void Open(std::uint8_t byteSize, TParity parity, TStopBits stopBits) {
    ConfigureLikeTheWindow(m_comm);
    m_comm.SetByteSize(byteSize);
    m_comm.SetParity(parity);
    m_comm.SetStopBits(stopBits);
    m_comm.OnAfterReceive = m_log.Receiver();
    m_comm.OnReceiveError = [this](TBaseIO&) { m_log.Receiver()(m_comm, reinterpret_cast<const std::uint8_t*>("!"), 1); };
    m_comm.HandOverDevice(test::OpenFakeDevice(m_pty.SlavePath(), m_fake));
    m_comm.SetActive(true);
    ASSERT_TRUE(m_comm.Active());
  }
  std::string Received(std::size_t count) {
    EXPECT_TRUE(test::WaitUntil([&] { return m_log.ByteCount() >= count; }));
    return m_log.Bytes;
  }

  TSerialComm m_comm;
  test::EventLog m_log;
  test::FakeSerialDevice* m_fake = nullptr;
};

// A pty keeps PARODD, CSTOPB and the input flags but always reports CS8
// without PARENB: data bits and parity show in what reached the device.
TEST_F(DataFormats, EveryFormatReachesTheLine) {
  struct Case {
    std::uint8_t byteSize;
    TParity parity;
    TStopBits stopBits;
    tcflag_t cflags;  // of PARODD | CSTOPB
    tcflag_t iflags;  // of INPCK | PARMRK | ISTRIP | IGNPAR
  };
  const Case cases[] = {
      {8, pNone, sbOne, 0, 0},           {8, pEven, sbOne, 0, INPCK | PARMRK},
      {8, pOdd, sbOne, PARODD, INPCK | PARMRK}, {8, pNone, sbTwo, CSTOPB, 0},
      {7, pEven, sbOne, 0, INPCK | PARMRK | ISTRIP}, {7, pOdd, sbOne, PARODD, INPCK | PARMRK | ISTRIP},
      {7, pNone, sbOne, 0, ISTRIP},      {7, pNone, sbTwo, CSTOPB, ISTRIP},
  };
  const SerialParity asked[] = {SerialParity::None, SerialParity::Odd, SerialParity::Even};
  for (const Case& c : cases) {
    Open(c.byteSize, c.parity, c.stopBits);
    termios tio{};
    ASSERT_EQ(tcgetattr(m_pty.Slave(), &tio), 0);
    EXPECT_EQ(tio.c_cflag & (PARODD | CSTOPB), c.cflags) << int(c.byteSize) << int(c.parity) << int(c.stopBits);
    EXPECT_EQ(tio.c_iflag & (INPCK | PARMRK | ISTRIP | IGNPAR), c.iflags) << int(c.byteSize) << int(c.parity);
    EXPECT_EQ(m_fake->LastSettings().DataBits, c.byteSize);
    EXPECT_EQ(m_fake->LastSettings().Parity, asked[c.parity]);
    m_comm.SetActive(false);
  }
}

TEST_F(DataFormats, SevenBitsClearTheEighthOfEveryByte) {
  Open(7, pEven, sbOne);
  m_pty.WriteMaster("\xB1\x32\xAE\x35\x8D\x0A");  // "12.5\r\n" with even parity in bit 7
  EXPECT_EQ(Received(6), "12.5\r\n");
}

// With parity the pty's line discipline doubles a 0xFF data byte; the
// driver counts the errors it marks.
TEST_F(DataFormats, WithParityDataArrivesCleanAndErrorsInTheirPlace) {
  Open(8, pOdd, sbOne);
  bool commError = false;
  m_comm.OnCommError = [&](TBaseIO&, std::uint32_t, std::uint32_t, TComStateFlags, bool&) { commError = true; };
  m_fake->MarkAsReceivedWithError('7');
  LineCounters marked{};
  marked.Parity = 1;
  marked.Frame = 1;
  m_fake->Advance(marked);
  m_pty.WriteMaster("\xFF\r\n173\r\n");
  EXPECT_EQ(Received(8), "\xFF\r\n1!3\r\n");
  EXPECT_FALSE(commError);
}

}  // namespace
}  // namespace kurvex
