// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/sendqueue.h"

namespace kurvex {

bool TSendQueue::Push(const std::string& bytes, Clock::time_point now) {
  const std::lock_guard lock(m_mutex);
  if (bytes.size() > kMaxQueuedSendBytes - m_bytes.size()) {
    return false;
  }
  if (m_bytes.empty()) {
    m_progress = now;
  }
  m_bytes += bytes;
  return true;
}

void TSendQueue::Peek(std::string& chunk, std::size_t most) const {
  const std::lock_guard lock(m_mutex);
  chunk.assign(m_bytes, 0, most);
}

void TSendQueue::Consume(std::size_t count, Clock::time_point now) {
  {
    const std::lock_guard lock(m_mutex);
    m_bytes.erase(0, count);
    m_progress = now;
    if (!m_bytes.empty()) {
      return;
    }
  }
  m_emptied.notify_all();
}

void TSendQueue::Clear() {
  {
    const std::lock_guard lock(m_mutex);
    m_bytes.clear();
  }
  m_emptied.notify_all();
}

std::size_t TSendQueue::Waiting() const {
  const std::lock_guard lock(m_mutex);
  return m_bytes.size();
}

bool TSendQueue::Stalled(Clock::time_point now) const {
  const std::lock_guard lock(m_mutex);
  return !m_bytes.empty() && now - m_progress > kSendStallTime;
}

bool TSendQueue::WaitEmpty(Clock::time_point deadline) {
  std::unique_lock lock(m_mutex);
  return m_emptied.wait_until(lock, deadline, [this] { return m_bytes.empty(); });
}

}  // namespace kurvex
