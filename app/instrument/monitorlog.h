// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "intake/intakestate.h"
#include "intake/readtime.h"
#include "intake/sampleconsumer.h"
#include "intake/sampleintake.h"

namespace kurvex {

/// One line of the monitor: a line received and what it became, or a
/// command sent.
struct TMonitorEntry {
  enum class TKind : std::uint8_t { Received, Sent };
  /// What a received line became.
  enum class TFate : std::uint8_t {
    Sample,             ///< a sample (Values, Present, Complete)
    TransmissionError,  ///< left out: a character came with an error
    BeyondLimit,        ///< after the end of a Normal acquisition
  };

  TKind Kind = TKind::Received;
  TFate Fate = TFate::Sample;
  std::int64_t WallNs = 0;
  /// As on the line: a received line with its line end, a command as sent.
  std::string Bytes;
  /// Bit k: curve k + 1 got a value from the line.
  std::uint16_t Present = 0;
  bool Complete = true;
  std::array<float, kMaxCurves> Values{};
};

/// The last lines that went over the line, for the monitor window: lines
/// received with what they became, and the commands sent between them.
/// Records only while open, so a closed monitor costs the sample path one
/// test per line. GUI thread only.
class TMonitorLog : public TSampleConsumer {
 public:
  static constexpr std::size_t kKeptLines = 1000;

  /// Closed, nothing is recorded; what was recorded stays.
  void SetOpen(bool open);
  bool Open() const { return m_open; }

  /// Bytes read at `at` follow.
  void BatchRead(TReadTime at) { m_batchWallNs = at.WallNs; }
  /// A complete line of the batch, without its line end `end`.
  void LineReceived(std::string_view line, TLineEnd end);
  /// The last line received was left out for a transmission error.
  void LineLeftOut();
  /// Its values, while the intake takes the last line received.
  void Take(const TSample& sample) override;
  /// What the intake made of the last line received.
  void LineTaken(const TLineOutcome& outcome);
  /// Bytes queued for the line at `wallNs`.
  void Sent(std::string_view bytes, std::int64_t wallNs);

  void Clear();
  /// Runs after every entry recorded, and after Clear.
  std::function<void()> OnChanged;
  std::size_t Size() const { return m_size; }
  /// 0 is the oldest entry kept.
  const TMonitorEntry& operator[](std::size_t index) const { return m_ring[(m_first + index) % kKeptLines]; }
  /// Entries recorded since the log was made, kept or not: with Size, a
  /// view learns what came and what went since it last looked.
  std::uint64_t Recorded() const { return m_recorded; }

 private:
  TMonitorEntry& Append(TMonitorEntry::TKind kind, std::int64_t wallNs);
  /// The newest entry when it is a received line, else null.
  TMonitorEntry* LastReceived();

  bool m_open = false;
  std::int64_t m_batchWallNs = 0;
  std::vector<TMonitorEntry> m_ring;  // sized while open
  std::size_t m_first = 0, m_size = 0;
  std::uint64_t m_recorded = 0;
};

}  // namespace kurvex
