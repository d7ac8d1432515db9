// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "serial/win32comm.h"

namespace kurvex {

/// The stored port configuration: byte 0 the low byte of the port number,
/// bytes 1..28 the DCB, bytes 29..48 the COMMTIMEOUTS block.
inline constexpr std::size_t kConfigRecordSize = 1 + sizeof(DCB) + sizeof(COMMTIMEOUTS);
static_assert(kConfigRecordSize == 49);
using TConfigRecord = std::array<std::uint8_t, kConfigRecordSize>;

struct TStoredConfig {
  std::uint8_t PortNo = 0;
  DCB Dcb;
  COMMTIMEOUTS Timeouts;
};

TConfigRecord PackConfigRecord(std::uint16_t portNo, const DCB& dcb, const COMMTIMEOUTS& timeouts);

/// Empty unless `bytes` holds exactly one record.
std::optional<TStoredConfig> UnpackConfigRecord(std::span<const std::uint8_t> bytes);

/// Where a registry-style value lives: ConfigDirectory()/registry/<root>/
/// <key parts split at '\' or '/'>/<value name>, each name percent-encoded
/// except letters, digits, '-' and '_', so no name can climb out of the
/// folder or collide with another; an empty value name is "@".
std::filesystem::path ConfigValuePath(const std::string& rootKey, const std::string& key,
                                      const std::string& valueName);

/// Writes `bytes` to `path` through a temporary file and a rename, so a
/// reader sees the old value or the new one, never a torn one. Creates the
/// folders. False on any failure.
bool WriteConfigValue(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

/// The file's first `limit` bytes at most (a caller that wants an exact size
/// asks for one byte more to see a longer file); empty when it cannot be read.
std::optional<std::vector<std::uint8_t>> ReadConfigValue(const std::filesystem::path& path,
                                                         std::size_t limit);

}  // namespace kurvex
