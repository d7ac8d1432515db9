// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/system/serialdevice.h"

namespace kurvex::test {

/// A real device (normally a pty) with what a pty cannot show added on top:
/// driver event counters that the test advances, reads and writes that fail,
/// the line settings asked for (a pty keeps neither data bits nor parity),
/// and characters received with a parity error. Everything else is the inner
/// device's. Thread-safe where SerialDevice requires it.
class FakeSerialDevice final : public SerialDevice {
 public:
  explicit FakeSerialDevice(std::unique_ptr<SerialDevice> inner);

  /// Adds to the counters as the driver would on line trouble or on modem
  /// line transitions. Any thread.
  void Advance(const LineCounters& delta);
  /// From now on every read fails with `error` (an errno value; 0 ends it).
  void FailReadsWith(int error) { m_readError = error; }
  /// From now on every write fails with `error` (an errno value; 0 ends it).
  void FailWritesWith(int error) { m_writeError = error; }
  /// From now on each byte `byte` the inner device gives arrives as a
  /// character received with a parity error, as a line that marks errors
  /// hands it on: 0xFF 0x00 `byte`.
  void MarkAsReceivedWithError(std::uint8_t byte);
  /// The settings of the last Configure (called by the owner, as Configure).
  const SerialLineSettings& LastSettings() const { return m_settings; }

  int Fd() const override { return m_inner->Fd(); }
  int Configure(const SerialLineSettings& settings) override {
    m_settings = settings;
    return m_inner->Configure(settings);
  }
  int SetLine(ModemLine line, bool on) override { return m_inner->SetLine(line, on); }
  ModemStatus Status() override { return m_inner->Status(); }
  SerialQueues Queues() override;
  bool Counters(LineCounters& counters) override;
  int Purge(bool input, bool output) override { return m_inner->Purge(input, output); }
  int Write(const std::uint8_t* data, std::size_t count, int timeoutMs) override {
    const int error = m_writeError;
    return error != 0 ? error : m_inner->Write(data, count, timeoutMs);
  }
  long WriteSome(const std::uint8_t* data, std::size_t count) override {
    const int error = m_writeError;
    return error != 0 ? -error : m_inner->WriteSome(data, count);
  }
  long Read(std::uint8_t* buffer, std::size_t capacity) override;

 private:
  std::unique_ptr<SerialDevice> m_inner;
  std::mutex m_mutex;
  LineCounters m_counters;
  std::atomic<int> m_readError{0};
  std::atomic<int> m_writeError{0};
  SerialLineSettings m_settings;
  std::optional<std::uint8_t> m_errorByte;
  /// Marked bytes that did not fit into the last read.
  std::deque<std::uint8_t> m_marked;
};

/// Opens the tty at `path` as a termios device wrapped in a FakeSerialDevice;
/// `fake` is left pointing at it so the test can steer it after handing the
/// device over.
std::unique_ptr<SerialDevice> OpenFakeDevice(const std::string& path, FakeSerialDevice*& fake);

}  // namespace kurvex::test
