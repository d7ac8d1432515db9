// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdlib.h>
#include <time.h>

#include <optional>
#include <string>

namespace kurvex::test {

/// A zone with summer time, so the offsets a test reads are known.
inline constexpr char kBerlinZone[] = "CET-1CEST,M3.5.0,M10.5.0/3";

/// Local time in the given zone while it lives, whatever the machine's;
/// the zone before comes back after.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    if (const char* tz = ::getenv("TZ")) m_previous = tz;
    ::setenv("TZ", zone, 1);
    ::tzset();
  }
  ~ScopedTimeZone() {
    m_previous ? ::setenv("TZ", m_previous->c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
  }
  ScopedTimeZone(const ScopedTimeZone&) = delete;
  ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

 private:
  std::optional<std::string> m_previous;
};

}  // namespace kurvex::test
