// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kurvex {

/// An exclusive lock on a file (created when missing, never through a
/// link), held until the object is destroyed or the process ends: a crash
/// releases it too. Not inherited by child processes.
class TLockFile {
 public:
  enum TState { lsHeld, lsTakenByAnother, lsUnavailable };

  explicit TLockFile(const std::string& path);
  ~TLockFile();
  TLockFile(const TLockFile&) = delete;
  TLockFile& operator=(const TLockFile&) = delete;

  TState State() const { return m_state; }

 private:
  int m_fd = -1;
  TState m_state = lsUnavailable;
};

/// "<parent>/<prefix>-<user id>", made when missing, when this user owns it
/// and nobody else can enter it; empty otherwise (another user could plant
/// or hold what is put there).
std::string PrivateFolderOfThisUser(const std::string& parent, const std::string& prefix);

}  // namespace kurvex
