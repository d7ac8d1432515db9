// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/recorder.h"

#include <algorithm>
#include <chrono>

#include "platform/system/threadpriority.h"

namespace kurvex {

namespace {

constexpr std::size_t kRowsPerBlock = 4096;
// Curves only grow within a recording, so it announces them at most this often.
constexpr std::size_t kCurveChanges = 2 * kMaxCurves;

}  // namespace

TRecorder::TRecorder(std::size_t queueRows) : m_queueRows(queueRows) {}

TRecorder::~TRecorder() { Stop(); }

void TRecorder::Start(const std::string& fileName, TCsvDialect dialect, TReadTime start) {
  Stop();
  if (!m_queue) {
    m_queue = std::make_unique<TSpscQueue<TRecordRow>>(m_queueRows);
    m_values = std::make_unique<TSpscQueue<TRecordValue>>(m_queueRows * (kMaxCurves - 1));
    m_curveChanges = std::make_unique<TSpscQueue<TRecordCurves>>(kCurveChanges);
  }
  m_fileName = fileName;
  m_start = start;
  m_fileSize = 0;
  m_rowsWritten = 0;
  m_failed = false;
  m_curvesKnown = false;
  m_curves = 1;
  m_rowsPushed = 0;
  m_rowsTaken = 0;
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
  m_queue->Drain();
  m_values->Drain();
  m_curveChanges->Drain();
  if (!m_file->Sync() && !m_failed) Fail({TRecordingFailure::rfWriteFailed, m_file->Error()});
  if (!m_file->Close() && !m_failed) Fail({TRecordingFailure::rfWriteFailed, m_file->Error()});
  m_file.reset();
}

std::optional<TRecordingFailure> TRecorder::Failure() const {
  const std::lock_guard lock(m_mutex);
  return m_failure;
}

bool TRecorder::AnnounceCurves(const TSample& sample) {
  m_curvesKnown = true;
  const bool oneWithoutName = sample.Values.size() <= 1 && (sample.Names.empty() || sample.Names.front().empty());
  const bool anyUnit = std::any_of(sample.Units.begin(), sample.Units.end(), [](const auto& u) { return !u.empty(); });
  if (oneWithoutName && !anyUnit) return true;  // the header of Start holds
  TRecordCurves curves{m_rowsPushed, {sample.Names.begin(), sample.Names.end()}};
  curves.Names.resize(std::max(sample.Values.size(), m_curves));
  // The units known with the first sample, or with a new curve, go into
  // the header; only then, so a file without them stays as ever and a unit
  // seen later adds no header row.
  if (anyUnit) {
    curves.Units.assign(sample.Units.begin(), sample.Units.end());
    curves.Units.resize(curves.Names.size());
  }
  if (!m_curveChanges->Push(curves)) {
    QueueFull();
    return false;
  }
  m_curves = curves.Names.size();
  return true;
}

void TRecorder::AddCurves(const TSample& sample) {
  std::array<TRecordValue, kMaxCurves - 1> more;
  for (std::size_t curve = 1; curve < m_curves; ++curve)
    more[curve - 1] = ValueOf(sample, curve);
  const TRecordValue first = ValueOf(sample, 0);
  // Room for the row first, so its values are never queued without it.
  if (!m_queue->HasRoom(1) || !m_values->PushAll({more.data(), m_curves - 1})) {
    QueueFull();
    return;
  }
  Add(sample.Number, sample.ReadAt, first.Raw, first.Scaled);
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
    m_headerAt = std::string::npos;
    for (const TRecordRow& row : rows) {
      TakeCurveChange(format, block);
      format.Append(block, row, format.Curves() == 1 ? std::span<const TRecordValue>() : TakeValues(format.Curves() - 1));
      ++m_rowsTaken;
    }
    if (!WriteBlock(block)) return false;
    m_queue->Release(rows.size());
    m_rowsWritten.fetch_add(static_cast<std::int64_t>(rows.size()), std::memory_order_relaxed);
  }
}

void TRecorder::TakeCurveChange(TRecordRowFormat& format, std::string& block) {
  const std::span<const TRecordCurves> change = m_curveChanges->Peek(1);
  if (change.empty() || change.front().BeforeRow != m_rowsTaken) return;
  format.SetCurves(change.front().Names, change.front().Units);
  m_curveChanges->Release(1);
  // Before the first row the file holds only the header of Start: the new
  // one takes its place.
  if (m_rowsTaken == 0 && m_file->CutTo(0)) m_fileSize = 0;
  m_headerAt = block.size();
  block += format.Header();
}

std::span<const TRecordValue> TRecorder::TakeValues(std::size_t count) {
  std::size_t taken = 0;
  while (taken < count) {
    const std::span<const TRecordValue> piece = m_values->Peek(count - taken);
    if (piece.empty()) break;  // never: a row's values are queued before it
    std::copy(piece.begin(), piece.end(), m_taken.begin() + static_cast<std::ptrdiff_t>(taken));
    taken += piece.size();
    m_values->Release(piece.size());
  }
  std::fill(m_taken.begin() + static_cast<std::ptrdiff_t>(taken), m_taken.begin() + static_cast<std::ptrdiff_t>(count), kRecordGap);
  return {m_taken.data(), count};
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
  const bool headerKept = m_headerAt != std::string::npos && m_headerAt < kept;
  m_rowsWritten.fetch_add(std::count(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(kept), '\n') -
                              (headerKept ? 1 : 0),
                          std::memory_order_relaxed);
  if (m_file->CutTo(m_fileSize + static_cast<std::int64_t>(kept))) m_fileSize += static_cast<std::int64_t>(kept);
  Fail({TRecordingFailure::rfWriteFailed, reason});
  return false;
}

}  // namespace kurvex
