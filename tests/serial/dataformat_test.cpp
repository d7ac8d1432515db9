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
