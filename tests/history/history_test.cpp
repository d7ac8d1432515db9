// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "history/history.h"
#include "history/historyfeed.h"
#include "intake/sampleintake.h"

namespace kurvex {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr std::size_t kChunk = 4096;  // small chunks, so ranges cross many borders

// The summary of a run computed directly: every value, two passes, in long double.
struct Direct {
  std::vector<float> values;  // without the gaps
  void Add(float v) {
    if (!std::isnan(v)) values.push_back(v);
  }
};

void ExpectSame(const THistorySummary& got, const Direct& want, const char* what) {
  SCOPED_TRACE(what);
  const auto& v = want.values;
  ASSERT_EQ(got.Count, static_cast<std::int64_t>(v.size()));
  if (v.empty()) return;
  EXPECT_EQ(got.Min, *std::min_element(v.begin(), v.end()));
  EXPECT_EQ(got.Max, *std::max_element(v.begin(), v.end()));
  long double sum = 0, largest = 0;
  for (float x : v) sum += x, largest = std::max<long double>(largest, std::fabs(x));
  const long double mean = sum / static_cast<long double>(v.size());
  long double deviations = 0;
  for (float x : v) deviations += (x - mean) * (x - mean);
  // Merged in another order: equal up to double rounding, never overflowed.
  EXPECT_NEAR(got.Mean, static_cast<double>(mean), 1e-13 * static_cast<double>(largest));
  EXPECT_NEAR(got.Deviations, static_cast<double>(deviations), 1e-10 * static_cast<double>(deviations));
}

// Two curves; the second appears in the middle of a chunk. Gaps, and values
// at the edges of single precision.
class HistoryRangesTest : public ::testing::Test {
 protected:
  HistoryRangesTest() {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> value(-1000, 1000);
    constexpr float kExtremes[] = {3.4e38f, -3.4e38f, 1e-38f, -1e-38f};
    for (std::int64_t n = 1; n <= kSamples; ++n) {
      float v[2];
      std::uint16_t present = n >= kSecondFrom ? 3 : 1;
      for (int k = 0; k < 2; ++k) {
        const unsigned pick = random() % 100;
        v[k] = pick < 3 ? kExtremes[random() % 4] : value(random);
        if (pick >= 95) present &= static_cast<std::uint16_t>(~(1u << k));  // a gap
      }
      history.Append(n, v, present);
      for (int k = 0; k < 2; ++k) want[k].push_back(present >> k & 1 ? v[k] : kNaN);
    }
  }

  Direct Expected(std::size_t curve, std::int64_t from, std::int64_t to) const {
    Direct direct;
    for (std::int64_t n = std::max<std::int64_t>(from, 1); n <= std::min(to, kSamples); ++n)
      direct.Add(want[curve][static_cast<std::size_t>(n - 1)]);
    return direct;
  }

  static constexpr std::int64_t kSamples = 5 * kChunk + 1234;
  static constexpr std::int64_t kSecondFrom = kChunk + 1000;
  THistory history{std::size_t{1} << 30, kChunk};
  std::vector<float> want[2];
};

TEST_F(HistoryRangesTest, HoldsEveryValueAndCurve) {
  EXPECT_EQ(history.FirstNumber(), 1);
  EXPECT_EQ(history.LastNumber(), kSamples);
  EXPECT_EQ(history.Curves(), 2u);
  for (std::int64_t n = 1; n <= kSamples; ++n)
    for (std::size_t k = 0; k < 2; ++k) {
      const float v = history.Value(k, n);
      const float w = want[k][static_cast<std::size_t>(n - 1)];
      ASSERT_TRUE(v == w || (std::isnan(v) && std::isnan(w))) << "curve " << k << " sample " << n;
    }
  EXPECT_TRUE(std::isnan(history.Value(0, 0)));
  EXPECT_TRUE(std::isnan(history.Value(0, kSamples + 1)));
  EXPECT_TRUE(std::isnan(history.Value(2, 1)));
}

TEST_F(HistoryRangesTest, SummaryOfAnyRangeIsTheDirectOne) {
  std::vector<std::pair<std::int64_t, std::int64_t>> ranges = {
      {1, kSamples}, {-5, kSamples + 100}, {kSamples, kSamples}, {1, 1}, {7, 3}, {kSamples + 1, kSamples + 9}};
  // Ends on and beside the borders of blocks, of the levels above them and of chunks.
  for (std::int64_t border : {64, 1024, 4096, 8192, 3 * 4096 + 1024, 5 * 4096}) {
    for (std::int64_t d = -1; d <= 1; ++d) {
      ranges.push_back({border + d, kSamples});
      ranges.push_back({1, border + d});
      ranges.push_back({border + d, border + 4096 + 64 - d});
    }
  }
  std::mt19937 random(11);
  for (int i = 0; i < 300; ++i) {
    const std::int64_t a = static_cast<std::int64_t>(random() % (kSamples + 20)) - 10;
    const std::int64_t length = static_cast<std::int64_t>(random() % (i % 2 ? 300 : kSamples));
    ranges.push_back({a, a + length});
  }
  for (std::size_t k = 0; k < 2; ++k)
    for (const auto& [from, to] : ranges) {
      const std::string what =
          "curve " + std::to_string(k) + " [" + std::to_string(from) + ", " + std::to_string(to) + "]";
      ExpectSame(history.Summary(k, from, to), Expected(k, from, to), what.c_str());
    }
  EXPECT_EQ(history.Summary(5, 1, kSamples).Count, 0);
}

// Each column takes the samples n with from + c*w <= n < from + (c+1)*w,
// whatever the zoom: wider than chunks, a few samples, under one sample.
TEST_F(HistoryRangesTest, ColumnsAreTheSummariesOfTheirFractionalRuns) {
  struct Case {
    double from, to;
    std::size_t columns;
  };
  const Case cases[] = {{1, kSamples + 1, 1000}, {0.5, kSamples + 0.5, 7}, {-300.25, 9000.75, 333},
                        {4000.3, 4200.9, 1000},  {4090.5, 4101.5, 50},     {kSamples - 10.5, kSamples + 40, 64}};
  for (std::size_t k = 0; k < 2; ++k)
    for (const Case& c : cases) {
      std::vector<THistorySummary> got(c.columns);
      history.Columns(k, c.from, c.to, got);
      std::vector<Direct> expected(c.columns);
      const double w = (c.to - c.from) / static_cast<double>(c.columns);
      for (std::int64_t n = 1; n <= kSamples; ++n) {
        const auto guess = static_cast<std::int64_t>(std::floor((static_cast<double>(n) - c.from) / w));
        for (std::int64_t col = guess - 1; col <= guess + 1; ++col) {
          if (col < 0 || col >= static_cast<std::int64_t>(c.columns)) continue;
          const double x = static_cast<double>(col);
          if (c.from + x * w <= static_cast<double>(n) && static_cast<double>(n) < c.from + (x + 1) * w)
            expected[static_cast<std::size_t>(col)].Add(want[k][static_cast<std::size_t>(n - 1)]);
        }
      }
      for (std::size_t col = 0; col < c.columns; ++col) {
        const std::string what =
            "curve " + std::to_string(k) + " from " + std::to_string(c.from) + " column " + std::to_string(col);
        ExpectSame(got[col], expected[col], what.c_str());
      }
    }
}

// A large mean with a small spread, and neighbouring values at the float
// limit: a sum of squares less the squared mean would cancel every digit.
TEST(HistoryTest, SpreadOfALargeMeanSurvivesAcrossBlocksAndChunks) {
  const float bases[] = {16777216.0f, 3.4e38f, -3.4e38f, 1e-38f};
  for (float base : bases) {
    THistory history(std::size_t{1} << 30, kChunk);
    std::vector<float> values;
    for (std::int64_t n = 1; n <= 3 * static_cast<std::int64_t>(kChunk) + 77; ++n) {
      float v = base;
      for (std::int64_t step = n % 3; step > 0; --step) v = std::nextafter(v, 0.0f);
      history.Append(n, {&v, 1}, 1);
      values.push_back(v);
    }
    for (const auto& [from, to] : std::vector<std::pair<std::int64_t, std::int64_t>>{
             {1, 3 * 4096 + 77}, {63, 4097}, {65, 1023}, {4000, 8200}, {5, 9}}) {
      Direct direct;
      for (std::int64_t n = from; n <= to; ++n) direct.Add(values[static_cast<std::size_t>(n - 1)]);
      const std::string what = std::to_string(base) + " [" + std::to_string(from) + ", " + std::to_string(to) + "]";
      ExpectSame(history.Summary(0, from, to), direct, what.c_str());
      EXPECT_GT(history.Summary(0, from, to).Deviations, 0);
    }
  }
}

TEST(HistoryTest, BeyondItsBudgetDropsTheOldestChunksAndKeepsEveryNewerSample) {
  constexpr std::size_t kBudget = 200 * 1024;
  THistory history(kBudget, kChunk);
  constexpr std::int64_t kSamples = 100000;
  std::size_t chunkBytes = 0;
  for (std::int64_t n = 1; n <= kSamples; ++n) {
    const float v = static_cast<float>(n);
    history.Append(n * 1000, {&v, 1}, 1);
    ASSERT_LE(history.BytesUsed(), kBudget) << "sample " << n;
    if (n == kChunk) chunkBytes = history.BytesUsed();
  }
  const std::int64_t first = history.FirstNumber();
  EXPECT_EQ((first - 1) % static_cast<std::int64_t>(kChunk), 0);  // whole chunks leave
  EXPECT_GT(first, 1);
  EXPECT_GT(history.BytesUsed() + 2 * chunkBytes, kBudget);  // no more than needed leaves
  EXPECT_EQ(history.LastNumber(), kSamples);
  for (std::int64_t n = first; n <= kSamples; ++n) {
    ASSERT_EQ(history.Value(0, n), static_cast<float>(n));
    ASSERT_EQ(history.WallNs(n), n * 1000);
  }
  EXPECT_TRUE(std::isnan(history.Value(0, first - 1)));
  EXPECT_FALSE(history.WallNs(first - 1));
  const THistorySummary all = history.Summary(0, 1, kSamples);
  EXPECT_EQ(all.Count, kSamples - first + 1);
  EXPECT_EQ(all.Min, static_cast<float>(first));
}

// The slowest instrument the budget is made for: one line per batch, 100 a
// second. 25 million samples of one curve must fit into the default budget.
TEST(HistoryTest, OneCurveCostsUnderTenBytesASampleWithABatchPerSample) {
  THistory history;
  const std::int64_t start = 1'700'000'000'000'000'000;
  for (std::int64_t n = 1; n <= static_cast<std::int64_t>(kHistoryChunkSamples); ++n) {
    const float v = static_cast<float>(n % 1000);
    history.Append(start + n * 10'000'000 + n % 7 * 1000, {&v, 1}, 1);
  }
  const double perSample = static_cast<double>(history.BytesUsed()) / static_cast<double>(kHistoryChunkSamples);
  EXPECT_LT(perSample, 10.0);
  EXPECT_GE((std::size_t{256} << 20) / perSample, 25e6);
  EXPECT_EQ(history.WallNs(12345), start + std::int64_t{12345} * 10'000'000 + 12345 % 7 * 1000);
}

// Batches of one to five lines; times that step far, step back (the clock
// was set) and repeat; times not known (a gap of an opened file) and the
// time 0 between them; read back across checkpoints, pages and chunks.
TEST(HistoryTest, EachSampleHasTheTimeOfItsBatch) {
  THistory history(std::size_t{1} << 30, kChunk);
  std::mt19937 random(3);
  std::vector<std::optional<std::int64_t>> times;
  std::int64_t wall = 1'700'000'000'000'000'000;
  const float v = 1;
  while (times.size() < 3 * kChunk + 500) {
    const unsigned kind = random() % 12;
    const std::int64_t step = kind == 0   ? -static_cast<std::int64_t>(random() % 1'000'000'000u)
                              : kind == 1 ? std::int64_t{1} << 61
                              : kind == 2 ? -(std::int64_t{1} << 61)
                                          : static_cast<std::int64_t>(random() % 5'000'000'000ull);
    // Past the ends of int64 it wraps: times as far apart as they get.
    wall = static_cast<std::int64_t>(static_cast<std::uint64_t>(wall) + static_cast<std::uint64_t>(step));
    std::optional<std::int64_t> batch = wall;
    if (kind == 10) batch = std::nullopt;
    if (kind == 11) batch = 0;
    for (unsigned lines = 1 + random() % 5; lines > 0; --lines) {
      history.Append(batch, {&v, 1}, 1);
      times.push_back(batch);
    }
  }
  for (std::size_t i = 0; i < times.size(); ++i)
    ASSERT_EQ(history.WallNs(static_cast<std::int64_t>(i + 1)), times[i]) << "sample " << i + 1;
  EXPECT_FALSE(history.WallNs(0));
  EXPECT_FALSE(history.WallNs(static_cast<std::int64_t>(times.size()) + 1));
}

TEST(HistoryTest, ClearStartsAgainFromSampleOne) {
  THistory history(300 * 1024, kChunk);
  const float values[3] = {1, 2, 3};
  for (int n = 0; n < 20 * static_cast<int>(kChunk); ++n) history.Append(5, values, 7);
  ASSERT_GT(history.FirstNumber(), 1);
  history.Clear();
  EXPECT_EQ(history.FirstNumber(), 1);
  EXPECT_EQ(history.LastNumber(), 0);
  EXPECT_EQ(history.Curves(), 0u);
  EXPECT_EQ(history.BytesUsed(), 0u);
  EXPECT_EQ(history.Summary(0, 1, 100).Count, 0);
  const float next = 9;
  history.Append(6, {&next, 1}, 1);
  EXPECT_EQ(history.LastNumber(), 1);
  EXPECT_EQ(history.Curves(), 1u);
  EXPECT_EQ(history.Value(0, 1), 9);
  EXPECT_EQ(history.WallNs(1), 6);
  EXPECT_TRUE(std::isnan(history.Value(1, 1)));
}

TEST(HistoryFeedTest, KeepsTheScaledValuesOfEachCurveWithTheirBatchTime) {
  TIntakeState state;
  state.ScaleFactor = 2;
  state.ScaleOffset = 1;
  TSampleIntake intake(state);
  THistory history;
  THistoryFeed feed(history);
  intake.Attach(feed);
  const auto receive = [&](const std::string& bytes, std::int64_t wallNs) {
    intake.Receive(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), {wallNs, 0},
                   [&](std::string_view line) { intake.TakeLine(line); });
  };
  receive("a=1;b=2\r\nb=5\r\n", 100);
  receive("a=3\r\n", 200);
  ASSERT_EQ(history.LastNumber(), 3);
  EXPECT_EQ(history.Curves(), 2u);
  EXPECT_EQ(history.Value(0, 1), 3);
  EXPECT_EQ(history.Value(1, 1), 5);
  EXPECT_TRUE(std::isnan(history.Value(0, 2)));  // the line had no a
  EXPECT_EQ(history.Value(1, 2), 11);
  EXPECT_EQ(history.Value(0, 3), 7);
  EXPECT_TRUE(std::isnan(history.Value(1, 3)));
  EXPECT_EQ(history.WallNs(2), 100);
  EXPECT_EQ(history.WallNs(3), 200);
}

}  // namespace
}  // namespace kurvex
