// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/dispatcher.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>

#include "platform/system/eventguard.h"

namespace kurvex {

namespace {

std::atomic<bool> g_terminateRequested{false};

// Shared by the waiting thread and the posted call, which may run after the
// waiter has given up.
struct SyncCall {
  enum State { kPending, kRunning, kDone, kAbandoned };
  std::mutex mutex;
  std::condition_variable done;
  State state = kPending;
  std::exception_ptr error;
};

}  // namespace

bool TDispatcher::InGuiThread() {
  const QCoreApplication* app = QCoreApplication::instance();
  return app && QThread::currentThread() == app->thread();
}

void TDispatcher::Post(std::function<void()> call) {
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [call = std::move(call)] { RunReportingErrors(call); },
      Qt::QueuedConnection);
}

void TDispatcher::Synchronize(const std::function<void()>& call) {
  Synchronize(call, std::stop_token());
}

bool TDispatcher::Synchronize(const std::function<void()>& call, std::stop_token stop) {
  if (InGuiThread()) {
    if (stop.stop_requested()) return false;
    call();
    return true;
  }
  auto sync = std::make_shared<SyncCall>();
  // `call` lives on the waiter's stack; the waiter does not leave before the
  // call has finished or has been abandoned, so the reference stays valid.
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [sync, &call] {
        {
          std::lock_guard lock(sync->mutex);
          if (sync->state == SyncCall::kAbandoned) return;
          sync->state = SyncCall::kRunning;
        }
        try {
          call();
        } catch (...) {
          sync->error = std::current_exception();
        }
        std::lock_guard lock(sync->mutex);
        sync->state = SyncCall::kDone;
        sync->done.notify_all();
      },
      Qt::QueuedConnection);

  // Registered before the lock is taken: a stop already requested runs the
  // callback right here, and it needs the mutex.
  std::stop_callback wake(stop, [&sync] {
    std::lock_guard stopLock(sync->mutex);
    sync->done.notify_all();
  });
  std::unique_lock lock(sync->mutex);
  // A call that has started is always waited for: it uses `call` by reference.
  sync->done.wait(lock, [&] {
    return sync->state == SyncCall::kDone ||
           (sync->state == SyncCall::kPending && stop.stop_requested());
  });
  if (sync->state != SyncCall::kDone) {
    sync->state = SyncCall::kAbandoned;
    return false;
  }
  if (sync->error) std::rethrow_exception(sync->error);
  return true;
}

void TDispatcher::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void TDispatcher::Terminate() {
  g_terminateRequested = true;
  QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                            Qt::QueuedConnection);
}

int TDispatcher::Run() {
  // quit() is lost when no loop runs yet, so an early request is kept here.
  if (g_terminateRequested.exchange(false)) return 0;
  const int code = QCoreApplication::exec();
  g_terminateRequested = false;
  return code;
}

}  // namespace kurvex
