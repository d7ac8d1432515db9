// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dataformat.h"

namespace kurvex {

namespace {

// Indexed by TParity.
constexpr std::string_view kParityLetters = "NOEMS";

}  // namespace

const std::vector<std::string>& DataFormatItems() {
  static const std::vector<std::string> items = {"8N1", "8E1", "8O1", "8N2", "7E1", "7O1", "7N1", "7N2"};
  return items;
}

TDataFormat DataFormatOf(std::string_view name) {
  const std::size_t parity = name.size() == 3 ? kParityLetters.find(name[1]) : std::string_view::npos;
  if (parity == std::string_view::npos || name[0] < '5' || name[0] > '8' || (name[2] != '1' && name[2] != '2')) {
    return {};
  }
  return {static_cast<std::uint8_t>(name[0] - '0'), static_cast<TParity>(parity), name[2] == '1' ? sbOne : sbTwo};
}

std::string DataFormatName(const TDataFormat& format) {
  const char* stopBits = format.StopBits == sbOne ? "1" : format.StopBits == sbTwo ? "2" : "1.5";
  return std::to_string(format.ByteSize) + kParityLetters.at(format.Parity) + stopBits;
}

}  // namespace kurvex
