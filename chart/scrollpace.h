// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>

namespace kurvex {

/// How long a picture that moves with arriving samples (a scrolling or
/// growing curve) may wait for its next render. A step of a few pixels at
/// 20 frames a second or more reads as smooth movement, so the picture
/// waits until it has moved kStepPixels, never longer than kLongest, and
/// then takes the next frame that comes anyway within as long again (the
/// control's pace: the busy indicator ticks every 50 ms); a fast scroll
/// renders at every frame of the screen as before. The speed is measured
/// over the samples' own arrival times.
class TScrollPace {
 public:
  static constexpr double kStepPixels = 4;
  static constexpr std::chrono::milliseconds kLongest{40};

  /// A sample that arrived at `steadyNs` moved the picture by `pixels`;
  /// returns the pace for the next render.
  std::chrono::milliseconds Take(std::int64_t steadyNs, double pixels);
  /// Forgets the speed: the next renders come at once until it is known.
  void Reset();

 private:
  std::int64_t m_since = 0;  // start of the measurement, 0: none yet
  double m_pixels = 0;       // moved since m_since
  std::chrono::milliseconds m_pace{0};
};

}  // namespace kurvex
