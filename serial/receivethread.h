// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <stop_token>
#include <thread>

#include "platform/system/devicewait.h"
#include "platform/system/serialdevice.h"

namespace kurvex {

/// Bits of TComEvent::Mask beyond the driver's EV_ events: the writer's news.
inline constexpr std::uint32_t kEvQueuedSent = 0x10000;  ///< queued bytes went to the driver
inline constexpr std::uint32_t kEvSendFailed = 0x20000;  ///< a queued write failed: SendError

/// One event found by the reader: the EV_ bits that came up, the open it
/// belongs to, the reader's stop state (requested once the port closes) and
/// the errno of a failed queued write.
struct TComEvent {
  std::uint32_t Mask = 0;
  std::uint64_t Generation = 0;
  std::stop_token Stop;
  int SendError = 0;
};

/// What handling an event left for the reader's next wait.
struct TComEventResult {
  /// Bytes deliberately left in the input queue (nobody receives them): the
  /// reader then waits for more to arrive instead of for any to be there.
  std::uint32_t Unread = 0;
  /// errno of a failed read; the device is then treated as gone.
  int ReadError = 0;
  /// The handling stopped at its budget with bytes still waiting: the next
  /// event follows at once, without gathering.
  bool Backlog = false;
};

/// The component side of the reader.
class TComEventTarget {
 public:
  /// The EV_ bits being watched. Any thread.
  virtual std::uint32_t WatchedEvents() const = 0;
  /// True once after bytes were handed to the driver. Any thread.
  virtual bool TakeTransmitPending() = 0;
  /// True once after the writer handed queued bytes to the driver. Any thread.
  virtual bool TakeQueuedSent() = 0;
  /// The errno of a queued write that failed since the last call, else 0.
  /// Any thread.
  virtual int TakeSendError() = 0;
  /// Bytes sent since the open; grows with every write. Any thread.
  virtual std::uint64_t BytesSent() const = 0;
  /// Whether events are handled on the GUI thread. Any thread.
  virtual bool EventsOnGuiThread() const = 0;
  /// Handles one event; never throws. Runs on the GUI thread or the reader.
  virtual TComEventResult ProcessComEvent(const TComEvent& event) = 0;
  /// The device has gone away (hang-up, `error` from a read); never throws.
  virtual void ProcessPortLost(const TComEvent& event, int error) = 0;

 protected:
  ~TComEventTarget() = default;
};

/// The receive pipeline's thread: waits with poll on the device and an
/// eventfd, and hands one event at a time (the writer's news among them) to the target (through the GUI
/// thread's dispatcher when the target asks for it), finding the next only
/// after the previous one has been handled. The device must outlive the
/// thread or be destroyed only while the thread is inside a handling that
/// stops it.
class TReceiveThread {
 public:
  TReceiveThread(TComEventTarget& target, SerialDevice& device, std::uint64_t generation);
  /// Stops and joins the thread.
  ~TReceiveThread();
  TReceiveThread(const TReceiveThread&) = delete;
  TReceiveThread& operator=(const TReceiveThread&) = delete;

  /// Asks the thread to end: it leaves its wait, drops an event the GUI
  /// thread has not started yet, and touches neither target nor device
  /// afterwards. Does not wait. Any thread.
  void Stop();
  /// Makes the thread look at WatchedEvents again now rather than after its
  /// next wake-up. Any thread.
  void WatchedEventsChanged();
  /// The writer has news (TakeQueuedSent, TakeSendError). Any thread.
  void SendNews() { m_wait.Wake(); }

 private:
  void Run(std::stop_token stop);
  /// Lets input gather until `until`; false when a stop came meanwhile.
  bool GatherUntil(std::chrono::steady_clock::time_point until, const std::stop_token& stop);
  /// Runs `handle` where events are handled; false if it was dropped.
  template <class Handle>
  bool Deliver(const Handle& handle, const std::stop_token& stop);

  TComEventTarget& m_target;
  SerialDevice& m_device;
  const std::uint64_t m_generation;
  /// The driver's counters as last seen; used on the thread only once it runs.
  LineCounters m_counters;
  bool m_hasCounters = false;
  TDeviceWait m_wait;
  std::jthread m_thread;  // last: starts once everything above is set
};

}  // namespace kurvex
