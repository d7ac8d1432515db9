// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/system/lockfile.h"

namespace kurvex {

/// The process-wide guard that notes whether another copy of this program
/// already runs. Copies are the same program when their executable file
/// names match without regard to case, wherever the files lie. Create it
/// first thing in main, before the toolkit's application object and any
/// window; the first copy holds its lock until the guard is destroyed or
/// the process ends (a crash releases it too). Qt-free; GUI thread.
class TApplicationGuard {
 public:
  /// programPath: the program's path as given on the command line (argv[0]).
  /// handOver: what a later copy hands to the first (its arguments, in a
  /// form that means the same in the first copy's directory).
  explicit TApplicationGuard(const std::string& programPath, std::vector<std::string> handOver = {});
  ~TApplicationGuard();
  TApplicationGuard(const TApplicationGuard&) = delete;
  TApplicationGuard& operator=(const TApplicationGuard&) = delete;

  /// True when an earlier copy holds the lock. False also when no lock
  /// could be made at all: then this copy runs normally.
  bool PreviousInstance() const { return m_previousInstance; }
  /// The upper-cased file name the lock is named after.
  const std::string& InstanceName() const { return m_name; }
  /// The local socket on which the first copy listens for later ones;
  /// empty when there is no lock.
  const std::string& SocketPath() const { return m_socketPath; }
  const std::vector<std::string>& HandOver() const { return m_handOver; }

  /// The guard created last that still exists (guards end in the reverse
  /// order of creation), or null.
  static TApplicationGuard* Current();

 private:
  std::string m_name;
  std::string m_socketPath;
  std::vector<std::string> m_handOver;
  TApplicationGuard* m_outer;  // Current() again once this one ends
  std::unique_ptr<TLockFile> m_lock;  // none when there is no folder for it
  bool m_previousInstance = false;
};

/// The file name of `programPath` (after the last '/'), upper-cased.
std::string InstanceNameOf(const std::string& programPath);

/// Where the locks and sockets live: $XDG_RUNTIME_DIR when it is an absolute
/// path, else the private directory /tmp/kurvex-<uid>, created if needed.
/// Empty when no usable directory exists.
std::string InstanceDirectory();

}  // namespace kurvex
