// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <vector>

namespace kurvex::bench {

/// Processes that only spin on one processor, so a program pinned there gets
/// a fraction of it, as on a slow or busy machine. Killed when destroyed.
class BusyLoops {
 public:
  BusyLoops(int count, int cpu);
  ~BusyLoops();
  BusyLoops(const BusyLoops&) = delete;
  BusyLoops& operator=(const BusyLoops&) = delete;

 private:
  std::vector<pid_t> m_pids;
};

/// Pins the calling process to one processor; false when refused.
bool PinToCpu(int cpu);

}  // namespace kurvex::bench
