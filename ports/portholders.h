// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace kurvex {

/// A process that has a device open.
struct TPortHolder {
  int Pid = 0;
  std::string Program;  ///< its command name, "minicom"
};

/// The processes other than this one that have the device at `hostPath`
/// (links followed) open, by ascending PID, as far as /proc shows them:
/// an ordinary user does not see into other users' processes. Reads /proc
/// at every call; any thread.
std::vector<TPortHolder> PortHolders(const std::string& hostPath);

}  // namespace kurvex
