// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

namespace kurvex::bench {

/// Microseconds one read of memory costs per 4 KiB page, when the process
/// has slept `pause` before it touches the page again (median of several
/// rounds over 1 MiB). On some virtual machines this is many times what it
/// costs right after the last touch, and grows with the pause: a program
/// that wakes 20 times a second and touches a picture pays it on every
/// page, whatever it draws. Recorded so figures of different days can be
/// told apart from changes of the program.
double MicrosecondsPerPageAfter(std::chrono::milliseconds pause);

}  // namespace kurvex::bench
