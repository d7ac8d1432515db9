// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "platform/system/serialdevice.h"

namespace kurvex {

// Terminal attributes through termios2, which takes any baud rate. Kept apart
// from <termios.h>, whose definitions clash with the kernel's.

/// Raw mode, CREAD|CLOCAL, and the framing, flow control and speed of
/// `settings` (not the DTR/RTS levels). Returns 0 or an errno value.
int ApplyTtySettings(int fd, const SerialLineSettings& settings);

/// The output speed in bits per second, or 0 when it cannot be read.
std::uint32_t ReadTtySpeed(int fd);

}  // namespace kurvex
