// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "intake/sampleintake.h"

namespace kurvex {
namespace {

struct Taken {
  char Consumer;
  std::int64_t Number;
  std::int64_t ReadAtNs;
  float Raw, Scaled;
  bool operator==(const Taken&) const = default;
};

// Writes down what it takes, into a log shared with the other consumers.
class LogConsumer : public TSampleConsumer {
 public:
  LogConsumer(char name, std::vector<Taken>& log) : m_name(name), m_log(log) {}
  void Take(const TSample& sample) override {
    ASSERT_EQ(sample.Values.size(), 1u);
    m_log.push_back({m_name, sample.Number, sample.ReadAt.WallNs, sample.Values[0].Raw, sample.Values[0].Scaled});
  }

 private:
  char m_name;
  std::vector<Taken>& m_log;
};

class SampleIntakeTest : public ::testing::Test {
 protected:
  SampleIntakeTest() { intake.Attach(consumer); }

  void Receive(const std::string& bytes, std::int64_t readAtNs = 0) {
    intake.Receive(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), {readAtNs, readAtNs},
                   [this](std::string_view line) { outcomes.push_back(intake.TakeLine(line)); });
  }

  TIntakeState state;
  TSampleIntake intake{state};
  std::vector<Taken> log;
  LogConsumer consumer{'A', log};
  std::vector<TLineOutcome> outcomes;
};

TEST_F(SampleIntakeTest, LinesBecomeNumberedScaledSamplesForEachConsumerInTurn) {
  LogConsumer second('B', log);
  intake.Attach(second);
  state.ScaleFactor = 2;
  state.ScaleOffset = 1;
  Receive(" 3\t\r\n0.", 100);
  Receive("5\r\n\r\n", 200);  // the time of a line is that of the batch that ends it
  EXPECT_EQ(log, (std::vector<Taken>{{'A', 1, 100, 3, 7}, {'B', 1, 100, 3, 7},
                                     {'A', 2, 200, 0.5f, 2}, {'B', 2, 200, 0.5f, 2},
                                     {'A', 3, 200, 0, 1}, {'B', 3, 200, 0, 1}}));
  EXPECT_EQ(state.SampleCount, 3);
  EXPECT_EQ(state.RawValue, 0);
  EXPECT_EQ(state.ScaledValue, 1);
  EXPECT_EQ(state.InvalidLines, 1);  // the empty line
  EXPECT_FALSE(outcomes.back().Complete);
}

// Raw × factor + offset is rounded once: rounding the product to single
// first would land on a tie that goes the other way.
TEST_F(SampleIntakeTest, ScalesInExtendedPrecisionAndStoresSingle) {
  state.ScaleFactor = 1.00000011920928955078125f;  // 1 + 2^-23
  state.ScaleOffset = 5.9604644775390625e-08f;     // 2^-24
  Receive("1.00000011920928955078125\r\n");
  EXPECT_EQ(state.ScaledValue, 1.00000035762786865234375f);  // 1 + 2^-22 + 2^-23
}

TEST_F(SampleIntakeTest, TheSampleBeyondTheNormalLimitIsCountedButGoesToNoConsumer) {
  state.SampleCount = kNormalSampleLimit - 1;
  Receive("1\r\n2\r\n3\r\n");
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].Number, kNormalSampleLimit);
  EXPECT_EQ(state.SampleCount, kNormalSampleLimit + 2);
  EXPECT_FALSE(outcomes[0].BeyondLimit);
  EXPECT_TRUE(outcomes[1].BeyondLimit);
  EXPECT_TRUE(outcomes[2].BeyondLimit);  // each further line finds it passed too

  state.TrendMode = true;  // Trend counts on without limit
  Receive("4\r\n");
  EXPECT_FALSE(outcomes.back().BeyondLimit);
  EXPECT_EQ(log.back().Number, kNormalSampleLimit + 3);
}

// A bad line keeps its sample number but has no value: the consumers get
// it as a gap, curve 1's last value stays, and the lines after it go on.
TEST_F(SampleIntakeTest, LinesWithoutAValueInRangeAreCountedGaps) {
  struct Gaps : TSampleConsumer {
    std::string seen;
    void Take(const TSample& sample) override { seen += sample.Has(0) ? "v" : "-"; }
  } gaps;
  intake.Attach(gaps);
  Receive("5\r\n1e39\r\n3.5e38\r\n-1e39\r\nabc\r\n" + std::string(kMaxPendingLine + 1, 'x') + "\r\n6\r\n");
  state.ScaleFactor = 1e30f;
  Receive("1e10\r\n1e5\r\n");  // the scaled value leaves single range, then does not
  EXPECT_EQ(gaps.seen, "v-----v-v");
  EXPECT_EQ(state.SampleCount, 9);
  EXPECT_EQ(state.InvalidLines, 6);
  EXPECT_EQ(state.RawValue, 1e5f);
  EXPECT_EQ(log.back().Scaled, static_cast<float>(1e5L * 1e30f));
  EXPECT_EQ(outcomes.size(), 9u);
}

// Bytes that keep arriving for 2 s without a line end, by their read times.
TEST_F(SampleIntakeTest, BytesWithoutALineEndFor2sAreNoticed) {
  constexpr std::int64_t kSecond = 1'000'000'000;
  Receive("1\n", 5 * kSecond);
  Receive("2\n", 6 * kSecond);  // LF decided
  Receive("3", 7 * kSecond);
  Receive("4", 9 * kSecond - 1);
  EXPECT_FALSE(state.NoLineEnd);
  Receive("5", 9 * kSecond);
  EXPECT_TRUE(state.NoLineEnd);
  Receive("\n", 10 * kSecond);
  EXPECT_FALSE(state.NoLineEnd);
  Receive("7", 20 * kSecond);  // one batch is no stream
  EXPECT_FALSE(state.NoLineEnd);
  EXPECT_EQ(state.SampleCount, 3);
}

}  // namespace
}  // namespace kurvex
