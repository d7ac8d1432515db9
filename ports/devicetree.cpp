// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/devicetree.h"

#include <algorithm>
#include <system_error>

#include "ports/comport.h"

namespace kurvex {

namespace fs = std::filesystem;

TDeviceTree::TDeviceTree(fs::path root, fs::path portDirectory)
    : m_ttys(std::move(root)), m_portDirectory(std::move(portDirectory)) {}

TDeviceTree TDeviceTree::System() { return TDeviceTree("/", kurvex::PortDirectory()); }

std::optional<std::string> TDeviceTree::ComLinkDevice(const fs::path& link,
                                                      const fs::path& target) const {
  // A relative target is relative to the link's folder, read as a tree path.
  return Resolve(target.is_absolute() ? target.string()
                                      : (link.parent_path() / target).lexically_normal().string());
}

std::vector<TComLink> TDeviceTree::ComLinks() const {
  std::vector<TComLink> links;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(m_portDirectory, error)) {
    const std::string name = entry.path().filename().string();
    const std::optional<unsigned> portNo = ComPortNumber(name);
    if (!portNo || name != "COM" + std::to_string(*portNo) || !entry.is_symlink(error)) continue;
    const fs::path target = fs::read_symlink(entry.path(), error);
    if (error) continue;
    links.push_back({*portNo, target.string(),
                     ComLinkDevice(entry.path(), target).value_or(std::string())});
  }
  std::sort(links.begin(), links.end(),
            [](const TComLink& a, const TComLink& b) { return a.PortNo < b.PortNo; });
  return links;
}

std::optional<TTtyDevice> TDeviceTree::ComPortDevice(unsigned portNo) const {
  const fs::path link = m_portDirectory / ("COM" + std::to_string(portNo));
  std::error_code error;
  if (fs::is_symlink(fs::symlink_status(link, error))) {
    const std::optional<std::string> target = ComLinkDevice(link, fs::read_symlink(link, error));
    return target ? DeviceAt(*target) : std::nullopt;
  }
  const std::string builtIn = BuiltInComDevice(portNo);
  return builtIn.empty() ? std::nullopt : DeviceAt(builtIn);
}

std::string TDeviceTree::ComPortOpenPath(unsigned portNo) const {
  const fs::path link = m_portDirectory / ("COM" + std::to_string(portNo));
  std::error_code error;
  if (fs::is_symlink(fs::symlink_status(link, error))) {
    const std::optional<std::string> target = ComLinkDevice(link, fs::read_symlink(link, error));
    return target ? HostPath(*target).string() : link.string();
  }
  const std::string builtIn = BuiltInComDevice(portNo);
  return builtIn.empty() ? std::string() : HostPath(builtIn).string();
}

std::optional<unsigned> TDeviceTree::ComPortReaching(const std::string& path) const {
  const std::optional<std::string> device = Resolve(path);
  if (!device) return std::nullopt;
  std::vector<unsigned> candidates;
  for (const TComLink& link : ComLinks()) {
    if (link.DevicePath == *device) candidates.push_back(link.PortNo);
  }
  if (const std::optional<unsigned> builtIn = BuiltInComNumber(*device)) candidates.push_back(*builtIn);
  std::sort(candidates.begin(), candidates.end());
  // A link of the on-board port's number leads elsewhere, and a port
  // without a UART reaches nothing.
  for (const unsigned portNo : candidates) {
    const std::optional<TTtyDevice> reached = ComPortDevice(portNo);
    if (reached && reached->DevicePath == *device) return portNo;
  }
  return std::nullopt;
}

std::string TDeviceTree::ComPortStableName(unsigned portNo) const {
  const std::optional<TTtyDevice> reached = ComPortDevice(portNo);
  if (!reached) return {};
  for (const TTtyDevice& device : SerialDevices())
    if (device.DevicePath == reached->DevicePath) return device.SymbolicName;
  return {};
}

std::vector<fs::path> TDeviceTree::WatchFolders() const {
  std::vector<fs::path> folders = m_ttys.WatchFolders();
  folders.push_back(m_portDirectory);
  return folders;
}

}  // namespace kurvex
