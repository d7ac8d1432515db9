// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/system/dispatcher.h"
#include "serial/serialcomm.h"
#include "tests/support/pty.h"
#include "tests/support/waituntil.h"
#include "tests/support/qtapp.h"

namespace kurvex::test {


/// What the component's handlers saw, in order; they may run on the reader.
struct EventLog {
  void Add(std::string entry) {
    std::lock_guard lock(Mutex);
    Entries.push_back(std::move(entry));
  }
  /// Receives blocks: appends the bytes and notes the thread and size.
  TOnReceived Receiver() {
    return [this](TBaseIO&, const std::uint8_t* buffer, std::uint32_t received) {
      std::lock_guard lock(Mutex);
      Bytes.append(reinterpret_cast<const char*>(buffer), received);
      Sizes.push_back(received);
      AllOnGuiThread = AllOnGuiThread && TDispatcher::InGuiThread();
    };
  }
  std::size_t Count() {
    std::lock_guard lock(Mutex);
    return Entries.size();
  }
  std::size_t ByteCount() {
    std::lock_guard lock(Mutex);
    return Bytes.size();
  }

  std::mutex Mutex;
  std::vector<std::string> Entries;
  std::string Bytes;
  std::vector<std::uint32_t> Sizes;
  bool AllOnGuiThread = true;
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
