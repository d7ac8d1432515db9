// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/recorder.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>

namespace kurvex {

namespace {

constexpr std::size_t kRowsPerBlock = 4096;
constexpr int kWriterNice = 10;

}  // namespace

TRecorder::TRecorder(std::size_t queueRows) : m_queueRows(queueRows) {}

TRecorder::~TRecorder() { Stop(); }

void TRecorder::Start(const std::string& fileName, TCsvDialect dialect, TReadTime start) {
  Stop();
  // A file-size limit must fail the write (EFBIG), not end the program.
  std::signal(SIGXFSZ, SIG_IGN);
  if (!m_queue) m_queue = std::make_unique<TRowQueue>(m_queueRows);
  m_fileName = fileName;
  m_start = start;
  m_fileSize = 0;
  m_rowsWritten = 0;
  m_failed = false;
  {
    const std::lock_guard lock(m_mutex);
    m_failure.reset();
    m_stopRequested = false;
  }
  m_fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (m_fd < 0) throw EFileError(fileName, std::strerror(errno));
  if (!WriteBlock(TRecordRowFormat(dialect).Header())) {
    ::close(m_fd);
    m_fd = -1;
    throw EFileError(fileName, Failure().value_or(""));
  }
  m_accepting = true;
  m_writer = std::thread([this, dialect] { WriterLoop(dialect); });
}

void TRecorder::Stop() {
  m_accepting = false;
  if (!m_writer.joinable()) return;
  {
    const std::lock_guard lock(m_mutex);
    m_stopRequested = true;
  }
  m_wake.notify_one();
  m_writer.join();
  // Rows a failed writer left behind are not written any more.
  for (auto rows = m_queue->Peek(m_queue->Capacity()); !rows.empty(); rows = m_queue->Peek(m_queue->Capacity()))
    m_queue->Release(rows.size());
  if (::fdatasync(m_fd) != 0 && !m_failed) Fail(std::strerror(errno));
  if (::close(m_fd) != 0 && !m_failed) Fail(std::strerror(errno));
  m_fd = -1;
}

std::optional<std::string> TRecorder::Failure() const {
  const std::lock_guard lock(m_mutex);
  return m_failure;
}

void TRecorder::QueueFull() {
  m_accepting = false;
  Fail("Die Datei wird langsamer geschrieben, als die Samples ankommen (Puffer für " +
       std::to_string(m_queue->Capacity()) + " Zeilen voll)");
}

void TRecorder::Fail(const std::string& reason) {
  {
    const std::lock_guard lock(m_mutex);
    if (!m_failure) m_failure = reason;
  }
  m_failed = true;
  m_wake.notify_one();
}

void TRecorder::WriterLoop(TCsvDialect dialect) {
  // The sample path comes first when both want the processor; the queue
  // holds what the writer has not yet written.
  ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kWriterNice);
  TRecordRowFormat format(dialect);
  std::string block;
  std::int64_t syncedSize = m_fileSize;
  auto lastSync = std::chrono::steady_clock::now();
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_wake.wait_for(lock, std::chrono::milliseconds(kWriteIntervalMs), [this] { return m_stopRequested || m_failed; });
    const bool last = m_stopRequested || m_failed;
    lock.unlock();
    const bool written = WriteQueued(format, block);
    // Written rows survive the program; synced ones a power loss too. A
    // sync costs the disk more than a write, so it comes less often.
    const auto now = std::chrono::steady_clock::now();
    if (written && m_fileSize != syncedSize && now - lastSync >= std::chrono::milliseconds(kSyncIntervalMs)) {
      if (::fdatasync(m_fd) != 0) Fail(std::strerror(errno));
      syncedSize = m_fileSize;
      lastSync = now;
    }
    lock.lock();
    if (!written || last || m_failed) return;
  }
}

bool TRecorder::WriteQueued(TRecordRowFormat& format, std::string& block) {
  for (;;) {
    const std::span<const TRecordRow> rows = m_queue->Peek(kRowsPerBlock);
    if (rows.empty()) return true;
    block.clear();
    for (const TRecordRow& row : rows) format.Append(block, row);
    if (!WriteBlock(block)) return false;
    m_queue->Release(rows.size());
    m_rowsWritten.fetch_add(static_cast<std::int64_t>(rows.size()), std::memory_order_relaxed);
  }
}

bool TRecorder::WriteBlock(const std::string& block) {
  std::size_t done = 0;
  while (done < block.size()) {
    const ssize_t n = ::write(m_fd, block.data() + done, block.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = n < 0 ? errno : EIO;
      // Cut a row that was written in part: the file ends in a complete row.
      const auto end = block.begin() + static_cast<std::ptrdiff_t>(done);
      const std::size_t kept = static_cast<std::size_t>(std::find(std::make_reverse_iterator(end), block.rend(), '\n').base() - block.begin());
      m_rowsWritten.fetch_add(std::count(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(kept), '\n'),
                              std::memory_order_relaxed);
      if (::ftruncate(m_fd, m_fileSize + static_cast<std::int64_t>(kept)) == 0) m_fileSize += static_cast<std::int64_t>(kept);
      Fail(std::strerror(error));
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  m_fileSize += static_cast<std::int64_t>(block.size());
  return true;
}

}  // namespace kurvex
