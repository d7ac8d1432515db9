#pragma once

#include <csignal>
#include <cstdint>

#include "tools/sim/options.h"

namespace kurvex::sim {

/// What a stream run did.
struct StreamResult {
  std::uint64_t Lines = 0;    ///< lines generated
  std::uint64_t Dropped = 0;  ///< of those, lines not (or, at the end, only partly) sent
};

/// Writes the lines of `options` to the nonblocking descriptor `fd`, paced by
/// a steady clock at options.Rate lines per second, until options.Count
/// lines are done or `stop` becomes non-zero. A line that finds the pty full
/// is dropped whole, as an instrument's would be, so the stream never blocks
/// and never tears a line; the unwritten rest of a line the pty took only
/// in part is finished first.
StreamResult Stream(const Options& options, int fd, const volatile std::sig_atomic_t& stop);

}  // namespace kurvex::sim
