// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/samedevice.h"

#include <sys/stat.h>

namespace kurvex {

bool SameDevice(int fd, const std::string& path) {
  struct stat open {};
  struct stat named {};
  if (fstat(fd, &open) != 0 || stat(path.c_str(), &named) != 0) return false;
  return S_ISCHR(open.st_mode) && S_ISCHR(named.st_mode) && open.st_rdev == named.st_rdev;
}

}  // namespace kurvex
