// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "intake/intakestate.h"
#include "intake/lineassembler.h"
#include "intake/readtime.h"
#include "intake/sampleconsumer.h"

namespace kurvex {

/// Samples a Normal acquisition takes; the one after them ends it.
inline constexpr std::int64_t kNormalSampleLimit = 50000;

/// What became of one line.
struct TLineOutcome {
  /// The line was a number in full; otherwise it counts as an invalid line
  /// and is still a sample (with the value that could be read).
  bool Complete = true;
  /// A Normal acquisition has gone past its limit: the sample is counted
  /// but goes to no consumer, and the acquisition is to stop.
  bool BeyondLimit = false;
};

/// The sample path from received bytes to consumers: cuts the bytes into
/// CR LF lines, reads each line's number, scales it in single precision,
/// counts it (and the lines that were not a number in full), holds a Normal
/// acquisition to its limit, and hands each sample to its consumers. Keeps
/// its state in `state`, which the owner resets at Start. Single-threaded.
class TSampleIntake {
 public:
  explicit TSampleIntake(TIntakeState& state) : m_state(state) {}
  TSampleIntake(const TSampleIntake&) = delete;
  TSampleIntake& operator=(const TSampleIntake&) = delete;

  /// Consumers take each sample in the order they were attached. A consumer
  /// must outlive the intake.
  void Attach(TSampleConsumer& consumer) { m_consumers.push_back(&consumer); }

  /// Bytes read at `readAt`, in arrival order: each line they complete goes
  /// to `onLine` (which passes it on to TakeLine), before Receive returns.
  /// An error thrown for a line ends the batch there; the line is consumed.
  void Receive(const std::uint8_t* bytes, std::size_t count, TReadTime readAt,
               const TLineAssembler::LineHandler& onLine);

  /// One complete line without its CR LF: bytes 0..32 trimmed at both ends,
  /// read, scaled by ScaleFactor and ScaleOffset, counted, handed on. A value
  /// beyond single precision raises "Gleitkommaüberlauf" and is not counted.
  TLineOutcome TakeLine(std::string_view line);

 private:
  TIntakeState& m_state;
  TLineAssembler m_assembler;
  std::vector<TSampleConsumer*> m_consumers;
  TReadTime m_readAt;    // of the batch being processed
  TSampleValue m_value;  // the values the consumers see
};

}  // namespace kurvex
