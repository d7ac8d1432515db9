// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/portscan.h"

#include <algorithm>

#include "ports/comport.h"

namespace kurvex {

namespace {

void AddDetails(TSerialDevice& entry, const TTtyDetails& details) {
  entry.Description = details.Description;
  entry.Manufacturer = details.Manufacturer;
  entry.ServiceName = details.Driver;
  entry.DriverKey = details.DriverPath;
  entry.DeviceKeyPath = details.SysDevicePath;
  if (!entry.Description.empty()) entry.Caption += " (" + entry.Description + ")";
}

TSerialDevice NamedEntry(const std::string& portName, int portNumber) {
  TSerialDevice entry;
  entry.PortNumber = portNumber;
  entry.PortName = entry.Caption = entry.OpenName = portName;
  return entry;
}

}  // namespace

std::vector<TSerialDevice> ScanSerialPorts(const TDeviceTree& tree, TEnumPorts mode) {
  const bool withDetails = mode != epQuickAll;
  const bool presentOnly = mode == epFullPresent;
  const std::vector<TTtyDevice> devices = tree.SerialDevices();
  const std::vector<TComLink> links = tree.ComLinks();
  std::vector<bool> named(devices.size(), false);
  std::vector<TSerialDevice> entries;
  const auto addNamed = [&](unsigned portNo, const std::string& devicePath) {
    TSerialDevice entry = NamedEntry("COM" + std::to_string(portNo), static_cast<int>(portNo));
    entry.DevicePath = devicePath;
    const auto reached = std::find_if(devices.begin(), devices.end(), [&](const TTtyDevice& d) {
      return !devicePath.empty() && d.DevicePath == devicePath;
    });
    if (reached != devices.end()) {
      named[static_cast<std::size_t>(reached - devices.begin())] = true;
      if (withDetails) AddDetails(entry, tree.Details(*reached));
    }
    entries.push_back(std::move(entry));
    return &entries.back();
  };

  for (const TComLink& link : links) {
    if (presentOnly && (link.DevicePath.empty() || !tree.DeviceAt(link.DevicePath))) continue;
    addNamed(link.PortNo, link.DevicePath)->DeviceObjectName = link.Target;
  }
  // An on-board port is named by the number that opens it without a link.
  for (const TTtyDevice& device : devices) {
    const std::optional<unsigned> portNo = BuiltInComNumber(device.DevicePath);
    const bool linked = std::any_of(links.begin(), links.end(),
                                    [&](const TComLink& link) { return link.PortNo == portNo; });
    if (!portNo || linked || (presentOnly && !device.Present)) continue;
    addNamed(*portNo, device.DevicePath);
  }
  std::stable_sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    return a.PortNumber < b.PortNumber;
  });

  int nextNumber = kFirstUnnamedPortNumber;
  for (std::size_t i = 0; i < devices.size(); ++i) {
    if (named[i] || (presentOnly && !devices[i].Present)) continue;
    TSerialDevice entry = NamedEntry(devices[i].DevicePath, nextNumber++);
    entry.DevicePath = devices[i].DevicePath;
    if (withDetails) AddDetails(entry, tree.Details(devices[i]));
    entries.push_back(std::move(entry));
  }
  return entries;
}

bool ConcernsSerialPorts(const THotplugChange& change) {
  const std::string folder = change.Folder.filename().string();
  if (change.Name.empty() || folder == "pts" || folder == "by-id") return true;
  // udev's database names a character device "c<major>:<minor>".
  if (folder == "data") return change.Name.rfind('c', 0) == 0;
  return change.Name.rfind("tty", 0) == 0 || ComPortNumber(change.Name).has_value();
}

}  // namespace kurvex
