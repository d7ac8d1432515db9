// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/applicationguard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace kurvex {

namespace {

TApplicationGuard* g_current = nullptr;

// A shared directory like /tmp is only trusted in a subdirectory that this
// user owns and nobody else can enter; otherwise another user could plant
// or hold our lock.
std::string PrivateTmpDirectory() {
  const std::string dir = "/tmp/kurvex-" + std::to_string(getuid());
  if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return {};
  struct stat info {};
  if (lstat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid() ||
      (info.st_mode & 077) != 0) {
    return {};
  }
  return dir;
}

}  // namespace

std::string InstanceNameOf(const std::string& programPath) {
  std::string name = programPath.substr(programPath.find_last_of('/') + 1);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return name;
}

std::string InstanceDirectory() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && runtime[0] == '/') return runtime;
  return PrivateTmpDirectory();
}

TApplicationGuard::TApplicationGuard(const std::string& programPath)
    : m_name(InstanceNameOf(programPath)), m_outer(g_current) {
  g_current = this;
  const std::string dir = InstanceDirectory();
  if (m_name.empty() || dir.empty()) return;
  const std::string base = dir + "/" + m_name;
  // Close-on-exec: a child process must not keep the lock alive after us.
  m_lockFd = open((base + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (m_lockFd < 0) return;
  int result;
  do {
    result = flock(m_lockFd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result != 0 && errno != EWOULDBLOCK) {
    close(m_lockFd);
    m_lockFd = -1;
    return;
  }
  m_previousInstance = result != 0;
  m_socketPath = base + ".socket";
}

TApplicationGuard::~TApplicationGuard() {
  if (m_lockFd >= 0) close(m_lockFd);
  if (g_current == this) g_current = m_outer;
}

TApplicationGuard* TApplicationGuard::Current() { return g_current; }

}  // namespace kurvex
