// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/fakeserialdevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

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

void FakeSerialDevice::MarkAsReceivedWithError(std::uint8_t byte) {
  std::lock_guard lock(m_mutex);
  m_errorByte = byte;
}

SerialQueues FakeSerialDevice::Queues() {
  SerialQueues queues = m_inner->Queues();
  std::lock_guard lock(m_mutex);
  queues.Input += static_cast<std::uint32_t>(m_marked.size());
  return queues;
}

long FakeSerialDevice::Read(std::uint8_t* buffer, std::size_t capacity) {
  if (const int error = m_readError; error != 0) {
    return -error;
  }
  std::lock_guard lock(m_mutex);
  if (!m_errorByte) {
    return m_inner->Read(buffer, capacity);
  }
  // A mark makes three bytes of one. Only as much is taken from the tty as
  // fits marked, so nothing waits here unseen by the reader's poll, which
  // watches the tty; what does not fit in a tiny buffer waits for the next read.
  std::vector<std::uint8_t> raw(std::max<std::size_t>(capacity / 3, 1));
  const long got = m_inner->Read(raw.data(), raw.size());
  if (got < 0) {
    return got;
  }
  for (long i = 0; i < got; ++i) {
    if (raw[i] == *m_errorByte) {
      m_marked.insert(m_marked.end(), {0xFF, 0x00});
    }
    m_marked.push_back(raw[i]);
  }
  const std::size_t count = std::min(capacity, m_marked.size());
  std::copy_n(m_marked.begin(), count, buffer);
  m_marked.erase(m_marked.begin(), m_marked.begin() + static_cast<long>(count));
  return static_cast<long>(count);
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
