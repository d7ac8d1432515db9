// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ports/linuxttys.h"

namespace kurvex {

/// A `COM<n>` link of the port folder.
struct TComLink {
  unsigned PortNo = 0;
  std::string Target;      ///< the link's text, as written
  std::string DevicePath;  ///< where it leads in the tree; empty when it leads nowhere
};

/// The serial devices of the machine (TLinuxTtys) and the port folder whose
/// `COM<n>` links name them. The port folder is an ordinary path; its links'
/// targets are tree paths. Reads the file system at every call; any thread.
class TDeviceTree {
 public:
  TDeviceTree(std::filesystem::path root, std::filesystem::path portDirectory);
  /// The running system with the program's port folder.
  static TDeviceTree System();

  /// The links named `COM<n>` (n in its plain decimal form, the name the port
  /// resolution looks up), by ascending n.
  std::vector<TComLink> ComLinks() const;
  /// The device `COM<portNo>` reaches: its link's target, else
  /// /dev/ttyS<portNo-1>; empty when that is no device (nothing there, or a
  /// reserved port without a UART).
  std::optional<TTtyDevice> ComPortDevice(unsigned portNo) const;
  /// The host path that opens `COM<portNo>`: its link's device, else
  /// /dev/ttyS<portNo-1>. A link that leads nowhere in the tree is given
  /// as it is, so that opening it fails as it should; empty for COM0.
  std::string ComPortOpenPath(unsigned portNo) const;
  /// The lowest COM number that reaches the device at `path` (a tree path,
  /// also a link to the device such as its /dev/serial/by-id name): through
  /// its link, or without one as /dev/ttyS<n-1>. Empty when none does.
  std::optional<unsigned> ComPortReaching(const std::string& path) const;
  /// The stable name of the device `COM<portNo>` reaches: its
  /// /dev/serial/by-id link, which stays when the adapter gets another
  /// number; empty when it has none or nothing is there.
  std::string ComPortStableName(unsigned portNo) const;
  /// The devices' folders (TLinuxTtys::WatchFolders) and the port folder.
  std::vector<std::filesystem::path> WatchFolders() const;
  const std::filesystem::path& PortDirectory() const { return m_portDirectory; }

  // The devices themselves, as TLinuxTtys sees them.
  std::vector<TTtyDevice> SerialDevices() const { return m_ttys.SerialDevices(); }
  TTtyDetails Details(const TTtyDevice& device) const { return m_ttys.Details(device); }
  bool Settled(const TTtyDevice& device) const { return m_ttys.Settled(device); }
  std::optional<TTtyDevice> DeviceAt(const std::string& devicePath) const { return m_ttys.DeviceAt(devicePath); }
  std::optional<std::string> Resolve(const std::string& path) const { return m_ttys.Resolve(path); }
  std::filesystem::path HostPath(const std::string& treePath) const { return m_ttys.HostPath(treePath); }

 private:
  std::optional<std::string> ComLinkDevice(const std::filesystem::path& link,
                                           const std::filesystem::path& target) const;

  TLinuxTtys m_ttys;
  std::filesystem::path m_portDirectory;
};

}  // namespace kurvex
