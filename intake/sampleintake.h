// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "intake/intakestate.h"
#include "intake/lineassembler.h"
#include "intake/linevalues.h"
#include "intake/readtime.h"
#include "intake/sampleconsumer.h"

namespace kurvex {

/// Samples a Normal acquisition takes; the one after them ends it.
inline constexpr std::int64_t kNormalSampleLimit = 50000;

/// How long bytes may arrive without a line end before NoLineEnd is set.
inline constexpr std::int64_t kNoLineEndNs = 2'000'000'000;

/// What became of one line.
struct TLineOutcome {
  /// The line was one number (with a unit or without) or a line of values,
  /// each in single range; otherwise it counts as an invalid line and is
  /// still a sample, each value it could not read a gap.
  bool Complete = true;
  /// A Normal acquisition has gone past its limit: the sample is counted
  /// but goes to no consumer, and the acquisition is to stop.
  bool BeyondLimit = false;
  /// The line is the acquisition's first with a value beyond the last curve
  /// (which is ignored): the moment to tell the user, once.
  bool FirstIgnoredValue = false;
};

/// The sample path from received bytes to consumers: cuts the bytes into
/// lines at the instrument's line end, reads each line's values, gives each
/// its curve, scales them in single precision, counts the line as one sample
/// (and the lines that were not values in full), holds a Normal acquisition
/// to its limit, and hands each sample to its consumers. Publishes its state
/// in `state`; the line being assembled is its own. Both are reset at Start
/// (StartAcquisition).
/// Single-threaded.
class TSampleIntake {
 public:
  explicit TSampleIntake(TIntakeState& state) : m_state(state) {}
  TSampleIntake(const TSampleIntake&) = delete;
  TSampleIntake& operator=(const TSampleIntake&) = delete;

  /// Forgets what the last acquisition taught (TIntakeState::StartAcquisition)
  /// and undecides the line end; the line being assembled stays.
  void StartAcquisition();

  /// The end of the line last handed to `onLine`.
  TLineEnd LastLineEnd() const { return m_assembler.LastLineEnd(); }

  /// The bytes received after the last line end.
  std::string_view PendingLine() const { return m_assembler.PendingLine(); }

  /// Consumers take each sample in the order they were attached. A consumer
  /// must outlive the intake.
  void Attach(TSampleConsumer& consumer) { m_consumers.push_back(&consumer); }

  /// Bytes read at `readAt`, in arrival order: each line they complete goes
  /// to `onLine` (which passes it on to TakeLine), before Receive returns;
  /// then the consumers hear that the batch ended.
  /// An error thrown for a line ends the batch there; the line is consumed.
  /// Sets NoLineEnd when bytes have kept arriving for kNoLineEndNs (by the
  /// read times) and none ended a line.
  void Receive(const std::uint8_t* bytes, std::size_t count, TReadTime readAt,
               const TLineAssembler::LineHandler& onLine);

  /// One complete line without its line end: bytes 0..32 trimmed at both
  /// ends, read as one number for curve 1 or as a line of values
  /// (TLineValues) placed on their curves (TCurvePlan), each scaled by
  /// ScaleFactor and ScaleOffset, counted as one sample, handed on. RawValue
  /// and ScaledValue follow curve 1's last value. Whatever a line holds, it
  /// is one sample: a line without a number, an over-long one, and a value
  /// beyond single precision (as read or scaled) leave gaps and count as
  /// invalid lines.
  TLineOutcome TakeLine(std::string_view line);

 private:
  /// The values a line put on its curves (into m_values), and whether it
  /// was read in full.
  struct TPlaced {
    std::uint16_t Present = 0;  // bit k: curve k + 1 got a value
    bool Good = false;
    bool FirstIgnored = false;
  };
  TPlaced Place(std::string_view text);
  /// Scales the values of a line with several (or named) values onto their
  /// curves and takes new curves into the state.
  TPlaced PlaceValues();
  /// Keeps `unit` as the curve's when it has none yet.
  void NoteUnit(std::size_t curve, std::string_view unit);

  TIntakeState& m_state;
  TLineAssembler m_assembler;
  std::vector<TSampleConsumer*> m_consumers;
  TReadTime m_readAt;  // of the batch being processed
  TLineValues m_line;  // the values of the line being taken
  std::array<TSampleValue, kMaxCurves> m_values;  // what the consumers see, by curve
};

}  // namespace kurvex
