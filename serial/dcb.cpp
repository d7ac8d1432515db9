// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/dcb.h"

namespace kurvex {

namespace {

constexpr std::uint32_t DtrControl(std::uint32_t mode) { return mode << kDtrControlShift; }
constexpr std::uint32_t RtsControl(std::uint32_t mode) { return mode << kRtsControlShift; }

constexpr std::uint32_t kNoFlowFlags = fBinary | DtrControl(DTR_CONTROL_ENABLE) |
                                       RtsControl(RTS_CONTROL_ENABLE);
static_assert(kNoFlowFlags == 0x1011);

constexpr std::uint32_t kRs485Flags = fBinary | DtrControl(DTR_CONTROL_ENABLE) |
                                      RtsControl(RTS_CONTROL_TOGGLE);
static_assert(kRs485Flags == 0x3011);

constexpr std::uint32_t kXonXoffFlags = kNoFlowFlags | fOutX | fInX;
static_assert(kXonXoffFlags == 0x1311);

constexpr std::uint32_t kHardwareFlags = fBinary | fOutxCtsFlow | DtrControl(DTR_CONTROL_ENABLE) |
                                         RtsControl(RTS_CONTROL_HANDSHAKE);
static_assert(kHardwareFlags == 0x2015);

constexpr char kXon = 17;
constexpr char kXoff = 19;

SerialParity ParityFromCode(std::uint8_t code) {
  switch (code) {
    case ODDPARITY: return SerialParity::Odd;
    case EVENPARITY: return SerialParity::Even;
    case MARKPARITY: return SerialParity::Mark;
    case SPACEPARITY: return SerialParity::Space;
    default: return SerialParity::None;
  }
}

}  // namespace

COMMCONFIG DefaultCommConfig() {
  COMMCONFIG config;
  config.dcb.BaudRate = 9600;
  config.dcb.Flags = kNoFlowFlags;
  config.dcb.ByteSize = 8;
  config.dcb.Parity = NOPARITY;
  config.dcb.StopBits = ONESTOPBIT;
  config.dcb.XonChar = kXon;
  config.dcb.XoffChar = kXoff;
  return config;
}

std::uint32_t DCBFlagsFor(std::uint32_t flags, TStreamProtocol protocol, bool rs485Mode) {
  const std::uint32_t kept = flags & kKeptDCBFlags;
  if (rs485Mode) {
    return kept | kRs485Flags;
  }
  switch (protocol) {
    case spNone: return kept | kNoFlowFlags;
    case spXonXoff: return kept | kXonXoffFlags;
    case spHardware: return kept | kHardwareFlags;
  }
  return kept | kNoFlowFlags;
}

void ApplyDCBRules(DCB& dcb, TStreamProtocol protocol, bool rs485Mode) {
  dcb.DCBlength = sizeof(DCB);
  dcb.Flags = DCBFlagsFor(dcb.Flags, protocol, rs485Mode);
  dcb.XonLim = 80;
  dcb.XoffLim = 200;
  dcb.XonChar = kXon;
  dcb.XoffChar = kXoff;
}

SerialLineSettings LineSettingsFromDCB(const DCB& dcb) {
  const std::uint32_t dtr = (dcb.Flags & fDtrControlMask) >> kDtrControlShift;
  const std::uint32_t rts = (dcb.Flags & fRtsControlMask) >> kRtsControlShift;
  SerialLineSettings settings;
  settings.BaudRate = dcb.BaudRate;
  settings.DataBits = dcb.ByteSize;
  settings.Parity = ParityFromCode(dcb.Parity);
  settings.CheckParity = MarksReceiveErrors(dcb);
  settings.MarkErrors = settings.CheckParity;
  settings.StripEighthBit = dcb.ByteSize < 8;
  settings.TwoStopBits = dcb.StopBits != ONESTOPBIT;
  settings.HardwareFlow = (dcb.Flags & fOutxCtsFlow) != 0 || rts == RTS_CONTROL_HANDSHAKE;
  settings.XonXoffOutput = (dcb.Flags & fOutX) != 0;
  settings.XonXoffInput = (dcb.Flags & fInX) != 0;
  settings.XonChar = dcb.XonChar;
  settings.XoffChar = dcb.XoffChar;
  settings.Dtr = dtr != DTR_CONTROL_DISABLE;
  settings.Rts = rts == RTS_CONTROL_ENABLE || rts == RTS_CONTROL_HANDSHAKE;
  return settings;
}

}  // namespace kurvex
