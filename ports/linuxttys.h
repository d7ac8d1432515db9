// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kurvex {

/// A serial device the system has: a tty with hardware behind it, or the
/// target of a /dev/serial/by-id link.
struct TTtyDevice {
  std::string Name;          ///< kernel name, "ttyUSB0"
  std::string DevicePath;    ///< "/dev/ttyUSB0", in the tree
  std::string SymbolicName;  ///< its /dev/serial/by-id link, empty when none
  bool Present = false;      ///< the device node exists
  bool Usb = false;          ///< it hangs on a USB bus (an adapter that comes and goes)
};

/// What sysfs and the udev database say about one tty. Empty fields are unknown.
struct TTtyDetails {
  std::string Description;   ///< product name
  std::string Manufacturer;
  std::string Driver;        ///< driver name, "ftdi_sio"
  std::string DriverPath;    ///< the driver's sysfs folder
  std::string SysDevicePath; ///< the device's sysfs folder
};

/// The serial devices of a Linux system as /dev, /sys and /run/udev show
/// them: the one place that knows the kernel's and udev's layout. Every
/// path taken or given is a path inside the tree below `root` ("/" for the
/// running system), and absolute link targets are followed inside it, so a
/// fake tree in a temporary folder behaves as the real one. Reads the file
/// system at every call; any thread.
///
/// A tty counts as a device when /sys/class/tty/<name>/device exists
/// (virtual consoles and pseudo-terminals have none), except a serial-core
/// port whose `type` reads 0: the kernel reserved it (the legacy ttyS
/// ports), but no UART answered there.
class TLinuxTtys {
 public:
  explicit TLinuxTtys(std::filesystem::path root);

  /// The real ttys (by kernel name, numbers in numeric order) followed by
  /// /dev/serial/by-id targets that sysfs does not show; each device once.
  std::vector<TTtyDevice> SerialDevices() const;
  TTtyDetails Details(const TTtyDevice& device) const;
  /// Whether udev has finished with the device (its by-id link is in place),
  /// or the system runs no udev.
  bool Settled(const TTtyDevice& device) const;
  /// The device at a resolved tree path; empty when nothing is there or it
  /// is a reserved port without a UART.
  std::optional<TTtyDevice> DeviceAt(const std::string& devicePath) const;
  /// The folders whose entries come and go with devices: /dev, /dev/pts,
  /// /dev/serial/by-id and the udev database, whether they exist yet or not.
  std::vector<std::filesystem::path> WatchFolders() const;

  /// `path` with every link followed inside the tree; empty when it leads
  /// nowhere (or in circles).
  std::optional<std::string> Resolve(const std::string& path) const;
  /// Where a tree path lies on the host.
  std::filesystem::path HostPath(const std::string& treePath) const;

 private:
  std::optional<std::string> Resolve(const std::string& path, int& hops) const;
  std::string ReadAttribute(const std::string& treePath) const;
  bool HasHardware(const std::string& name) const;

  std::filesystem::path m_root;
};

}  // namespace kurvex
