// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/circularprogresssegments.h"

#include "widgets/circularprogresslayout.h"
#include "widgets/progressappearance.h"

namespace kurvex {

void TSegmentCycle::Advance() {
  if (m_current >= kSegmentCount) {
    m_fillPhase = !m_fillPhase;
    m_current = 1;
  } else {
    ++m_current;
  }
}

int ProgressSegments(int min, int max, int position) {
  if (position == max) return kSegmentCount;
  if (position <= min) return -1;
  // The step is a single-precision value, so counts on the boundaries round
  // the same way on every machine. Counted from min: a range that does not
  // start at 0 must not show more than it has reached.
  const float step = static_cast<float>(max - min) / kSegmentCount;
  return static_cast<int>(static_cast<double>(position - min) / step);
}

TColor SegmentColor(int segment, const TSegmentCycle& cycle, int progressSegments,
                    const TProgressAppearance& appearance) {
  const int current = cycle.CurrentSegment();
  if (segment == current) return appearance.TransitionSegmentColor();
  const bool passed = segment < current;
  // Passed segments are active while filling; the ones ahead are active
  // while emptying. The rest show progress or stay inactive.
  if (passed == cycle.FillPhase()) return appearance.ActiveSegmentColor();
  return segment <= progressSegments ? appearance.ProgressSegmentColor()
                                     : appearance.InActiveSegmentColor();
}

}  // namespace kurvex
