// SPDX-License-Identifier: GPL-3.0-or-later
#include "csvimport/csvtime.h"

#include <chrono>
#include <ctime>

namespace kurvex {

namespace {

constexpr std::size_t kDateTimeLength = 19;  // "2026-12-07T10:15:00"
constexpr std::int64_t kNsPerSecond = 1'000'000'000;

// `count` digits at `at`, or -1.
int Digits(std::string_view text, std::size_t at, std::size_t count) {
  int value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

// "Z" → 0, "+01:00" or "+0100" → 3600; false for anything else.
bool ZoneOffset(std::string_view zone, std::int64_t& seconds) {
  if (zone == "Z") {
    seconds = 0;
    return true;
  }
  if ((zone.size() != 6 || zone[3] != ':') && zone.size() != 5) return false;
  if (zone[0] != '+' && zone[0] != '-') return false;
  const int hours = Digits(zone, 1, 2), minutes = Digits(zone, zone.size() - 2, 2);
  if (hours < 0 || minutes < 0 || hours > 23 || minutes > 59) return false;
  seconds = (zone[0] == '-' ? -1 : 1) * (hours * 3600 + minutes * 60);
  return true;
}

}  // namespace

bool TIsoTimeReader::Read(std::string_view text, std::int64_t& wallNs) {
  if (text.size() < kDateTimeLength) return false;
  std::size_t pos = kDateTimeLength;
  std::int64_t fraction = 0, scale = kNsPerSecond;
  if (pos < text.size() && (text[pos] == '.' || text[pos] == ',')) {
    const std::size_t first = ++pos;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
      if (scale > 1) fraction += (text[pos] - '0') * (scale /= 10);
    if (pos == first) return false;
  }
  const std::string_view dateTime = text.substr(0, kDateTimeLength), zone = text.substr(pos);
  if (m_key.size() != dateTime.size() + zone.size() || m_key.compare(0, dateTime.size(), dateTime) != 0 ||
      m_key.compare(dateTime.size(), zone.size(), zone) != 0) {
    if (!Second(dateTime, zone, m_second)) {
      m_key.clear();
      return false;
    }
    m_key.assign(dateTime);
    m_key.append(zone);
  }
  wallNs = m_second * kNsPerSecond + fraction;
  return true;
}

bool TIsoTimeReader::Second(std::string_view dateTime, std::string_view zone, std::int64_t& second) {
  if (dateTime[4] != '-' || dateTime[7] != '-' || (dateTime[10] != 'T' && dateTime[10] != ' ') ||
      dateTime[13] != ':' || dateTime[16] != ':')
    return false;
  const int year = Digits(dateTime, 0, 4), month = Digits(dateTime, 5, 2), day = Digits(dateTime, 8, 2);
  const int hour = Digits(dateTime, 11, 2), minute = Digits(dateTime, 14, 2), sec = Digits(dateTime, 17, 2);
  const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                                         std::chrono::day(static_cast<unsigned>(day))};
  if (year < 0 || !date.ok() || hour < 0 || hour > 23 || minute < 0 || minute > 59 || sec < 0 || sec > 60) return false;
  const std::int64_t timeOfDay = hour * 3600 + minute * 60 + sec;
  if (!zone.empty()) {
    std::int64_t offset = 0;
    if (!ZoneOffset(zone, offset)) return false;
    second = std::chrono::sys_days(date).time_since_epoch().count() * 86400 + timeOfDay - offset;
    return true;
  }
  // Local time: the system knows the zone's rules.
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = sec;
  local.tm_isdst = -1;
  second = static_cast<std::int64_t>(std::mktime(&local));
  return true;
}

}  // namespace kurvex
