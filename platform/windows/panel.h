// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "platform/windows/control.h"

namespace kurvex {

enum TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised };

/// A container with an optional 3-D border made of an outer and an inner
/// bevel (defaults: outer raised, inner none). GUI thread only.
class TPanel : public TWinControl {
 public:
  explicit TPanel(TWinControl* parent);

  void SetBevelOuter(TBevelCut bevel);
  TBevelCut BevelOuter() const { return m_outer; }
  void SetBevelInner(TBevelCut bevel);
  TBevelCut BevelInner() const { return m_inner; }

  /// The context menu asked for on the panel or on a control in it that
  /// has none of its own; (X, Y) in the panel's client pixels.
  TContextPopupEvent OnContextPopup;

 private:
  void ApplyBevels();

  TBevelCut m_outer = bvRaised;
  TBevelCut m_inner = bvNone;
};

}  // namespace kurvex
