#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/dispatcher.h"
#include "serial/serialcomm.h"
#include "tests/support/pty.h"
#include "tests/support/qtapp.h"

namespace kurvex::test {

/// Runs the GUI thread's events until `done` holds or five seconds passed,
/// so a fault shows as a failure rather than a hang.
inline bool PumpUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    TDispatcher::ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

/// Runs the GUI thread's events for `ms`, to give anything wrong a chance to happen.
inline void PumpFor(int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  PumpUntil([&] { return std::chrono::steady_clock::now() >= end; });
}

/// What OnAfterReceive saw; the handler may run on the reader thread.
struct ReceiveLog {
  void Add(const std::uint8_t* buffer, std::uint32_t count) {
    std::lock_guard lock(Mutex);
    Bytes.append(reinterpret_cast<const char*>(buffer), count);
    Sizes.push_back(count);
    OnGuiThread.push_back(TDispatcher::InGuiThread());
  }
  std::size_t Size() {
    std::lock_guard lock(Mutex);
    return Bytes.size();
  }
  std::string Text() {
    std::lock_guard lock(Mutex);
    return Bytes;
  }

  std::mutex Mutex;
  std::string Bytes;
  std::vector<std::uint32_t> Sizes;
  std::vector<bool> OnGuiThread;
};

/// COM5 linked to a fresh pty in a private config folder, with the
/// application (and so the GUI thread) in place.
class ReceiveFixture : public QtAppTest {
 protected:
  void SetUp() override { LinkComPort(5, m_pty.SlavePath()); }

  /// Configured as the main window configures its port.
  static void ConfigureLikeTheWindow(TSerialComm& comm) {
    comm.SetComPortNo(5);
    comm.SetBaudRate(115200);
    comm.SetStreamProtocol(spNone);
    comm.SetBufferInSize(16384);
  }

  TempConfigHome m_home;
  PtyPair m_pty;
};

}  // namespace kurvex::test
