// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

namespace kurvex {

// The port configuration blocks in their Win32 layout: the component keeps
// its configuration in them and stores them byte for byte (SaveConfig).

/// Device control block, 28 bytes; the bit fields are one flag word.
struct DCB {
  std::uint32_t DCBlength = sizeof(DCB);
  std::uint32_t BaudRate = 0;
  std::uint32_t Flags = 0;  ///< the fBinary..fAbortOnError bits below
  std::uint16_t wReserved = 0;
  std::uint16_t XonLim = 0;
  std::uint16_t XoffLim = 0;
  std::uint8_t ByteSize = 0;
  std::uint8_t Parity = 0;
  std::uint8_t StopBits = 0;
  char XonChar = 0;
  char XoffChar = 0;
  char ErrorChar = 0;
  char EofChar = 0;
  char EvtChar = 0;
  std::uint16_t wReserved1 = 0;
};
static_assert(sizeof(DCB) == 28);
static_assert(offsetof(DCB, Flags) == 8);
static_assert(offsetof(DCB, XonLim) == 14);
static_assert(offsetof(DCB, ByteSize) == 18);
static_assert(offsetof(DCB, EvtChar) == 25);

// Bits of DCB::Flags.
inline constexpr std::uint32_t fBinary = 0x0001;
inline constexpr std::uint32_t fParity = 0x0002;
inline constexpr std::uint32_t fOutxCtsFlow = 0x0004;
inline constexpr std::uint32_t fOutxDsrFlow = 0x0008;
inline constexpr std::uint32_t fDtrControlMask = 0x0030;  ///< DTR_CONTROL_* << 4
inline constexpr std::uint32_t fDsrSensitivity = 0x0040;
inline constexpr std::uint32_t fTXContinueOnXoff = 0x0080;
inline constexpr std::uint32_t fOutX = 0x0100;
inline constexpr std::uint32_t fInX = 0x0200;
inline constexpr std::uint32_t fErrorChar = 0x0400;
inline constexpr std::uint32_t fNull = 0x0800;
inline constexpr std::uint32_t fRtsControlMask = 0x3000;  ///< RTS_CONTROL_* << 12
inline constexpr std::uint32_t fAbortOnError = 0x4000;

inline constexpr unsigned kDtrControlShift = 4;
inline constexpr unsigned kRtsControlShift = 12;
inline constexpr std::uint32_t DTR_CONTROL_DISABLE = 0, DTR_CONTROL_ENABLE = 1,
                               DTR_CONTROL_HANDSHAKE = 2;
inline constexpr std::uint32_t RTS_CONTROL_DISABLE = 0, RTS_CONTROL_ENABLE = 1,
                               RTS_CONTROL_HANDSHAKE = 2, RTS_CONTROL_TOGGLE = 3;

inline constexpr std::uint8_t NOPARITY = 0, ODDPARITY = 1, EVENPARITY = 2, MARKPARITY = 3,
                              SPACEPARITY = 4;
inline constexpr std::uint8_t ONESTOPBIT = 0, ONE5STOPBITS = 1, TWOSTOPBITS = 2;

/// The five timeouts in ms.
struct COMMTIMEOUTS {
  std::uint32_t ReadIntervalTimeout = 0;
  std::uint32_t ReadTotalTimeoutMultiplier = 0;
  std::uint32_t ReadTotalTimeoutConstant = 0;
  std::uint32_t WriteTotalTimeoutMultiplier = 0;
  std::uint32_t WriteTotalTimeoutConstant = 0;
};
static_assert(sizeof(COMMTIMEOUTS) == 20);

/// Line state as ClearCommError reports it: the flag byte (TComStateFlags),
/// three reserved bytes, then the queue fill levels in bytes.
struct COMSTAT {
  std::uint8_t Flags = 0;
  std::uint8_t Reserved[3] = {0, 0, 0};
  std::uint32_t cbInQue = 0;
  std::uint32_t cbOutQue = 0;
};
static_assert(sizeof(COMSTAT) == 12);
static_assert(offsetof(COMSTAT, cbInQue) == 4);

/// Port configuration with the embedded DCB; dwSize 52.
struct COMMCONFIG {
  std::uint32_t dwSize = sizeof(COMMCONFIG);
  std::uint16_t wVersion = 1;
  std::uint16_t wReserved = 0;
  DCB dcb;
  std::uint32_t dwProviderSubType = 0;
  std::uint32_t dwProviderOffset = 0;
  std::uint32_t dwProviderSize = 0;
  char16_t wcProviderData[1] = {0};
};
static_assert(sizeof(COMMCONFIG) == 52);
static_assert(offsetof(COMMCONFIG, dcb) == 8);

// Event mask bits (SetCommMask / WaitCommEvent).
inline constexpr std::uint32_t EV_RXCHAR = 0x0001, EV_RXFLAG = 0x0002, EV_TXEMPTY = 0x0004,
                               EV_CTS = 0x0008, EV_DSR = 0x0010, EV_RLSD = 0x0020,
                               EV_BREAK = 0x0040, EV_ERR = 0x0080, EV_RING = 0x0100,
                               EV_RX80FULL = 0x0400, EV_EVENT1 = 0x0800, EV_EVENT2 = 0x1000;

// Line error bits (ClearCommError).
inline constexpr std::uint32_t CE_RXOVER = 0x0001, CE_OVERRUN = 0x0002, CE_RXPARITY = 0x0004,
                               CE_FRAME = 0x0008, CE_BREAK = 0x0010, CE_TXFULL = 0x0100;

}  // namespace kurvex
