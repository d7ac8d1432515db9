// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <stop_token>
#include <thread>

#include "platform/system/devicewait.h"
#include "serial/sendqueue.h"

namespace kurvex {

/// The component side of the writer. Every call comes from the writer
/// thread and must return without waiting for another thread's work.
class TSendTarget {
 public:
  /// Hands the driver what it takes of `count` bytes now: as
  /// SerialDevice::WriteSome.
  virtual long WriteQueued(const std::uint8_t* data, std::size_t count) = 0;
  /// `count` queued bytes have been handed to the driver.
  virtual void QueuedWritten(std::size_t count) = 0;
  /// A write (or the wait for the line) failed with `error`, an errno value;
  /// what waited has been dropped.
  virtual void QueuedWriteFailed(int error) = 0;

 protected:
  ~TSendTarget() = default;
};

/// The send pipeline's thread: takes bytes from the queue and hands them to
/// the target, waiting with poll for the device to take output whenever
/// the driver's queue is full, so no other thread ever waits for the line.
/// Idle (nothing queued) it waits for a Wake alone and touches the device
/// not at all. The device must outlive the thread.
class TSendThread {
 public:
  TSendThread(TSendQueue& queue, TSendTarget& target, int fd);
  /// Stops and joins the thread: at most one non-blocking write away.
  ~TSendThread();
  TSendThread(const TSendThread&) = delete;
  TSendThread& operator=(const TSendThread&) = delete;

  /// Bytes were queued. Any thread.
  void Wake() { m_wait.Wake(); }

 private:
  void Run(const std::stop_token& stop);

  TSendQueue& m_queue;
  TSendTarget& m_target;
  const int m_fd;
  TDeviceWait m_wait;
  std::jthread m_thread;  // last: starts once everything above is set
};

}  // namespace kurvex
