// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/windows/control.h"
#include "widgets/circularprogresssegments.h"
#include "widgets/progressappearance.h"

namespace kurvex {

/// Busy indicator: a ring of twelve segments in which, while the control is
/// enabled, a tick every Interval moves a running segment clockwise, filling the ring on
/// one round and emptying it on the next. It can also show a progress value
/// (Position between Min and Max) in its segments. Painted smoothed; the
/// background around the ring is the parent's colour unless BackGroundColor
/// is set. Created 60 × 60 and enabled. GUI thread only.
class TCircularProgress : public TWinControl {
 public:
  explicit TCircularProgress(TWinControl* parent = nullptr);
  ~TCircularProgress() override;

  int Min() const { return m_min; }
  /// Taken when it differs, is ≥ 0 and ≤ Max; Position is raised to it.
  void SetMin(int min);
  int Max() const { return m_max; }
  /// Taken when it differs and is ≥ 0; Position is lowered to it.
  void SetMax(int max);
  int Position() const { return m_position; }
  /// Taken only when it differs and lies within Min..Max.
  void SetPosition(int position);
  /// Stored for the owner's use; the ring itself does not read it.
  int Step() const { return m_step; }
  void SetStep(int step) { m_step = step; }
  /// Milliseconds between ticks; 0 stops the animation. The ticks come
  /// with frames of the frame clock (TFrameRider), each with the frame
  /// nearest to its time, so an Interval shorter than a screen refresh
  /// ticks once per frame.
  std::uint32_t Interval() const;
  void SetInterval(std::uint32_t interval);

  /// The colours; owned by the control, which repaints when they change.
  TProgressAppearance& Appearance() { return m_appearance; }
  const TProgressAppearance& Appearance() const { return m_appearance; }

  /// Starts and stops the animation; a stopped ring keeps its last picture.
  void SetEnabled(bool enabled) override;

  /// The animation state the picture shows.
  const TSegmentCycle& Cycle() const { return m_cycle; }
  std::string Version() const { return "1.0"; }

  /// Fired after every tick, once the ring has moved on.
  TNotifyEvent OnProgressUpdate;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

 private:
  void Tick();
  void UpdateTimer();
  std::chrono::milliseconds IntervalTime() const;
  void Repaint();

  struct Impl;
  std::unique_ptr<Impl> m_impl;
  TProgressAppearance m_appearance;
  TSegmentCycle m_cycle;
  int m_min = 0;
  int m_max = 100;
  int m_position = 0;
  int m_step = 10;
  friend class CircularProgressWidget;
};

}  // namespace kurvex
