// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/curveplan.h"

#include <algorithm>

namespace kurvex {

namespace {

/// The curve of a named value: one that has its name already, one an
/// earlier value of the line gave it, or a new one.
std::int8_t CurveOfName(const TIntakeState& state, std::span<const TLineValue> values, std::size_t i,
                        const TCurvePlan& plan) {
  const std::string_view name = values[i].Name;
  for (std::size_t k = 0; k < state.CurveCount; ++k)
    if (state.CurveNames[k] == name) return static_cast<std::int8_t>(k);
  for (std::size_t j = 0; j < i; ++j)
    if (values[j].Name == name) return plan.CurveOf[j];
  return plan.CurveCount < kMaxCurves ? static_cast<std::int8_t>(plan.CurveCount) : TCurvePlan::kNoCurve;
}

}  // namespace

TCurvePlan PlanCurves(const TIntakeState& state, const TLineValues& values) {
  TCurvePlan plan;
  plan.CurveCount = state.CurveCount;
  plan.Ignored = values.Dropped();
  const std::span<const TLineValue> kept = values.Kept();
  for (std::size_t i = 0; i < kept.size(); ++i) {
    std::int8_t curve = TCurvePlan::kNoCurve;
    if (!kept[i].Name.empty())
      curve = CurveOfName(state, kept, i, plan);
    else if (i < kMaxCurves)
      curve = static_cast<std::int8_t>(i);
    plan.CurveOf[i] = curve;
    if (curve == TCurvePlan::kNoCurve)
      plan.Ignored = true;
    else
      plan.CurveCount = std::max(plan.CurveCount, static_cast<std::size_t>(curve) + 1);
  }
  return plan;
}

void AdoptCurves(TIntakeState& state, const TCurvePlan& plan, const TLineValues& values) {
  const std::span<const TLineValue> kept = values.Kept();
  for (std::size_t i = 0; i < kept.size(); ++i) {
    const std::int8_t curve = plan.CurveOf[i];
    if (kept[i].Name.empty() || curve < 0 || static_cast<std::size_t>(curve) < state.CurveCount) continue;
    std::string& name = state.CurveNames[static_cast<std::size_t>(curve)];
    if (name.empty()) name.assign(kept[i].Name);
  }
  state.CurveCount = plan.CurveCount;
  state.TooManyValues = state.TooManyValues || plan.Ignored;
}

}  // namespace kurvex
