// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/window/procstats.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace kurvex::bench {

double CpuSeconds(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
  std::string stat;
  if (!std::getline(file, stat)) return 0;
  // The command name may hold blanks; the fields after it are plain.
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));
  std::string skip;
  for (int i = 3; i < 14; ++i) fields >> skip;
  unsigned long long user = 0, system = 0;
  fields >> user >> system;
  return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

namespace {

// A "Name:   123 kB" line of /proc/<pid>/status, in MiB.
double StatusMiB(pid_t pid, const std::string& name) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(file, line)) {
    if (line.rfind(name, 0) == 0) return std::stod(line.substr(name.size())) / 1024.0;
  }
  return 0;
}

}  // namespace

double PeakRssMiB(pid_t pid) { return StatusMiB(pid, "VmHWM:"); }

double RssMiB(pid_t pid) { return StatusMiB(pid, "VmRSS:"); }

}  // namespace kurvex::bench
