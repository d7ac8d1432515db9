// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kurvex {

/// Reads ISO 8601 times as a recording writes them, to nanoseconds since
/// 1970 UTC: "2026-12-07T10:15:00.123+01:00", with 'T' or a space, any
/// number of fraction digits (after '.' or ','), and "Z", "+01:00", "+0100"
/// or nothing (local time) after it. Rows of the same second cost no
/// calendar arithmetic: the reader keeps the last second it worked out.
class TIsoTimeReader {
 public:
  /// False when `text` is no such time.
  bool Read(std::string_view text, std::int64_t& wallNs);

 private:
  /// The second of `dateTime` ("YYYY-MM-DDTHH:MM:SS") in `zone`; false when invalid.
  static bool Second(std::string_view dateTime, std::string_view zone, std::int64_t& second);

  std::string m_key;  // date, time to the second and zone of m_second
  std::int64_t m_second = 0;
};

}  // namespace kurvex
