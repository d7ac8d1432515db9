// SPDX-License-Identifier: GPL-3.0-or-later
// The send side of TCustomComm: the synchronous sends and the queue that the
// writer thread empties.
#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>

#include "serial/customcomm.h"
#include "serial/logfile.h"

namespace kurvex {

int TCustomComm::WriteTimeoutMs() const {
  const std::uint32_t ms = m_timeouts.WriteTotalTimeoutConstant;
  if (ms == 0) {
    return -1;
  }
  return static_cast<int>(std::min<std::uint32_t>(ms, 0x7FFFFFFF));
}

bool TCustomComm::Send(const std::uint8_t* data, std::size_t count) {
  if (!IsOpened()) {
    return false;
  }
  if (m_rs485Mode && m_manualRtsToggle) {
    SetRTS(true);
  }
  int error = 0;
  {
    const std::lock_guard writing(m_writing);
    error = Device()->Write(data, count, WriteTimeoutMs());
  }
  if (error != 0) {
    DoCommError(0, static_cast<std::uint32_t>(error), {});
    return false;
  }
  m_bytesSent += count;
  m_transmitPending = true;
  return true;
}

bool TCustomComm::SendChar(std::uint8_t byte) {
  WriteLog(2, FormatText("Try to send char %2Xh ...", byte));
  return Send(&byte, 1);
}

bool TCustomComm::SendString(const std::string& text) {
  WriteLog(2, FormatText("Try to send string %s ...", text.c_str()));
  return Send(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

bool TCustomComm::SendData(const void* data, std::size_t count) {
  WriteLog(2, FormatText("Try to send the data with %zu length ...", count));
  const bool sent = Send(static_cast<const std::uint8_t*>(data), count);
  if (sent) {
    WriteLog(2, "... the data transmittion is OK!");
  }
  return sent;
}


bool TCustomComm::Queue(std::string bytes) {
  const std::lock_guard lock(m_senderLock);
  if (m_sender == nullptr || !m_sendQueue.Push(bytes, TSendQueue::Clock::now())) {
    return false;
  }
  m_sender->Wake();
  return true;
}

bool TCustomComm::SendStalled() const { return m_sendQueue.Stalled(TSendQueue::Clock::now()); }

std::size_t TCustomComm::SendWaiting() const { return m_sendQueue.Waiting(); }

bool TCustomComm::DrainSend(int maxMs) {
  const auto deadline = TSendQueue::Clock::now() + std::chrono::milliseconds(std::max(maxMs, 0));
  if (!m_sendQueue.WaitEmpty(deadline)) {
    return false;
  }
  // The driver tells nobody when its queue has emptied, and tcdrain would
  // wait without a limit: look again every millisecond.
  while (IsOpened() && Device()->Queues().Output > 0) {
    if (TSendQueue::Clock::now() >= deadline) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

void TCustomComm::StartSender() {
  const std::lock_guard lock(m_senderLock);
  TSendTarget& target = *this;
  m_sender = std::make_unique<TSendThread>(m_sendQueue, target, Device()->Fd());
}

void TCustomComm::StopSender() {
  std::unique_ptr<TSendThread> sender;
  {
    const std::lock_guard lock(m_senderLock);
    sender.swap(m_sender);
  }
  // Joined outside the lock: a Queue meanwhile finds the port closing.
  sender.reset();
  m_sendQueue.Clear();
}

long TCustomComm::WriteQueued(const std::uint8_t* data, std::size_t count) {
  const std::lock_guard writing(m_writing);
  SerialDevice& device = *Device();
  if (m_rs485Mode && m_manualRtsToggle) {
    // The line alone: the trace event of SetRTS belongs to the handlers' thread.
    device.SetLine(ModemLine::Rts, true);
  }
  const long written = device.WriteSome(data, count);
  if (written > 0) {
    m_bytesSent += static_cast<std::uint64_t>(written);
    m_transmitPending = true;
  }
  return written;
}

void TCustomComm::QueuedWritten(std::size_t count) {
  m_queuedWritten += count;
  m_queuedSentPending = true;
  m_reader->SendNews();
}

void TCustomComm::QueuedWriteFailed(int error) {
  m_sendError = error;
  m_reader->SendNews();
}

void TCustomComm::HandleSendNews(const TComEvent& event) {
  if ((event.Mask & kEvSendFailed) != 0) {
    DoCommError(0, static_cast<std::uint32_t>(event.SendError), {});
    if (!IsCurrent(event)) return;
  }
  if ((event.Mask & kEvQueuedSent) != 0 && OnQueuedSent) {
    OnQueuedSent(*this, m_queuedWritten);
  }
}

}  // namespace kurvex
