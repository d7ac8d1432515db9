// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "serial/commtypes.h"

namespace kurvex {

/// How the instrument frames each character: data bits, parity, stop bits.
struct TDataFormat {
  std::uint8_t ByteSize = 8;
  TParity Parity = pNone;
  TStopBits StopBits = sbOne;
};

/// The formats the port settings offer, "8N1" (the default) first.
const std::vector<std::string>& DataFormatItems();

/// The format `name` stands for ("7E1": data bits, N, O, E, M or S, stop
/// bits 1 or 2); 8N1 for a text that names none.
TDataFormat DataFormatOf(std::string_view name);

/// The name of `format`, "7E1"; one and a half stop bits read "1.5".
std::string DataFormatName(const TDataFormat& format);

}  // namespace kurvex
