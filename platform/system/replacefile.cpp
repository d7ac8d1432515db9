// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/replacefile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace kurvex {

namespace {

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// A new file gets the permissions the user's umask allows, as a plain
// create would give it.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// A short hidden name in the target's folder: the rename stays within one
// file system, and any name the folder takes leaves room for it.
std::string TemporaryNameBeside(const std::string& fileName) {
  const std::size_t slash = fileName.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
  return folder + ".kurvex-XXXXXX";
}

}  // namespace

int ReplaceFileContents(const std::string& fileName, std::string_view bytes) {
  std::string temporary = TemporaryNameBeside(fileName);
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return errno;
  struct stat existing{};
  const mode_t mode = ::stat(fileName.c_str(), &existing) == 0 ? existing.st_mode & 07777 : NewFileMode();
  bool written = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
  int error = errno;
  if (::close(fd) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && ::rename(temporary.c_str(), fileName.c_str()) == 0) return 0;
  if (written) error = errno;
  ::unlink(temporary.c_str());
  return error;
}

}  // namespace kurvex
