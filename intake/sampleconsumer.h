// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "intake/intakestate.h"
#include "intake/readtime.h"

namespace kurvex {

/// One value of a line: as read, and scaled.
struct TSampleValue {
  float Raw = 0.0f;
  float Scaled = 0.0f;
};

/// What one received line became: one sample number for all its values.
struct TSample {
  /// 1 for the first sample of an acquisition, counting on from there.
  std::int64_t Number = 0;
  /// When the batch that completed the line was read.
  TReadTime ReadAt;
  /// One entry per curve of the acquisition so far, indexed by curve (0 is
  /// curve 1). Only the curves in Present have a value in this line; the
  /// others are a gap here and read 0.
  std::span<const TSampleValue> Values;
  /// The curves' names, indexed like Values; empty for a curve without one.
  std::span<const std::string> Names;
  /// Bit k: curve k + 1 has a value in this line (never a bit beyond Values).
  std::uint16_t Present = 0;
  /// The curves' units from the instrument, indexed like Values; empty for
  /// a curve without one.
  std::span<const std::string> Units{};

  /// True when curve `curve` (0 for curve 1) has a value in this line.
  bool Has(std::size_t curve) const { return curve < kMaxCurves && (Present >> curve & 1u) != 0; }
};
static_assert(kMaxCurves <= 16, "TSample::Present holds one bit per curve");

/// Takes every sample the intake accepts, in order, on the thread that
/// feeds the intake (the GUI thread). Take must return at once: it never
/// waits for a lock, a disk or the event loop (hand slow work to a thread
/// of your own), and keeps nothing of `sample.Values` or `sample.Names`
/// beyond the call.
class TSampleConsumer {
 public:
  virtual ~TSampleConsumer() = default;
  virtual void Take(const TSample& sample) = 0;
  /// The samples of one read batch (one ReadAt) have all been taken.
  virtual void EndBatch() {}
};

}  // namespace kurvex
