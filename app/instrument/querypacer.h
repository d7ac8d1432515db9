// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>

namespace kurvex {

/// When the query of an acquisition goes out: every interval, but the next
/// only once the answer to the last has arrived or its timeout has passed,
/// so a slow instrument never gets a pile of queries; an answer later than
/// the interval makes the next query due at once, so a slow answer costs
/// no more than its own lateness. Counts the queries
/// that got no answer and measures the answers' round trips. Pure logic:
/// the caller tells it the time.
class TQueryPacer {
 public:
  using TClock = std::chrono::steady_clock;
  using TDuration = std::chrono::microseconds;

  /// The round trips of the answers: the last, the median and the 99th
  /// percentile of the last 1000, and the maximum.
  struct TRoundTrips {
    std::optional<TDuration> Last, Median, Percentile99, Maximum;
  };

  /// `timeout` 0: one second, or the interval when that is longer.
  TQueryPacer(TDuration interval, TDuration timeout);

  /// Start: nothing asked, nothing missing.
  void Restart();
  /// The interval has come round at `now`: true when the query is to go
  /// out now (it is then counted as waiting for its answer).
  bool Due(TClock::time_point now);
  /// A line arrived at `now`: the answer to the waiting query, if one
  /// waits. True when that answer came later than an interval after its
  /// query, so the next query is due at once rather than at the next tick.
  bool LineArrived(TClock::time_point now);

  TDuration Interval() const { return m_interval; }
  TDuration Timeout() const { return m_timeout; }
  std::int64_t Missing() const { return m_missing; }
  bool Waiting() const { return m_sentAt.has_value(); }
  TRoundTrips RoundTrips() const;

 private:
  static constexpr std::size_t kKeptRoundTrips = 1000;

  TDuration m_interval;
  TDuration m_timeout;
  std::optional<TClock::time_point> m_sentAt;
  std::int64_t m_missing = 0;
  std::deque<TDuration> m_roundTrips;  // the newest last
  TDuration m_maximum{0};
};

}  // namespace kurvex
