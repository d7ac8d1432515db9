// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kurvex {

/// Folder whose symbolic links `COM<n>` name serial devices:
/// ConfigDirectory()/ports.
std::filesystem::path PortDirectory();

/// The link that stands for COM<n> in the port folder; it may not exist.
std::filesystem::path ComPortLink(unsigned portNo);

/// n of a port name "COM<n>" (decimal, nothing else around it); empty for any
/// other name.
std::optional<unsigned> ComPortNumber(const std::string& portName);

/// The on-board port COM<n> stands for without a link: /dev/ttyS<n-1>;
/// empty for COM0.
std::string BuiltInComDevice(unsigned portNo);

/// n for the device path BuiltInComDevice(n) gives; empty for any other path.
std::optional<unsigned> BuiltInComNumber(const std::string& devicePath);

}  // namespace kurvex
