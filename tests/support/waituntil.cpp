// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/waituntil.h"

#include <QCoreApplication>

#include <chrono>
#include <thread>

namespace kurvex::test {

namespace {

void RunEventsOnce() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents(QEventLoop::AllEvents);
  std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    RunEventsOnce();
  }
  return true;
}

void RunEventsFor(int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) RunEventsOnce();
}

}  // namespace kurvex::test
