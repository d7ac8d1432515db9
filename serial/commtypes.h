// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "serial/enumset.h"

namespace kurvex {

/// Parity of the DCB; the ordinals are the DCB Parity codes.
enum TParity : std::uint8_t { pNone, pOdd, pEven, pMark, pSpace };

/// Stop bits of the DCB; the ordinals are ONESTOPBIT, ONE5STOPBITS, TWOSTOPBITS.
enum TStopBits : std::uint8_t { sbOne, sbOneAndHalf, sbTwo };

/// View of the port number: cpCOM1..cpCOM8 for ports 1..8, cpCOMxx for 0 and 9 up.
enum TComPort : std::uint8_t { cpCOM1, cpCOM2, cpCOM3, cpCOM4, cpCOM5, cpCOM6, cpCOM7, cpCOM8, cpCOMxx };

/// Flow control.
enum TStreamProtocol : std::uint8_t { spNone, spXonXoff, spHardware };

/// Line events that are watched and reported.
enum TTraceState : std::uint8_t {
  tsRxChar, tsRxFlag, tsTxEmpty, tsCTS, tsDSR, tsRLSD,
  tsBreak, tsErr, tsRing, tsRx80Full, tsEvent1, tsEvent2
};
using TTraceStates = EnumSet<TTraceState, std::uint16_t>;

/// Input modem lines.
enum TModemSignal : std::uint8_t { msCTS, msDSR, msRing, msRLSD };
using TModemSignals = EnumSet<TModemSignal, std::uint8_t>;

/// The COMSTAT flag byte: transmission waits for CTS, DSR, RLSD, because
/// XOFF was received or sent; EOF received; a character queued for
/// immediate transmission.
enum TComStateFlag : std::uint8_t {
  csCtsHold, csDsrHold, csRlsdHold, csXoffHold, csXoffSent, csEof, csTxim
};
using TComStateFlags = EnumSet<TComStateFlag, std::uint8_t>;

}  // namespace kurvex
