// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "intake/sampleconsumer.h"
#include "platform/system/appendfile.h"
#include "platform/system/error.h"
#include "recording/csvdialect.h"
#include "recording/recordrow.h"
#include "recording/spscqueue.h"

namespace kurvex {

/// Why a recording ended by itself.
struct TRecordingFailure {
  enum TKind : std::uint8_t {
    rfWriteFailed,  ///< the file took no more: disk full, file-size limit, I/O error
    rfQueueFull     ///< the writer could not keep up with the samples
  };
  TKind Kind = rfWriteFailed;
  std::string SystemReason;   ///< rfWriteFailed: the system's words
  std::size_t QueueRows = 0;  ///< rfQueueFull: the rows the queue holds
};

/// Writes every sample of an acquisition to a CSV file without holding up
/// the sample path: Add puts a row into a bounded queue, a writer thread
/// formats the queued rows in blocks and writes them every 100 ms and syncs
/// the file to the disk at least every 250 ms and at Stop, so a crash loses
/// at most the last moments and the file always ends in a complete row.
///
/// When writing fails (disk full, file-size limit, I/O error) the file is
/// cut back to its last complete row and recording ends by itself; when the
/// queue is full because the writer cannot keep up, Add does not wait:
/// recording ends there too, after the writer has written what was queued,
/// so the file holds every sample up to that point and no gap. Failure()
/// says why. Start, Add and Stop belong to one thread (the GUI thread).
/// As a consumer of the sample path it records every curve: when a sample
/// brings more curves than the rows so far had, a new header row names the
/// columns of the rows after it (rows keep the columns they were written
/// with, so no value ever stands under another curve's header).
class TRecorder : public TSampleConsumer {
 public:
  static constexpr std::size_t kQueueRows = 1 << 18;
  static constexpr int kWriteIntervalMs = 100;
  static constexpr int kSyncIntervalMs = 200;

  explicit TRecorder(std::size_t queueRows = kQueueRows);
  /// Stops a running recording.
  ~TRecorder() override;
  TRecorder(const TRecorder&) = delete;
  TRecorder& operator=(const TRecorder&) = delete;

  /// Creates (or empties) fileName (CreateAppendFile), writes the header and
  /// starts the writer; `start` is the moment that "seconds since Start"
  /// counts from. Throws EFileError when the file cannot be created or written.
  void Start(const std::string& fileName, TCsvDialect dialect, TReadTime start);
  /// Writes what is queued, syncs and closes the file. Harmless when idle.
  void Stop();

  /// True from Start until Stop or until recording ended by itself.
  bool Recording() const { return m_accepting; }
  /// True from Start until Stop, also after recording ended by itself.
  bool Open() const { return m_writer.joinable(); }
  /// Hands one sample to the writer. Never blocks; does nothing unless recording.
  void Add(std::int64_t sampleNumber, const TReadTime& readAt, float rawValue, float scaledValue) {
    if (!m_accepting) return;
    if (!m_queue->Push({sampleNumber, readAt.WallNs, readAt.SteadyNs - m_start.SteadyNs, rawValue, scaledValue}))
      QueueFull();
    else
      ++m_rowsPushed;
  }
  void Take(const TSample& sample) override {
    if (!m_accepting) return;
    if (!m_curvesKnown || sample.Values.size() > m_curves) [[unlikely]]
      if (!AnnounceCurves(sample)) return;
    // Several curves queue their further values beside the row; one curve
    // the row alone, as small as ever.
    if (m_curves > 1) {
      AddCurves(sample);
    } else {
      const TRecordValue value = ValueOf(sample, 0);
      Add(sample.Number, sample.ReadAt, value.Raw, value.Scaled);
    }
  }

  const std::string& FileName() const { return m_fileName; }
  /// Rows in the file so far (header not counted). Any thread.
  std::int64_t RowsWritten() const { return m_rowsWritten.load(std::memory_order_relaxed); }
  /// Why recording ended by itself; nothing while it runs or after a plain Stop.
  std::optional<TRecordingFailure> Failure() const;

 private:
  /// Curve `curve`'s value in the sample's row, or a gap.
  static TRecordValue ValueOf(const TSample& sample, std::size_t curve) {
    return sample.Has(curve) ? TRecordValue{sample.Values[curve].Raw, sample.Values[curve].Scaled} : kRecordGap;
  }
  /// Queues the curves of the rows from here on when they differ from the
  /// rows' so far; false when that found the queue full.
  bool AnnounceCurves(const TSample& sample);
  void AddCurves(const TSample& sample);
  void QueueFull();
  void Fail(const TRecordingFailure& reason);
  void WriterLoop(TCsvDialect dialect);
  /// Formats and writes everything queued; false when a write failed.
  bool WriteQueued(TRecordRowFormat& format, std::string& block);
  bool WriteBlock(const std::string& block);
  /// Writer: a new header before the next row when its curves change.
  void TakeCurveChange(TRecordRowFormat& format, std::string& block);
  /// Writer: the next `count` values of further curves.
  std::span<const TRecordValue> TakeValues(std::size_t count);

  std::size_t m_queueRows;
  std::unique_ptr<TSpscQueue<TRecordRow>> m_queue;  // made by the first Start
  std::unique_ptr<TSpscQueue<TRecordValue>> m_values;  // curves 2 on of each row
  std::unique_ptr<TSpscQueue<TRecordCurves>> m_curveChanges;
  bool m_accepting = false;
  bool m_curvesKnown = false;  // the first sample since Start was seen
  std::size_t m_curves = 1;    // the columns of the rows being added
  std::uint64_t m_rowsPushed = 0;
  std::uint64_t m_rowsTaken = 0;  // writer thread while it runs
  std::array<TRecordValue, kMaxCurves - 1> m_taken;  // writer thread
  std::size_t m_headerAt = std::string::npos;  // writer: where a header starts in the block being written
  TReadTime m_start;
  std::string m_fileName;
  std::unique_ptr<TAppendFile> m_file;  // from Start to Stop
  std::int64_t m_fileSize = 0;  // writer thread while it runs
  std::atomic<std::int64_t> m_rowsWritten{0};
  std::atomic<bool> m_failed{false};

  mutable std::mutex m_mutex;
  std::condition_variable m_wake;
  bool m_stopRequested = false;  // guarded by m_mutex
  std::optional<TRecordingFailure> m_failure;  // guarded by m_mutex
  std::thread m_writer;
};

}  // namespace kurvex
