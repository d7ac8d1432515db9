// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/sim/ptylink.h"

#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "ports/comport.h"

namespace kurvex::sim {

PtyLink::PtyLink(unsigned portNo) : m_link(ComPortLink(portNo)) {
  if (!m_pty.Error().empty()) {
    m_error = m_pty.Error();
    return;
  }
  m_pty.CloseSlave();
  m_linked = CreateLink();
}

bool PtyLink::CreateLink() {
  std::error_code error;
  std::filesystem::create_directories(m_link.parent_path(), error);
  if (error) {
    m_error = "cannot create " + m_link.parent_path().string() + ": " + error.message();
    return false;
  }
  const std::filesystem::file_status status = std::filesystem::symlink_status(m_link, error);
  if (std::filesystem::exists(status)) {
    // Only a link to a pty that is gone is a leftover of ours; a link to a
    // real device that is unplugged just now belongs to the user.
    const bool leftover = std::filesystem::is_symlink(status) &&
                          std::filesystem::read_symlink(m_link, error).string().starts_with("/dev/pts/") &&
                          !std::filesystem::exists(m_link, error);
    if (!leftover) {
      m_error = m_link.string() + " already exists; remove it or choose another --port";
      return false;
    }
  }
  // Made under a temporary name and renamed over the stale link, so COM<n>
  // never names a half-made file.
  std::filesystem::path temporary = m_link;
  temporary += ".new" + std::to_string(getpid());
  std::filesystem::remove(temporary, error);
  std::filesystem::create_symlink(m_pty.SlavePath(), temporary, error);
  if (!error) {
    std::filesystem::rename(temporary, m_link, error);
  }
  if (error) {
    std::filesystem::remove(temporary, error);
    m_error = "cannot link " + m_link.string() + ": " + error.message();
    return false;
  }
  return true;
}

PtyLink::~PtyLink() {
  if (m_linked) {
    // Another simulator may have taken the name over since; leave its link.
    std::error_code error;
    if (std::filesystem::read_symlink(m_link, error) == m_pty.SlavePath()) {
      std::filesystem::remove(m_link, error);
    }
  }
}

void FlushPending(int fd, std::string& pending) {
  while (!pending.empty()) {
    const ssize_t written = write(fd, pending.data(), pending.size());
    if (written > 0) {
      pending.erase(0, static_cast<std::size_t>(written));
    } else if (written < 0 && errno == EINTR) {
      continue;
    } else {
      return;
    }
  }
}

}  // namespace kurvex::sim
