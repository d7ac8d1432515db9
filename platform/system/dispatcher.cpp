// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/dispatcher.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
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

// Qt's event queue hands an event to the GUI thread under locks of its own
// that the thread sanitizer cannot see (Qt is not built with it). Each
// call's hand-over is announced to it instead, so it still checks
// everything the call touches.
#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* addr);
extern "C" void __tsan_release(void* addr);
void HandOver(void* call) { __tsan_release(call); }
void TakeOver(void* call) { __tsan_acquire(call); }
#else
void HandOver(void*) {}
void TakeOver(void*) {}
#endif

// One call for the GUI thread. An event of our own rather than a queued
// functor, so the call is complete before it is announced and posted.
class CallEvent final : public QEvent {
 public:
  explicit CallEvent(std::function<void()> call) : QEvent(Type()), m_call(std::move(call)) {}
  static QEvent::Type Type() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
  }
  void Run() { m_call(); }

 private:
  std::function<void()> m_call;
};

// Runs the calls posted to it, in the GUI thread.
class CallTarget final : public QObject {
 public:
  bool event(QEvent* event) override {
    // Before the event's first byte is read; harmless for Qt's own events.
    TakeOver(event);
    if (event->type() != CallEvent::Type()) return QObject::event(event);
    static_cast<CallEvent*>(event)->Run();
    return true;
  }
};

// Made by whichever thread posts first and given to the GUI thread; kept
// for the life of the process, as the application is.
CallTarget& Target() {
  static CallTarget* const target = [] {
    auto* made = new CallTarget;
    made->moveToThread(QCoreApplication::instance()->thread());
    return made;
  }();
  return *target;
}

void PostCall(std::function<void()> call) {
  auto* event = new CallEvent(std::move(call));
  HandOver(event);
  QCoreApplication::postEvent(&Target(), event);
}

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
  PostCall([call = std::move(call)] { RunReportingErrors(call); });
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
  PostCall([sync, &call] {
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
  });

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
