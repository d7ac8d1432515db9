// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/devicewait.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>

namespace kurvex {

TDeviceWait::TDeviceWait() : m_wakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
  if (m_wakeFd < 0) throw std::system_error(errno, std::generic_category(), "eventfd");
}

TDeviceWait::~TDeviceWait() { close(m_wakeFd); }

TWaitResult TDeviceWait::Wait(int fd, bool forInput, int timeoutMs) {
  return WaitFor(fd, forInput ? POLLIN : 0, timeoutMs);
}

TWaitResult TDeviceWait::WaitWritable(int fd, int timeoutMs) { return WaitFor(fd, POLLOUT, timeoutMs); }

TWaitResult TDeviceWait::WaitFor(int fd, short events, int timeoutMs) {
  // poll skips a negative descriptor, which leaves the wake-up alone.
  pollfd fds[2] = {{fd, events, 0}, {m_wakeFd, POLLIN, 0}};
  TWaitResult result;
  if (poll(fds, 2, timeoutMs) < 0) {
    if (errno != EINTR) result.Error = errno;
    return result;
  }
  if ((fds[1].revents & POLLIN) != 0) {
    std::uint64_t wakeUps = 0;
    [[maybe_unused]] const ssize_t got = read(m_wakeFd, &wakeUps, sizeof wakeUps);
  }
  result.Readable = (fds[0].revents & POLLIN) != 0;
  result.Writable = (fds[0].revents & POLLOUT) != 0;
  result.Lost = (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
  return result;
}

bool TDeviceWait::Pause(int timeoutMs) {
  pollfd wake{m_wakeFd, POLLIN, 0};
  return poll(&wake, 1, timeoutMs) <= 0;
}

void TDeviceWait::Wake() {
  const std::uint64_t one = 1;
  // Cannot fail short of a full counter, which a single pending wake-up never reaches.
  [[maybe_unused]] const ssize_t written = write(m_wakeFd, &one, sizeof one);
}

}  // namespace kurvex
