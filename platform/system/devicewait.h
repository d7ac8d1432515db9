// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kurvex {

/// What ended a TDeviceWait::Wait.
struct TWaitResult {
  bool Readable = false;  ///< the descriptor has input
  bool Writable = false;  ///< the descriptor takes output
  bool Lost = false;      ///< it hung up or failed: the device is gone
  int Error = 0;          ///< the wait itself failed (an errno value)
};

/// A reader thread's wait for its device that another thread can cut short
/// (to stop the reader, or to have it look at its settings again).
class TDeviceWait {
 public:
  /// Throws std::system_error when the system gives no wake-up descriptor.
  TDeviceWait();
  ~TDeviceWait();
  TDeviceWait(const TDeviceWait&) = delete;
  TDeviceWait& operator=(const TDeviceWait&) = delete;

  /// Waits until `fd` has input (with forInput false: only until it is
  /// lost), Wake is called, or timeoutMs pass (-1: no limit). A Wake is used
  /// up by the wait it ends. An interrupted wait ends with nothing set.
  TWaitResult Wait(int fd, bool forInput, int timeoutMs);
  /// Waits until `fd` takes output, is lost, or Wake is called (or
  /// timeoutMs pass, -1: no limit); `fd` < 0 waits for a Wake alone. A Wake
  /// is used up by the wait it ends.
  TWaitResult WaitWritable(int fd, int timeoutMs);
  /// Sleeps up to timeoutMs unless a Wake is pending or comes; the Wake stays
  /// pending for the next Wait. True when no Wake cut it short.
  bool Pause(int timeoutMs);
  /// Ends the current or next Wait. Any thread.
  void Wake();

 private:
  TWaitResult WaitFor(int fd, short events, int timeoutMs);

  int m_wakeFd;
};

}  // namespace kurvex
