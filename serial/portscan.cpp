#include "serial/portscan.h"

#include <algorithm>

#include "platform/comport.h"

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
  std::vector<bool> linked(devices.size(), false);
  std::vector<TSerialDevice> entries;

  for (const TComLink& link : tree.ComLinks()) {
    if (presentOnly && (link.DevicePath.empty() || !tree.DeviceAt(link.DevicePath))) continue;
    TSerialDevice entry = NamedEntry("COM" + std::to_string(link.PortNo), static_cast<int>(link.PortNo));
    entry.DeviceObjectName = link.Target;
    const auto reached = std::find_if(devices.begin(), devices.end(), [&](const TTtyDevice& d) {
      return !link.DevicePath.empty() && d.DevicePath == link.DevicePath;
    });
    if (reached != devices.end()) {
      linked[static_cast<std::size_t>(reached - devices.begin())] = true;
      if (withDetails) AddDetails(entry, tree.Details(*reached));
    }
    entries.push_back(std::move(entry));
  }

  int nextNumber = kFirstUnnamedPortNumber;
  for (std::size_t i = 0; i < devices.size(); ++i) {
    if (linked[i] || (presentOnly && !devices[i].Present)) continue;
    TSerialDevice entry = NamedEntry(devices[i].DevicePath, nextNumber++);
    if (withDetails) AddDetails(entry, tree.Details(devices[i]));
    entries.push_back(std::move(entry));
  }
  return entries;
}

bool ConcernsSerialPorts(const THotplugChange& change) {
  if (change.Name.empty() || change.Folder.filename() == "pts") return true;
  return change.Name.rfind("tty", 0) == 0 || ComPortNumber(change.Name).has_value();
}

}  // namespace kurvex
