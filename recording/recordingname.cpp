// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/recordingname.h"

#include <ctime>

namespace kurvex {

namespace {

constexpr const char* kExtension = ".csv";

}  // namespace

std::string RecordingFileName(std::chrono::system_clock::time_point when) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  std::tm local{};
  ::localtime_r(&seconds, &local);
  char text[64];
  std::strftime(text, sizeof text, "kurvex-%Y%m%d-%H%M%S", &local);
  return text + std::string(kExtension);
}

std::filesystem::path FreshRecordingPath(const std::filesystem::path& folder,
                                         std::chrono::system_clock::time_point when) {
  const std::string name = RecordingFileName(when);
  const std::string stem = name.substr(0, name.size() - std::char_traits<char>::length(kExtension));
  std::filesystem::path path = folder / name;
  std::error_code ignored;
  for (int n = 2; std::filesystem::exists(path, ignored); ++n)
    path = folder / (stem + "-" + std::to_string(n) + kExtension);
  return path;
}

}  // namespace kurvex
