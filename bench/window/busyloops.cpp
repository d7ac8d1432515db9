// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/window/busyloops.h"

#include <sched.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

namespace kurvex::bench {

bool PinToCpu(int cpu) {
  cpu_set_t set;
  CPU_ZERO(&set);
  CPU_SET(cpu, &set);
  return sched_setaffinity(0, sizeof set, &set) == 0;
}

BusyLoops::BusyLoops(int count, int cpu) {
  for (int i = 0; i < count; ++i) {
    const pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork");
    if (pid == 0) {
      PinToCpu(cpu);
      volatile unsigned long spin = 0;
      for (;;) spin = spin + 1;
    }
    m_pids.push_back(pid);
  }
}

BusyLoops::~BusyLoops() {
  for (const pid_t pid : m_pids) kill(pid, SIGKILL);
  for (const pid_t pid : m_pids) waitpid(pid, nullptr, 0);
}

}  // namespace kurvex::bench
