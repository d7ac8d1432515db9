// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

namespace kurvex::bench {

/// CPU seconds (user + system) a process has used so far; 0 when it is gone.
double CpuSeconds(pid_t pid);
/// The process's peak resident memory in MiB; 0 when it is gone.
double PeakRssMiB(pid_t pid);
/// The process's resident memory now in MiB; 0 when it is gone.
double RssMiB(pid_t pid);

}  // namespace kurvex::bench
