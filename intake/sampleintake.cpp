// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/sampleintake.h"

#include <optional>

#include "intake/curveplan.h"
#include "intake/singleprecision.h"
#include "intake/wirenumber.h"

namespace kurvex {

namespace {

/// The value rounded to single precision, and scaled by its curve's factor
/// and offset or the window's; none when either leaves single precision (a
/// bad value, not the end of the acquisition).
std::optional<TSampleValue> Scaled(long double value, const TIntakeState& s, std::size_t curve) {
  const std::optional<float> raw = InSingleRange(value);
  if (!raw) return std::nullopt;
  const TCurveScale& own = s.CurveScales[curve];
  const std::optional<float> scaled = InSingleRange(static_cast<long double>(*raw) * own.Factor.value_or(s.ScaleFactor) +
                                                    own.Offset.value_or(s.ScaleOffset));
  if (!scaled) return std::nullopt;
  return TSampleValue{*raw, *scaled};
}

}  // namespace

void TSampleIntake::NoteUnit(std::size_t curve, std::string_view unit) {
  // The first unit stays: a unit that changes within a run is the
  // instrument's range, not the curve's quantity.
  if (!unit.empty() && m_state.CurveUnits[curve].empty()) m_state.CurveUnits[curve] = unit;
}

void TSampleIntake::StartAcquisition() {
  m_state.StartAcquisition();
  m_assembler.StartAcquisition(m_state);
}

void TSampleIntake::Receive(const std::uint8_t* bytes, std::size_t count, TReadTime readAt,
                            const TLineAssembler::LineHandler& onLine) {
  TIntakeState& s = m_state;
  m_readAt = readAt;
  if (count > 0 && !s.UnendedSinceNs) s.UnendedSinceNs = readAt.SteadyNs;
  m_assembler.Assemble(s, bytes, count, onLine);
  for (TSampleConsumer* consumer : m_consumers) consumer->EndBatch();
  if (s.UnendedSinceNs && readAt.SteadyNs - *s.UnendedSinceNs >= kNoLineEndNs) s.NoLineEnd = true;
}

TLineOutcome TSampleIntake::TakeLine(std::string_view line) {
  TIntakeState& s = m_state;
  TPlaced placed;
  if (!m_assembler.TakeTooLongMark()) placed = Place(TrimControlBytes(line));
  if (s.CurveCount == 0) s.CurveCount = 1;
  for (std::size_t k = 0; k < s.CurveCount; ++k)
    if ((placed.Present >> k & 1u) == 0) m_values[k] = {};
  if ((placed.Present & 1u) != 0) {
    s.RawValue = m_values[0].Raw;
    s.ScaledValue = m_values[0].Scaled;
  }
  ++s.SampleCount;
  if (!placed.Good) ++s.InvalidLines;
  const TLineOutcome outcome{placed.Good, s.SampleCount > kNormalSampleLimit && !s.TrendMode, placed.FirstIgnored};
  if (outcome.BeyondLimit) return outcome;
  const TSample sample{s.SampleCount, m_readAt, {m_values.data(), s.CurveCount}, {s.CurveNames.data(), s.CurveCount},
                       placed.Present, {s.CurveUnits.data(), s.CurveCount}};
  for (TSampleConsumer* consumer : m_consumers) consumer->Take(sample);
  return outcome;
}

TSampleIntake::TPlaced TSampleIntake::Place(std::string_view text) {
  const TWireNumber number = ReadWireNumber(text);
  if (!number.Complete && m_line.Read(text)) return PlaceValues();
  TPlaced placed;
  // A field refused whole leaves nothing of the line that could stand for
  // a value: the digits a name starts with are no reading.
  if (!number.Complete && m_line.Refused()) return placed;
  if (!number.Value) return placed;
  const std::optional<TSampleValue> value = Scaled(*number.Value, m_state, 0);
  if (!value) return placed;
  m_values[0] = *value;  // one number, curve 1's: the common case
  placed.Present = 1;
  if (number.Complete) NoteUnit(0, number.Unit);
  placed.Good = number.Complete;
  return placed;
}

TSampleIntake::TPlaced TSampleIntake::PlaceValues() {
  TIntakeState& s = m_state;
  const TCurvePlan plan = PlanCurves(s, m_line);
  const std::span<const TLineValue> kept = m_line.Kept();
  TPlaced placed;
  placed.Good = !m_line.Refused();
  for (std::size_t i = 0; i < kept.size(); ++i) {
    const std::int8_t curve = plan.CurveOf[i];
    if (curve < 0) continue;
    const auto bit = static_cast<std::uint16_t>(1u << curve);
    if ((placed.Present & bit) != 0) continue;  // a curve takes the line's first value for it
    const std::optional<TSampleValue> value = Scaled(kept[i].Value, s, static_cast<std::size_t>(curve));
    if (!value) {
      placed.Good = false;
      continue;
    }
    m_values[static_cast<std::size_t>(curve)] = *value;
    placed.Present |= bit;
    NoteUnit(static_cast<std::size_t>(curve), kept[i].Unit);
  }
  placed.FirstIgnored = plan.Ignored && !s.TooManyValues;
  AdoptCurves(s, plan, m_line);
  return placed;
}

}  // namespace kurvex
