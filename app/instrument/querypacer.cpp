// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instrument/querypacer.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace kurvex {

TQueryPacer::TQueryPacer(TDuration interval, TDuration timeout)
    : m_interval(interval),
      m_timeout(timeout.count() > 0 ? timeout : std::max<TDuration>(std::chrono::seconds(1), interval)) {}

void TQueryPacer::Restart() {
  m_sentAt.reset();
  m_missing = 0;
  m_roundTrips.clear();
  m_maximum = TDuration{0};
}

bool TQueryPacer::Due(TClock::time_point now) {
  if (m_sentAt) {
    if (now - *m_sentAt < m_timeout) return false;
    ++m_missing;
  }
  m_sentAt = now;
  return true;
}

bool TQueryPacer::LineArrived(TClock::time_point now) {
  if (!m_sentAt) return false;
  const auto roundTrip = std::chrono::duration_cast<TDuration>(now - *std::exchange(m_sentAt, std::nullopt));
  m_roundTrips.push_back(roundTrip);
  if (m_roundTrips.size() > kKeptRoundTrips) m_roundTrips.pop_front();
  m_maximum = std::max(m_maximum, roundTrip);
  return roundTrip >= m_interval;
}

TQueryPacer::TRoundTrips TQueryPacer::RoundTrips() const {
  if (m_roundTrips.empty()) return {};
  std::vector<TDuration> sorted(m_roundTrips.begin(), m_roundTrips.end());
  const auto rank = [&](std::size_t per100) {
    const auto at = sorted.begin() + static_cast<std::ptrdiff_t>(sorted.size() * per100 / 100);
    std::nth_element(sorted.begin(), at, sorted.end());
    return *at;
  };
  const TDuration median = rank(50);
  return {m_roundTrips.back(), median, rank(99), m_maximum};
}

}  // namespace kurvex
