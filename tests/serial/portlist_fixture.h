#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/devicetree.h"

namespace kurvex::test {

/// A /dev, /sys and /run/udev tree in a temporary folder, laid out as the
/// kernel and udev lay out theirs (relative links inside sysfs), with a port
/// folder beside it.
class FakeDeviceTree {
 public:
  FakeDeviceTree() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kurvex-tree-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
    m_base = pattern;
    std::filesystem::create_directories(Host("/dev"));
    std::filesystem::create_directories(Host("/sys/class/tty"));
    std::filesystem::create_directories(Ports());
  }
  ~FakeDeviceTree() {
    std::error_code error;
    std::filesystem::remove_all(m_base, error);
  }
  FakeDeviceTree(const FakeDeviceTree&) = delete;
  FakeDeviceTree& operator=(const FakeDeviceTree&) = delete;

  TDeviceTree Tree() const { return TDeviceTree(Root(), Ports()); }
  std::filesystem::path Root() const { return m_base / "root"; }
  std::filesystem::path Ports() const { return m_base / "ports"; }
  std::filesystem::path Host(const std::string& treePath) const {
    return Root() / std::filesystem::path(treePath).relative_path();
  }

  void Write(const std::string& treePath, const std::string& text) const {
    std::filesystem::create_directories(Host(treePath).parent_path());
    std::ofstream(Host(treePath)) << text << "\n";
  }
  void Link(const std::string& treePath, const std::string& target) const {
    std::filesystem::create_directories(Host(treePath).parent_path());
    std::filesystem::create_symlink(target, Host(treePath));
  }
  void Node(const std::string& name) const { Write("/dev/" + name, ""); }

  /// A USB adapter: the USB device names maker and product, the tty's device
  /// is the adapter's port with its driver; `node` adds /dev/<name>.
  void AddUsbSerial(const std::string& name, const std::string& usbPort,
                    const std::string& manufacturer, const std::string& product,
                    const std::string& driver, bool node = true) const {
    const std::string usb = "/sys/devices/pci0000:00/0000:00:14.0/usb1/" + usbPort;
    if (!manufacturer.empty()) Write(usb + "/manufacturer", manufacturer);
    if (!product.empty()) Write(usb + "/product", product);
    const std::string port = usb + "/" + usbPort + ":1.0/" + name;
    Write("/sys/bus/usb-serial/drivers/" + driver + "/uevent", "");
    Link(port + "/driver", "../../../../../../../bus/usb-serial/drivers/" + driver);
    AddClassTty(name, port + "/tty/" + name, "../../../" + name);
    if (node) Node(name);
  }

  /// A serial-core port of the 8250 driver; `type` 0 means no UART answered.
  void AddSerial8250(const std::string& name, int type, const std::string& major_minor) const {
    const std::string dir = "/sys/devices/platform/serial8250/tty/" + name;
    AddClassTty(name, dir, "../../../serial8250");
    Write(dir + "/type", std::to_string(type));
    Write(dir + "/dev", major_minor);
    Node(name);
  }

  /// A tty without hardware (a virtual console).
  void AddVirtualTty(const std::string& name) const {
    const std::string dir = "/sys/devices/virtual/tty/" + name;
    Write(dir + "/dev", "4:0");
    Link("/sys/class/tty/" + name, "../../devices/virtual/tty/" + name);
    Node(name);
  }

  void AddUdev(const std::string& major_minor, const std::string& properties) const {
    Write("/run/udev/data/c" + major_minor, properties);
  }

  /// COM<n> in the port folder, pointing at `target` (a tree path).
  void LinkCom(const std::string& linkName, const std::string& target) const {
    std::filesystem::create_symlink(target, Ports() / linkName);
  }

 private:
  void AddClassTty(const std::string& name, const std::string& ttyDir,
                   const std::string& deviceLink) const {
    std::filesystem::create_directories(Host(ttyDir));
    Link(ttyDir + "/device", deviceLink);
    // /sys/class/tty/<name> -> ../../devices/...
    Link("/sys/class/tty/" + name, "../.." + ttyDir.substr(std::string("/sys").size()));
  }

  std::filesystem::path m_base;
};

}  // namespace kurvex::test
