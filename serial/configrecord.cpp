// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/configrecord.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <system_error>

#include "platform/system/configdir.h"
#include "platform/system/replacefile.h"

namespace kurvex {

namespace {

constexpr std::size_t kDcbOffset = 1;
constexpr std::size_t kTimeoutsOffset = kDcbOffset + sizeof(DCB);

bool IsPlainNameChar(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_';
}

std::string EncodeName(const std::string& name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (const char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if (IsPlainNameChar(c)) {
      encoded += ch;
    } else {
      encoded += '%';
      encoded += kHex[c >> 4];
      encoded += kHex[c & 0xF];
    }
  }
  return encoded;
}

}  // namespace

TConfigRecord PackConfigRecord(std::uint16_t portNo, const DCB& dcb, const COMMTIMEOUTS& timeouts) {
  TConfigRecord record{};
  record[0] = static_cast<std::uint8_t>(portNo & 0xFF);
  std::memcpy(record.data() + kDcbOffset, &dcb, sizeof(DCB));
  std::memcpy(record.data() + kTimeoutsOffset, &timeouts, sizeof(COMMTIMEOUTS));
  return record;
}

std::optional<TStoredConfig> UnpackConfigRecord(std::span<const std::uint8_t> bytes) {
  if (bytes.size() != kConfigRecordSize) {
    return std::nullopt;
  }
  TStoredConfig config;
  config.PortNo = bytes[0];
  std::memcpy(&config.Dcb, bytes.data() + kDcbOffset, sizeof(DCB));
  std::memcpy(&config.Timeouts, bytes.data() + kTimeoutsOffset, sizeof(COMMTIMEOUTS));
  return config;
}

std::filesystem::path ConfigValuePath(const std::string& rootKey, const std::string& key,
                                      const std::string& valueName) {
  std::filesystem::path path = ConfigDirectory() / "registry" / EncodeName(rootKey);
  std::size_t start = 0;
  while (start <= key.size()) {
    const std::size_t end = std::min(key.find_first_of("\\/", start), key.size());
    if (end > start) {
      path /= EncodeName(key.substr(start, end - start));
    }
    start = end + 1;
  }
  return path / (valueName.empty() ? std::string("@") : EncodeName(valueName));
}

bool WriteConfigValue(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  if (error) {
    return false;
  }
  return ReplaceFileContents(path.string(), {reinterpret_cast<const char*>(bytes.data()), bytes.size()}) == 0;
}

std::optional<std::vector<std::uint8_t>> ReadConfigValue(const std::filesystem::path& path,
                                                         std::size_t limit) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(limit);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(limit));
  if (in.bad()) {
    return std::nullopt;
  }
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

}  // namespace kurvex
