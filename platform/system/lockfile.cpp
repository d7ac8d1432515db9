// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/lockfile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kurvex {

TLockFile::TLockFile(const std::string& path)
    : m_fd(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)) {
  if (m_fd < 0) return;
  int result;
  do {
    result = flock(m_fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result == 0) {
    m_state = lsHeld;
  } else if (errno == EWOULDBLOCK) {
    m_state = lsTakenByAnother;
  } else {
    close(m_fd);
    m_fd = -1;
  }
}

TLockFile::~TLockFile() {
  if (m_fd >= 0) close(m_fd);
}

std::string PrivateFolderOfThisUser(const std::string& parent, const std::string& prefix) {
  const std::string dir = parent + "/" + prefix + "-" + std::to_string(getuid());
  if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return {};
  struct stat info {};
  if (lstat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid() ||
      (info.st_mode & 077) != 0) {
    return {};
  }
  return dir;
}

}  // namespace kurvex
