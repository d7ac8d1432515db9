// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/applicationguard.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <utility>

namespace kurvex {

namespace {

TApplicationGuard* g_current = nullptr;

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
  // A shared folder like /tmp is only trusted in a folder of this user's own.
  return PrivateFolderOfThisUser("/tmp", "kurvex");
}

TApplicationGuard::TApplicationGuard(const std::string& programPath, std::vector<std::string> handOver)
    : m_name(InstanceNameOf(programPath)), m_handOver(std::move(handOver)), m_outer(g_current) {
  g_current = this;
  const std::string dir = InstanceDirectory();
  if (m_name.empty() || dir.empty()) return;
  const std::string base = dir + "/" + m_name;
  m_lock = std::make_unique<TLockFile>(base + ".lock");
  if (m_lock->State() == TLockFile::lsUnavailable) return;
  m_previousInstance = m_lock->State() == TLockFile::lsTakenByAnother;
  m_socketPath = base + ".socket";
}

TApplicationGuard::~TApplicationGuard() {
  if (g_current == this) g_current = m_outer;
}

TApplicationGuard* TApplicationGuard::Current() { return g_current; }

}  // namespace kurvex
