// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/recorder.h"

#include <algorithm>
#include <chrono>

#include "platform/system/threadpriority.h"

namespace kurvex {

namespace {

constexpr std::size_t kRowsPerBlock = 4096;

}  // namespace

TRecorder::TRecorder(std::size_t queueRows) : m_queueRows(queueRows) {}

TRecorder::~TRecorder() { Stop(); }

void TRecorder::Start(const std::string& fileName, TCsvDialect dialect, TReadTime start) {
  Stop();
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
  m_file = CreateAppendFile(fileName);
  if (!WriteBlock(TRecordRowFormat(dialect).Header())) {
    m_file.reset();
    throw EFileError(fileName, Failure()->SystemReason);
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
  if (!m_file->Sync() && !m_failed) Fail({TRecordingFailure::rfWriteFailed, m_file->Error()});
  if (!m_file->Close() && !m_failed) Fail({TRecordingFailure::rfWriteFailed, m_file->Error()});
  m_file.reset();
}

std::optional<TRecordingFailure> TRecorder::Failure() const {
  const std::lock_guard lock(m_mutex);
  return m_failure;
}

void TRecorder::QueueFull() {
  m_accepting = false;
  Fail({TRecordingFailure::rfQueueFull, {}, m_queue->Capacity()});
}

void TRecorder::Fail(const TRecordingFailure& reason) {
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
  LowerThisThreadsPriority();
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
      if (!m_file->Sync()) Fail({TRecordingFailure::rfWriteFailed, m_file->Error()});
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
  const std::size_t done = m_file->Append(block);
  if (done == block.size()) {
    m_fileSize += static_cast<std::int64_t>(block.size());
    return true;
  }
  const std::string reason = m_file->Error();
  // Cut a row that was written in part: the file ends in a complete row.
  const auto end = block.begin() + static_cast<std::ptrdiff_t>(done);
  const std::size_t kept = static_cast<std::size_t>(std::find(std::make_reverse_iterator(end), block.rend(), '\n').base() - block.begin());
  m_rowsWritten.fetch_add(std::count(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(kept), '\n'),
                          std::memory_order_relaxed);
  if (m_file->CutTo(m_fileSize + static_cast<std::int64_t>(kept))) m_fileSize += static_cast<std::int64_t>(kept);
  Fail({TRecordingFailure::rfWriteFailed, reason});
  return false;
}

}  // namespace kurvex
