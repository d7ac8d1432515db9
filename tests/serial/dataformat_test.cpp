// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <termios.h>

#include <string>
#include <vector>

#include "serial/receivemarks.h"
#include "tests/serial/receivefixture.h"
#include "tests/support/fakeserialdevice.h"

namespace kurvex {
namespace {

using test::EventLog;
using test::PumpUntil;

// What the decoder makes of `marked` fed in two blocks cut at `cut`: the
// data, with '!' where a character arrived with an error.
std::string DecodeCutAt(const std::string& marked, std::size_t cut) {
  TReceiveMarks marks;
  std::vector<std::size_t> errorsAt;
  std::string shown;
  for (std::string block : {marked.substr(0, cut), marked.substr(cut)}) {
    auto* bytes = reinterpret_cast<std::uint8_t*>(block.data());
    const std::size_t data = marks.Decode(bytes, block.size(), errorsAt);
    std::size_t from = 0;
    for (const std::size_t at : errorsAt) {
      shown += block.substr(from, at - from) + "!";
      from = at;
    }
    shown += block.substr(from, data - from);
  }
  return shown;
}

TEST(ReceiveMarks, DataComesOutCleanWhereverABlockEnds) {
  const std::string ff = "\xFF";
  const std::pair<std::string, std::string> cases[] = {
      {"12.5\r\n", "12.5\r\n"},
      {"1" + ff + ff + "2", "1" + ff + "2"},                           // a 0xFF data byte
      {"1" + ff + std::string("\0", 1) + "52\r\n", "1!2\r\n"},         // '5' with a parity error
      {ff + std::string("\0\0", 2) + "3", "!3"},                       // a break
      {ff + ff + ff + std::string("\0", 1) + "x" + ff + ff, ff + "!" + ff},
  };
  for (const auto& [marked, expected] : cases) {
    for (std::size_t cut = 0; cut <= marked.size(); ++cut) {
      EXPECT_EQ(DecodeCutAt(marked, cut), expected) << "cut at " << cut;
    }
  }
}

struct Format {
  std::uint8_t byteSize;
  TParity parity;
  TStopBits stopBits;
};

class DataFormats : public test::ReceiveFixture {
 protected:
  void Open(const Format& format) {
    ConfigureLikeTheWindow(m_comm);
    m_comm.SetByteSize(format.byteSize);
    m_comm.SetParity(format.parity);
    m_comm.SetStopBits(format.stopBits);
    m_comm.OnAfterReceive = m_log.Receiver();
    m_comm.OnReceiveError = [this](TBaseIO&) {
      std::lock_guard lock(m_log.Mutex);
      m_log.Bytes += '!';
    };
    m_comm.HandOverDevice(test::OpenFakeDevice(m_pty.SlavePath(), m_fake));
    ASSERT_NE(m_fake, nullptr);
    m_comm.SetActive(true);
    ASSERT_TRUE(m_comm.Active());
  }
  termios SlaveTermios() const {
    termios tio{};
    EXPECT_EQ(tcgetattr(m_pty.Slave(), &tio), 0);
    return tio;
  }
  std::string Received(std::size_t count) {
    EXPECT_TRUE(PumpUntil([&] { return m_log.ByteCount() >= count; }));
    std::lock_guard lock(m_log.Mutex);
    return m_log.Bytes;
  }

  TSerialComm m_comm;
  EventLog m_log;
  test::FakeSerialDevice* m_fake = nullptr;
};

// A pty keeps PARODD, CSTOPB and the input flags but always reports CS8
// without PARENB: data bits and parity show in what reached the device.
TEST_F(DataFormats, EveryFormatReachesTheLine) {
  struct Case {
    Format format;
    tcflag_t cflags;  // of PARODD | CSTOPB
    tcflag_t iflags;  // of INPCK | PARMRK | ISTRIP | IGNPAR
    SerialParity parity;
  };
  const Case cases[] = {
      {{8, pNone, sbOne}, 0, 0, SerialParity::None},
      {{8, pEven, sbOne}, 0, INPCK | PARMRK, SerialParity::Even},
      {{8, pOdd, sbOne}, PARODD, INPCK | PARMRK, SerialParity::Odd},
      {{8, pNone, sbTwo}, CSTOPB, 0, SerialParity::None},
      {{7, pEven, sbOne}, 0, INPCK | PARMRK | ISTRIP, SerialParity::Even},
      {{7, pOdd, sbOne}, PARODD, INPCK | PARMRK | ISTRIP, SerialParity::Odd},
      {{7, pNone, sbOne}, 0, ISTRIP, SerialParity::None},
      {{7, pNone, sbTwo}, CSTOPB, ISTRIP, SerialParity::None},
  };
  for (const Case& c : cases) {
    Open(c.format);
    const termios tio = SlaveTermios();
    EXPECT_EQ(tio.c_cflag & (PARODD | CSTOPB), c.cflags) << int(c.format.byteSize) << int(c.format.parity);
    EXPECT_EQ(tio.c_iflag & (INPCK | PARMRK | ISTRIP | IGNPAR), c.iflags) << int(c.format.byteSize);
    const SerialLineSettings asked = m_fake->LastSettings();
    EXPECT_EQ(asked.DataBits, c.format.byteSize);
    EXPECT_EQ(asked.Parity, c.parity);
    m_comm.SetActive(false);
  }
}

TEST_F(DataFormats, SevenBitsClearTheEighthOfEveryByte) {
  Open({7, pEven, sbOne});
  m_pty.WriteMaster("\xB1\x32\xAE\x35\x8D\x0A");  // "12.5\r\n" with even parity in bit 7
  EXPECT_EQ(Received(6), "12.5\r\n");
}

// The line discipline of a real pty doubles a 0xFF once errors are marked.
TEST_F(DataFormats, WithParityA0xFFDataByteArrivesOnce) {
  Open({8, pEven, sbOne});
  m_pty.WriteMaster("\xFF\x31\xFF");
  EXPECT_EQ(Received(3), "\xFF\x31\xFF");
}

TEST_F(DataFormats, ACharacterWithAParityErrorIsReportedInItsPlace) {
  Open({8, pOdd, sbOne});
  bool commError = false;
  m_comm.OnCommError = [&](TBaseIO&, std::uint32_t, std::uint32_t, TComStateFlags, bool&) { commError = true; };
  m_fake->MarkAsReceivedWithError('7');
  LineCounters parity{};
  parity.Parity = 1;
  parity.Frame = 1;
  m_fake->Advance(parity);  // the driver counts what it marked
  m_pty.WriteMaster("12\r\n173\r\n4\r\n");
  EXPECT_EQ(Received(12), "12\r\n1!3\r\n4\r\n");
  EXPECT_FALSE(commError);
}

}  // namespace
}  // namespace kurvex
