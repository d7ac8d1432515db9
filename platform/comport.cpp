#include "platform/comport.h"

#include <charconv>
#include <system_error>

#include "platform/configdir.h"

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

std::string ResolveComPort(const std::string& portName) {
  const std::optional<unsigned> portNo = ComPortNumber(portName);
  if (!portNo) {
    return {};
  }
  const std::filesystem::path link = ComPortLink(*portNo);
  std::error_code error;
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(link, error))) {
    return link.string();
  }
  return BuiltInComDevice(*portNo);
}

std::string BuiltInComDevice(unsigned portNo) {
  return portNo == 0 ? std::string() : "/dev/ttyS" + std::to_string(portNo - 1);
}

}  // namespace kurvex
