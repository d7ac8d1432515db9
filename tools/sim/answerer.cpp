// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/sim/answerer.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <thread>

#include "tools/sim/ptylink.h"
#include "tools/sim/samples.h"

namespace kurvex::sim {

namespace {

// Short enough that a stop request is seen at once.
constexpr auto kMaxNap = std::chrono::milliseconds(20);
// A command longer than any instrument's: what came is answered as unknown
// and dropped, so a client that never ends its line cannot grow our memory.
constexpr std::size_t kMaxCommand = 1024;

std::string Normalized(std::string_view command) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!command.empty() && blank(command.front())) command.remove_prefix(1);
  while (!command.empty() && blank(command.back())) command.remove_suffix(1);
  std::string upper(command);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

}  // namespace

void Answerer::Take(std::string_view bytes, Clock::time_point now) {
  for (const char c : bytes) {
    if (c == '\r' || c == '\n') {
      if (!m_partial.empty()) Command(m_partial, now);
      m_partial.clear();
      continue;
    }
    m_partial += c;
    if (m_partial.size() > kMaxCommand) {
      Command(m_partial, now);
      m_partial.clear();
    }
  }
}

void Answerer::Command(std::string_view command, Clock::time_point now) {
  const std::string name = Normalized(command);
  if (name.empty()) return;
  std::string text;
  if (name == "MEAS?" || name == "READ?") {
    text = SampleLine(m_options, m_samples++);
  } else if (name == "*IDN?") {
    text = std::string("Kurvex,Simulator,0," KURVEX_VERSION) + Terminator(m_options.End);
  } else {
    ++m_unknown;
    text = std::string("ERR: unknown command") + Terminator(m_options.End);
  }
  const Clock::time_point start = m_scheduled.empty() ? now : std::max(now, m_scheduled.back().Due);
  m_scheduled.push_back({start + std::chrono::milliseconds(m_options.AnswerDelayMs), std::move(text)});
}

std::string Answerer::Due(Clock::time_point now) {
  std::string due;
  while (!m_scheduled.empty() && m_scheduled.front().Due <= now) {
    due += m_scheduled.front().Text;
    m_scheduled.pop_front();
  }
  return due;
}

std::optional<Answerer::Clock::time_point> Answerer::NextDue() const {
  if (m_scheduled.empty()) return std::nullopt;
  return m_scheduled.front().Due;
}

void Answerer::Forget() {
  m_partial.clear();
  m_scheduled.clear();
}

AnswerResult AnswerQueries(const Options& options, int fd, const std::atomic<bool>& stop) {
  Answerer answerer(options);
  std::string pending;
  while (!stop) {
    auto wait = kMaxNap;
    if (const auto next = answerer.NextDue()) {
      wait = std::clamp(std::chrono::ceil<std::chrono::milliseconds>(*next - Answerer::Clock::now()),
                        std::chrono::milliseconds(0), kMaxNap);
    }
    pollfd probe{fd, static_cast<short>(POLLIN | (pending.empty() ? 0 : POLLOUT)), 0};
    if (poll(&probe, 1, static_cast<int>(wait.count())) < 0 && errno != EINTR) break;
    if ((probe.revents & POLLHUP) != 0) {
      // Nobody has the port open: a later client starts afresh.
      answerer.Forget();
      pending.clear();
      std::this_thread::sleep_for(kMaxNap);
      continue;
    }
    if ((probe.revents & POLLIN) != 0) {
      char buffer[4096];
      const ssize_t got = read(fd, buffer, sizeof buffer);
      if (got > 0) answerer.Take(std::string_view(buffer, static_cast<std::size_t>(got)), Answerer::Clock::now());
    }
    pending += answerer.Due(Answerer::Clock::now());
    FlushPending(fd, pending);  // a client that does not read leaves the rest waiting
  }
  return {answerer.Samples(), answerer.Unknown()};
}

}  // namespace kurvex::sim
