// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/readfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace kurvex {

TReadFile::TReadFile(const std::string& fileName) : m_fd(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC)) {
  struct stat info {};
  if (m_fd < 0 || ::fstat(m_fd, &info) != 0) {
    m_error = errno;
  } else if (S_ISDIR(info.st_mode)) {
    m_error = EISDIR;
  } else {
    m_size = info.st_size;
  }
}

// Close errors after a read are of no interest.
TReadFile::~TReadFile() {
  if (m_fd >= 0) ::close(m_fd);
}

bool TReadFile::Read(char* data, std::size_t size, std::size_t& got) {
  got = 0;
  while (got < size) {
    const ssize_t n = ::read(m_fd, data + got, size - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      m_error = errno;
      return false;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace kurvex
