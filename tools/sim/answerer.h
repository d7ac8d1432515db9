// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <csignal>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "tools/sim/options.h"

namespace kurvex::sim {

/// An instrument that speaks only when asked: each command line (ended by
/// CR, LF or CR LF; case and surrounding blanks do not matter; empty lines
/// are ignored) gets one answer line, options.AnswerDelayMs after the
/// previous answer or its command, whichever is later, as a slow instrument
/// works through its commands one by one:
///   MEAS? or READ?  the next sample line, as the stream would send it
///   *IDN?           Kurvex,Simulator,0,<version>
///   anything else   ERR: unknown command
class Answerer {
 public:
  using Clock = std::chrono::steady_clock;

  explicit Answerer(const Options& options) : m_options(options) {}

  /// Bytes as they came at `now`.
  void Take(std::string_view bytes, Clock::time_point now);
  /// The answers due by `now`, in order, as one text; they leave the schedule.
  std::string Due(Clock::time_point now);
  /// When the next answer is due; none when nothing waits.
  std::optional<Clock::time_point> NextDue() const;
  /// Forgets a half-received command and the answers not yet due (the
  /// client has gone).
  void Forget();

  /// Sample lines answered so far.
  std::uint64_t Samples() const { return m_samples; }
  /// Commands not understood so far.
  std::uint64_t Unknown() const { return m_unknown; }

 private:
  struct Scheduled {
    Clock::time_point Due;
    std::string Text;
  };
  void Command(std::string_view command, Clock::time_point now);

  const Options m_options;
  std::string m_partial;
  std::deque<Scheduled> m_scheduled;
  std::uint64_t m_samples = 0;
  std::uint64_t m_unknown = 0;
};

/// What an answer run did.
struct AnswerResult {
  std::uint64_t Samples = 0;  ///< sample lines answered
  std::uint64_t Unknown = 0;  ///< commands not understood
};

/// Answers the commands that arrive on the nonblocking pty master `fd` until
/// `stop` becomes non-zero. Never waits for the client: answers it does not
/// take wait for room; while no client has the port open, what came is
/// forgotten.
AnswerResult AnswerQueries(const Options& options, int fd, const volatile std::sig_atomic_t& stop);

}  // namespace kurvex::sim
