// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/linuxttys.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <fstream>
#include <map>
#include <system_error>
#include <tuple>

namespace kurvex {

namespace fs = std::filesystem;

namespace {

// As the kernel's own limit on nested links.
constexpr int kMaxLinkHops = 40;

std::deque<std::string> Components(const fs::path& path) {
  std::deque<std::string> parts;
  for (const fs::path& part : path.relative_path()) {
    if (!part.empty()) parts.push_back(part.string());
  }
  return parts;
}

std::string Trimmed(std::string text) {
  const auto notBlank = [](unsigned char c) { return !std::isspace(c); };
  text.erase(text.begin(), std::find_if(text.begin(), text.end(), notBlank));
  text.erase(std::find_if(text.rbegin(), text.rend(), notBlank).base(), text.end());
  return text;
}

// "ttyUSB10" after "ttyUSB9": the name's digits compare as a number.
bool KernelNameLess(const std::string& a, const std::string& b) {
  const auto split = [](const std::string& name) {
    const std::size_t digits = name.find_last_not_of("0123456789") + 1;
    const std::string number = name.substr(digits);
    // Longer digit strings are larger numbers (the kernel writes no leading zeros).
    return std::tuple(name.substr(0, digits), number.size(), number);
  };
  return split(a) < split(b);
}

// udev keeps one "E:KEY=value" line per property.
std::map<std::string, std::string> UdevProperties(const fs::path& file) {
  std::map<std::string, std::string> properties;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    const std::size_t equals = line.find('=');
    if (line.rfind("E:", 0) == 0 && equals != std::string::npos) {
      properties[line.substr(2, equals - 2)] = line.substr(equals + 1);
    }
  }
  return properties;
}

std::string FirstOf(const std::map<std::string, std::string>& properties,
                    std::initializer_list<const char*> keys) {
  for (const char* key : keys) {
    if (auto it = properties.find(key); it != properties.end() && !it->second.empty()) {
      std::string value = it->second;
      // The short udev names write blanks as underscores.
      std::replace(value.begin(), value.end(), '_', ' ');
      return value;
    }
  }
  return {};
}

// sysfs puts every USB device below its bus's root hub, "usb1", "usb2", ...
bool OnUsbBus(const fs::path& sysDevicePath) {
  return std::any_of(sysDevicePath.begin(), sysDevicePath.end(), [](const fs::path& part) {
    const std::string name = part.string();
    return name.size() > 3 && name.rfind("usb", 0) == 0 &&
           name.find_first_not_of("0123456789", 3) == std::string::npos;
  });
}

constexpr const char* kUdevDatabase = "/run/udev/data";

}  // namespace

fs::path TLinuxTtys::HostPath(const std::string& treePath) const {
  return m_root / fs::path(treePath).relative_path();
}

std::optional<std::string> TLinuxTtys::Resolve(const std::string& path) const {
  int hops = 0;
  return Resolve(path, hops);
}

std::optional<std::string> TLinuxTtys::Resolve(const std::string& path, int& hops) const {
  std::deque<std::string> pending = Components(path);
  fs::path resolved = "/";
  while (!pending.empty()) {
    const std::string part = std::move(pending.front());
    pending.pop_front();
    if (part == ".") continue;
    if (part == "..") {
      resolved = resolved.parent_path();
      continue;
    }
    const fs::path candidate = resolved / part;
    std::error_code error;
    const fs::file_status status = fs::symlink_status(HostPath(candidate.string()), error);
    if (error || !fs::exists(status)) return std::nullopt;
    if (!fs::is_symlink(status)) {
      resolved = candidate;
      continue;
    }
    if (++hops > kMaxLinkHops) return std::nullopt;
    const fs::path target = fs::read_symlink(HostPath(candidate.string()), error);
    if (error) return std::nullopt;
    if (pending.empty() && fs::is_character_file(HostPath(candidate.string()), error)) {
      // A device node: stand-in for a host tty when the tree lacks the target.
      const fs::path from = target.is_absolute() ? target : resolved / target;
      if (!Resolve(from.string(), hops)) return candidate.string();
    }
    std::deque<std::string> targetParts = Components(target);
    pending.insert(pending.begin(), targetParts.begin(), targetParts.end());
    if (target.is_absolute()) resolved = "/";
  }
  return resolved.string();
}

std::string TLinuxTtys::ReadAttribute(const std::string& treePath) const {
  std::ifstream in(HostPath(treePath));
  std::string text;
  std::getline(in, text);
  return Trimmed(text);
}

bool TLinuxTtys::HasHardware(const std::string& name) const {
  const std::string classDir = "/sys/class/tty/" + name;
  if (!Resolve(classDir + "/device")) return false;
  std::error_code error;
  if (!fs::exists(HostPath(classDir + "/type"), error)) return true;
  return ReadAttribute(classDir + "/type") != "0";
}

std::optional<TTtyDevice> TLinuxTtys::DeviceAt(const std::string& devicePath) const {
  std::error_code error;
  if (!fs::exists(HostPath(devicePath), error)) return std::nullopt;
  const fs::path path = devicePath;
  TTtyDevice device{path.filename().string(), devicePath, {}, true};
  // Only nodes directly in /dev have a sysfs tty of their name; a pty
  // (/dev/pts/N) has none and needs none.
  const bool inDev = path.parent_path() == "/dev";
  const bool knownToSysfs = inDev && fs::exists(HostPath("/sys/class/tty/" + device.Name), error);
  if (knownToSysfs && !HasHardware(device.Name)) return std::nullopt;
  return device;
}

std::vector<TTtyDevice> TLinuxTtys::SerialDevices() const {
  std::vector<std::string> names;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(HostPath("/sys/class/tty"), error)) {
    const std::string name = entry.path().filename().string();
    if (HasHardware(name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end(), KernelNameLess);

  std::vector<TTtyDevice> devices;
  for (const std::string& name : names) {
    const std::string devicePath = "/dev/" + name;
    const std::string sysDevice = Resolve("/sys/class/tty/" + name + "/device").value_or("");
    devices.push_back({name, devicePath, {}, fs::exists(HostPath(devicePath), error),
                       OnUsbBus(sysDevice)});
  }

  std::vector<std::string> byId;
  const std::string byIdDir = "/dev/serial/by-id";
  for (const fs::directory_entry& entry : fs::directory_iterator(HostPath(byIdDir), error)) {
    byId.push_back(entry.path().filename().string());
  }
  std::sort(byId.begin(), byId.end());
  for (const std::string& linkName : byId) {
    const std::string link = byIdDir + "/" + linkName;
    const std::optional<std::string> target = Resolve(link);
    if (!target) continue;
    auto known = std::find_if(devices.begin(), devices.end(),
                              [&](const TTtyDevice& d) { return d.DevicePath == *target; });
    const bool usbName = linkName.rfind("usb-", 0) == 0;
    if (known == devices.end()) {
      devices.push_back({fs::path(*target).filename().string(), *target, link, true, usbName});
    } else if (known->SymbolicName.empty()) {
      known->SymbolicName = link;
      known->Usb = known->Usb || usbName;
    }
  }
  return devices;
}

TTtyDetails TLinuxTtys::Details(const TTtyDevice& device) const {
  TTtyDetails details;
  const std::string classDir = "/sys/class/tty/" + device.Name;
  details.SysDevicePath = Resolve(classDir + "/device").value_or(std::string());
  if (!details.SysDevicePath.empty()) {
    if (const auto driver = Resolve(details.SysDevicePath + "/driver")) {
      details.DriverPath = *driver;
      details.Driver = fs::path(*driver).filename().string();
    }
    // A USB adapter names itself in the USB device, a few levels above the
    // tty's own device (interface, then port).
    for (fs::path dir = details.SysDevicePath; dir.has_relative_path(); dir = dir.parent_path()) {
      std::error_code error;
      if (fs::exists(HostPath((dir / "product").string()), error)) {
        details.Description = ReadAttribute((dir / "product").string());
        details.Manufacturer = ReadAttribute((dir / "manufacturer").string());
        break;
      }
    }
  }
  if (details.Description.empty() || details.Manufacturer.empty()) {
    // Devices without names of their own (PCI cards, on-board ports) get
    // them from the hardware database through udev.
    const std::string number = ReadAttribute(classDir + "/dev");
    const auto properties = UdevProperties(HostPath(std::string(kUdevDatabase) + "/c" + number));
    if (details.Description.empty()) {
      details.Description = FirstOf(properties, {"ID_MODEL_FROM_DATABASE", "ID_MODEL"});
    }
    if (details.Manufacturer.empty()) {
      details.Manufacturer = FirstOf(properties, {"ID_VENDOR_FROM_DATABASE", "ID_VENDOR"});
    }
  }
  return details;
}

bool TLinuxTtys::Settled(const TTtyDevice& device) const {
  std::error_code error;
  if (!fs::is_directory(HostPath(kUdevDatabase), error)) return true;
  const std::string number = ReadAttribute("/sys/class/tty/" + device.Name + "/dev");
  // A device sysfs does not show has no entry to wait for.
  return number.empty() ||
         fs::exists(HostPath(std::string(kUdevDatabase) + "/c" + number), error);
}

TLinuxTtys::TLinuxTtys(fs::path root) : m_root(std::move(root)) {}

std::vector<fs::path> TLinuxTtys::WatchFolders() const {
  return {HostPath("/dev"), HostPath("/dev/pts"), HostPath("/dev/serial/by-id"), HostPath(kUdevDatabase)};
}

}  // namespace kurvex
