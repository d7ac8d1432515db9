// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "serial/dcb.h"
#include "serial/eventmask.h"

namespace kurvex {
namespace {

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
