// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/window/ptyfeeder.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <deque>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <thread>
#include <vector>

namespace kurvex::bench {

namespace {

constexpr std::size_t kValueBytes = 5;  // "nnn.n"
constexpr long long kLinesPerWrite = 4096;
constexpr int kStallMs = 5000;

}  // namespace

PtyFeeder::PtyFeeder(int values)
    : m_values(values), m_lineBytes(static_cast<std::size_t>(values) * (kValueBytes + 1) + 1) {
  if (!m_pty.Error().empty()) throw std::runtime_error(m_pty.Error());
}

// Slow waves between 10 and 90, each a radian behind the one before, so the
// plot shows curves.
void PtyFeeder::FormatLine(long long index, char* out) const {
  for (int k = 0; k < m_values; ++k) {
    const double value = 50 + 40 * std::sin(static_cast<double>(index) * 0.01 - k);
    char text[16];
    std::snprintf(text, sizeof text, "%5.1f;", value);
    out = std::copy(text, text + kValueBytes + 1, out);
  }
  out[-1] = '\r';
  out[0] = '\n';
}

bool PtyFeeder::WriteLines(long long count, const std::atomic<bool>* keepOn) {
  std::vector<char> block(static_cast<std::size_t>(std::min(count, kLinesPerWrite)) * m_lineBytes);
  while (count > 0) {
    const long long lines = std::min(count, kLinesPerWrite);
    for (long long i = 0; i < lines; ++i) FormatLine(m_sent + i, &block[static_cast<std::size_t>(i) * m_lineBytes]);
    std::size_t done = 0;
    const std::size_t bytes = static_cast<std::size_t>(lines) * m_lineBytes;
    while (done < bytes) {
      const ssize_t n = write(m_pty.Master(), block.data() + done, bytes - done);
      if (n > 0) {
        done += static_cast<std::size_t>(n);
        continue;
      }
      if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
      pollfd fd{m_pty.Master(), POLLOUT, 0};
      if (keepOn != nullptr) {
        // A flood holds back only while the program is slow, never ends on it.
        if (!*keepOn) return false;
        poll(&fd, 1, 20);
        continue;
      }
      if (poll(&fd, 1, kStallMs) <= 0) return false;
    }
    m_sent += lines;
    count -= lines;
  }
  return true;
}

FeedResult PtyFeeder::Feed(long long lines, double rate) {
  using Clock = std::chrono::steady_clock;
  FeedResult result;
  const auto start = Clock::now();
  while (result.Lines < lines && !result.Stalled) {
    long long due = lines;
    if (rate > 0) {
      const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
      due = std::min(lines, static_cast<long long>(elapsed * rate));
      if (due <= result.Lines) {
        std::this_thread::sleep_for(std::chrono::microseconds(500));
        continue;
      }
    } else {
      due = std::min(lines, result.Lines + kLinesPerWrite);
    }
    // Sent whole: a block the pty cannot take at once is finished before
    // the next is due, so the rate is the instrument's, not the pty's.
    const long long before = m_sent;
    result.Stalled = !WriteLines(due - result.Lines);
    result.Lines += m_sent - before;
  }
  result.Seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return result;
}

FeedResult PtyFeeder::Flood(const std::atomic<bool>& keepOn) {
  using Clock = std::chrono::steady_clock;
  FeedResult result;
  const auto start = Clock::now();
  while (keepOn) {
    const long long before = m_sent;
    WriteLines(kLinesPerWrite, &keepOn);
    result.Lines += m_sent - before;
  }
  result.Seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return result;
}

AnswerResult PtyFeeder::Answer(double seconds, int delayMs) {
  using Clock = std::chrono::steady_clock;
  AnswerResult result;
  const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  const auto delay = std::chrono::milliseconds(delayMs);
  std::deque<Clock::time_point> due;  // one per answer owed
  std::string partial;
  std::vector<char> line(m_lineBytes);
  for (auto now = Clock::now(); now < end; now = Clock::now()) {
    int waitMs = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count()) + 1;
    if (!due.empty())
      waitMs = std::max(0, static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(due.front() - now).count()));
    pollfd fd{m_pty.Master(), POLLIN, 0};
    if (poll(&fd, 1, waitMs) > 0 && (fd.revents & POLLIN) != 0) {
      char buffer[4096];
      const ssize_t n = read(m_pty.Master(), buffer, sizeof buffer);
      for (ssize_t i = 0; i < n; ++i) {
        if (buffer[i] != '\n' && buffer[i] != '\r') {
          partial += buffer[i];
          continue;
        }
        if (partial.empty()) continue;
        partial.clear();
        ++result.Queries;
        const auto earliest = Clock::now() + delay;
        due.push_back(due.empty() ? earliest : std::max(earliest, due.back() + delay));
      }
    }
    while (!due.empty() && due.front() <= Clock::now()) {
      due.pop_front();
      FormatLine(m_sent++, line.data());
      if (write(m_pty.Master(), line.data(), line.size()) == static_cast<ssize_t>(line.size())) ++result.Answers;
    }
  }
  return result;
}

}  // namespace kurvex::bench
