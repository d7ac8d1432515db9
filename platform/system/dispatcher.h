// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <stop_token>

namespace kurvex {

/// The GUI thread's message loop, reachable from every thread. Needs the
/// application object (QApplication) to exist.
class TDispatcher {
 public:
  TDispatcher() = delete;

  /// True on the thread that runs the message loop.
  static bool InGuiThread();

  /// Queues `call` for the GUI thread; calls run in the order they were
  /// posted, from the message loop or ProcessMessages. An error escaping a
  /// call goes to the application's error report. Any thread.
  static void Post(std::function<void()> call);

  /// Runs `call` on the GUI thread and returns when it has run; on the GUI
  /// thread itself it runs at once. An error thrown by `call` is rethrown
  /// here, in the caller's thread. Any thread.
  static void Synchronize(const std::function<void()>& call);
  /// Like Synchronize, but a stop request that arrives before the GUI thread
  /// has started `call` cancels it: returns false and `call` never runs.
  /// This lets a thread that the GUI thread is about to join leave its wait.
  static bool Synchronize(const std::function<void()>& call, std::stop_token stop);

  /// Handles all pending events once, posted calls included. GUI thread.
  static void ProcessMessages();

  /// Asks the message loop to end. A request made before Run starts makes
  /// Run return at once. Any thread.
  static void Terminate();
  /// Runs the message loop until Terminate; returns the exit code and
  /// consumes the request. GUI thread.
  static int Run();
};

}  // namespace kurvex
