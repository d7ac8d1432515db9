// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <utility>

#include <optional>

#include "intake/intakestate.h"
#include "platform/drawing/color.h"
#include "setup/setup.h"

namespace kurvex {

/// A fixed range of an axis, Low < High.
struct TAxisRange {
  double Low = 0, High = 0;
  bool operator==(const TAxisRange&) const = default;
};

/// What the user set for each curve: its colour, a name for a curve the
/// instrument does not name, whether it is shown when an acquisition
/// starts, its unit, its own factor and offset, and the Y axis it is drawn
/// against; and the right axis's range. Until set, each curve has its
/// palette colour, no name, is shown, is scaled as the window's fields say
/// and is drawn against the left axis, and the right axis follows the
/// samples. GUI thread only.
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
  TCurveAxis Axis(std::size_t curve) const { return m_curves[curve % kMaxCurves].Axis; }
  /// The chart layer whose Y axis the curve is drawn against.
  static constexpr int kLeftLayer = 1, kRightLayer = 2;
  int Layer(std::size_t curve) const { return Axis(curve) == TCurveAxis::Right ? kRightLayer : kLeftLayer; }
  void SetAxis(std::size_t curve, TCurveAxis axis) { m_curves[curve % kMaxCurves].Axis = axis; }
  /// The right axis's fixed range; nothing: it follows the samples seen.
  const std::optional<TAxisRange>& RightRange() const { return m_rightRange; }
  void SetRightRange(std::optional<TAxisRange> range) { m_rightRange = range; }

 private:
  struct TCurve {
    TColor Color = 0;
    std::string Name;
    bool Shown = true;
    TCurveScale Scale;
    std::string Unit;
    TCurveAxis Axis = TCurveAxis::Left;
  };
  std::array<TCurve, kMaxCurves> m_curves;
  std::optional<TAxisRange> m_rightRange;
};

}  // namespace kurvex
