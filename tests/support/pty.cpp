// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/pty.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "ports/comport.h"

namespace kurvex::test {

PtyPair::PtyPair() {
  if (!m_pty.Error().empty()) ADD_FAILURE() << m_pty.Error();
}

void PtyPair::WriteMaster(const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = write(m_pty.Master(), bytes.data() + done, bytes.size() - done);
    if (written > 0) {
      done += static_cast<std::size_t>(written);
      continue;
    }
    // Generous: a loaded machine (a sanitizer build beside the tests) may
    // leave a deliberately slow reader without the processor for a while.
    pollfd waiter{m_pty.Master(), POLLOUT, 0};
    if (poll(&waiter, 1, 10000) <= 0) {
      ADD_FAILURE() << "pty master does not take more bytes";
      return;
    }
  }
}

void PtyPair::FloodMaster(const std::string& block, const std::atomic<bool>& keepOn) {
  std::size_t done = 0;
  while (keepOn) {
    pollfd waiter{m_pty.Master(), POLLOUT, 0};
    if (poll(&waiter, 1, 20) <= 0) continue;
    const ssize_t written = write(m_pty.Master(), block.data() + done, block.size() - done);
    if (written > 0) done = (done + static_cast<std::size_t>(written)) % block.size();
  }
}

std::string PtyPair::ReadMaster(std::size_t count, int timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  std::string got;
  while (got.size() < count) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      break;
    }
    pollfd waiter{m_pty.Master(), POLLIN, 0};
    if (poll(&waiter, 1, static_cast<int>(left.count())) <= 0) {
      break;
    }
    char buffer[4096];
    const ssize_t n = read(m_pty.Master(), buffer, std::min(sizeof buffer, count - got.size()));
    if (n <= 0) {
      break;
    }
    got.append(buffer, static_cast<std::size_t>(n));
  }
  return got;
}

std::size_t PtyPair::SlaveInputQueued() const {
  int queued = 0;
  ioctl(m_pty.Slave(), FIONREAD, &queued);
  return static_cast<std::size_t>(queued);
}

TempConfigHome::TempConfigHome() {
  if (m_folder.Dir().empty()) ADD_FAILURE() << "no temporary folder";
  for (const auto& [name, path] : {std::pair{"XDG_CONFIG_HOME", Dir()}, std::pair{"XDG_DATA_HOME", DataDir()},
                                   std::pair{"XDG_STATE_HOME", StateDir()}}) {
    const char* previous = std::getenv(name);
    m_saved.push_back({name, previous ? previous : "", previous != nullptr});
    std::filesystem::create_directories(path);
    setenv(name, path.c_str(), 1);
  }
}

TempConfigHome::~TempConfigHome() {
  for (const SavedVariable& saved : m_saved) {
    if (saved.present)
      setenv(saved.name, saved.value.c_str(), 1);
    else
      unsetenv(saved.name);
  }
}

void LinkComPort(unsigned portNo, const std::string& target) {
  const std::filesystem::path link = ComPortLink(portNo);
  std::filesystem::create_directories(link.parent_path());
  std::filesystem::remove(link);
  std::filesystem::create_symlink(target, link);
}

}  // namespace kurvex::test
