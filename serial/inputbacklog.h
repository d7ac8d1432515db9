// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>

namespace kurvex {

/// Tells when received input waits too long because it arrives faster than
/// it is handled: input counts as backlogged from the first handling that
/// ended with bytes still waiting until one ends with the queue empty.
/// GUI thread (whoever handles the events).
class TInputBacklog {
 public:
  using Clock = std::chrono::steady_clock;
  /// How long a backlog may last before it counts as an overload.
  static constexpr Clock::duration kOverloadAfter = std::chrono::seconds(1);

  /// A handling ended at `now` with bytes still waiting (`bytesLeft`) or
  /// with the queue empty. True when Overloaded() changed.
  bool HandlingEnded(bool bytesLeft, Clock::time_point now);
  /// Input has been waiting for longer than kOverloadAfter.
  bool Overloaded() const { return m_overloaded; }
  /// Starts over (a new open).
  void Reset();

 private:
  std::optional<Clock::time_point> m_since;
  bool m_overloaded = false;
};

}  // namespace kurvex
