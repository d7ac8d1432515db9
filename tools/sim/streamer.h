// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>

#include "tools/sim/options.h"

namespace kurvex::sim {

/// What a stream run did.
struct StreamResult {
  std::uint64_t Lines = 0;    ///< lines generated
  std::uint64_t Dropped = 0;  ///< of those, lines not sent (or cut short)
};

/// Writes the lines of `options` to the nonblocking pty master `fd`, paced by
/// a steady clock at options.Rate lines per second, until options.Count
/// lines are done or `stop` is set. Like a real line, the stream
/// never waits for its listener: lines are dropped whole while nobody has
/// the port open (so a client that opens later gets fresh lines, not a
/// backlog) and while the pty is full; the rest of a line the pty took only
/// in part is sent first, so lines are not torn. At the end the client gets
/// up to `drainMs` to take what is still queued.
StreamResult Stream(const Options& options, int fd, const std::atomic<bool>& stop,
                    int drainMs = 500);

}  // namespace kurvex::sim
