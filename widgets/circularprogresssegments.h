// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/color.h"

namespace kurvex {

class TProgressAppearance;

/// Where the animation stands: the running segment (1..12) and whether the
/// ring is filling (passed segments turn active) or emptying.
class TSegmentCycle {
 public:
  int CurrentSegment() const { return m_current; }
  bool FillPhase() const { return m_fillPhase; }
  /// One timer tick: the next segment; after 12 the phase flips and the run
  /// starts again at 1, so 24 ticks bring the start picture back.
  void Advance();

 private:
  int m_current = 1;
  bool m_fillPhase = true;
};

/// How many segments show the progress value: 12 at max, none (−1) at or
/// below min, otherwise the whole twelfths of the way from min to max.
int ProgressSegments(int min, int max, int position);

/// The colour of segment 1..12 for the animation state and progress count.
TColor SegmentColor(int segment, const TSegmentCycle& cycle, int progressSegments,
                    const TProgressAppearance& appearance);

}  // namespace kurvex
