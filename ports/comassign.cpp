// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/comassign.h"

#include <algorithm>
#include <system_error>

#include "ports/comport.h"

namespace kurvex {

namespace fs = std::filesystem;

namespace {

bool NumberFree(const TDeviceTree& tree, unsigned portNo) {
  std::error_code error;
  const fs::path name = tree.PortDirectory() / ("COM" + std::to_string(portNo));
  // A link that leads nowhere is still someone's: its adapter may come back.
  if (fs::exists(fs::symlink_status(name, error))) return false;
  return !tree.DeviceAt(BuiltInComDevice(portNo));
}

}  // namespace

std::vector<TComLink> AssignComNumbers(const TDeviceTree& tree,
                                       const std::function<bool(const TTtyDevice&)>& inUse) {
  const std::vector<TComLink> links = tree.ComLinks();
  const auto reached = [&](const TTtyDevice& device) {
    return std::any_of(links.begin(), links.end(),
                       [&](const TComLink& link) { return link.DevicePath == device.DevicePath; });
  };
  std::vector<TComLink> made;
  unsigned portNo = kFirstAssignedComPort;
  for (const TTtyDevice& device : tree.SerialDevices()) {
    if (!device.Usb || !device.Present || reached(device) || !tree.Settled(device) ||
        (inUse && inUse(device))) {
      continue;
    }
    const std::string target = device.SymbolicName.empty() ? device.DevicePath : device.SymbolicName;
    std::error_code error;
    fs::create_directories(tree.PortDirectory(), error);
    for (;; ++portNo) {
      if (!NumberFree(tree, portNo)) continue;
      const fs::path link = tree.PortDirectory() / ("COM" + std::to_string(portNo));
      fs::create_symlink(target, link, error);
      if (!error) {
        made.push_back({portNo, target, device.DevicePath});
        break;
      }
      // Taken meanwhile: try the next number. Anything else: the folder
      // cannot take links, and the device stays without a number.
      if (error != std::errc::file_exists) return made;
    }
    ++portNo;
  }
  return made;
}

}  // namespace kurvex
