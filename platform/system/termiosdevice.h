// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "platform/system/serialdevice.h"

namespace kurvex {

/// Opens the tty at `path` for exclusive use: nonblocking, no controlling
/// terminal, TIOCEXCL against other openers and an flock against other
/// processes running as root (whom TIOCEXCL does not stop). On failure
/// returns null and sets `error` (ENOTTY for a path that is not a terminal,
/// EBUSY when another user holds the port). Line settings are left as they
/// are until Configure.
std::unique_ptr<SerialDevice> OpenTermiosDevice(const std::string& path, int& error);

}  // namespace kurvex
