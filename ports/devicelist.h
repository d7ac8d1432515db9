// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kurvex {

class TPortListHolder;

/// How much a port list knows: names only, or what the system knows of each
/// device too, of every port or of the present ones.
enum TEnumPorts : std::uint8_t { epQuickAll, epFullInfo, epFullPresent };

/// The PortNumber of the first device that has no `COM<n>` name; later ones
/// count up from here in order of discovery.
inline constexpr int kFirstUnnamedPortNumber = 4097;

/// One serial port of the machine, an entry of a component's device list
/// (owned by the list).
struct TSerialDevice {
  int ListIndex = -1;        ///< position in the device list, kept current
  TPortListHolder* Owner = nullptr;  ///< the component whose list holds the entry
  /// n of `COM<n>`; kFirstUnnamedPortNumber and up for a device without one.
  int PortNumber = 0;
  /// PortName, followed by " (" + Description + ")" when a Description is known.
  std::string Caption;
  /// For a `COM<n>` port: the text of its link in the port folder.
  std::string DeviceObjectName;
  /// `COM<n>`, or the device path ("/dev/ttyUSB1") of a device without one.
  std::string PortName;
  std::string DeviceKeyPath;  ///< the device's sysfs folder
  std::string Description;    ///< product name
  std::string ServiceName;    ///< driver name ("ftdi_sio")
  std::string DriverKey;      ///< the driver's sysfs folder
  /// The name the component opens: `COM<n>` (through the port folder) or a
  /// device path.
  std::string OpenName;
  std::string Manufacturer;
  /// The device node the port leads to ("/dev/ttyUSB0"); empty when none.
  std::string DevicePath;
};

/// A device list entry as a port chooser shows it. `Device` stays valid until
/// the list is cleared or refreshed.
struct TDeviceString {
  std::string Caption;
  const TSerialDevice* Device = nullptr;
};
using TDeviceStrings = std::vector<TDeviceString>;

/// The device list: entries in ascending PortNumber order, each number once.
/// Entries keep their addresses while they are in the list.
class TDeviceList {
 public:
  int Count() const { return static_cast<int>(m_entries.size()); }
  bool Empty() const { return m_entries.empty(); }
  /// index must be below Count().
  const TSerialDevice& operator[](int index) const { return *m_entries.at(index); }

  /// Puts the entry before the first one with a larger PortNumber; an entry
  /// whose PortNumber is already present is dropped. The entry's index, or
  /// -1 when it was dropped.
  int Insert(TSerialDevice device);
  void Clear() { m_entries.clear(); }

  /// Index of the first entry with this PortNumber, or -1.
  int IndexOfPort(int portNumber) const;

 private:
  std::vector<std::unique_ptr<TSerialDevice>> m_entries;
};

}  // namespace kurvex
