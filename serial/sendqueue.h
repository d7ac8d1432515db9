// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>

namespace kurvex {

/// The most bytes that may wait for the line: a command beyond it is refused.
inline constexpr std::size_t kMaxQueuedSendBytes = 65536;
/// Bytes that wait this long without the line taking any make the send stalled.
inline constexpr std::chrono::milliseconds kSendStallTime{500};

/// Bytes waiting to be handed to the driver, in order, between the thread
/// that queues them and the writer that takes them. Thread-safe.
class TSendQueue {
 public:
  using Clock = std::chrono::steady_clock;

  /// Appends `bytes` unless that would make more than kMaxQueuedSendBytes
  /// wait; false, with nothing appended, then.
  bool Push(const std::string& bytes, Clock::time_point now);
  /// Copies up to `most` bytes from the front into `chunk` (empty: none wait).
  void Peek(std::string& chunk, std::size_t most) const;
  /// The first `count` bytes went to the driver.
  void Consume(std::size_t count, Clock::time_point now);
  /// Drops whatever waits.
  void Clear();

  std::size_t Waiting() const;
  /// Bytes have waited longer than kSendStallTime since the line last took any.
  bool Stalled(Clock::time_point now) const;
  /// Waits until nothing waits or `deadline` passed; true when empty.
  bool WaitEmpty(Clock::time_point deadline);

 private:
  mutable std::mutex m_mutex;
  std::condition_variable m_emptied;
  std::string m_bytes;
  /// When the line last took bytes, or the queue last stopped being empty.
  Clock::time_point m_progress{};
};

}  // namespace kurvex
