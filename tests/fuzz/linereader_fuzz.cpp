// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as what an instrument sends: cutting them into lines and
// reading their values must never crash, hang or hit undefined behaviour,
// and never lose a curve's name once it has one.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "intake/sampleintake.h"

namespace {

// Checks what each sample shows against what the intake keeps.
class Checker : public kurvex::TSampleConsumer {
 public:
  explicit Checker(const kurvex::TIntakeState& state) : m_state(state) {}
  void Take(const kurvex::TSample& sample) override {
    if (sample.Values.size() != m_state.CurveCount || sample.Names.size() != m_state.CurveCount ||
        sample.Values.size() > kurvex::kMaxCurves || sample.Number != m_state.SampleCount ||
        (sample.Present >> sample.Values.size()) != 0)
      std::abort();
  }

 private:
  const kurvex::TIntakeState& m_state;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kurvex::TIntakeState state;
  state.TrendMode = true;
  kurvex::TSampleIntake intake(state);
  Checker checker(state);
  intake.Attach(checker);
  // The first byte cuts the rest into two reads, so line ends split across
  // reads are fuzzed too.
  const std::size_t cut = size > 0 ? data[0] % size : 0;
  std::string names[kurvex::kMaxCurves];
  const auto feed = [&](const std::uint8_t* bytes, std::size_t count, std::int64_t ns) {
    // Nothing a line holds may raise: a bad value is a gap.
    intake.Receive(bytes, count, {ns, ns}, [&](std::string_view line) { intake.TakeLine(line); });
    for (std::size_t k = 0; k < state.CurveCount; ++k) {
      if (!names[k].empty() && state.CurveNames[k] != names[k]) std::abort();
      names[k] = state.CurveNames[k];
    }
  };
  feed(data, cut, 0);
  feed(data + cut, size - cut, 3'000'000'000);
  return 0;
}
