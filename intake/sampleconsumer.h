// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

#include "intake/readtime.h"

namespace kurvex {

/// One value of a line: as read, and scaled.
struct TSampleValue {
  float Raw = 0.0f;
  float Scaled = 0.0f;
};

/// What one received line became.
struct TSample {
  /// 1 for the first sample of an acquisition, counting on from there.
  std::int64_t Number = 0;
  /// When the batch that completed the line was read.
  TReadTime ReadAt;
  /// The line's values, one per curve in the order of the line (one for
  /// lines that carry a single number).
  std::span<const TSampleValue> Values;
};

/// Takes every sample the intake accepts, in order, on the thread that
/// feeds the intake (the GUI thread). Take must return at once: it never
/// waits for a lock, a disk or the event loop (hand slow work to a thread
/// of your own), and keeps nothing of `sample.Values` beyond the call.
class TSampleConsumer {
 public:
  virtual ~TSampleConsumer() = default;
  virtual void Take(const TSample& sample) = 0;
};

}  // namespace kurvex
