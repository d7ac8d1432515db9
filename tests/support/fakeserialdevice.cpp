// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/fakeserialdevice.h"

#include <gtest/gtest.h>

#include "platform/system/termiosdevice.h"

namespace kurvex::test {

FakeSerialDevice::FakeSerialDevice(std::unique_ptr<SerialDevice> inner) : m_inner(std::move(inner)) {
  // Start from non-zero counts: only differences may matter to the code under test.
  m_counters = {7, 7, 7, 7, 7, 7, 7, 7, 7};
}

void FakeSerialDevice::Advance(const LineCounters& delta) {
  std::lock_guard lock(m_mutex);
  m_counters.Cts += delta.Cts;
  m_counters.Dsr += delta.Dsr;
  m_counters.Ring += delta.Ring;
  m_counters.Rlsd += delta.Rlsd;
  m_counters.Frame += delta.Frame;
  m_counters.Overrun += delta.Overrun;
  m_counters.Parity += delta.Parity;
  m_counters.Break += delta.Break;
  m_counters.BufferOverrun += delta.BufferOverrun;
}

bool FakeSerialDevice::Counters(LineCounters& counters) {
  std::lock_guard lock(m_mutex);
  counters = m_counters;
  return true;
}

long FakeSerialDevice::Read(std::uint8_t* buffer, std::size_t capacity) {
  if (const int error = m_readError; error != 0) {
    return -error;
  }
  return m_inner->Read(buffer, capacity);
}

std::unique_ptr<SerialDevice> OpenFakeDevice(const std::string& path, FakeSerialDevice*& fake) {
  int error = 0;
  std::unique_ptr<SerialDevice> inner = OpenTermiosDevice(path, error);
  if (inner == nullptr) {
    ADD_FAILURE() << "cannot open " << path << ": errno " << error;
    fake = nullptr;
    return nullptr;
  }
  auto device = std::make_unique<FakeSerialDevice>(std::move(inner));
  fake = device.get();
  return device;
}

}  // namespace kurvex::test
