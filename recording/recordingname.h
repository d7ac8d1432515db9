// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace kurvex {

/// "kurvex-YYYYMMDD-HHMMSS.csv" for the local time of `when`.
std::string RecordingFileName(std::chrono::system_clock::time_point when);

/// A path in `folder` for a new recording started at `when` that names no
/// existing file: RecordingFileName, or with "-2", "-3" … before ".csv"
/// when two recordings start in the same second.
std::filesystem::path FreshRecordingPath(const std::filesystem::path& folder,
                                         std::chrono::system_clock::time_point when);

}  // namespace kurvex
