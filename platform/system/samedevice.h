// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kurvex {

/// Whether the open descriptor `fd` is the character device at `path`
/// (links followed): the same device, under whatever name it was opened.
bool SameDevice(int fd, const std::string& path);

}  // namespace kurvex
