// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTimer>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/system/dispatcher.h"
#include "platform/system/error.h"
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

}  // namespace
}  // namespace kurvex
