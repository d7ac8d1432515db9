// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/receivethread.h"

#include <cerrno>
#include <chrono>
#include <functional>

#include "platform/system/dispatcher.h"
#include "serial/linecounters.h"
#include "serial/win32comm.h"

namespace kurvex {

namespace {

// How often line events without a descriptor of their own (modem lines,
// errors, an empty transmitter, input growing past unread bytes) are looked for.
constexpr int kTickMs = 10;
// Bytes that come sooner than this after the previous hand-over are gathered
// into the next one: each hand-over costs the two threads a switch each, and
// the screen shows the samples no sooner than its next frame anyway, so an
// instrument sending a few hundred lines a second is handed over about once
// a frame instead of once a line. Bytes after something was sent are
// likely its answer and go at once (see Run).
constexpr auto kGatherTime = std::chrono::milliseconds(16);
// Gathering is for a trickle: input that already fills this much of the
// driver's queue when the reader wakes goes at once, so a fast instrument
// is read as quickly as before and the queue never fills while it waits.
constexpr std::uint32_t kGatherBelowBytes = 512;

// A write failing like this means the device has gone, as any failed read does.
bool DeviceGone(int error) {
  return error == EIO || error == ENXIO || error == ENODEV || error == EPIPE || error == EBADF;
}

}  // namespace

TReceiveThread::TReceiveThread(TComEventTarget& target, SerialDevice& device,
                               std::uint64_t generation)
    : m_target(target), m_device(device), m_generation(generation) {
  // Read here, not on the thread: a line event right after the open counts.
  m_hasCounters = m_device.Counters(m_counters);
  m_thread = std::jthread([this](std::stop_token stop) { Run(std::move(stop)); });
}

TReceiveThread::~TReceiveThread() {
  Stop();
  m_thread.join();
}

void TReceiveThread::Stop() {
  m_thread.request_stop();
  m_wait.Wake();
}

void TReceiveThread::WatchedEventsChanged() { m_wait.Wake(); }

template <class Handle>
bool TReceiveThread::Deliver(const Handle& handle, const std::stop_token& stop) {
  if (m_target.EventsOnGuiThread()) {
    return TDispatcher::Synchronize(std::function<void()>(handle), stop);
  }
  handle();
  return true;
}

bool TReceiveThread::GatherUntil(std::chrono::steady_clock::time_point until, const std::stop_token& stop) {
  const auto wait = std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
  if (wait.count() <= 0) return true;
  // Only a stop ends the wait early; the wake-up stays counted for the next wait.
  return m_wait.Pause(static_cast<int>(wait.count())) || !stop.stop_requested();
}

void TReceiveThread::Run(std::stop_token stop) {
  std::uint32_t unread = 0;
  bool backlog = false;
  int lostError = 0;
  std::chrono::steady_clock::time_point lastDelivery{};
  // Bytes sent as at the last hand-over of received bytes: what was sent
  // since waits for an answer.
  std::uint64_t sentBeforeInput = m_target.BytesSent();
  bool lastWasAnswer = false;  // its rest may follow at once
  while (!stop.stop_requested()) {
    const std::uint32_t watched = m_target.WatchedEvents();
    const bool watchCounters = m_hasCounters && (watched & CounterEventMask()) != 0;
    const bool ticking = unread > 0 || watchCounters || (watched & EV_TXEMPTY) != 0;
    // While bytes sit unread the descriptor stays readable, so it is then
    // polled only for a hang-up and growth is looked for on each tick.
    const TWaitResult waited = m_wait.Wait(m_device.Fd(), unread == 0, ticking ? kTickMs : -1);
    if (waited.Error != 0) {
      lostError = waited.Error;
      break;
    }
    if (stop.stop_requested()) {
      return;
    }
    if (waited.Lost) {
      lostError = EIO;
      break;
    }
    std::uint32_t mask = waited.Readable ? EV_RXCHAR : 0;
    const int sendError = m_target.TakeSendError();
    if (DeviceGone(sendError)) {
      lostError = sendError;
      break;
    }
    if (sendError != 0) {
      mask |= kEvSendFailed;
    }
    if (m_target.TakeQueuedSent()) {
      mask |= kEvQueuedSent;
    }
    if (unread > 0) {
      const std::uint32_t waiting = m_device.Queues().Input;
      if (waiting > unread) {
        mask |= EV_RXCHAR;
      } else {
        unread = waiting;
      }
    }
    if (watchCounters) {
      LineCounters now;
      if (m_device.Counters(now)) {
        mask |= LineEventBits(m_counters, now) & watched;
        m_counters = now;
      }
    }
    if ((watched & EV_TXEMPTY) != 0 && m_device.Queues().Output == 0 &&
        m_target.TakeTransmitPending()) {
      mask |= EV_TXEMPTY;
    }
    if (mask == 0) {
      continue;
    }
    // A backlog is already there: gathering would only idle the handler. An
    // answer to what was sent meanwhile, and the rest of it that follows
    // the first bytes, is awaited by its sender (a query paced by its
    // answers): gathering would only slow the exchange.
    const std::uint64_t sent = m_target.BytesSent();
    const bool answer = sent != sentBeforeInput;
    if (mask == EV_RXCHAR && !backlog && !answer && !lastWasAnswer &&
        m_device.Queues().Input < kGatherBelowBytes && !GatherUntil(lastDelivery + kGatherTime, stop)) {
      return;
    }
    if ((mask & EV_RXCHAR) != 0) {
      lastWasAnswer = answer;
      sentBeforeInput = sent;
    }
    const TComEvent event{mask, m_generation, stop, sendError};
    TComEventResult result;
    if (!Deliver([&] { result = m_target.ProcessComEvent(event); }, stop) ||
        stop.stop_requested()) {
      return;
    }
    lastDelivery = std::chrono::steady_clock::now();
    if (result.ReadError != 0) {
      lostError = result.ReadError;
      break;
    }
    unread = result.Unread;
    backlog = result.Backlog;
  }
  if (lostError != 0 && !stop.stop_requested()) {
    const TComEvent event{0, m_generation, stop};
    Deliver([&] { m_target.ProcessPortLost(event, lostError); }, stop);
  }
}

}  // namespace kurvex
