// SPDX-License-Identifier: GPL-3.0-or-later
#include <atomic>
#include <chrono>
#include <optional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <QLabel>
#include <QTimer>

#include "platform/system/dispatcher.h"
#include "platform/system/error.h"
#include "platform/windows/deferredtext.h"
#include "platform/windows/frameclock.h"
#include "tests/support/qtapp.h"
#include "tests/support/waituntil.h"

namespace kurvex {
namespace {

using DispatcherTest = test::QtAppTest;

TEST_F(DispatcherTest, CallsPostedFromAWorkerRunInOrderOnTheGuiThread) {
  std::vector<int> order;
  bool allOnGuiThread = true;
  std::thread worker([&] {
    EXPECT_FALSE(TDispatcher::InGuiThread());
    for (int i = 0; i < 200; ++i) {
      TDispatcher::Post([&, i] {
        order.push_back(i);
        allOnGuiThread = allOnGuiThread && TDispatcher::InGuiThread();
      });
    }
  });
  worker.join();
  EXPECT_TRUE(order.empty()) << "nothing runs before the GUI thread handles events";
  TDispatcher::ProcessMessages();
  ASSERT_EQ(order.size(), 200u);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(order[i], i);
  EXPECT_TRUE(allOnGuiThread);
}

TEST_F(DispatcherTest, AnErrorInAPostedCallIsReported) {
  std::vector<std::string> reported;
  SetErrorReporter([&](const EKurvexError& e) { reported.push_back(e.what()); });
  bool after = false;
  TDispatcher::Post([] { throw EKurvexError("Gleitkommaüberlauf"); });
  TDispatcher::Post([&] { after = true; });
  TDispatcher::ProcessMessages();
  SetErrorReporter(nullptr);
  EXPECT_EQ(reported, (std::vector<std::string>{"Gleitkommaüberlauf"}));
  EXPECT_TRUE(after) << "later calls still run";
}

// A worker waits for the call on the GUI thread, sees what it did and gets
// its error.
TEST_F(DispatcherTest, SynchronizeFromAWorkerWaitsForTheGuiThreadAndRethrows) {
  int value = 0;
  bool ranOnGuiThread = false;
  int seenByWorker = -1;
  std::string caught;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    TDispatcher::Synchronize([&] {
      ranOnGuiThread = TDispatcher::InGuiThread();
      value = 42;
    });
    seenByWorker = value;
    try {
      TDispatcher::Synchronize([] { throw EKurvexError("Schnittstellenfehler"); });
    } catch (const EKurvexError& e) {
      caught = e.what();
    }
    done = true;
  });
  EXPECT_TRUE(test::WaitUntil([&] { return done.load(); }));
  worker.join();
  EXPECT_TRUE(ranOnGuiThread);
  EXPECT_EQ(seenByWorker, 42);
  EXPECT_EQ(caught, "Schnittstellenfehler");
}

TEST_F(DispatcherTest, SynchronizeOnTheGuiThreadRunsAtOnce) {
  int value = 0;
  TDispatcher::Synchronize([&] { value = 7; });  // would deadlock if it waited for the loop
  EXPECT_EQ(value, 7);
  std::stop_source stopped;
  stopped.request_stop();
  EXPECT_FALSE(TDispatcher::Synchronize([&] { value = 8; }, stopped.get_token()));
  EXPECT_EQ(value, 7);
}

TEST_F(DispatcherTest, AStopRequestReleasesAWorkerWaitingForABusyGuiThread) {
  // The GUI thread does not handle events here, as when it joins the worker.
  bool ran = false;
  std::atomic<int> result{-1};
  std::jthread worker([&](std::stop_token stop) {
    result = TDispatcher::Synchronize([&] { ran = true; }, stop) ? 1 : 0;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  worker.request_stop();
  worker.join();
  EXPECT_EQ(result, 0);
  TDispatcher::ProcessMessages();
  EXPECT_FALSE(ran) << "an abandoned call must not run later";
}

TEST_F(DispatcherTest, TerminateEndsTheMessageLoopEvenWhenAskedBeforeItRuns) {
  bool ranInLoop = false;
  TDispatcher::Post([&] {
    ranInLoop = true;
    TDispatcher::Terminate();
  });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] {
    ADD_FAILURE() << "the loop did not end";
    TDispatcher::Terminate();
  });
  watchdog.start(5000);
  EXPECT_EQ(TDispatcher::Run(), 0);
  EXPECT_TRUE(ranInLoop);

  TDispatcher::Terminate();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(TDispatcher::Run(), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  TDispatcher::ProcessMessages();  // the stale quit request finds no loop
}

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

// A change that can wait rides the next frame another rider asks for, and
// only when none comes gets a frame of its own, at the latest time it named.
TEST_F(FrameClockTest, ARiderThatCanWaitSharesAnotherFrameOrRunsAtItsLatest) {
  using std::chrono::milliseconds;
  std::optional<Clock::time_point> patientRan, eagerRan;
  bool loopRan = false, sameFrame = false;
  TFrameRider patient([&] {
    patientRan = Clock::now();
    QTimer::singleShot(0, [&] { loopRan = true; });
  });
  TFrameRider eager([&] {
    eagerRan = Clock::now();
    sameFrame = patientRan && !loopRan;
  });
  patient.RideFrameBetween(Clock::now(), Clock::now() + milliseconds(5000));
  eager.RideNextFrame();
  ASSERT_TRUE(test::WaitUntil([&] { return eagerRan.has_value() && loopRan; }));
  EXPECT_TRUE(sameFrame) << "not served by the frame that ran anyway";

  patientRan.reset();
  eagerRan.reset();
  loopRan = false;
  const Clock::time_point asked = Clock::now();
  patient.RideFrameBetween(asked + milliseconds(200), asked + milliseconds(300));
  eager.RideNextFrame();  // too soon to serve it
  ASSERT_TRUE(test::WaitUntil([&] { return patientRan.has_value() && loopRan; }));
  ASSERT_TRUE(eagerRan.has_value());
  EXPECT_LT(*eagerRan, asked + milliseconds(200));
  // Within half a refresh of its latest time, as any rider.
  EXPECT_GE(*patientRan - asked, milliseconds(300 - 9)) << "a frame of its own before it had to";
}

// The busy indicator paints at once: what the chart changed in the same
// frame must be dirty by then, or the screen gets two updates.
TEST_F(FrameClockTest, ARiderThatPaintsAtOnceRunsAfterTheOthersOfItsFrame) {
  std::vector<std::string> ran;
  bool loopRan = false;
  TFrameRider painter([&] { ran.push_back(loopRan ? "painter after the loop" : "painter"); },
                      TFrameRider::Turn::AfterOthers);
  TFrameRider chart([&] {
    ran.push_back("chart");
    QTimer::singleShot(0, [&] { loopRan = true; });
  });
  painter.RideNextFrame();  // asked first
  chart.RideNextFrame();
  ASSERT_TRUE(test::WaitUntil([&] { return ran.size() == 2 && loopRan; }));
  EXPECT_EQ(ran, (std::vector<std::string>{"chart", "painter"}));
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

using DeferredTextTest = test::QtAppTest;

TEST_F(DeferredTextTest, ManyChangesReachTheWidgetOnceWithTheLastText) {
  QLabel label;
  int applied = 0;
  TDeferredText text(&label, [&](const std::string& t) {
    ++applied;
    label.setText(QString::fromStdString(t));
  });
  for (int i = 1; i <= 1000; ++i) text.Set(std::to_string(i));
  EXPECT_EQ(text.Text(), "1000");
  EXPECT_EQ(applied, 0);
  ASSERT_TRUE(test::WaitUntil([&] { return applied > 0; }));
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(label.text(), "1000");
  text.Set("x");
  ASSERT_TRUE(test::WaitUntil([&] { return applied > 1; }));
  EXPECT_EQ(label.text(), "x");
}

TEST_F(DeferredTextTest, APendingChangeIsDroppedWithItsWidget) {
  auto label = std::make_unique<QLabel>();
  QLabel witness;
  bool applied = false, witnessed = false;
  TDeferredText other(&witness, [&](const std::string&) { witnessed = true; });
  {
    TDeferredText text(label.get(), [&](const std::string&) { applied = true; });
    text.Set("gone");
    other.Set("due at the same frame");
  }
  label.reset();
  ASSERT_TRUE(test::WaitUntil([&] { return witnessed; }));
  EXPECT_FALSE(applied);
}

TEST_F(DeferredTextTest, ASourceIsReadOnlyWhenTheTextIsNeeded) {
  QLabel label;
  TDeferredText text(&label, [&](const std::string& t) { label.setText(QString::fromStdString(t)); });
  int made = 0;
  for (int i = 1; i <= 100; ++i)
    text.SetSource([&made, i] {
      ++made;
      return std::to_string(i);
    });
  EXPECT_EQ(made, 0);
  EXPECT_EQ(text.Text(), "100");
  EXPECT_EQ(text.Text(), "100");
  EXPECT_EQ(made, 1);
  text.SetSource([] { return std::string("shown"); });
  ASSERT_TRUE(test::WaitUntil([&] { return label.text() == "shown"; }));
  text.Set("plain");  // a plain text replaces a pending source
  EXPECT_EQ(text.Text(), "plain");
}

}  // namespace
}  // namespace kurvex
