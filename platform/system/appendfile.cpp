// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/appendfile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <utility>

#include "platform/system/error.h"

namespace kurvex {

namespace {

class TDiskFile : public TAppendFile {
 public:
  explicit TDiskFile(int fd) : m_fd(fd) {}
  ~TDiskFile() override {
    if (m_fd >= 0) ::close(m_fd);
  }

  std::size_t Append(std::string_view bytes) override {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        Failed(n < 0 ? errno : EIO);
        return done;
      }
      done += static_cast<std::size_t>(n);
    }
    return done;
  }
  bool CutTo(std::int64_t size) override { return ::ftruncate(m_fd, size) == 0 || Failed(errno); }
  bool Sync() override { return ::fdatasync(m_fd) == 0 || Failed(errno); }
  bool Close() override {
    const int fd = std::exchange(m_fd, -1);
    return ::close(fd) == 0 || Failed(errno);
  }
  const std::string& Error() const override { return m_error; }

 private:
  bool Failed(int error) {
    m_error = std::strerror(error);
    return false;
  }

  int m_fd;
  std::string m_error;
};

TAppendFileMaker& MakerSlot() {
  static TAppendFileMaker maker;
  return maker;
}

}  // namespace

std::unique_ptr<TAppendFile> CreateAppendFile(const std::string& fileName) {
  return MakerSlot() ? MakerSlot()(fileName) : CreateDiskAppendFile(fileName);
}

std::unique_ptr<TAppendFile> CreateDiskAppendFile(const std::string& fileName) {
  // O_APPEND: after CutTo the next bytes follow the new end, not the old
  // offset (which would leave a hole of zero bytes).
  const int fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) throw EFileError(fileName, std::strerror(errno));
  return std::make_unique<TDiskFile>(fd);
}

void SetAppendFileMaker(TAppendFileMaker maker) { MakerSlot() = std::move(maker); }

void FailWritesBeyondTheFileSizeLimit() { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace kurvex
