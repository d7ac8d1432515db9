// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/sampleintake.h"

#include "intake/singleprecision.h"
#include "intake/wirenumber.h"

namespace kurvex {

void TSampleIntake::Receive(const std::uint8_t* bytes, std::size_t count, TReadTime readAt,
                            const TLineAssembler::LineHandler& onLine) {
  m_readAt = readAt;
  m_assembler.Assemble(m_state, bytes, count, onLine);
}

TLineOutcome TSampleIntake::TakeLine(std::string_view line) {
  TIntakeState& s = m_state;
  const TWireNumber number = ReadWireNumber(TrimControlBytes(line));
  s.RawValue = ToSingle(number.Value);
  s.ScaledValue = ToSingle(static_cast<long double>(s.RawValue) * s.ScaleFactor + s.ScaleOffset);
  ++s.SampleCount;
  if (!number.Complete) ++s.InvalidLines;
  const TLineOutcome outcome{number.Complete, s.SampleCount > kNormalSampleLimit && !s.TrendMode};
  if (outcome.BeyondLimit) return outcome;
  m_value = {s.RawValue, s.ScaledValue};
  const TSample sample{s.SampleCount, m_readAt, {&m_value, 1}};
  for (TSampleConsumer* consumer : m_consumers) consumer->Take(sample);
  return outcome;
}

}  // namespace kurvex
