// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/color.h"
#include "platform/windows/control.h"

namespace kurvex {

/// The colours of a busy indicator. Owned by the indicator; every setter
/// stores a colour only when it differs and then fires OnChange, on which
/// the indicator repaints. clNone leaves that part undrawn. GUI thread only.
class TProgressAppearance : public TObject {
 public:
  TColor BackGroundColor() const { return m_backGround; }
  void SetBackGroundColor(TColor color);
  /// An outline around the control; while it is not clNone the ring is one
  /// pixel smaller so the outline stays clear of it.
  TColor BorderColor() const { return m_border; }
  void SetBorderColor(TColor color);
  /// Segments the running segment has already passed in the fill phase.
  TColor ActiveSegmentColor() const { return m_active; }
  void SetActiveSegmentColor(TColor color);
  /// The running (current) segment.
  TColor TransitionSegmentColor() const { return m_transition; }
  void SetTransitionSegmentColor(TColor color);
  /// Segments that are neither passed nor showing progress.
  TColor InActiveSegmentColor() const { return m_inActive; }
  void SetInActiveSegmentColor(TColor color);
  /// Segments that show the progress value.
  TColor ProgressSegmentColor() const { return m_progress; }
  void SetProgressSegmentColor(TColor color);

  /// Fired after a colour changed; Sender is this appearance.
  TNotifyEvent OnChange;

 private:
  void Store(TColor& slot, TColor color);

  TColor m_backGround = clNone;
  TColor m_border = clNone;
  TColor m_active = 0xFF9F9F;
  TColor m_transition = 0xA00000;
  TColor m_inActive = clSilver;
  TColor m_progress = 0x400080;
};

}  // namespace kurvex
