// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/sendthread.h"

#include <string>

namespace kurvex {

namespace {

// What one write offers the driver: a serial driver's queue is about this
// big, so a larger offer would mostly be refused anyway.
constexpr std::size_t kChunkBytes = 4096;

}  // namespace

TSendThread::TSendThread(TSendQueue& queue, TSendTarget& target, int fd)
    : m_queue(queue), m_target(target), m_fd(fd) {
  m_thread = std::jthread([this](std::stop_token stop) { Run(stop); });
}

TSendThread::~TSendThread() {
  m_thread.request_stop();
  m_wait.Wake();
  m_thread.join();
}

void TSendThread::Run(const std::stop_token& stop) {
  std::string chunk;
  while (!stop.stop_requested()) {
    m_queue.Peek(chunk, kChunkBytes);
    if (chunk.empty()) {
      m_wait.WaitWritable(-1, -1);
      continue;
    }
    const long written =
        m_target.WriteQueued(reinterpret_cast<const std::uint8_t*>(chunk.data()), chunk.size());
    if (written < 0) {
      // The rest was meant to follow the failed bytes; new ones get a new try.
      m_queue.Clear();
      m_target.QueuedWriteFailed(static_cast<int>(-written));
      continue;
    }
    if (written > 0) {
      m_queue.Consume(static_cast<std::size_t>(written), TSendQueue::Clock::now());
      m_target.QueuedWritten(static_cast<std::size_t>(written));
      continue;
    }
    const TWaitResult waited = m_wait.WaitWritable(m_fd, -1);
    if (waited.Error != 0) {
      // The wait itself fails: it would fail again at once, so the writer ends.
      m_queue.Clear();
      m_target.QueuedWriteFailed(waited.Error);
      return;
    }
    if (waited.Lost) {
      // The reader sees the same hang-up and reports the device gone.
      return;
    }
  }
}

}  // namespace kurvex
