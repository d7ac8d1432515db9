// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace kurvex::test {

/// While it lives, files made by CreateAppendFile lie on a disk that takes
/// `room` more bytes each and then is full (ENOSPC): a full disk for the
/// recorder, not for the whole test process.
class FullDisk {
 public:
  explicit FullDisk(std::size_t room);
  ~FullDisk();
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;
};

}  // namespace kurvex::test
