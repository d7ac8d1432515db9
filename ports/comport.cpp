// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/comport.h"

#include <charconv>
#include <system_error>

#include "platform/system/configdir.h"

namespace kurvex {

std::filesystem::path PortDirectory() { return ConfigDirectory() / "ports"; }

std::filesystem::path ComPortLink(unsigned portNo) {
  return PortDirectory() / ("COM" + std::to_string(portNo));
}

std::optional<unsigned> ComPortNumber(const std::string& portName) {
  constexpr std::string_view prefix = "COM";
  if (portName.size() <= prefix.size() || portName.compare(0, prefix.size(), prefix) != 0) {
    return std::nullopt;
  }
  const char* first = portName.data() + prefix.size();
  const char* last = portName.data() + portName.size();
  unsigned value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last) {
    return std::nullopt;
  }
  return value;
}

std::string BuiltInComDevice(unsigned portNo) {
  return portNo == 0 ? std::string() : "/dev/ttyS" + std::to_string(portNo - 1);
}

std::optional<unsigned> BuiltInComNumber(const std::string& devicePath) {
  constexpr std::string_view prefix = "/dev/ttyS";
  if (devicePath.rfind(prefix, 0) != 0) return std::nullopt;
  // "COM" + the kernel's number spells it the same way, plus one.
  const std::optional<unsigned> index = ComPortNumber("COM" + devicePath.substr(prefix.size()));
  if (!index || BuiltInComDevice(*index + 1) != devicePath) return std::nullopt;
  return *index + 1;
}

}  // namespace kurvex
