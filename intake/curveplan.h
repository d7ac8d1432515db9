// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "intake/intakestate.h"
#include "intake/linevalues.h"

namespace kurvex {

/// Which curve each value of a line goes to: value n of a line to curve n,
/// a named value to the curve of its name, a name new to the acquisition to
/// a new curve (so names take curves in the order they first appear). A
/// value that would need a curve beyond kMaxCurves goes to none.
struct TCurvePlan {
  /// Per kept value: its curve (0 for curve 1), or kNoCurve.
  std::array<std::int8_t, TLineValues::kCapacity> CurveOf{};
  /// The curves of the acquisition once the line is taken.
  std::size_t CurveCount = 0;
  /// A value of the line goes to no curve.
  bool Ignored = false;
  static constexpr std::int8_t kNoCurve = -1;
};

/// Plans the line's values against the curves so far; changes nothing.
TCurvePlan PlanCurves(const TIntakeState& state, const TLineValues& values);

/// Takes the plan's new curves and names into the state.
void AdoptCurves(TIntakeState& state, const TCurvePlan& plan, const TLineValues& values);

}  // namespace kurvex
