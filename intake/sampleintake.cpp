// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/sampleintake.h"

#include "intake/curveplan.h"
#include "intake/singleprecision.h"
#include "intake/wirenumber.h"

namespace kurvex {

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
  const bool complete = m_line.Read(TrimControlBytes(line));
  const TCurvePlan plan = PlanCurves(s, m_line);
  // Every value is scaled before anything changes: one beyond single
  // precision raises, and the line leaves no trace.
  const std::span<const TLineValue> kept = m_line.Kept();
  std::uint16_t present = 0;
  for (std::size_t i = 0; i < kept.size(); ++i) {
    const std::int8_t curve = plan.CurveOf[i];
    if (curve < 0) continue;
    const auto bit = static_cast<std::uint16_t>(1u << curve);
    if ((present & bit) != 0) continue;  // a curve takes the line's first value for it
    const float raw = ToSingle(kept[i].Value);
    const float scaled = ToSingle(static_cast<long double>(raw) * s.ScaleFactor + s.ScaleOffset);
    m_values[static_cast<std::size_t>(curve)] = {raw, scaled};
    present |= bit;
  }
  const bool firstIgnored = plan.Ignored && !s.TooManyValues;
  AdoptCurves(s, plan, m_line);
  for (std::size_t k = 0; k < s.CurveCount; ++k)
    if ((present >> k & 1u) == 0) m_values[k] = {};
  if ((present & 1u) != 0) {
    s.RawValue = m_values[0].Raw;
    s.ScaledValue = m_values[0].Scaled;
  }
  ++s.SampleCount;
  if (!complete) ++s.InvalidLines;
  const TLineOutcome outcome{complete, s.SampleCount > kNormalSampleLimit && !s.TrendMode, firstIgnored};
  if (outcome.BeyondLimit) return outcome;
  const TSample sample{s.SampleCount, m_readAt, {m_values.data(), s.CurveCount}, {s.CurveNames.data(), s.CurveCount},
                       present};
  for (TSampleConsumer* consumer : m_consumers) consumer->Take(sample);
  return outcome;
}

}  // namespace kurvex
