// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/progressappearance.h"

namespace kurvex {

void TProgressAppearance::Store(TColor& slot, TColor color) {
  if (slot == color) return;
  slot = color;
  if (OnChange) OnChange(this);
}

void TProgressAppearance::SetBackGroundColor(TColor color) { Store(m_backGround, color); }
void TProgressAppearance::SetBorderColor(TColor color) { Store(m_border, color); }
void TProgressAppearance::SetActiveSegmentColor(TColor color) { Store(m_active, color); }
void TProgressAppearance::SetTransitionSegmentColor(TColor color) { Store(m_transition, color); }
void TProgressAppearance::SetInActiveSegmentColor(TColor color) { Store(m_inActive, color); }
void TProgressAppearance::SetProgressSegmentColor(TColor color) { Store(m_progress, color); }

}  // namespace kurvex
