// SPDX-License-Identifier: GPL-3.0-or-later
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <termios.h>
#include <utility>

#include <gtest/gtest.h>

#include "platform/system/termiosdevice.h"
#include "platform/system/ttyattributes.h"
#include "serial/configrecord.h"
#include "serial/dcb.h"
#include "serial/eventmask.h"
#include "serial/logfile.h"
#include "serial/serialcomm.h"
#include "tests/support/pty.h"
#include "tests/support/waituntil.h"

namespace kurvex {
namespace {

/// A COM port backed by a pty, in a private config folder.
class SerialCommOpen : public ::testing::Test {
 protected:
  void SetUp() override { test::LinkComPort(5, m_pty.SlavePath()); }

  termios SlaveTermios() const {
    termios tio{};
    EXPECT_EQ(tcgetattr(m_pty.Slave(), &tio), 0);
    return tio;
  }

  test::TempConfigHome m_home;
  test::PtyPair m_pty;
};

struct RecordingLog : TCustomLogFile {
  void Write(int level, const std::string& text) override { Lines.push_back(std::to_string(level) + " " + text); }
  std::vector<std::string> Lines;
};

// The exception's text, or "" when the open raised none.
std::string OpenError(TSerialComm& comm) {
  try {
    comm.SetActive(true);
  } catch (const EKurvexError& error) {
    return error.what();
  }
  return "";
}

std::string OpenErrorText(int port, int error) {
  return "Device \"COM" + std::to_string(port) + "\" Open Error !!!\r" + std::strerror(error);
}

TEST_F(SerialCommOpen, AMissingPortFiresTheEventThenThrows) {
  ASSERT_FALSE(std::filesystem::exists("/dev/ttyS16"));
  TSerialComm comm;
  comm.SetComPortNo(17);
  RecordingLog log;
  comm.SetLog(&log);
  std::vector<std::string> order;
  const std::string expected = OpenErrorText(17, ENOENT);
  comm.OnFatalError = [&](TBaseIO& sender, std::uint32_t code, std::uint32_t detail,
                          const std::string& msg, bool& raise) {
    EXPECT_EQ(&sender, &comm);
    EXPECT_EQ(code, 1u);
    EXPECT_EQ(detail, 0u);
    EXPECT_EQ(msg, expected);
    EXPECT_TRUE(raise);
    EXPECT_FALSE(comm.Active());
    order.push_back("event");
  };
  EXPECT_EQ(OpenError(comm), expected);
  EXPECT_EQ(order, std::vector<std::string>{"event"});  // before the exception
  EXPECT_FALSE(comm.Active());
  EXPECT_EQ(comm.LastErrorMessage(), expected);
  EXPECT_EQ(comm.ReceiveBufferSize(), 0u);
  // The fatal-error line carries no prefix.
  ASSERT_FALSE(log.Lines.empty());
  EXPECT_EQ(log.Lines.back(), "0 Fatal Error: 1, 0, " + expected);
}

TEST_F(SerialCommOpen, PortZeroNonTerminalsAndVetoedErrorsDoNotOpen) {
  TSerialComm comm;
  comm.SetComPortNo(0);
  EXPECT_EQ(OpenError(comm), OpenErrorText(0, ENOENT));
  // A link to a plain file is not a serial port.
  const auto file = m_home.Dir() / "file";
  std::ofstream(file) << "x";
  test::LinkComPort(3, file.string());
  comm.SetComPortNo(3);
  EXPECT_EQ(OpenError(comm), OpenErrorText(3, ENOTTY));
  EXPECT_FALSE(comm.Active());

  // A vetoed error leaves the port closed without an exception.
  test::LinkComPort(4, (m_home.Dir() / "nowhere").string());
  comm.SetComPortNo(4);
  int calls = 0;
  comm.OnFatalError = [&](TBaseIO&, std::uint32_t, std::uint32_t, const std::string& msg, bool& raise) {
    EXPECT_EQ(msg, OpenErrorText(4, ENOENT));
    raise = false;
    ++calls;
  };
  EXPECT_EQ(OpenError(comm), "");
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(comm.Active());
}

TEST_F(SerialCommOpen, OpensTheLinkedPtyRawAt115200With8N1AndNoFlowControl) {
  TSerialComm comm;
  comm.SetComPortNo(5);
  comm.SetBaudRate(115200);
  comm.SetStreamProtocol(spNone);
  RecordingLog log;
  comm.SetLog(&log);
  comm.SetActive(true);
  ASSERT_TRUE(comm.Active());
  EXPECT_EQ(log.Lines.back(), "0 SerialComm: The port COM5 is opened succesfully");

  const termios tio = SlaveTermios();
  EXPECT_EQ(cfgetospeed(&tio), B115200);
  EXPECT_EQ(ReadTtySpeed(m_pty.Slave()), 115200u);
  EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_NE(tio.c_cflag & CREAD, 0u);
  EXPECT_NE(tio.c_cflag & CLOCAL, 0u);
  EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | ICRNL | INPCK | ISTRIP), 0u);
  EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
  EXPECT_EQ(tio.c_oflag & OPOST, 0u);
  for (const std::uint32_t baud : {110u, 300u, 600u, 1200u, 2400u, 4800u, 9600u, 14400u, 19200u, 38400u, 56000u, 57600u,
                                   115200u, 128000u, 256000u}) {
    comm.SetBaudRate(baud);  // every rate of the window
    EXPECT_EQ(ReadTtySpeed(m_pty.Slave()), baud);
  }
  const termios last = SlaveTermios();
  EXPECT_EQ(cfgetispeed(&last), cfgetospeed(&last)) << "input follows output";

  comm.SetActive(false);
  EXPECT_FALSE(comm.Active());
  EXPECT_EQ(log.Lines.back(), "0 SerialComm: The port is closed succesfully");
}

TEST_F(SerialCommOpen, PropertiesChangedWhileOpenReachTheLine) {
  TSerialComm comm;
  comm.SetComPortNo(5);
  comm.SetStreamProtocol(spNone);
  comm.SetActive(true);
  ASSERT_TRUE(comm.Active());

  comm.SetStreamProtocol(spHardware);
  EXPECT_NE(SlaveTermios().c_cflag & CRTSCTS, 0u);
  comm.SetStreamProtocol(spXonXoff);
  termios tio = SlaveTermios();
  EXPECT_EQ(tio.c_cflag & CRTSCTS, 0u);
  EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));
  EXPECT_EQ(tio.c_cc[VSTART], 17);
  EXPECT_EQ(tio.c_cc[VSTOP], 19);

  // A pty always runs 8 bits without parity generation (its driver forces
  // CS8 and clears PARENB), so framing shows in the bits it keeps.
  comm.SetStreamProtocol(spNone);
  comm.SetParity(pOdd);
  comm.SetStopBits(sbTwo);
  tio = SlaveTermios();
  EXPECT_EQ(tio.c_cflag & (PARODD | CSTOPB), static_cast<tcflag_t>(PARODD | CSTOPB));
  EXPECT_NE(tio.c_iflag & INPCK, 0u);
  comm.SetParity(pNone);
  EXPECT_EQ(SlaveTermios().c_iflag & INPCK, 0u);

  // Four data bits have no termios code: the line refuses the whole block
  // and keeps its last settings, as a driver refusing a DCB does.
  comm.SetByteSize(4);
  comm.SetStopBits(sbOne);
  EXPECT_EQ(comm.ByteSize(), 4);
  EXPECT_NE(SlaveTermios().c_cflag & CSTOPB, 0u);
  comm.SetByteSize(8);
  EXPECT_EQ(SlaveTermios().c_cflag & CSTOPB, 0u);
  EXPECT_TRUE(comm.Active());
}

TEST_F(SerialCommOpen, AnOpenSizesTheReceiveBufferAndUsesAHandedOverDeviceOnce) {
  test::PtyPair other;
  int error = 0;
  auto device = OpenTermiosDevice(other.SlavePath(), error);
  ASSERT_TRUE(device);
  TSerialComm comm;
  comm.SetComPortNo(5);
  comm.SetBufferInSize(16384);
  comm.HandOverDevice(std::move(device));
  comm.SetActive(true);
  EXPECT_EQ(comm.ReceiveBufferSize(), 16384u);
  comm.SendString("h");
  EXPECT_EQ(other.ReadMaster(1), "h");
  comm.SetBufferInSize(100);
  EXPECT_EQ(comm.ReceiveBufferSize(), 16384u);  // until the next open
  comm.SetActive(true);                         // which goes by name again
  EXPECT_EQ(comm.BufferInSize(), 100);
  EXPECT_EQ(comm.ReceiveBufferSize(), 8192u);
  comm.SendString("n");
  EXPECT_EQ(m_pty.ReadMaster(1), "n");
  comm.SetActive(false);
  EXPECT_EQ(comm.ReceiveBufferSize(), 0u);
}

TEST_F(SerialCommOpen, ActiveWritesAlwaysRunOpenOrClose) {
  TSerialComm comm;
  comm.SetComPortNo(5);
  std::vector<std::string> events;
  comm.OnTraceState = [&](TBaseIO& sender, TTraceStates states) {
    EXPECT_EQ(&sender, &comm);
    events.push_back("trace " + std::to_string(states.Bits()));
  };
  comm.OnClose = [&](TBaseIO&) { events.push_back("close"); };
  comm.AddListener([&](TBaseIO&, int code) { events.push_back("notify " + std::to_string(code)); });

  comm.SetActive(false);  // closed: still reports the empty transmitter
  EXPECT_EQ(events, (std::vector<std::string>{"trace 4"}));

  events.clear();
  comm.SetActive(true);
  ASSERT_TRUE(comm.Active());
  EXPECT_EQ(events, (std::vector<std::string>{"trace 4", "notify 2"}));

  comm.SendString("abc");
  EXPECT_EQ(comm.BytesSent(), 3u);
  events.clear();
  comm.SetActive(true);  // open: close, then open again with fresh counters
  EXPECT_TRUE(comm.Active());
  EXPECT_EQ(events, (std::vector<std::string>{"close", "notify 1", "trace 4", "notify 2"}));
  EXPECT_EQ(comm.BytesSent(), 0u);

  events.clear();
  comm.SetActive(false);
  EXPECT_EQ(events, (std::vector<std::string>{"close", "notify 1", "trace 4"}));
}

TEST_F(SerialCommOpen, ComPortNoChangeOpensNothingWhileClosedAndMovesAnOpenPort) {
  test::PtyPair other;
  test::LinkComPort(6, other.SlavePath());
  std::vector<int> codes;  // outlives the component, whose destruction notifies
  TSerialComm comm;
  comm.AddListener([&](TBaseIO&, int code) { codes.push_back(code); });
  comm.SetComPortNo(5);
  EXPECT_FALSE(comm.Active());
  EXPECT_EQ(codes, (std::vector<int>{3}));
  TSerialComm sameClosed;  // a closed component holds no port
  sameClosed.SetComPortNo(5);
  EXPECT_NO_THROW(sameClosed.SetActive(true));
  sameClosed.SetActive(false);
  comm.SetActive(true);
  ASSERT_TRUE(comm.Active());
  codes.clear();

  comm.SetComPortNo(6);
  EXPECT_TRUE(comm.Active());
  EXPECT_EQ(codes, (std::vector<int>{1, 2, 3}));
  comm.SendString("x");
  EXPECT_EQ(other.ReadMaster(1), "x");
  EXPECT_EQ(m_pty.ReadMaster(1, 50), "");

  // The old port is free again.
  TSerialComm second;
  second.SetComPortNo(5);
  EXPECT_NO_THROW(second.SetActive(true));
  EXPECT_TRUE(second.Active());
}

TEST_F(SerialCommOpen, SecondComponentOnTheSamePortIsRefused) {
  TSerialComm first;
  first.SetComPortNo(5);
  first.SetActive(true);
  ASSERT_TRUE(first.Active());
  TSerialComm second;
  second.SetComPortNo(5);
  EXPECT_EQ(OpenError(second), OpenErrorText(5, EBUSY));
  EXPECT_FALSE(second.Active());
  EXPECT_TRUE(first.Active());
  first.SetActive(false);
  EXPECT_NO_THROW(second.SetActive(true));
}

TEST_F(SerialCommOpen, SentBytesArriveAtTheInstrument) {
  TSerialComm comm;
  comm.SetComPortNo(5);
  comm.SetActive(true);
  RecordingLog log;
  comm.SetLog(&log);
  EXPECT_TRUE(comm.SendChar('A'));
  EXPECT_TRUE(comm.SendString("12.5\r\n"));
  const std::uint8_t block[] = {0x00, 0xFF, 0x0A, 0x0D};
  EXPECT_TRUE(comm.SendData(block, sizeof block));
  EXPECT_EQ(m_pty.ReadMaster(11), std::string("A12.5\r\n") + std::string("\x00\xFF\n\r", 4));
  EXPECT_EQ(comm.BytesSent(), 11u);
  EXPECT_EQ(log.Lines, (std::vector<std::string>{
                           "2 SerialComm: Try to send char 41h ...",
                           "2 SerialComm: Try to send string 12.5\r\n ...",
                           "2 SerialComm: Try to send the data with 4 length ...",
                           "2 SerialComm: ... the data transmittion is OK!"}));
  comm.SetActive(false);
  EXPECT_FALSE(comm.SendString("late"));
  EXPECT_EQ(m_pty.ReadMaster(4, 50), "");
}

TEST_F(SerialCommOpen, SendThatCannotFinishIsACommErrorWithTheSystemCode) {
  TSerialComm comm;
  comm.SetComPortNo(5);
  comm.SetTimeoutWrite(50);
  comm.SetActive(true);
  std::vector<std::uint32_t> sysErrors;
  comm.OnCommError = [&](TBaseIO&, std::uint32_t code, std::uint32_t sysError, TComStateFlags state,
                         bool&) {
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(state.Empty());
    sysErrors.push_back(sysError);
  };
  // Nobody reads the master: the pty fills and the write times out.
  const std::string big(1 << 20, 'x');
  EXPECT_FALSE(comm.SendString(big));
  EXPECT_EQ(sysErrors, std::vector<std::uint32_t>{ETIMEDOUT});
  EXPECT_EQ(comm.BytesSent(), 0u);
  EXPECT_TRUE(comm.Active());
}

// What waited in the port before an open, or before PurgeInput, is gone;
// what comes after is read.
TEST_F(SerialCommOpen, AnOpenAndPurgeInputDiscardWaitingBytes) {
  TSerialComm comm;
  comm.SetComPortNo(5);
  std::uint8_t byte = 0;
  for (const bool purge : {false, true}) {
    if (purge) comm.SetActive(true);
    m_pty.WriteMaster("1.0\r\n2.0\r\n");
    ASSERT_TRUE(test::WaitUntil([&] { return m_pty.SlaveInputQueued() == 10; }));
    if (purge)
      comm.PurgeInput();
    else
      comm.SetActive(true);
    EXPECT_EQ(m_pty.SlaveInputQueued(), 0u) << purge;
    m_pty.WriteMaster("3");
    EXPECT_TRUE(test::WaitUntil([&] { return comm.Device()->Read(&byte, 1) == 1; }));
    EXPECT_EQ(byte, '3');
  }
}

TEST_F(SerialCommOpen, LineControlAndRS485ModeReportThroughTraceState) {
  TSerialComm comm;
  comm.SetComPortNo(5);
  std::vector<std::uint16_t> traces;
  comm.OnTraceState = [&](TBaseIO&, TTraceStates states) { traces.push_back(states.Bits()); };
  comm.SetRTS(true);  // closed: nothing happens
  comm.SetDTR(true);
  EXPECT_TRUE(traces.empty());
  comm.SetActive(true);
  traces.clear();
  comm.SetRTS(false);
  comm.SetDTR(true);
  EXPECT_EQ(traces, (std::vector<std::uint16_t>{1 << tsCTS, 1 << tsDSR}));
  // A pty has no modem lines.
  EXPECT_TRUE(comm.ModemSignals().Empty());

  // RS-485 raises RTS to send and drops it on a purge.
  comm.SetRS485Mode(true);
  traces.clear();
  comm.SendChar('z');
  // Read before purging: on a pty, purging the output also drops what the
  // master has not read yet.
  EXPECT_EQ(m_pty.ReadMaster(1), "z");
  comm.PurgeOutput();
  comm.PurgeAll();
  EXPECT_EQ(traces, (std::vector<std::uint16_t>(3, 1 << tsCTS)));
  comm.SetRS485Mode(false);
  traces.clear();
  comm.SendChar('y');
  comm.PurgeAll();
  EXPECT_TRUE(traces.empty());
}

TEST_F(SerialCommOpen, ConnectionChecksFailWithoutDsr) {
  TSerialComm comm;
  comm.SetComPortNo(5);
  EXPECT_FALSE(comm.TestConnection());  // closed: nothing to test
  comm.SetActive(true);
  try {
    comm.TestConnection();
    ADD_FAILURE();
  } catch (const EKurvexError& error) {
    EXPECT_STREQ(error.what(), "Device Connect Initialization Error");
  }
  EXPECT_TRUE(comm.Active());

  comm.SetActive(false);
  std::string id = "stale";
  EXPECT_THROW(comm.ReadPnPId(id), ESerialCommError);
  EXPECT_EQ(id, "");
  EXPECT_FALSE(comm.Active());  // as it was before
}

TEST(FatalError, ShowOnlyReportsInsteadOfThrowing) {
  struct Probe : TCustomSerialComm {
    void Raise(bool showOnly) { DoFatalError(1, 42, "boom", showOnly); }
  };
  Probe probe;
  std::vector<std::string> shown;
  SetErrorReporter([&](const EKurvexError& error) { shown.push_back(error.what()); });
  EXPECT_NO_THROW(probe.Raise(true));
  EXPECT_THROW(probe.Raise(false), ESerialCommError);
  SetErrorReporter(nullptr);
  EXPECT_EQ(shown, std::vector<std::string>{"boom"});
}

// The settings, as one text: parity, stop bits and protocol by their ordinals.
std::string Settings(const TSerialComm& c) {
  std::ostringstream text;
  text << c.GetDeviceName() << " " << c.BaudRate() << " " << int(c.ByteSize()) << int(c.Parity()) << int(c.StopBits())
       << " protocol " << int(c.StreamProtocol()) << " flags " << std::hex << c.DCBBlock().Flags << std::dec
       << " buffers " << c.BufferInSize() << "/" << c.BufferOutSize() << " timeouts " << c.TimeoutRead() << "/"
       << c.TimeoutWrite() << " mask " << c.EventMask() << " event char " << int(c.EventChar());
  return text.str();
}

TEST(SerialCommConfig, ConstructorDefaults) {
  TSerialComm comm;
  EXPECT_EQ(Settings(comm), "COM1 19200 800 protocol 2 flags 2015 buffers 8192/8192 timeouts 0/0 mask 1 event char 0");
  EXPECT_FALSE(comm.Active());
  EXPECT_EQ(comm.ComPort(), cpCOM1);
  EXPECT_TRUE(comm.TraceStates().Empty());
  EXPECT_TRUE(comm.UseMainThread());
  EXPECT_EQ(comm.ReceiveBufferSize(), 0u);
  EXPECT_TRUE(comm.ModemSignals().Empty());
}

TEST(SerialCommConfig, ComPortIsAViewOfComPortNo) {
  TSerialComm comm;
  for (const auto& [number, port] : {std::pair{5, cpCOM5}, {8, cpCOM8}, {12, cpCOMxx}, {0, cpCOMxx}}) {
    comm.SetComPortNo(number);
    EXPECT_EQ(comm.ComPort(), port) << number;
  }
  comm.SetComPortNo(12);
  EXPECT_EQ(comm.GetDeviceName(), "COM12");
  comm.SetComPort(cpCOMxx);
  EXPECT_EQ(comm.ComPortNo(), 12);
  comm.SetComPort(cpCOM3);
  EXPECT_EQ(comm.ComPortNo(), 3);
}

TEST(SerialCommConfig, ByteSizeOutsideFourToEightIsStoredAsEight) {
  TSerialComm comm;
  for (const auto& [asked, stored] : {std::pair{4, 4}, {7, 7}, {9, 8}, {3, 8}, {0, 8}}) {
    comm.SetByteSize(static_cast<std::uint8_t>(asked));
    EXPECT_EQ(comm.ByteSize(), stored) << asked;
  }
}

TEST(SerialCommConfig, TraceStatesSetTheEventMask) {
  TSerialComm comm;
  comm.SetTraceStates({tsRxFlag, tsRing});
  EXPECT_EQ(comm.EventMask(), EV_RXCHAR | EV_RXFLAG | EV_RING);
  comm.SetRS485Mode(true);
  EXPECT_EQ(comm.DCBBlock().Flags, 0x3011u) << "the flag word follows the mode";
  comm.SetTraceStates({});
  // Linux has no RTS toggle of its own, so the transmitter is watched.
  EXPECT_TRUE(comm.ManualRtsToggle());
  EXPECT_EQ(comm.EventMask(), EV_RXCHAR | EV_TXEMPTY);
}

TEST(ConfigRecord, PathsStayInsideTheConfigFolder) {
  test::TempConfigHome home;
  const auto base = home.Dir() / "kurvex" / "registry";
  EXPECT_EQ(ConfigValuePath("HKEY_CURRENT_USER", "Software\\Kurvex\\Port", "Config"),
            base / "HKEY_CURRENT_USER" / "Software" / "Kurvex" / "Port" / "Config");
  EXPECT_EQ(ConfigValuePath("HKCU", "a/../../b", ".."), base / "HKCU" / "a" / "%2E%2E" / "%2E%2E" / "b" / "%2E%2E");
  EXPECT_EQ(ConfigValuePath("/etc", "\\\\x\\", ""), base / "%2Fetc" / "x" / "@");
  EXPECT_EQ(ConfigValuePath("R", "K", "a b%"), base / "R" / "K" / "a%20b%25");
  // Different names never share a file.
  EXPECT_NE(ConfigValuePath("R", "K", "a.b"), ConfigValuePath("R", "K", "a%2Eb"));
}

TEST(ConfigRecord, PackAndUnpackKeepTheLayout) {
  DCB dcb;
  dcb.BaudRate = 0x01020304;
  dcb.Flags = 0x1011;
  COMMTIMEOUTS timeouts;
  timeouts.ReadIntervalTimeout = 7;
  timeouts.WriteTotalTimeoutConstant = 9;
  const TConfigRecord record = PackConfigRecord(0x1234, dcb, timeouts);
  EXPECT_EQ(record[0], 0x34);
  EXPECT_EQ(record[1], 28);  // DCBlength, little-endian
  EXPECT_EQ(record[5], 0x04);
  EXPECT_EQ(record[8], 0x01);
  EXPECT_EQ(record[9], 0x11);
  EXPECT_EQ(record[29], 7);
  EXPECT_EQ(record[45], 9);
  const auto back = UnpackConfigRecord(record);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->PortNo, 0x34);
  EXPECT_EQ(back->Dcb.BaudRate, dcb.BaudRate);
  EXPECT_EQ(back->Timeouts.WriteTotalTimeoutConstant, 9u);
  const std::vector<std::uint8_t> shorter(record.begin(), record.end() - 1);
  EXPECT_FALSE(UnpackConfigRecord(shorter));
}

TEST(SerialCommConfig, SaveAndLoadConfigRoundTrip) {
  test::TempConfigHome home;
  TSerialComm saved;
  saved.SetComPortNo(7);
  saved.SetBaudRate(57600);
  saved.SetParity(pOdd);
  saved.SetStopBits(sbTwo);
  saved.SetByteSize(7);
  saved.SetStreamProtocol(spNone);
  saved.SetTimeoutRead(11);
  saved.SetTimeoutWrite(22);
  saved.SaveConfig("HKEY_CURRENT_USER", "Software\\Kurvex", "Port");
  const auto path = ConfigValuePath("HKEY_CURRENT_USER", "Software\\Kurvex", "Port");
  EXPECT_EQ(std::filesystem::file_size(path), 49u);

  // A bit the component does not manage survives the load and later changes.
  auto bytes = ReadConfigValue(path, 64);
  ASSERT_TRUE(bytes);
  auto stored = UnpackConfigRecord(*bytes);
  stored->Dcb.Flags |= fAbortOnError;
  const TConfigRecord patched = PackConfigRecord(stored->PortNo, stored->Dcb, stored->Timeouts);
  ASSERT_TRUE(WriteConfigValue(path, patched));

  TSerialComm loaded;
  loaded.SetStreamProtocol(spNone);
  loaded.LoadConfig("HKEY_CURRENT_USER", "Software\\Kurvex", "Port");
  EXPECT_EQ(Settings(loaded),
            "COM7 57600 712 protocol 0 flags 5013 buffers 8192/8192 timeouts 11/22 mask 1 event char 0");
  EXPECT_EQ(loaded.DCBBlock().Flags, 0x1011u | fParity | fAbortOnError);
  loaded.SetStreamProtocol(spHardware);
  EXPECT_EQ(loaded.DCBBlock().Flags, 0x2015u | fParity | fAbortOnError);
}

TEST(SerialCommConfig, LoadConfigRejectsAnythingButFortyNineBytes) {
  test::TempConfigHome home;
  TSerialComm comm;
  comm.SetBaudRate(4800);
  const auto path = ConfigValuePath("R", "K", "V");
  std::vector<std::string> errors;
  comm.OnFatalError = [&](TBaseIO&, std::uint32_t code, std::uint32_t detail, const std::string& msg,
                          bool&) {
    EXPECT_EQ(code, 1u);
    EXPECT_EQ(detail, 0u);
    errors.push_back(msg);
  };
  const std::string expected = "Error on load config information from registry";
  EXPECT_THROW(comm.LoadConfig("R", "K", "V"), ESerialCommError);  // missing
  for (const std::size_t size : {48u, 50u, 0u}) {
    ASSERT_TRUE(WriteConfigValue(path, std::vector<std::uint8_t>(size, 0x55)));
    try {
      comm.LoadConfig("R", "K", "V");
      ADD_FAILURE() << "no error for " << size << " bytes";
    } catch (const ESerialCommError& error) {
      EXPECT_EQ(error.what(), expected);
    }
  }
  EXPECT_EQ(errors, std::vector<std::string>(4, expected));
  EXPECT_EQ(comm.BaudRate(), 4800u);
  EXPECT_EQ(comm.ComPortNo(), 1);
}

TEST(SerialCommConfig, SaveConfigFailureIsAFatalError) {
  test::TempConfigHome home;
  // A file where the key folder should be makes the write impossible.
  std::filesystem::create_directories(home.Dir() / "kurvex" / "registry");
  std::ofstream(home.Dir() / "kurvex" / "registry" / "R") << "x";
  TSerialComm comm;
  bool vetoed = false;
  comm.OnFatalError = [&](TBaseIO&, std::uint32_t, std::uint32_t, const std::string& msg, bool& raise) {
    EXPECT_EQ(msg, "Error on save config information from registry");
    raise = false;
    vetoed = true;
  };
  EXPECT_NO_THROW(comm.SaveConfig("R", "K", "V"));
  EXPECT_TRUE(vetoed);
}

TEST(DCBFlags, EachProtocolSetsItsFlowBitsAndRS485TogglesRtsWhateverTheProtocol) {
  // Every managed bit set beforehand: the rule must clear what a protocol
  // does not want, not just add.
  const std::uint32_t managed = 0xFFFF & ~kKeptDCBFlags, flow = fOutX | fInX | fOutxCtsFlow;
  const std::tuple<std::uint32_t, TStreamProtocol, bool, std::uint32_t> cases[] = {
      {managed, spNone, false, 0x1011}, {managed, spXonXoff, false, 0x1311}, {managed, spHardware, false, 0x2015},
      {0, spNone, false, 0x1011},       {0, spHardware, false, 0x2015},      {0, spNone, true, 0x3011},
      {0, spXonXoff, true, 0x3011},     {0, spHardware, true, 0x3011},       {flow, spNone, true, 0x3011},
      {flow, spXonXoff, true, 0x3011},  {flow, spHardware, true, 0x3011}};
  for (const auto& [before, protocol, rs485, after] : cases)
    EXPECT_EQ(DCBFlagsFor(before, protocol, rs485), after) << std::hex << before << " " << int(protocol) << rs485;
}

TEST(DCBFlags, BitsOutsideTheRuleKeepTheirValue) {
  const std::uint32_t kept = fParity | fOutxDsrFlow | 0x20 | fDsrSensitivity | fTXContinueOnXoff |
                             fErrorChar | fNull | fAbortOnError;
  EXPECT_EQ(DCBFlagsFor(kept, spNone, false), kept | 0x1011u);
  EXPECT_EQ(DCBFlagsFor(fAbortOnError, spXonXoff, false), fAbortOnError | 0x1311u);
  EXPECT_EQ(DCBFlagsFor(fAbortOnError | fNull, spHardware, true), fAbortOnError | fNull | 0x3011u);
  // Bits above the 15 flag bits are not the component's to keep.
  EXPECT_EQ(DCBFlagsFor(0xFFFF0000u, spNone, false), 0x1011u);
}

TEST(DCBFlags, RulesFillTheFixedFields) {
  DCB dcb;
  dcb.DCBlength = 0;
  dcb.XonChar = 'a';
  dcb.BaudRate = 4800;
  ApplyDCBRules(dcb, spNone, false);
  EXPECT_EQ(dcb.DCBlength, 28u);
  EXPECT_EQ(dcb.XonLim, 80);
  EXPECT_EQ(dcb.XoffLim, 200);
  EXPECT_EQ(dcb.XonChar, 17);
  EXPECT_EQ(dcb.XoffChar, 19);
  EXPECT_EQ(dcb.BaudRate, 4800u);
}

// The line settings a block gives, as one text: rate, data bits and parity
// ("8N"), the switches that are on, the XON/XOFF characters.
std::string Line(const DCB& dcb) {
  const SerialLineSettings s = LineSettingsFromDCB(dcb);
  std::string text = std::to_string(s.BaudRate) + " " + std::to_string(s.DataBits) + "NOEMS"[int(s.Parity)];
  const bool on[] = {s.CheckParity, s.TwoStopBits, s.HardwareFlow, s.XonXoffOutput, s.XonXoffInput, s.Dtr, s.Rts};
  const char* names[] = {" check", " 2stop", " rtscts", " xon-out", " xon-in", " dtr", " rts"};
  for (std::size_t i = 0; i < std::size(on); ++i) text += on[i] ? names[i] : "";
  return text + " " + std::to_string(s.XonChar) + "/" + std::to_string(s.XoffChar);
}

TEST(LineSettings, FlowControlAndModemLinesFollowTheFlagWord) {
  DCB dcb = DefaultCommConfig().dcb;
  dcb.BaudRate = 115200;
  ApplyDCBRules(dcb, spNone, false);
  EXPECT_EQ(Line(dcb), "115200 8N dtr rts 17/19");
  ApplyDCBRules(dcb, spXonXoff, false);
  EXPECT_EQ(Line(dcb), "115200 8N xon-out xon-in dtr rts 17/19");
  ApplyDCBRules(dcb, spHardware, false);
  EXPECT_EQ(Line(dcb), "115200 8N rtscts dtr rts 17/19");
  // Toggle mode: RTS stays down until the sender raises it.
  ApplyDCBRules(dcb, spNone, true);
  EXPECT_EQ(Line(dcb), "115200 8N dtr 17/19");
}

TEST(LineSettings, FramingFollowsTheDCBFields) {
  DCB dcb = DefaultCommConfig().dcb;
  dcb.ByteSize = 7;
  dcb.Parity = MARKPARITY;
  dcb.Flags |= fParity;
  dcb.StopBits = TWOSTOPBITS;
  EXPECT_EQ(Line(dcb), "9600 7M check 2stop dtr rts 17/19");
  dcb.Parity = 9;  // garbage from a stored block
  dcb.StopBits = ONE5STOPBITS;
  EXPECT_EQ(Line(dcb), "9600 7N check 2stop dtr rts 17/19");
}

TEST(EventMask, EachTraceStateHasItsBit) {
  // 0x200 is skipped: the set's bits are not the mask's.
  const std::pair<TTraceState, std::uint32_t> bits[] = {
      {tsRxChar, 0x1},  {tsRxFlag, 0x2},   {tsTxEmpty, 0x4},   {tsCTS, 0x8},      {tsDSR, 0x10},
      {tsRLSD, 0x20},   {tsBreak, 0x40},   {tsErr, 0x80},      {tsRing, 0x100},   {tsRx80Full, 0x400},
      {tsEvent1, 0x800}, {tsEvent2, 0x1000}};
  for (const auto& [state, bit] : bits) EXPECT_EQ(EventMaskFor({state}, false, false), EV_RXCHAR | bit) << state;
  // The transmitter is watched for a manual RTS toggle in RS-485 mode only (both on: the configuration test).
  EXPECT_EQ(EventMaskFor({}, false, true), EV_RXCHAR);
  EXPECT_EQ(EventMaskFor({}, true, false), EV_RXCHAR);
  EXPECT_EQ(EventMaskFor(TTraceStates::FromBits(0x0FFF), false, false), 0x1DFFu);
}

TEST(TraceStates, StoredAsTheDocumentedWord) {
  EXPECT_EQ(TTraceStates({tsRxChar}).Bits(), 0x1);
  EXPECT_EQ(TTraceStates({tsTxEmpty, tsRing}).Bits(), 0x104);
  EXPECT_EQ(TTraceStates({tsEvent2}).Bits(), 0x800);
  TTraceStates states{tsCTS, tsDSR};
  states.Exclude(tsCTS);
  EXPECT_EQ(states, TTraceStates({tsDSR}));
  EXPECT_TRUE(TTraceStates().Empty());
}

}  // namespace
}  // namespace kurvex
