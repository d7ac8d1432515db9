// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/dtlabel.h"

#include <cmath>
#include <cstdio>

namespace kurvex {

void TDTLabel::Changed() {
  if (OnChange) OnChange();
}

void TDTLabel::Assign(const TDTLabelFormat& format) {
  m_format = format;
  Changed();
}

void TDTLabel::SetTimeFormat(TTimeFormat v) {
  m_format.TimeFormat = v;
  Changed();
}

void TDTLabel::SetDateSeparator(char v) {
  m_format.DateSeparator = v;
  Changed();
}

void TDTLabel::SetTimeSeparator(char v) {
  m_format.TimeSeparator = v;
  Changed();
}

void TDTLabel::SetYearLength(TYearLength v) {
  m_format.YearLength = v;
  Changed();
}

void TDTLabel::SetMonthName(bool v) {
  m_format.MonthName = v;
  Changed();
}

void TDTLabel::SetDateOrder(TDateOrder v) {
  m_format.DateOrder = v;
  Changed();
}

void TDTLabel::SetDateForTime(TDateForTime v) {
  m_format.DateForTime = v;
  Changed();
}

namespace {

// Day 0 of the date-time values, 30 Dec 1899, counted from 1 Mar of year 0.
constexpr long long kEpochShift = 693899;

// The short month names of the German locale the program is written for.
constexpr const char* kMonthNames[12] = {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun",
                                         "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};

long long FloorDiv(long long a, long long b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

struct TBrokenTime {
  TCivilDate date;
  int hour = 0, minute = 0, second = 0, centi = 0, milli = 0;
};

TBrokenTime Break(double value) {
  // Whole milliseconds first, so 23:59:59.9999 rolls over into the next day.
  const long long ms = std::llround(static_cast<long double>(value) * 86400000.0L);
  const long long day = FloorDiv(ms, 86400000);
  long long rest = ms - day * 86400000;
  TBrokenTime t;
  t.date = CivilFromDayNumber(day);
  t.hour = static_cast<int>(rest / 3600000);
  rest %= 3600000;
  t.minute = static_cast<int>(rest / 60000);
  rest %= 60000;
  t.second = static_cast<int>(rest / 1000);
  t.milli = static_cast<int>(rest % 1000);
  t.centi = t.milli / 10;
  return t;
}

std::size_t RunLength(const std::string& s, std::size_t i) {
  std::size_t n = 1;
  while (i + n < s.size() && (s[i + n] | 0x20) == (s[i] | 0x20)) ++n;
  return n;
}

void AppendNumber(std::string& out, long long v, int digits) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%0*lld", digits, v);
  out += buffer;
}

}  // namespace

TCivilDate CivilFromDayNumber(long long day) {
  // Days since 1 Mar 0000 in the proleptic Gregorian calendar, by 400-year eras.
  const long long z = day + kEpochShift;
  const long long era = FloorDiv(z, 146097);
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  TCivilDate d;
  d.Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  d.Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  d.Year = static_cast<int>(yoe + era * 400 + (d.Month <= 2 ? 1 : 0));
  return d;
}

long long DayNumberFromCivil(int year, int month, int day) {
  const long long y = year - (month <= 2 ? 1 : 0);
  const long long era = FloorDiv(y, 400);
  const long long yoe = y - era * 400;
  const long long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - kEpochShift;
}

std::string FormatDateTime(const std::string& pattern, double value) {
  const TBrokenTime t = Break(value);
  const bool twelveHour = pattern.find("am/pm") != std::string::npos;
  const int hour = twelveHour ? (t.hour % 12 == 0 ? 12 : t.hour % 12) : t.hour;
  std::string out;
  for (std::size_t i = 0; i < pattern.size();) {
    const char c = pattern[i];
    if (c == '"') {
      const std::size_t close = pattern.find('"', i + 1);
      const std::size_t end = close == std::string::npos ? pattern.size() : close;
      out.append(pattern, i + 1, end - i - 1);
      i = end + 1;
      continue;
    }
    if (pattern.compare(i, 5, "am/pm") == 0) {
      out += t.hour < 12 ? "am" : "pm";
      i += 5;
      continue;
    }
    const std::size_t n = RunLength(pattern, i);
    switch (c | 0x20) {
      case 'd': AppendNumber(out, t.date.Day, n >= 2 ? 2 : 1); break;
      case 'm':
        if (n >= 3)
          out += kMonthNames[t.date.Month - 1];
        else
          AppendNumber(out, t.date.Month, static_cast<int>(n));
        break;
      case 'y':
        if (n >= 4)
          AppendNumber(out, t.date.Year, 4);
        else
          AppendNumber(out, ((t.date.Year % 100) + 100) % 100, 2);
        break;
      case 'h': AppendNumber(out, hour, n >= 2 ? 2 : 1); break;
      case 'n': AppendNumber(out, t.minute, n >= 2 ? 2 : 1); break;
      case 's': AppendNumber(out, t.second, n >= 2 ? 2 : 1); break;
      case 'z': AppendNumber(out, n >= 3 ? t.milli : t.centi, n >= 3 ? 3 : 2); break;
      default: out.append(pattern, i, n); break;
    }
    i += n;
  }
  return out;
}

}  // namespace kurvex
