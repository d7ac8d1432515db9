// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/termiosdevice.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "platform/system/ttyattributes.h"

namespace kurvex {

namespace {

// A pseudo-terminal has no modem lines; its driver answers the modem ioctls
// with ENOTTY (or EINVAL on some drivers).
bool LacksModemLines(int error) { return error == ENOTTY || error == EINVAL; }

class TermiosDevice final : public SerialDevice {
 public:
  explicit TermiosDevice(int fd) : m_fd(fd) {}

  ~TermiosDevice() override {
    // The exclusive flag lives on the tty, not on this descriptor: left set,
    // it would lock out the next opener while someone else keeps the tty open.
    ioctl(m_fd, TIOCNXCL);
    close(m_fd);
  }

  TermiosDevice(const TermiosDevice&) = delete;
  TermiosDevice& operator=(const TermiosDevice&) = delete;

  int Fd() const override { return m_fd; }

  int Configure(const SerialLineSettings& settings) override {
    if (const int error = ApplyTtySettings(m_fd, settings); error != 0) {
      return error;
    }
    const int dtrError = SetLine(ModemLine::Dtr, settings.Dtr);
    // Under hardware flow control the driver drives RTS itself.
    const int rtsError = settings.HardwareFlow ? 0 : SetLine(ModemLine::Rts, settings.Rts);
    return dtrError != 0 ? dtrError : rtsError;
  }

  int SetLine(ModemLine line, bool on) override {
    int bits = line == ModemLine::Dtr ? TIOCM_DTR : TIOCM_RTS;
    if (ioctl(m_fd, on ? TIOCMBIS : TIOCMBIC, &bits) != 0 && !LacksModemLines(errno)) {
      return errno;
    }
    return 0;
  }

  ModemStatus Status() override {
    int bits = 0;
    if (ioctl(m_fd, TIOCMGET, &bits) != 0) {
      return {};
    }
    return {(bits & TIOCM_CTS) != 0, (bits & TIOCM_DSR) != 0, (bits & TIOCM_RNG) != 0,
            (bits & TIOCM_CAR) != 0};
  }

  SerialQueues Queues() override {
    int input = 0;
    int output = 0;
    if (ioctl(m_fd, FIONREAD, &input) != 0) {
      input = 0;
    }
    if (ioctl(m_fd, TIOCOUTQ, &output) != 0) {
      output = 0;
    }
    return {static_cast<std::uint32_t>(input), static_cast<std::uint32_t>(output)};
  }

  bool Counters(LineCounters& counters) override {
    serial_icounter_struct raw{};
    // A pty answers ENOTTY: it keeps no counters, which is not an error.
    if (ioctl(m_fd, TIOCGICOUNT, &raw) != 0) {
      return false;
    }
    const auto count = [](int value) { return static_cast<std::uint32_t>(value); };
    counters = {count(raw.cts),   count(raw.dsr),     count(raw.rng),
                count(raw.dcd),   count(raw.frame),   count(raw.overrun),
                count(raw.parity), count(raw.brk),    count(raw.buf_overrun)};
    return true;
  }

  int Purge(bool input, bool output) override {
    if (!input && !output) {
      return 0;
    }
    const int selector = input && output ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH;
    return tcflush(m_fd, selector) == 0 ? 0 : errno;
  }

  int Write(const std::uint8_t* data, std::size_t count, int timeoutMs) override {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (count > 0) {
      const ssize_t written = write(m_fd, data, count);
      if (written > 0) {
        data += written;
        count -= static_cast<std::size_t>(written);
        continue;
      }
      if (written < 0 && errno == EINTR) {
        continue;
      }
      if (written < 0 && errno != EAGAIN) {
        return errno;
      }
      int wait = -1;
      if (timeoutMs >= 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
          return ETIMEDOUT;
        }
        wait = static_cast<int>(left.count());
      }
      pollfd waiter{m_fd, POLLOUT, 0};
      if (poll(&waiter, 1, wait) < 0 && errno != EINTR) {
        return errno;
      }
    }
    return 0;
  }

  long WriteSome(const std::uint8_t* data, std::size_t count) override {
    for (;;) {
      const ssize_t written = write(m_fd, data, count);
      if (written >= 0) {
        return written;
      }
      if (errno == EAGAIN) {
        return 0;
      }
      if (errno != EINTR) {
        return -errno;
      }
    }
  }

  long Read(std::uint8_t* buffer, std::size_t capacity) override {
    for (;;) {
      const ssize_t got = read(m_fd, buffer, capacity);
      if (got >= 0) {
        return got;
      }
      if (errno == EINTR) {
        continue;
      }
      return errno == EAGAIN ? 0 : -errno;
    }
  }

 private:
  int m_fd;
};

}  // namespace

std::unique_ptr<SerialDevice> OpenTermiosDevice(const std::string& path, int& error) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return nullptr;
  }
  termios probe{};
  if (tcgetattr(fd, &probe) != 0) {
    error = errno;
    close(fd);
    return nullptr;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    // Held by another opener: report it as a busy port, as TIOCEXCL would.
    error = errno == EWOULDBLOCK ? EBUSY : errno;
    close(fd);
    return nullptr;
  }
  ioctl(fd, TIOCEXCL);
  // Lines that waited in the tty since the last close are old: a port opens
  // empty, so an acquisition starts with what comes after its Start.
  tcflush(fd, TCIFLUSH);
  error = 0;
  return std::make_unique<TermiosDevice>(fd);
}

}  // namespace kurvex
