// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/sendqueue.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace kurvex {
namespace {

using Clock = TSendQueue::Clock;

TEST(SendQueue, HoldsAtMostItsLimitAndRefusesWholeCommandsBeyond) {
  TSendQueue queue;
  const Clock::time_point now = Clock::now();
  EXPECT_FALSE(queue.Push(std::string(kMaxQueuedSendBytes + 1, 'a'), now));
  EXPECT_EQ(queue.Waiting(), 0u);
  EXPECT_TRUE(queue.Push(std::string(kMaxQueuedSendBytes - 3, 'a'), now));
  EXPECT_FALSE(queue.Push("bcde", now));
  EXPECT_TRUE(queue.Push("bcd", now));
  EXPECT_EQ(queue.Waiting(), kMaxQueuedSendBytes);
  EXPECT_FALSE(queue.Push("e", now));
  queue.Consume(1, now);
  EXPECT_TRUE(queue.Push("e", now));

  std::string chunk;
  queue.Peek(chunk, 4096);
  EXPECT_EQ(chunk, std::string(4096, 'a'));
  queue.Consume(kMaxQueuedSendBytes - 4, now);
  queue.Peek(chunk, 4096);
  EXPECT_EQ(chunk, "bcde");
  queue.Clear();
  queue.Peek(chunk, 4096);
  EXPECT_TRUE(chunk.empty());
}

TEST(SendQueue, StallsWhenTheLineTakesNothingForHalfASecond) {
  TSendQueue queue;
  const Clock::time_point start = Clock::now();
  const auto at = [&](int ms) { return start + std::chrono::milliseconds(ms); };
  EXPECT_FALSE(queue.Stalled(at(10000))) << "nothing waits";
  ASSERT_TRUE(queue.Push("MEAS?\n", at(0)));
  EXPECT_FALSE(queue.Stalled(at(500)));
  EXPECT_TRUE(queue.Stalled(at(501)));
  queue.Consume(2, at(600));
  EXPECT_FALSE(queue.Stalled(at(1100)));
  EXPECT_TRUE(queue.Stalled(at(1101)));
  // Queuing more does not count as the line taking anything.
  ASSERT_TRUE(queue.Push("READ?\n", at(1200)));
  EXPECT_TRUE(queue.Stalled(at(1200)));
  queue.Consume(queue.Waiting(), at(1300));
  EXPECT_FALSE(queue.Stalled(at(5000)));
  // A queue that empties and fills again starts a new wait.
  ASSERT_TRUE(queue.Push("x", at(6000)));
  EXPECT_FALSE(queue.Stalled(at(6400)));
}

TEST(SendQueue, WaitEmptyEndsAtItsDeadlineOrWhenTheLastByteGoes) {
  TSendQueue queue;
  EXPECT_TRUE(queue.WaitEmpty(Clock::now()));
  ASSERT_TRUE(queue.Push("abc", Clock::now()));
  EXPECT_FALSE(queue.WaitEmpty(Clock::now() + std::chrono::milliseconds(5)));
  std::thread writer([&] {
    queue.Consume(1, Clock::now());
    queue.Consume(2, Clock::now());
  });
  EXPECT_TRUE(queue.WaitEmpty(Clock::now() + std::chrono::seconds(10)));
  writer.join();
}

}  // namespace
}  // namespace kurvex
