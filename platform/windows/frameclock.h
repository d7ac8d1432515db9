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
  /// When in its frame a rider runs. AfterOthers is for a rider that paints
  /// at once rather than asking for an update: what the frame's other riders
  /// changed reaches the screen with it, in one update.
  enum class Turn { Any, AfterOthers };

  /// `onFrame` runs at the frame asked for; an error it throws is reported
  /// and the other riders of the frame still run.
  explicit TFrameRider(std::function<void()> onFrame, Turn turn = Turn::Any);
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
  /// Asks for a frame between `earliest` and `latest`: the first frame from
  /// `earliest` on that others ask for serves it, and only when none comes
  /// does a frame run for it at `latest`. A change that can wait a little
  /// (a text shown per sample) so shares the screen update of the chart or
  /// the busy indicator instead of waking the window for one of its own. An
  /// earlier request stands.
  void RideFrameBetween(Clock::time_point earliest, Clock::time_point latest);
  /// Withdraws a waiting request; does nothing when none waits.
  void Cancel();
  bool Waiting() const { return m_due.has_value(); }

 private:
  friend struct FrameClock;
  std::function<void()> m_onFrame;
  Turn m_turn;
  std::optional<Clock::time_point> m_due;  // a frame runs for it then
  Clock::time_point m_earliest{};          // from then on any frame serves it
};

}  // namespace kurvex
