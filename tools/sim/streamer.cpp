// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/sim/streamer.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include "tools/sim/ptylink.h"
#include "tools/sim/samples.h"

namespace kurvex::sim {

namespace {

using Clock = std::chrono::steady_clock;

// Short enough that a stop request is seen at once at low rates.
constexpr auto kMaxNap = std::chrono::milliseconds(20);
// After a stall (a suspended process) the schedule restarts instead of
// bursting out every missed line.
constexpr double kMaxBacklogSeconds = 1.0;

// A pty master reports a hang-up while no client has the slave open.
bool Listened(int fd) {
  pollfd probe{fd, POLLOUT, 0};
  return poll(&probe, 1, 0) >= 0 && (probe.revents & POLLHUP) == 0;
}

std::uint64_t LineCount(const std::string& text) {
  return static_cast<std::uint64_t>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

StreamResult Stream(const Options& options, int fd, const std::atomic<bool>& stop,
                    int drainMs) {
  StreamResult result;
  const std::chrono::duration<double> interval(1.0 / options.Rate);
  Clock::time_point start = Clock::now();
  std::uint64_t scheduled = 0;  // lines due since `start`
  std::string pending;
  while (!stop && (options.Count == 0 || result.Lines < options.Count)) {
    const Clock::time_point now = Clock::now();
    const double elapsed = std::chrono::duration<double>(now - start).count();
    if (elapsed - static_cast<double>(scheduled) * interval.count() > kMaxBacklogSeconds) {
      start = now;
      scheduled = 0;
    }
    const auto due = static_cast<std::uint64_t>(elapsed / interval.count()) + 1;
    if (due > scheduled) {
      std::string batch;
      for (; scheduled < due && (options.Count == 0 || result.Lines < options.Count); ++scheduled) {
        batch += SampleLine(options, result.Lines++);
      }
      if (!Listened(fd)) {
        // Whatever was half sent went to a client that has gone.
        result.Dropped += LineCount(pending) + LineCount(batch);
        pending.clear();
        continue;
      }
      FlushPending(fd, pending);
      if (pending.empty()) {
        pending = std::move(batch);
        FlushPending(fd, pending);
      } else {
        result.Dropped += LineCount(batch);
      }
      continue;
    }
    const auto next = start + std::chrono::duration_cast<Clock::duration>(interval * static_cast<double>(scheduled));
    std::this_thread::sleep_until(std::min(next, Clock::now() + kMaxNap));
  }
  // The client gets a moment for the last lines, but cannot hold us. Bytes
  // still queued in the pty are lost when the master closes; the queue is
  // not visible from this side, so the wait ends only at the client's
  // hang-up, the time limit or a stop request.
  const Clock::time_point giveUp = Clock::now() + std::chrono::milliseconds(drainMs);
  while (!stop && Listened(fd) && Clock::now() < giveUp) {
    FlushPending(fd, pending);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  result.Dropped += LineCount(pending);
  return result;
}

}  // namespace kurvex::sim
