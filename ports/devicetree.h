#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kurvex {

/// A `COM<n>` link of the port folder.
struct TComLink {
  unsigned PortNo = 0;
  std::string Target;      ///< the link's text, as written
  std::string DevicePath;  ///< where it leads in the tree; empty when it leads nowhere
};

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

/// The serial devices of the machine as /dev, /sys, /run/udev and the port
/// folder show them. Every path taken or given is a path inside the tree
/// below `root` ("/" for the running system), and absolute link targets are
/// followed inside it, so a fake tree in a temporary folder behaves as the
/// real one. The port folder is an ordinary path; its links' targets are
/// tree paths. Reads the file system at every call; any thread.
///
/// A tty counts as a device when /sys/class/tty/<name>/device exists
/// (virtual consoles and pseudo-terminals have none), except a serial-core
/// port whose `type` reads 0: the kernel reserved it (the legacy ttyS
/// ports), but no UART answered there.
class TDeviceTree {
 public:
  TDeviceTree(std::filesystem::path root, std::filesystem::path portDirectory);
  /// The running system with the program's port folder.
  static TDeviceTree System();

  /// The links named `COM<n>` (n in its plain decimal form, the name the port
  /// resolution looks up), by ascending n.
  std::vector<TComLink> ComLinks() const;
  /// The real ttys (by kernel name, numbers in numeric order) followed by
  /// /dev/serial/by-id targets that sysfs does not show; each device once.
  std::vector<TTtyDevice> SerialDevices() const;
  TTtyDetails Details(const TTtyDevice& device) const;

  /// The device `COM<portNo>` reaches: its link's target, else
  /// /dev/ttyS<portNo-1>; empty when that is no device (nothing there, or a
  /// reserved port without a UART).
  std::optional<TTtyDevice> ComPortDevice(unsigned portNo) const;
  /// The host path that opens `COM<portNo>`: its link's device, else
  /// /dev/ttyS<portNo-1>. A link that leads nowhere in the tree is given
  /// as it is, so that opening it fails as it should; empty for COM0.
  std::string ComPortOpenPath(unsigned portNo) const;
  /// Whether udev has finished with the device (its by-id link is in place),
  /// or the system runs no udev.
  bool Settled(const TTtyDevice& device) const;
  /// The device at a resolved tree path; empty when nothing is there or it
  /// is a reserved port without a UART.
  std::optional<TTtyDevice> DeviceAt(const std::string& devicePath) const;

  /// The folders whose entries come and go with devices: /dev, /dev/pts,
  /// /dev/serial/by-id, the udev database and the port folder, whether
  /// they exist yet or not.
  std::vector<std::filesystem::path> WatchFolders() const;
  const std::filesystem::path& PortDirectory() const { return m_portDirectory; }

  /// `path` with every link followed inside the tree; empty when it leads
  /// nowhere (or in circles).
  std::optional<std::string> Resolve(const std::string& path) const;

  /// Where a tree path lies on the host.
  std::filesystem::path HostPath(const std::string& treePath) const;

 private:
  std::optional<std::string> Resolve(const std::string& path, int& hops) const;
  std::string ReadAttribute(const std::string& treePath) const;
  bool HasHardware(const std::string& name) const;
  std::optional<std::string> ComLinkDevice(const std::filesystem::path& link,
                                           const std::filesystem::path& target) const;

  std::filesystem::path m_root;
  std::filesystem::path m_portDirectory;
};

}  // namespace kurvex
