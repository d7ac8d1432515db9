// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ports/porttexts.h"

#include <cerrno>
#include <cstring>

#include "platform/system/translate.h"

namespace kurvex {

namespace {

// The design's list of port numbers.
constexpr int kLastListedPort = 20;

}  // namespace

std::string DeviceLabel(const std::string& manufacturer, const std::string& description) {
  if (manufacturer.empty() || description.rfind(manufacturer, 0) == 0) return description;
  if (description.empty()) return manufacturer;
  return manufacturer + " " + description;
}

std::string PortChoiceText(const TSerialDevice& port) {
  const std::string label = DeviceLabel(port.Manufacturer, port.Description);
  const std::string where = port.DevicePath.empty() ? port.OpenName : port.DevicePath;
  return std::to_string(port.PortNumber) + " – " + (label.empty() ? where : label + " (" + where + ")");
}

std::vector<std::string> PortChoiceItems(const TDeviceList& present) {
  std::vector<std::string> items;
  for (int i = 0; i < present.Count(); ++i) items.push_back(PortChoiceText(present[i]));
  for (int number = 0; number <= kLastListedPort; ++number) {
    if (present.IndexOfPort(number) < 0) items.push_back(std::to_string(number));
  }
  return items;
}

std::string OpenFailureText(unsigned portNo, int error, bool deviceThere,
                            const std::vector<TPortHolder>& holders) {
  const std::string port = "COM" + std::to_string(portNo);
  if (!deviceThere || error == ENOENT || error == ENODEV || error == ENXIO) {
    return Fill(Tr("Ports", "%1: kein Gerät"), {port});
  }
  if (error == EACCES || error == EPERM) {
    return Fill(Tr("Ports", "%1: keine Berechtigung – Benutzer zur Gruppe dialout hinzufügen"), {port});
  }
  if (error == EBUSY) {
    if (holders.empty()) return Fill(Tr("Ports", "%1: von einem anderen Programm belegt"), {port});
    std::string programs;
    for (std::size_t i = 0; i < holders.size(); ++i) {
      if (i > 0) programs += ", ";
      programs += holders[i].Program + " (PID " + std::to_string(holders[i].Pid) + ")";
    }
    return Fill(Tr("Ports", "%1: belegt von %2"), {port, programs});
  }
  return port + ": " + std::strerror(error);
}

}  // namespace kurvex
