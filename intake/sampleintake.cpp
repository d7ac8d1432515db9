// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/sampleintake.h"

#include "intake/curveplan.h"
#include "intake/singleprecision.h"
#include "intake/wirenumber.h"

namespace kurvex {

namespace {

/// The value rounded to single precision, and scaled.
TSampleValue Scaled(long double value, const TIntakeState& s) {
  const float raw = ToSingle(value);
  return {raw, ToSingle(static_cast<long double>(raw) * s.ScaleFactor + s.ScaleOffset)};
}

}  // namespace

void TSampleIntake::Receive(const std::uint8_t* bytes, std::size_t count, TReadTime readAt,
                            const TLineAssembler::LineHandler& onLine) {
  TIntakeState& s = m_state;
  m_readAt = readAt;
  if (count > 0 && !s.UnendedSinceNs) s.UnendedSinceNs = readAt.SteadyNs;
  m_assembler.Assemble(s, bytes, count, onLine);
  if (s.UnendedSinceNs && readAt.SteadyNs - *s.UnendedSinceNs >= kNoLineEndNs) s.NoLineEnd = true;
}

TLineOutcome TSampleIntake::TakeLine(std::string_view line) {
  TIntakeState& s = m_state;
  const std::string_view text = TrimControlBytes(line);
  const TWireNumber number = ReadWireNumber(text);
  const bool several = !number.Complete && m_line.Read(text);
  bool firstIgnored = false;
  std::uint16_t present = 1;
  if (several) {
    present = PlaceValues(firstIgnored);
  } else {
    m_values[0] = Scaled(number.Value, s);  // one number, curve 1's: the common case
    if (s.CurveCount == 0) s.CurveCount = 1;
  }
  for (std::size_t k = 1; k < s.CurveCount; ++k)
    if ((present >> k & 1u) == 0) m_values[k] = {};
  if ((present & 1u) != 0) {
    s.RawValue = m_values[0].Raw;
    s.ScaledValue = m_values[0].Scaled;
  } else {
    m_values[0] = {};
  }
  ++s.SampleCount;
  const bool complete = several || number.Complete;
  if (!complete) ++s.InvalidLines;
  const TLineOutcome outcome{complete, s.SampleCount > kNormalSampleLimit && !s.TrendMode, firstIgnored};
  if (outcome.BeyondLimit) return outcome;
  const TSample sample{s.SampleCount, m_readAt, {m_values.data(), s.CurveCount}, {s.CurveNames.data(), s.CurveCount},
                       present};
  for (TSampleConsumer* consumer : m_consumers) consumer->Take(sample);
  return outcome;
}

std::uint16_t TSampleIntake::PlaceValues(bool& firstIgnored) {
  TIntakeState& s = m_state;
  const TCurvePlan plan = PlanCurves(s, m_line);
  // Every value is scaled before the state changes: one beyond single
  // precision raises, and the line leaves no trace.
  const std::span<const TLineValue> kept = m_line.Kept();
  std::uint16_t present = 0;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    const std::int8_t curve = plan.CurveOf[i];
    if (curve < 0) continue;
    const auto bit = static_cast<std::uint16_t>(1u << curve);
    if ((present & bit) != 0) continue;  // a curve takes the line's first value for it
    m_values[static_cast<std::size_t>(curve)] = Scaled(kept[i].Value, s);
    present |= bit;
  }
  firstIgnored = plan.Ignored && !s.TooManyValues;
  AdoptCurves(s, plan, m_line);
  return present;
}

}  // namespace kurvex
