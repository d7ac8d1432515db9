// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "history/history.h"
#include "history/historyfeed.h"
#include "history/historystatistics.h"
#include "intake/sampleintake.h"

namespace kurvex {
namespace {

constexpr std::int64_t kTenMillion = 10'000'000;
constexpr std::int64_t kStartNs = 1'700'000'000'000'000'000;

float Signal(std::int64_t n) { return static_cast<float>(100 * std::sin(static_cast<double>(n) * 1e-4) + n % 17); }

/// 10 million samples of one curve as a fast instrument brings them: 100
/// lines per batch, a batch every millisecond.
const THistory& TenMillion() {
  static const THistory history = [] {
    THistory h;
    for (std::int64_t n = 1; n <= kTenMillion; ++n) {
      const float v = Signal(n);
      h.Append(kStartNs + (n - 1) / 100 * 1'000'000, {&v, 1}, 1);
    }
    return h;
  }();
  return history;
}

/// A slow instrument: a million samples of one curve, one line per batch,
/// a batch every 10 ms.
const THistory& MillionOneLineBatches() {
  static const THistory history = [] {
    THistory h;
    for (std::int64_t n = 1; n <= 1'000'000; ++n) {
      const float v = Signal(n);
      h.Append(kStartNs + n * 10'000'000, {&v, 1}, 1);
    }
    return h;
  }();
  return history;
}

// What the sample path pays per sample for one curve (batches of 16 lines).
// It runs on into the budget, so dropping the oldest chunks is part of it.
void BM_HistoryAppend(benchmark::State& state) {
  THistory history;
  std::vector<float> values(4096);
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = Signal(static_cast<std::int64_t>(i));
  std::int64_t n = 0;
  for (auto _ : state) {
    ++n;
    history.Append(kStartNs + n / 16 * 2'000'000, {&values[static_cast<std::size_t>(n) % values.size()], 1}, 1);
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["samples_held"] = static_cast<double>(history.LastNumber() - history.FirstNumber() + 1);
}
BENCHMARK(BM_HistoryAppend);

// Resident bytes per sample after 10 million appends of one curve: with the
// batches of a fast instrument, and with one line per batch at 100 a second.
void BM_HistoryBytesPerSample(benchmark::State& state) {
  THistory oneLineBatches;
  for (auto _ : state) {
    oneLineBatches.Clear();
    for (std::int64_t n = 1; n <= kTenMillion; ++n) {
      const float v = Signal(n);
      oneLineBatches.Append(kStartNs + n * 10'000'000, {&v, 1}, 1);
    }
  }
  state.counters["bytes_per_sample"] = static_cast<double>(TenMillion().BytesUsed()) / kTenMillion;
  state.counters["bytes_per_sample_one_line_batches"] = static_cast<double>(oneLineBatches.BytesUsed()) / kTenMillion;
}
BENCHMARK(BM_HistoryBytesPerSample)->Unit(benchmark::kMillisecond)->Iterations(1);

// A range of 10 million samples whose ends fall anywhere in a block.
void BM_HistorySummary10M(benchmark::State& state) {
  const THistory& history = TenMillion();
  std::mt19937 random(1);
  for (auto _ : state) {
    const std::int64_t from = 1 + random() % 1000;
    const std::int64_t to = kTenMillion - random() % 1000;
    benchmark::DoNotOptimize(history.Summary(0, from, to));
  }
}
BENCHMARK(BM_HistorySummary10M)->Unit(benchmark::kMicrosecond);

// The statistics the window shows, of any range of 10 million samples:
// both ends anywhere, lengths from one sample to all of them.
void BM_HistoryStatistics10M(benchmark::State& state) {
  const THistory& history = TenMillion();
  std::mt19937_64 random(5);
  for (auto _ : state) {
    std::int64_t from = 1 + static_cast<std::int64_t>(random() % kTenMillion);
    std::int64_t to = 1 + static_cast<std::int64_t>(random() % kTenMillion);
    if (from > to) std::swap(from, to);
    benchmark::DoNotOptimize(StatisticsOf(history.Summary(0, from, to)));
  }
}
BENCHMARK(BM_HistoryStatistics10M)->Unit(benchmark::kMicrosecond);

// The min/max envelope for a 1,000-pixel plot, zoomed out over all 10
// million samples and in to a view of range(0) samples, at fractional ends.
void BM_HistoryColumns1000(benchmark::State& state) {
  const THistory& history = TenMillion();
  const double span = static_cast<double>(state.range(0));
  const double from = 1 + (static_cast<double>(kTenMillion) - span) / 3 + 0.37;
  std::vector<THistorySummary> columns(1000);
  for (auto _ : state) {
    history.Columns(0, from, from + span, columns);
    benchmark::DoNotOptimize(columns.data());
  }
}
BENCHMARK(BM_HistoryColumns1000)
    ->Arg(kTenMillion - 1)
    ->Arg(1'000'000)
    ->Arg(100'000)
    ->Arg(10'000)
    ->Arg(1'000)
    ->Unit(benchmark::kMicrosecond);

// A frame of a 700-column plot against time: the 701 column borders found
// by time, then each column's summary of one curve. Zoomed out over the
// whole run and in to 1/range(0) of it, at a third of the run; compare
// with BM_HistoryColumns1000, the same frame against sample numbers.
void TimeFrame(benchmark::State& state, const THistory& history) {
  constexpr std::size_t kColumns = 700;
  const std::int64_t firstNs = *history.SampleNs(history.FirstNumber());
  const std::int64_t lastNs = *history.SampleNs(history.LastNumber());
  const double span = static_cast<double>(lastNs - firstNs) / static_cast<double>(state.range(0));
  const double from = static_cast<double>(firstNs) + (static_cast<double>(lastNs - firstNs) - span) / 3 + 0.37;
  std::vector<std::int64_t> borders(kColumns + 1);
  std::vector<THistorySummary> columns(kColumns);
  for (auto _ : state) {
    for (std::size_t c = 0; c <= kColumns; ++c)
      borders[c] = history.FirstAtOrAfterNs(std::llround(from + span * static_cast<double>(c) / kColumns));
    for (std::size_t c = 0; c < kColumns; ++c)
      columns[c] = borders[c + 1] > borders[c] ? history.Summary(0, borders[c], borders[c + 1] - 1) : THistorySummary{};
    benchmark::DoNotOptimize(columns.data());
  }
  state.counters["samples_per_column"] = static_cast<double>(borders[kColumns] - borders[0]) / kColumns;
}

// Against 10 million samples in batches of 100; the last: about 4 samples a column.
void BM_HistoryTimeFrame10M(benchmark::State& state) { TimeFrame(state, TenMillion()); }
BENCHMARK(BM_HistoryTimeFrame10M)->Arg(1)->Arg(10)->Arg(1000)->Arg(3571)->Unit(benchmark::kMicrosecond);

// Against a million one-line batches; 357: about 4 samples a column, 1000: one or two.
void BM_HistoryTimeFrameOneLineBatches(benchmark::State& state) { TimeFrame(state, MillionOneLineBatches()); }
BENCHMARK(BM_HistoryTimeFrameOneLineBatches)->Arg(1)->Arg(10)->Arg(357)->Arg(1000)->Unit(benchmark::kMicrosecond);

std::string InstrumentLines(int count) {
  std::string text;
  char line[32];
  for (int n = 0; n < count; ++n)
    text.append(line, static_cast<std::size_t>(std::snprintf(line, sizeof line, "%.3f\r\n", Signal(n))));
  return text;
}

// The sample path without the window (16 KB blocks, as the serial component
// hands them over), alone and with the history attached: the difference is
// what keeping the history costs each line, to compare with BM_Intake.
void IntakeLines(benchmark::State& state, bool withHistory) {
  TIntakeState session;
  session.TrendMode = true;  // no limit: every line goes to the consumers
  TSampleIntake intake(session);
  THistory history;
  THistoryFeed feed(history);
  if (withHistory) intake.Attach(feed);
  const std::string data = InstrumentLines(200000);
  constexpr std::size_t kBlock = 16384;
  std::size_t offset = 0;
  std::int64_t readAtNs = kStartNs;
  const auto before = session.SampleCount;
  for (auto _ : state) {
    if (offset + kBlock > data.size()) offset = 0;
    intake.Receive(reinterpret_cast<const std::uint8_t*>(data.data() + offset), kBlock, {readAtNs, readAtNs},
                   [&](std::string_view line) { intake.TakeLine(line); });
    offset += kBlock;
    readAtNs += 2'000'000;
  }
  const double lines = static_cast<double>(session.SampleCount - before);
  state.counters["lines_per_s"] = benchmark::Counter(lines, benchmark::Counter::kIsRate);
  state.counters["history_samples"] = static_cast<double>(history.LastNumber());
  state.counters["ns_per_line"] =
      benchmark::Counter(lines * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_IntakeLines(benchmark::State& state) { IntakeLines(state, false); }
BENCHMARK(BM_IntakeLines)->Unit(benchmark::kMicrosecond);
void BM_IntakeLinesHistory(benchmark::State& state) { IntakeLines(state, true); }
BENCHMARK(BM_IntakeLinesHistory)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kurvex
