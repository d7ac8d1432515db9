// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "serial/eventmask.h"
#include "serial/linecounters.h"
#include "serial/logfile.h"
#include "tests/serial/receivefixture.h"
#include "tests/support/fakeserialdevice.h"
#include "tests/support/waituntil.h"

namespace kurvex {
namespace {

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

}  // namespace
}  // namespace kurvex
