// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <functional>
#include <optional>

namespace kurvex {

/// One user of the GUI thread's frame clock: something that changes the
/// screen (a control's picture, a text that changes per sample, the busy
/// indicator) and does it at a frame. A frame runs at the earliest time a
/// rider asked for, never sooner than one screen refresh after the previous
/// frame, and serves every rider whose time comes within half a refresh,
/// so the window system receives the changes of one frame together. While
/// no rider waits, no timer runs. GUI thread only.
class TFrameRider {
 public:
  using Clock = std::chrono::steady_clock;

  /// `onFrame` runs at the frame asked for; an error it throws is reported
  /// and the other riders of the frame still run.
  explicit TFrameRider(std::function<void()> onFrame);
  /// Withdraws a waiting request.
  ~TFrameRider();
  TFrameRider(const TFrameRider&) = delete;
  TFrameRider& operator=(const TFrameRider&) = delete;

  /// Asks for the next frame: at once when the previous frame is a screen
  /// refresh ago, else one refresh after it. Asked from inside a frame, it
  /// is the frame after.
  void RideNextFrame() { RideFrameFrom(Clock::now()); }
  /// Asks for the first frame from `due` on; an earlier request stands.
  void RideFrameFrom(Clock::time_point due);
  /// Withdraws a waiting request; does nothing when none waits.
  void Cancel();
  bool Waiting() const { return m_due.has_value(); }

 private:
  friend struct FrameClock;
  std::function<void()> m_onFrame;
  std::optional<Clock::time_point> m_due;
};

}  // namespace kurvex
