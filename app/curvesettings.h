// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <utility>

#include "intake/intakestate.h"
#include "platform/drawing/color.h"

namespace kurvex {

/// What the user set for each curve: its colour, a name for a curve the
/// instrument does not name, whether it is shown when an acquisition
/// starts, its unit, and its own factor and offset. Until set, each curve has its
/// palette colour, no name, is shown and is scaled as the window's fields
/// say. GUI thread only.
class TCurveSettings {
 public:
  TCurveSettings();
  /// Every curve as it is until set, for those that draw without a window.
  static const TCurveSettings& Defaults();

  TColor Color(std::size_t curve) const { return m_curves[curve % kMaxCurves].Color; }
  const std::string& Name(std::size_t curve) const { return m_curves[curve % kMaxCurves].Name; }
  bool Shown(std::size_t curve) const { return m_curves[curve % kMaxCurves].Shown; }
  void SetColor(std::size_t curve, TColor color) { m_curves[curve % kMaxCurves].Color = color; }
  void SetName(std::size_t curve, std::string name) { m_curves[curve % kMaxCurves].Name = std::move(name); }
  void SetShown(std::size_t curve, bool shown) { m_curves[curve % kMaxCurves].Shown = shown; }
  /// The unit the user set; empty: the instrument's, if it sends one.
  const std::string& Unit(std::size_t curve) const { return m_curves[curve % kMaxCurves].Unit; }
  void SetUnit(std::size_t curve, std::string unit) { m_curves[curve % kMaxCurves].Unit = std::move(unit); }
  const TCurveScale& Scale(std::size_t curve) const { return m_curves[curve % kMaxCurves].Scale; }
  void SetScale(std::size_t curve, TCurveScale scale) { m_curves[curve % kMaxCurves].Scale = scale; }

 private:
  struct TCurve {
    TColor Color = 0;
    std::string Name;
    bool Shown = true;
    TCurveScale Scale;
    std::string Unit;
  };
  std::array<TCurve, kMaxCurves> m_curves;
};

}  // namespace kurvex
