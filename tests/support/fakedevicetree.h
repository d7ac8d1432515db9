// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tests/support/tempfolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "ports/devicetree.h"

namespace kurvex::test {

/// /dev, /sys and /run/udev in a temporary folder, laid out as the kernel
/// and udev lay out theirs (relative links inside sysfs), and a port folder.
/// A link from a device node to a real tty (`Link("/dev/ttyUSB0",
/// pty.SlavePath())`) puts that tty behind the device.
class FakeDeviceTree {
 public:
  FakeDeviceTree() {
    if (m_folder.Dir().empty()) ADD_FAILURE() << "no temporary folder";
    std::filesystem::create_directories(Host("/dev"));
    std::filesystem::create_directories(Ports());
  }

  TDeviceTree Tree() const { return TDeviceTree(m_base / "root", Ports()); }
  std::filesystem::path Ports() const { return m_base / "ports"; }
  std::filesystem::path Host(const std::string& treePath) const {
    return m_base / "root" / std::filesystem::path(treePath).relative_path();
  }
  void Write(const std::string& treePath, const std::string& text) const {
    std::filesystem::create_directories(Host(treePath).parent_path());
    std::ofstream(Host(treePath)) << text << "\n";
  }
  void Link(const std::string& treePath, const std::string& target) const {
    std::filesystem::create_directories(Host(treePath).parent_path());
    std::filesystem::create_symlink(target, Host(treePath));
  }
  void LinkCom(const std::string& name, const std::string& target) const {
    std::filesystem::create_symlink(target, Ports() / name);
  }

  /// A USB adapter: maker and product in the USB device, the driver on the
  /// adapter's port, which is the tty's device.
  void AddUsbSerial(const std::string& name, const std::string& usbPort, const std::string& maker,
                    const std::string& product, const std::string& driver, bool node = true) const {
    const std::string usb = "/sys/devices/pci0000:00/usb1/" + usbPort;
    if (!maker.empty()) Write(usb + "/manufacturer", maker);
    if (!product.empty()) Write(usb + "/product", product);
    const std::string port = usb + "/" + usbPort + ":1.0/" + name;
    Write("/sys/bus/usb-serial/drivers/" + driver + "/uevent", "");
    Link(port + "/driver", "../../../../../../bus/usb-serial/drivers/" + driver);
    AddTty(name, port + "/tty/" + name, "../../../" + name, node);
  }
  /// A USB adapter taken out: the kernel drops its tty and node, udev its
  /// by-id link.
  void Unplug(const std::string& name, const std::string& byId = "") const {
    std::filesystem::remove_all(
        std::filesystem::canonical(Host("/sys/class/tty/" + name + "/device")));
    std::filesystem::remove(Host("/sys/class/tty/" + name));
    std::filesystem::remove(Host("/dev/" + name));
    if (!byId.empty()) std::filesystem::remove(Host("/dev/serial/by-id/" + byId));
  }
  /// An 8250 port; `type` 0 means no UART answered there.
  void AddSerial8250(const std::string& name, int type, const std::string& majorMinor) const {
    const std::string dir = "/sys/devices/platform/serial8250/tty/" + name;
    AddTty(name, dir, "../../../serial8250", true);
    Write(dir + "/type", std::to_string(type));
    Write(dir + "/dev", majorMinor);
  }
  /// A virtual console: a tty without a device.
  void AddVirtualTty(const std::string& name) const {
    Write("/sys/devices/virtual/tty/" + name + "/dev", "4:1");
    Link("/sys/class/tty/" + name, "../../devices/virtual/tty/" + name);
  }

 private:
  void AddTty(const std::string& name, const std::string& dir, const std::string& device,
              bool node) const {
    Link(dir + "/device", device);
    Link("/sys/class/tty/" + name, "../.." + dir.substr(4));
    if (node) Write("/dev/" + name, "");
  }

  TempFolder m_folder;
  std::filesystem::path m_base = m_folder.Dir();
};

}  // namespace kurvex::test
