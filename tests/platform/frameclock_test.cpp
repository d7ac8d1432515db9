// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTimer>

#include <memory>
#include <string>
#include <vector>

#include "platform/system/error.h"
#include "platform/windows/frameclock.h"
#include "tests/support/waituntil.h"
#include "tests/support/qtapp.h"

namespace kurvex {
namespace {

using Clock = TFrameRider::Clock;

class FrameClockTest : public test::QtAppTest {};

TEST_F(FrameClockTest, RidersDueWithinHalfARefreshShareOneFrame) {
  bool loopRan = false;
  bool sameFrame = false;
  TFrameRider first([&] { QTimer::singleShot(0, [&] { loopRan = true; }); });
  TFrameRider second([&] { sameFrame = !loopRan; });
  first.RideNextFrame();
  second.RideFrameFrom(Clock::now() + std::chrono::milliseconds(3));
  // Until the posted call has run too: it writes to this test's stack.
  ASSERT_TRUE(test::WaitUntil([&] { return !first.Waiting() && !second.Waiting() && loopRan; }));
  EXPECT_TRUE(sameFrame) << "the event loop ran between the two: two updates for the screen";
}

TEST_F(FrameClockTest, AskingAgainFromAFrameGetsTheNextFrameARefreshLater) {
  std::vector<Clock::time_point> frames;
  std::unique_ptr<TFrameRider> rider;
  rider = std::make_unique<TFrameRider>([&] {
    frames.push_back(Clock::now());
    if (frames.size() < 3) rider->RideNextFrame();
  });
  rider->RideNextFrame();
  ASSERT_TRUE(test::WaitUntil([&] { return frames.size() == 3; }));
  // The offscreen screen refreshes at 60 Hz.
  EXPECT_GE(frames[2] - frames[0], std::chrono::microseconds(2 * 16600));
}

TEST_F(FrameClockTest, ARiderGoneBeforeItsFrameIsNotCalledAndAnErrorStopsNoOther) {
  std::vector<std::string> reported;
  SetErrorReporter([&](const EKurvexError& e) { reported.push_back(e.what()); });
  auto gone = std::make_unique<TFrameRider>([] { ADD_FAILURE() << "called after it was destroyed"; });
  bool lastRan = false;
  TFrameRider failing([&] {
    gone.reset();
    throw EKurvexError("Zeichenfehler");
  });
  TFrameRider last([&] { lastRan = true; });
  failing.RideNextFrame();
  gone->RideNextFrame();
  last.RideNextFrame();
  ASSERT_TRUE(test::WaitUntil([&] { return lastRan; }));
  SetErrorReporter(nullptr);
  EXPECT_EQ(reported, std::vector<std::string>{"Zeichenfehler"});
}

}  // namespace
}  // namespace kurvex
