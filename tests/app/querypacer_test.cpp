// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instrument/querypacer.h"

#include <gtest/gtest.h>

namespace kurvex::test {
namespace {

using namespace std::chrono_literals;
using TClock = TQueryPacer::TClock;

// Over `run`, against an instrument that answers each query after
// `answerTime` (none: never), the window's timer ticking every interval, a
// late answer asking at once and the ticks following from there; the
// queries that went out.
int Queries(TQueryPacer& pacer, TQueryPacer::TDuration run, std::optional<TQueryPacer::TDuration> answerTime) {
  const TClock::time_point start{};
  TClock::time_point answerAt = TClock::time_point::max();  // none awaited
  TClock::time_point tick = start;
  int queries = 0;
  // Time moves in steps of a millisecond; ticks and answers land on them.
  for (TQueryPacer::TDuration t{0}; t < run; t += 1ms) {
    const TClock::time_point now = start + t;
    bool late = false;
    if (now >= answerAt) {
      late = pacer.LineArrived(now);
      answerAt = TClock::time_point::max();
    }
    if (late) {
      tick = now;  // the timer starts again
    } else if (now < tick) {
      continue;
    }
    tick += pacer.Interval();
    if (!pacer.Due(now)) continue;
    ++queries;
    if (answerTime) answerAt = now + *answerTime;
  }
  return queries;
}

TEST(QueryPacer, ASlowInstrumentGetsAQueryPerAnswerNotPerInterval) {
  TQueryPacer pacer(20ms, 0ms);
  // 250 ms an answer, asked every 20 ms: at once after each answer.
  EXPECT_EQ(Queries(pacer, 10s, 250ms), 40);
  EXPECT_EQ(pacer.Missing(), 0);
  EXPECT_EQ(pacer.RoundTrips().Median, 250ms);

  TQueryPacer fast(20ms, 0ms);
  EXPECT_EQ(Queries(fast, 10s, 3ms), 500) << "an instant instrument is asked every interval";
}

TEST(QueryPacer, ASilentInstrumentIsAskedOncePerTimeoutAndEachMissingAnswerCounts) {
  TQueryPacer pacer(100ms, 0ms);
  EXPECT_EQ(pacer.Timeout(), 1s) << "at least a second";
  EXPECT_EQ(Queries(pacer, 10s, std::nullopt), 10);
  EXPECT_EQ(pacer.Missing(), 9) << "the last still waits";
  EXPECT_FALSE(pacer.RoundTrips().Last);

  TQueryPacer slow(5s, 0ms);
  EXPECT_EQ(slow.Timeout(), 5s) << "the interval, when it is longer";
  TQueryPacer set(20ms, 50ms);
  EXPECT_EQ(Queries(set, 1s, std::nullopt), 17) << "every third tick, at 0, 60, 120 … 960 ms";
  set.Restart();
  EXPECT_EQ(set.Missing(), 0);
  EXPECT_FALSE(set.Waiting());
}

TEST(QueryPacer, RoundTripsAreTheLastTheMedianThe99thPercentileAndTheLongest) {
  TQueryPacer pacer(10ms, 0ms);
  const TClock::time_point t{};
  for (const auto rtt : {5ms, 40ms, 7ms, 6ms, 8ms}) {
    ASSERT_TRUE(pacer.Due(t));
    pacer.LineArrived(t + rtt);
  }
  pacer.LineArrived(t + 1s);  // a line nobody asked for
  const TQueryPacer::TRoundTrips trips = pacer.RoundTrips();
  EXPECT_EQ(trips.Last, 8ms);
  EXPECT_EQ(trips.Median, 7ms);
  EXPECT_EQ(trips.Maximum, 40ms);

  // Of 200 answers taking 200, 199, … 1 ms, the 99th percentile is the 199th shortest.
  TQueryPacer many(10ms, 0ms);
  for (int ms = 200; ms >= 1; --ms) {
    ASSERT_TRUE(many.Due(t));
    many.LineArrived(t + std::chrono::milliseconds(ms));
  }
  EXPECT_EQ(many.RoundTrips().Percentile99, 199ms);
  EXPECT_EQ(many.RoundTrips().Median, 101ms);
}

}  // namespace
}  // namespace kurvex::test
