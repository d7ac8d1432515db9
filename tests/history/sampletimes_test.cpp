// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "history/blockspread.h"
#include "history/history.h"

namespace kurvex {
namespace {

using TTimes = std::vector<std::optional<std::int64_t>>;  // per sample, sample 1 first
constexpr std::int64_t kStartNs = 1'700'000'000'000'000'000;

// The sample times straight from the rule: a block is a run of samples with
// one batch time, its lines spread since the block before.
TTimes Direct(const TTimes& batchTimes, std::optional<std::int64_t> start) {
  std::vector<std::pair<std::int64_t, std::optional<std::int64_t>>> blocks;  // lines, time
  for (std::size_t i = 0; i < batchTimes.size(); ++i)
    if (i > 0 && batchTimes[i] == batchTimes[i - 1])
      ++blocks.back().first;
    else
      blocks.emplace_back(1, batchTimes[i]);
  TTimes times;
  for (std::size_t k = 0; k < blocks.size(); ++k) {
    const auto [lines, ns] = blocks[k];
    const std::optional<std::int64_t> before = k > 0 ? blocks[k - 1].second : start;
    const std::optional<std::int64_t> beforeThat = k > 1 ? blocks[k - 2].second : k == 1 ? start : std::nullopt;
    std::optional<double> perLine;
    if (before && beforeThat) perLine = static_cast<double>(*before - *beforeThat) / blocks[k - 1].first;
    for (std::int64_t line = 1; line <= lines; ++line)
      times.push_back(ns ? std::optional(LineNs({*ns, lines, before, perLine}, line)) : std::nullopt);
  }
  return times;
}

struct TShape {
  const char* Name;
  unsigned MinLines, MaxLines, Batches, PausePercent, UnknownPercent, BackPercent;
};
constexpr TShape kShapes[] = {
    {"one line per batch", 1, 1, 5000, 0, 0, 0},
    {"thousands per batch", 1000, 5000, 12, 0, 0, 0},
    {"pauses", 1, 30, 1500, 3, 0, 0},
    {"unknown times", 1, 8, 3000, 1, 10, 0},
    {"no time known", 1, 8, 2500, 0, 100, 0},
    {"clock set back", 1, 40, 1500, 2, 3, 4},
};

// Batch times of a run of this shape: a batch about every ms per 100 lines.
TTimes Generate(const TShape& shape, unsigned seed) {
  std::mt19937 random(seed);
  TTimes times;
  std::int64_t wall = kStartNs;
  for (unsigned b = 0; b < shape.Batches; ++b) {
    const unsigned lines = shape.MinLines + random() % (shape.MaxLines - shape.MinLines + 1);
    wall += static_cast<std::int64_t>(10'000 * lines + random() % 300'000);
    if (random() % 100 < shape.PausePercent) wall += 5'000'000'000;
    if (random() % 100 < shape.BackPercent) wall -= 2'000'000'000;
    times.insert(times.end(), lines, random() % 100 < shape.UnknownPercent ? std::nullopt : std::optional(wall));
  }
  return times;
}

// Against the rule over each run so far (a third, two thirds, all of it, so
// also in the middle of a block) with a known and an unknown start, in
// chunks smaller and larger than a checkpoint's entries, whole and with the
// oldest chunks dropped; one history per chunk size and budget, cleared
// between runs. Each held sample's time; the first sample at every
// sample's time, a ns either side, before and after all. Where the clock
// was set back, the search may answer otherwise, but within the held
// numbers and one past them.
TEST(HistorySampleTimesTest, EachSampleLiesWhereTheRulePutsItAndItsTimeFindsIt) {
  for (const std::size_t chunk : {std::size_t{64}, std::size_t{4096}})
    for (const std::size_t budget : {std::size_t{1} << 30, std::size_t{64} << 10}) {
      THistory history(budget, chunk);
      unsigned seed = 1;
      for (const TShape& shape : kShapes)
        for (const std::optional<std::int64_t> start : {std::optional<std::int64_t>{}, std::optional(kStartNs)}) {
          SCOPED_TRACE(std::string(shape.Name) + ", chunk " + std::to_string(chunk) + ", budget " +
                       std::to_string(budget) + (start ? ", start known" : ", start unknown"));
          const TTimes batchTimes = Generate(shape, ++seed);
          history.Clear(start);
          const float v = 0;
          for (std::size_t count = 1; count <= batchTimes.size(); ++count) {
            history.Append(batchTimes[count - 1], {&v, 1}, 1);
            if (count % (batchTimes.size() / 3) != 0 && count != batchTimes.size()) continue;
            const TTimes want = Direct(TTimes(batchTimes.begin(), batchTimes.begin() + count), start);
            std::vector<std::pair<std::int64_t, std::int64_t>> known;  // (time, number) of the held samples
            for (std::int64_t n = history.FirstNumber(); n <= history.LastNumber(); ++n) {
              ASSERT_EQ(history.SampleNs(n), want[static_cast<std::size_t>(n - 1)]) << "sample " << n;
              if (want[static_cast<std::size_t>(n - 1)]) known.emplace_back(*want[static_cast<std::size_t>(n - 1)], n);
            }
            EXPECT_FALSE(history.SampleNs(history.FirstNumber() - 1));
            EXPECT_FALSE(history.SampleNs(history.LastNumber() + 1));
            const bool forward = shape.BackPercent == 0;
            ASSERT_TRUE(!forward || std::is_sorted(known.begin(), known.end()));
            std::vector<std::int64_t> queries = {std::numeric_limits<std::int64_t>::min(), kStartNs,
                                                 std::numeric_limits<std::int64_t>::max()};
            for (const auto& [t, n] : known) queries.insert(queries.end(), {t - 1, t, t + 1});
            for (const std::int64_t ns : queries) {
              const std::int64_t got = history.FirstAtOrAfterNs(ns);
              const auto first = std::lower_bound(known.begin(), known.end(), std::pair(ns, std::int64_t{0}));
              const std::int64_t expected = first == known.end() ? history.LastNumber() + 1 : first->second;
              ASSERT_TRUE(forward ? got == expected : got >= history.FirstNumber() && got <= history.LastNumber() + 1)
                  << "ns " << ns << ": " << got << ", not " << expected;
            }
          }
          EXPECT_TRUE(budget > std::size_t{1} << 20 || history.FirstNumber() > 1);
        }
    }
}

}  // namespace
}  // namespace kurvex
