// SPDX-License-Identifier: GPL-3.0-or-later
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "serial/configrecord.h"
#include "serial/dcb.h"
#include "serial/eventmask.h"
#include "serial/serialcomm.h"
#include "tests/support/pty.h"

namespace kurvex {
namespace {

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

TEST(DCBFlags, EachProtocolSetsItsFlowBitsAndClearsTheOthers) {
  // Every managed bit set beforehand: the rule must clear what a protocol
  // does not want, not just add.
  const std::uint32_t managed = 0xFFFF & ~kKeptDCBFlags;
  EXPECT_EQ(DCBFlagsFor(managed, spNone, false), 0x1011u);
  EXPECT_EQ(DCBFlagsFor(managed, spXonXoff, false), 0x1311u);
  EXPECT_EQ(DCBFlagsFor(managed, spHardware, false), 0x2015u);
  EXPECT_EQ(DCBFlagsFor(0, spNone, false), 0x1011u);
  EXPECT_EQ(DCBFlagsFor(0, spHardware, false), 0x2015u);
}

TEST(DCBFlags, RS485ModeTogglesRtsWhateverTheProtocol) {
  for (TStreamProtocol protocol : {spNone, spXonXoff, spHardware}) {
    EXPECT_EQ(DCBFlagsFor(0, protocol, true), 0x3011u) << int(protocol);
    EXPECT_EQ(DCBFlagsFor(fOutX | fInX | fOutxCtsFlow, protocol, true), 0x3011u) << int(protocol);
  }
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
  EXPECT_EQ(EventMaskFor({}, false, true), EV_RXCHAR);
  EXPECT_EQ(EventMaskFor(TTraceStates::FromBits(0x0FFF), false, false), 0x1DFFu);
}

TEST(EventMask, ManualRtsToggleWatchesTheTransmitterInRS485Mode) {
  EXPECT_EQ(EventMaskFor({}, true, true), EV_RXCHAR | EV_TXEMPTY);
  EXPECT_EQ(EventMaskFor({}, true, false), EV_RXCHAR);
  EXPECT_EQ(EventMaskFor({}, false, true), EV_RXCHAR);
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
