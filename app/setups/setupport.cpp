// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/setups/setupport.h"

namespace kurvex {

std::optional<unsigned> ComNumberReaching(const TDeviceTree& tree, const std::string& device) {
  const std::optional<std::string> path = tree.Resolve(device);
  if (!path || !tree.DeviceAt(*path)) return std::nullopt;
  for (const TComLink& link : tree.ComLinks())
    if (link.DevicePath == *path) return link.PortNo;
  // An on-board port answers as COM<n + 1> unless a link takes that number.
  constexpr std::string_view kOnBoard = "/dev/ttyS";
  if (!path->starts_with(kOnBoard)) return std::nullopt;
  const std::string digits = path->substr(kOnBoard.size());
  if (digits.empty() || digits.size() > 3 || digits.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  const unsigned portNo = static_cast<unsigned>(std::stoul(digits)) + 1;
  const std::optional<TTtyDevice> reached = tree.ComPortDevice(portNo);
  return reached && reached->DevicePath == *path ? std::optional(portNo) : std::nullopt;
}

std::string StableDeviceName(const TDeviceTree& tree, unsigned comNumber) {
  const std::optional<TTtyDevice> device = tree.ComPortDevice(comNumber);
  return device ? device->SymbolicName : std::string();
}

}  // namespace kurvex
