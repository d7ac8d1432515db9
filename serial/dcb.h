// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "platform/system/serialdevice.h"
#include "serial/commtypes.h"
#include "serial/win32comm.h"

namespace kurvex {

/// Flag bits the component keeps as it found them: fParity, fOutxDsrFlow,
/// the upper fDtrControl bit, fDsrSensitivity, fTXContinueOnXoff, fErrorChar,
/// fNull and fAbortOnError.
inline constexpr std::uint32_t kKeptDCBFlags = 0x4CEA;

/// The configuration a new component starts from, standing for the system
/// default of COM1 (Linux has no such default): 9600 baud, 8 data bits, no
/// parity, one stop bit, fBinary with DTR and RTS enabled, XON 17 and XOFF 19,
/// every other field and flag 0.
COMMCONFIG DefaultCommConfig();

/// The flag word after the flow-control rule: the kept bits of `flags`, plus
/// fBinary, DTR enabled and the RTS/flow bits of the protocol (RS-485 mode:
/// RTS toggles with transmission, whatever the protocol).
std::uint32_t DCBFlagsFor(std::uint32_t flags, TStreamProtocol protocol, bool rs485Mode);

/// Puts the component's fixed values into `dcb`: DCBlength, the flag word of
/// DCBFlagsFor, XonLim 80, XoffLim 200, XON 17, XOFF 19.
void ApplyDCBRules(DCB& dcb, TStreamProtocol protocol, bool rs485Mode);

/// With fParity set the line checks each received character, and one with
/// a parity or framing error (or a break) arrives marked in the data, which
/// the receive path decodes (TReceiveMarks).
inline bool MarksReceiveErrors(const DCB& dcb) { return (dcb.Flags & fParity) != 0; }

/// What a termios device needs of `dcb`. Fewer than 8 data bits clear bit 7
/// of every received byte: some USB adapters hand the parity bit on there. DTR is on unless disabled; RTS is
/// on only when enabled (in toggle mode the sender raises it around writes).
SerialLineSettings LineSettingsFromDCB(const DCB& dcb);

}  // namespace kurvex
