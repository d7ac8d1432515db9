#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/error.h"
#include "tests/serial/receivefixture.h"

namespace kurvex {
namespace {

using test::PumpFor;
using test::PumpUntil;
using test::ReceiveLog;

std::string RandomBytes(std::size_t count) {
  std::mt19937 random(12345);
  std::string bytes(count, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
  return bytes;
}

std::size_t FirstDifference(const std::string& a, const std::string& b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  return i;
}

/// Runs with UseMainThread true (GUI thread) and false (reader thread).
class ReceiveThreads : public test::ReceiveFixture, public ::testing::WithParamInterface<bool> {};

std::string ThreadName(const ::testing::TestParamInfo<bool>& info) {
  return info.param ? "GuiThread" : "ReaderThread";
}

TEST_P(ReceiveThreads, AMegabyteArrivesWholeInOrderAndUnnestedOnTheChosenThread) {
  const bool onGui = GetParam();
  TSerialComm comm;
  ConfigureLikeTheWindow(comm);
  comm.SetUseMainThread(onGui);
  ReceiveLog log;
  std::atomic<int> depth{0};
  std::atomic<bool> nested{false};
  comm.OnAfterReceive = [&](TBaseIO& com, const std::uint8_t* buffer, std::uint32_t received) {
    EXPECT_EQ(&com, &comm);
    if (depth++ > 0) nested = true;
    log.Add(buffer, received);
    // Let other events run, as the window does after a redraw: none of the
    // component's may nest here.
    if (onGui) TDispatcher::ProcessMessages();
    --depth;
  };
  comm.SetActive(true);
  const std::string data = RandomBytes(1 << 20);
  std::thread instrument([&] { m_pty.WriteMaster(data); });
  const bool all = PumpUntil([&] { return log.Size() >= data.size(); });
  instrument.join();
  ASSERT_TRUE(all) << log.Size() << " of " << data.size() << " bytes";
  comm.SetActive(false);

  const std::string got = log.Text();
  EXPECT_EQ(got.size(), data.size());
  EXPECT_TRUE(got == data) << "first difference at byte " << FirstDifference(got, data);
  EXPECT_FALSE(nested);
  EXPECT_EQ(comm.BytesReceived(), data.size());
  for (std::size_t i = 0; i < log.Sizes.size(); ++i) {
    EXPECT_GT(log.Sizes[i], 0u);
    EXPECT_LE(log.Sizes[i], 16384u);
    EXPECT_EQ(log.OnGuiThread[i], onGui) << "call " << i;
  }
  // Blocks are as large as what waits, not byte by byte.
  EXPECT_LT(log.Sizes.size(), data.size() / 64);
}

TEST_P(ReceiveThreads, AHandlerThatThrowsBecomesAFatalErrorAndTheNextBytesStillArrive) {
  const bool onGui = GetParam();
  TSerialComm comm;
  ConfigureLikeTheWindow(comm);
  comm.SetUseMainThread(onGui);
  std::mutex mutex;
  std::vector<std::string> order;
  std::vector<std::string> reported;
  bool reportsOnGui = true;
  SetErrorReporter([&](const EKurvexError& error) {
    std::lock_guard lock(mutex);
    reported.push_back(error.what());
    order.push_back("report");
    reportsOnGui = reportsOnGui && TDispatcher::InGuiThread();
  });
  bool veto = false;
  comm.OnFatalError = [&](TBaseIO&, std::uint32_t code, std::uint32_t, const std::string& msg,
                          bool& raise) {
    std::lock_guard lock(mutex);
    EXPECT_EQ(code, 1u);
    EXPECT_TRUE(raise);
    raise = !veto;
    order.push_back("fatal " + msg);
  };
  ReceiveLog log;
  comm.OnAfterReceive = [&](TBaseIO&, const std::uint8_t* buffer, std::uint32_t received) {
    log.Add(buffer, received);
    if (std::string(reinterpret_cast<const char*>(buffer), received).find('!') != std::string::npos)
      throw std::runtime_error("kaputt");
  };
  comm.SetActive(true);
  const auto ordered = [&] {
    std::lock_guard lock(mutex);
    return order;
  };

  m_pty.WriteMaster("one!");
  ASSERT_TRUE(PumpUntil([&] { return ordered().size() == 2; }));
  EXPECT_EQ(ordered(), (std::vector<std::string>{"fatal kaputt", "report"}));
  EXPECT_TRUE(reportsOnGui) << "the error report belongs to the GUI thread";
  EXPECT_TRUE(comm.Active());

  m_pty.WriteMaster("two");
  ASSERT_TRUE(PumpUntil([&] { return log.Size() == 7; }));
  EXPECT_EQ(log.Text(), "one!two");

  // A handler that clears RaiseException suppresses the report.
  veto = true;
  m_pty.WriteMaster("three!");
  ASSERT_TRUE(PumpUntil([&] { return ordered().size() == 3; }));
  PumpFor(30);
  EXPECT_EQ(ordered().back(), "fatal kaputt");
  EXPECT_EQ(reported.size(), 1u);
  comm.SetActive(false);
  SetErrorReporter(nullptr);
}

TEST_P(ReceiveThreads, UnpluggedDeviceClosesTheComponentAndReportsIt) {
  const bool onGui = GetParam();
  int master = -1;
  int slave = -1;
  char name[256] = {};
  ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
  test::LinkComPort(6, name);
  TSerialComm comm;
  ConfigureLikeTheWindow(comm);
  comm.SetComPortNo(6);
  comm.SetUseMainThread(onGui);

  std::mutex mutex;
  std::vector<int> codes;
  int closes = 0;
  std::vector<std::string> fatal;
  std::vector<std::string> reported;
  comm.AddListener([&](TBaseIO&, int code) {
    std::lock_guard lock(mutex);
    codes.push_back(code);
  });
  comm.OnClose = [&](TBaseIO&) {
    std::lock_guard lock(mutex);
    ++closes;
  };
  comm.OnFatalError = [&](TBaseIO& sender, std::uint32_t code, std::uint32_t detail,
                          const std::string& msg, bool&) {
    {
      std::lock_guard lock(mutex);
      fatal.push_back(std::to_string(code) + " " + std::to_string(detail) + " " + msg);
    }
    EXPECT_FALSE(sender.Active());
    sender.SetActive(false);  // the window's Stop
  };
  SetErrorReporter([&](const EKurvexError& error) {
    std::lock_guard lock(mutex);
    reported.push_back(error.what());
  });
  ReceiveLog log;
  comm.OnAfterReceive = [&](TBaseIO&, const std::uint8_t* buffer, std::uint32_t received) {
    log.Add(buffer, received);
  };
  comm.SetActive(true);
  ASSERT_EQ(write(master, "ok", 2), 2);
  ASSERT_TRUE(PumpUntil([&] { return log.Size() == 2; }));

  close(master);
  ASSERT_TRUE(PumpUntil([&] {
    std::lock_guard lock(mutex);
    return !reported.empty();
  }));
  const std::string message =
      std::string("Device \"COM6\" Connection Lost !!!\r") + std::strerror(EIO);
  EXPECT_FALSE(comm.Active());
  EXPECT_EQ(comm.ReceiveBufferSize(), 0u);
  EXPECT_EQ(codes, (std::vector<int>{kNotifyOpened, kNotifyClosed}));
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(fatal, std::vector<std::string>{"1 " + std::to_string(EIO) + " " + message});
  EXPECT_EQ(reported, std::vector<std::string>{message});
  SetErrorReporter(nullptr);
  close(slave);
}

INSTANTIATE_TEST_SUITE_P(Threads, ReceiveThreads, ::testing::Bool(), ThreadName);

using ReceiveEvents = test::ReceiveFixture;

TEST_F(ReceiveEvents, BytesWaitingTogetherComeInOneCallAndAnEmptyQueueCallsNothing) {
  TSerialComm comm;
  ConfigureLikeTheWindow(comm);
  ReceiveLog log;
  comm.OnAfterReceive = [&](TBaseIO&, const std::uint8_t* buffer, std::uint32_t received) {
    log.Add(buffer, received);
  };
  comm.SetActive(true);
  m_pty.WriteMaster("12\r");
  ASSERT_TRUE(PumpUntil([&] { return log.Size() == 3; }));
  PumpFor(30);
  EXPECT_EQ(log.Sizes, std::vector<std::uint32_t>{3});
  EXPECT_EQ(log.Text(), "12\r");
}

TEST_F(ReceiveEvents, WithoutReceiverBytesAreCountedButLeftWaiting) {
  TSerialComm comm;
  ConfigureLikeTheWindow(comm);
  comm.SetActive(true);
  m_pty.WriteMaster("abc");
  ASSERT_TRUE(PumpUntil([&] { return comm.BytesReceived() == 3; }));
  PumpFor(40);
  EXPECT_EQ(comm.BytesReceived(), 3u) << "bytes left waiting raise no new events";
  EXPECT_EQ(m_pty.SlaveInputQueued(), 3u);

  ReceiveLog log;
  comm.OnAfterReceive = [&](TBaseIO&, const std::uint8_t* buffer, std::uint32_t received) {
    log.Add(buffer, received);
  };
  m_pty.WriteMaster("d");
  ASSERT_TRUE(PumpUntil([&] { return log.Size() == 4; }));
  EXPECT_EQ(log.Text(), "abcd");
}

TEST_F(ReceiveEvents, ClosingFromInsideTheHandlerKeepsItsBytesAndEndsDelivery) {
  // Directly, and through message processing inside the handler.
  for (const bool throughMessages : {false, true}) {
    SCOPED_TRACE(throughMessages ? "through messages" : "directly");
    TSerialComm comm;
    ConfigureLikeTheWindow(comm);
    std::string seen;
    int calls = 0;
    bool activeAfterClose = true;
    comm.OnAfterReceive = [&](TBaseIO&, const std::uint8_t* buffer, std::uint32_t received) {
      ++calls;
      if (throughMessages) {
        TDispatcher::Post([&] { comm.SetActive(false); });
        TDispatcher::ProcessMessages();
      } else {
        comm.SetActive(false);
      }
      activeAfterClose = comm.Active();
      seen.assign(reinterpret_cast<const char*>(buffer), received);  // after the close
    };
    comm.SetActive(true);
    const std::string written = RandomBytes(3000);
    m_pty.WriteMaster(written);
    ASSERT_TRUE(PumpUntil([&] { return calls > 0; }));
    m_pty.WriteMaster("later");
    PumpFor(40);
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(activeAfterClose);
    EXPECT_FALSE(comm.Active());
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen, written.substr(0, seen.size()));
    tcflush(m_pty.Slave(), TCIFLUSH);
  }
}

TEST_F(ReceiveEvents, ClosingOrReopeningFromAHandlerOnTheReaderThread) {
  TSerialComm comm;
  ConfigureLikeTheWindow(comm);
  comm.SetUseMainThread(false);
  std::atomic<int> calls{0};
  std::atomic<bool> reopen{true};
  ReceiveLog log;
  comm.OnAfterReceive = [&](TBaseIO& com, const std::uint8_t* buffer, std::uint32_t received) {
    ++calls;
    log.Add(buffer, received);
    com.SetActive(reopen.load());  // true reopens: a new reader takes over
  };
  comm.SetActive(true);
  m_pty.WriteMaster("a");
  ASSERT_TRUE(PumpUntil([&] { return calls == 1; }));
  ASSERT_TRUE(PumpUntil([&] { return comm.Active(); }));
  reopen = false;
  m_pty.WriteMaster("b");
  ASSERT_TRUE(PumpUntil([&] { return calls == 2; }));
  m_pty.WriteMaster("c");
  PumpFor(40);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(log.Text(), "ab");
}

TEST_F(ReceiveEvents, ClosingOrDestroyingWhileTheGuiHoldsAnUndeliveredEvent) {
  int calls = 0;
  {
    TSerialComm comm;
    ConfigureLikeTheWindow(comm);
    comm.OnAfterReceive = [&](TBaseIO&, const std::uint8_t*, std::uint32_t) { ++calls; };
    comm.SetActive(true);
    m_pty.WriteMaster("abc");
    // The reader now waits for the GUI thread, which does not run events.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    comm.SetActive(false);
    PumpFor(30);
    EXPECT_EQ(calls, 0);

    comm.SetActive(true);
    m_pty.WriteMaster("def");
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }  // destroyed while open with an event waiting
  PumpFor(30);
  EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace kurvex
