// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

namespace kurvex {

enum TTimeFormat { tfHHMMSS, tfHHhMM, tfAMPM };
enum TYearLength { ylNone, ylYY, ylYYYY };
enum TDateOrder { doMMDDYY, doDDMMYY, doYYMMDD };
/// Which labels of a time-of-day granularity also carry the date: none, the
/// first labelled tick of the chart, the first labelled tick of each day, all.
enum TDateForTime { dtNone, dtOnePerChart, dtOnePerDay, dtAllTicks };

/// The values of a date/time label format.
struct TDTLabelFormat {
  TTimeFormat TimeFormat = tfHHMMSS;
  char DateSeparator = '-';
  char TimeSeparator = ':';
  TYearLength YearLength = ylYYYY;
  bool MonthName = true;
  TDateOrder DateOrder = doDDMMYY;
  TDateForTime DateForTime = dtOnePerDay;
  friend bool operator==(const TDTLabelFormat&, const TDTLabelFormat&) = default;
};

/// The date/time label format of a scale (its DateFormat). Every setter
/// stores and fires OnChange. GUI thread only.
class TDTLabel {
 public:
  TDTLabel() = default;
  TDTLabel(const TDTLabel&) = delete;
  TDTLabel& operator=(const TDTLabel&) = delete;

  const TDTLabelFormat& Format() const { return m_format; }
  /// Copies all values (not the handler) and fires OnChange.
  void Assign(const TDTLabelFormat& format);

  TTimeFormat TimeFormat() const { return m_format.TimeFormat; }
  void SetTimeFormat(TTimeFormat v);
  char DateSeparator() const { return m_format.DateSeparator; }
  void SetDateSeparator(char v);
  char TimeSeparator() const { return m_format.TimeSeparator; }
  void SetTimeSeparator(char v);
  TYearLength YearLength() const { return m_format.YearLength; }
  void SetYearLength(TYearLength v);
  bool MonthName() const { return m_format.MonthName; }
  void SetMonthName(bool v);
  TDateOrder DateOrder() const { return m_format.DateOrder; }
  void SetDateOrder(TDateOrder v);
  TDateForTime DateForTime() const { return m_format.DateForTime; }
  void SetDateForTime(TDateForTime v);

  std::function<void()> OnChange;

 private:
  void Changed();
  TDTLabelFormat m_format;
};

/// Text of a date-time value (days since 30 Dec 1899, time of day as
/// fraction) by a pattern: d dd m mm mmm yy yyyy h hh n nn s ss z zz,
/// am/pm (12-hour clock), text in double quotes copied literally, any other
/// character copied. The value is read as a point on a continuous line:
/// -1.25 is 18:00 on 28 Dec 1899, like the tick positions.
std::string FormatDateTime(const std::string& pattern, double value);

/// Civil date of a day number (days since 30 Dec 1899).
struct TCivilDate {
  int Year = 1899;
  int Month = 12;  ///< 1..12
  int Day = 30;    ///< 1..31
};
TCivilDate CivilFromDayNumber(long long day);
long long DayNumberFromCivil(int year, int month, int day);

}  // namespace kurvex
