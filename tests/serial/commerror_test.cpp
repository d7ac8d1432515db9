#include <gtest/gtest.h>
#include <termios.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/error.h"
#include "serial/eventmask.h"
#include "serial/linecounters.h"
#include "serial/logfile.h"
#include "tests/serial/receivefixture.h"
#include "tests/support/fakeserialdevice.h"

namespace kurvex {
namespace {

using test::PumpFor;
using test::PumpUntil;
using test::ReceiveLog;

TEST(LineCounterDeltas, EachReceiveErrorHasItsCommErrorBit) {
  const LineCounters before{1, 2, 3, 4, 5, 6, 7, 8, 9};
  const auto with = [&](std::uint32_t LineCounters::*field) {
    LineCounters after = before;
    ++(after.*field);
    return after;
  };
  EXPECT_EQ(LineErrorBits(before, before), 0u);
  EXPECT_EQ(LineErrorBits(before, with(&LineCounters::Frame)), CE_FRAME);
  EXPECT_EQ(LineErrorBits(before, with(&LineCounters::Overrun)), CE_OVERRUN);
  EXPECT_EQ(LineErrorBits(before, with(&LineCounters::Parity)), CE_RXPARITY);
  EXPECT_EQ(LineErrorBits(before, with(&LineCounters::Break)), CE_BREAK);
  EXPECT_EQ(LineErrorBits(before, with(&LineCounters::BufferOverrun)), CE_RXOVER);
  // Modem line transitions are no errors.
  EXPECT_EQ(LineErrorBits(before, LineCounters{9, 9, 9, 9, 5, 6, 7, 8, 9}), 0u);
  LineCounters many = before;
  many.Frame += 3;
  many.Parity += 1;
  EXPECT_EQ(LineErrorBits(before, many), CE_FRAME | CE_RXPARITY);
  // A counter that wraps still changed.
  LineCounters high = before;
  high.Overrun = 0xFFFFFFFF;
  LineCounters wrapped = high;
  wrapped.Overrun = 0;
  EXPECT_EQ(LineErrorBits(high, wrapped), CE_OVERRUN);
}

TEST(LineCounterDeltas, LineEventsAndTheirTraceStates) {
  const LineCounters before{};
  EXPECT_EQ(LineEventBits(before, {1, 0, 0, 0, 0, 0, 0, 0, 0}), EV_CTS);
  EXPECT_EQ(LineEventBits(before, {0, 1, 0, 0, 0, 0, 0, 0, 0}), EV_DSR);
  EXPECT_EQ(LineEventBits(before, {0, 0, 1, 0, 0, 0, 0, 0, 0}), EV_RING);
  EXPECT_EQ(LineEventBits(before, {0, 0, 0, 1, 0, 0, 0, 0, 0}), EV_RLSD);
  EXPECT_EQ(LineEventBits(before, {0, 0, 0, 0, 1, 1, 1, 0, 0}), EV_ERR);
  EXPECT_EQ(LineEventBits(before, {0, 0, 0, 0, 0, 0, 0, 1, 0}), EV_BREAK);
  // The queue overflowing is an error for ClearCommError, not a line event.
  EXPECT_EQ(LineEventBits(before, {0, 0, 0, 0, 0, 0, 0, 0, 1}), 0u);
  EXPECT_EQ(LineEventBits(before, {1, 1, 1, 1, 1, 1, 1, 1, 1}) & ~CounterEventMask(), 0u);

  EXPECT_EQ(TraceStatesForEvents(EV_RXCHAR | EV_TXEMPTY), TTraceStates{});
  EXPECT_EQ(TraceStatesForEvents(EV_RXCHAR | EV_CTS | EV_RING | EV_ERR),
            (TTraceStates{tsCTS, tsRing, tsErr}));
  EXPECT_EQ(TraceStatesForEvents(EV_RXFLAG | EV_DSR | EV_RLSD | EV_BREAK | EV_RX80FULL |
                                 EV_EVENT1 | EV_EVENT2),
            (TTraceStates{tsRxFlag, tsDSR, tsRLSD, tsBreak, tsRx80Full, tsEvent1, tsEvent2}));
  // Every trace state but the two without an event bit maps back to itself.
  for (int state = tsRxFlag; state <= tsEvent2; ++state) {
    if (state == tsTxEmpty) continue;
    const TTraceStates one{static_cast<TTraceState>(state)};
    EXPECT_EQ(TraceStatesForEvents(EventMaskFor(one, false, false)), one) << state;
  }
}

struct RecordingLog : TCustomLogFile {
  void Write(int level, const std::string& text) override {
    std::lock_guard lock(Mutex);
    Lines.push_back(std::to_string(level) + " " + text);
  }
  std::mutex Mutex;
  std::vector<std::string> Lines;
};

/// The pty of COM5 handed to the component through a fake device that adds
/// driver counters and failing reads.
class CommErrors : public test::ReceiveFixture {
 protected:
  void OpenThroughFake(TSerialComm& comm) {
    ConfigureLikeTheWindow(comm);
    comm.HandOverDevice(test::OpenFakeDevice(m_pty.SlavePath(), m_fake));
    ASSERT_NE(m_fake, nullptr);
    comm.SetActive(true);
  }

  test::FakeSerialDevice* m_fake = nullptr;
};

TEST_F(CommErrors, LineErrorFiresOnCommErrorAndTheBytesComeWithTheNextEvent) {
  TSerialComm comm;
  RecordingLog sink;
  comm.SetLog(&sink);
  std::vector<std::string> order;
  bool flush = false;
  comm.OnCommError = [&](TBaseIO& com, std::uint32_t code, std::uint32_t sysError,
                         TComStateFlags state, bool& flFlashBuffers) {
    EXPECT_EQ(&com, &comm);
    EXPECT_TRUE(TDispatcher::InGuiThread());
    EXPECT_FALSE(flFlashBuffers);
    order.push_back("error " + std::to_string(code) + ":" + std::to_string(sysError) + " " +
                    std::to_string(state.Bits()));
    flFlashBuffers = flush;
  };
  comm.OnAfterReceive = [&](TBaseIO&, const std::uint8_t* buffer, std::uint32_t received) {
    order.push_back(std::string(reinterpret_cast<const char*>(buffer), received));
  };
  // Counts the driver had before the open are no errors.
  ASSERT_NO_FATAL_FAILURE(OpenThroughFake(comm));
  m_pty.WriteMaster("0\r\n");
  ASSERT_TRUE(PumpUntil([&] { return order.size() == 1; }));

  LineCounters errors{};
  errors.Frame = 1;
  errors.Parity = 2;
  m_fake->Advance(errors);
  m_pty.WriteMaster("12\r\n");
  ASSERT_TRUE(PumpUntil([&] { return order.size() == 3; }));
  PumpFor(20);
  const std::string reported = "error " + std::to_string(CE_FRAME | CE_RXPARITY) + ":0 0";
  EXPECT_EQ(order, (std::vector<std::string>{"0\r\n", reported, "12\r\n"}));
  EXPECT_TRUE(comm.Active());
  {
    std::lock_guard lock(sink.Mutex);
    EXPECT_NE(std::find(sink.Lines.begin(), sink.Lines.end(),
                        "1 SerialComm: Communication Error 12:0 0"),
              sink.Lines.end());
  }

  // A handler asking for it empties the queues: the waiting bytes are gone.
  flush = true;
  order.clear();
  errors = {};
  errors.BufferOverrun = 1;
  m_fake->Advance(errors);
  m_pty.WriteMaster("34");
  ASSERT_TRUE(PumpUntil([&] { return !order.empty(); }));
  PumpFor(30);
  EXPECT_EQ(order, std::vector<std::string>{"error " + std::to_string(CE_RXOVER) + ":0 0"});
  EXPECT_EQ(m_pty.SlaveInputQueued(), 0u);
  EXPECT_TRUE(comm.Active());
}

TEST_F(CommErrors, AFailingReadClosesThePortAsAnUnplugDoes) {
  TSerialComm comm;
  std::vector<std::string> fatal;
  comm.OnFatalError = [&](TBaseIO&, std::uint32_t code, std::uint32_t detail,
                          const std::string& msg, bool& raise) {
    fatal.push_back(std::to_string(code) + " " + std::to_string(detail) + " " + msg);
    raise = false;
  };
  int calls = 0;
  comm.OnAfterReceive = [&](TBaseIO&, const std::uint8_t*, std::uint32_t) { ++calls; };
  ASSERT_NO_FATAL_FAILURE(OpenThroughFake(comm));
  m_fake->FailReadsWith(EIO);
  m_pty.WriteMaster("z");
  ASSERT_TRUE(PumpUntil([&] { return !fatal.empty(); }));
  EXPECT_FALSE(comm.Active());
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(fatal, std::vector<std::string>{"1 " + std::to_string(EIO) +
                                            " Device \"COM5\" Connection Lost !!!\r" +
                                            std::strerror(EIO)});
}

TEST_F(CommErrors, WatchedModemLineEventsReachOnTraceState) {
  TSerialComm comm;
  std::vector<std::uint16_t> traces;
  ASSERT_NO_FATAL_FAILURE(OpenThroughFake(comm));
  // Chosen while open, once the reader waits: it must notice at once.
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  comm.SetTraceStates({tsCTS, tsRing});
  comm.OnTraceState = [&](TBaseIO&, TTraceStates states) { traces.push_back(states.Bits()); };

  LineCounters change{};
  change.Cts = 1;
  m_fake->Advance(change);
  ASSERT_TRUE(PumpUntil([&] { return !traces.empty(); }));
  change = {};
  change.Dsr = 1;  // not watched
  m_fake->Advance(change);
  PumpFor(40);
  change = {};
  change.Ring = 1;
  m_fake->Advance(change);
  ASSERT_TRUE(PumpUntil([&] { return traces.size() == 2; }));
  PumpFor(20);
  EXPECT_EQ(traces, (std::vector<std::uint16_t>{TTraceStates{tsCTS}.Bits(),
                                                TTraceStates{tsRing}.Bits()}));
}

using TraceEvents = test::ReceiveFixture;

TEST_F(TraceEvents, EventCharAndEmptyTransmitterOnAPlainPty) {
  TSerialComm comm;
  ConfigureLikeTheWindow(comm);
  comm.SetEventChar('\n');
  comm.SetTraceStates({tsRxFlag, tsTxEmpty});
  std::vector<std::uint16_t> traces;
  int sent = 0;
  ReceiveLog log;
  comm.OnAfterReceive = [&](TBaseIO&, const std::uint8_t* buffer, std::uint32_t received) {
    log.Add(buffer, received);
  };
  comm.OnAfterSend = [&](TBaseIO&) { ++sent; };
  comm.SetActive(true);
  comm.OnTraceState = [&](TBaseIO&, TTraceStates states) { traces.push_back(states.Bits()); };

  m_pty.WriteMaster("ab");
  ASSERT_TRUE(PumpUntil([&] { return log.Size() == 2; }));
  m_pty.WriteMaster("c\n");
  ASSERT_TRUE(PumpUntil([&] { return log.Size() == 4; }));
  ASSERT_TRUE(PumpUntil([&] { return !traces.empty(); }));
  EXPECT_EQ(traces, std::vector<std::uint16_t>{TTraceStates{tsRxFlag}.Bits()});

  PumpFor(30);
  EXPECT_EQ(sent, 0) << "nothing sent, nothing to report";
  comm.SendString("x");
  EXPECT_EQ(m_pty.ReadMaster(1), "x");
  ASSERT_TRUE(PumpUntil([&] { return sent == 1; }));
  PumpFor(30);
  EXPECT_EQ(sent, 1);
}

}  // namespace
}  // namespace kurvex
