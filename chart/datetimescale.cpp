// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/datetimescale.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kurvex {

namespace {

constexpr double kFirstDay = -693593;  // 1 Jan 0001
constexpr double kLastDay = 3000000;
constexpr double kEndSlack = 1e-8;     // days
constexpr long long kMonday = 2;       // day 2 is Monday, 1 Jan 1900

struct TUnitStep {
  int Step;
  int Spacing;
};

struct TTimeUnit {
  long long PerDay;
  std::array<TUnitStep, 6> Steps;
};

const TTimeUnit& UnitOf(TDateGranularity g) {
  static const TTimeUnit kHundredths{8640000, {{{1, 1}, {2, 1}, {5, 1}, {10, 5}, {20, 10}, {50, 10}}}};
  static const TTimeUnit kSeconds{86400, {{{1, 1}, {2, 1}, {5, 1}, {10, 2}, {20, 5}, {30, 10}}}};
  static const TTimeUnit kMinutes{1440, {{{1, 1}, {2, 1}, {5, 1}, {10, 2}, {20, 5}, {30, 10}}}};
  static const TTimeUnit kHours{24, {{{1, 1}, {2, 1}, {3, 1}, {6, 2}, {8, 2}, {12, 3}}}};
  switch (g) {
    case dgHundredths: return kHundredths;
    case dgSeconds: return kSeconds;
    case dgMinutes: return kMinutes;
    default: return kHours;
  }
}

long long FloorMod(long long a, long long b) { return ((a % b) + b) % b; }

std::string Quoted(char c) { return std::string("\"") + c + "\""; }

std::string YearPart(TYearLength y) {
  return y == ylYY ? "yy" : y == ylYYYY ? "yyyy" : "";
}

std::string Join(const std::array<std::string, 3>& parts, char separator) {
  std::string out;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    if (!out.empty()) out += Quoted(separator);
    out += part;
  }
  return out;
}

std::string MonthLabelPattern(const TDTLabelFormat& f) {
  const std::string month = f.MonthName ? "mmm" : "mm";
  const std::string year = YearPart(f.YearLength);
  return f.DateOrder == doYYMMDD ? Join({year, month, ""}, f.DateSeparator)
                                 : Join({month, year, ""}, f.DateSeparator);
}

std::string YearLabel(int year, TYearLength y) {
  if (y == ylNone) return {};
  if (y == ylYY) return FormatDateTime("yy", static_cast<double>(DayNumberFromCivil(year, 1, 1)));
  return std::to_string(year);
}

void Mark(TTickLayout& layout, double t, bool labelled, std::string label) {
  layout.Marks.push_back({t, labelled, true, labelled ? std::move(label) : std::string()});
}

// Time-of-day ticks on whole multiples of the step since midnight; the date
// is added by DateForTime (first labelled tick of the chart or of each day).
void LayoutTimeOfDay(const TTickParams& p, TDateGranularity g, double daysPerTick, TTickLayout& layout) {
  const TTimeUnit& unit = UnitOf(g);
  const long double u = unit.PerDay;
  TUnitStep chosen = unit.Steps[0];
  for (const TUnitStep& s : unit.Steps)
    if (s.Step <= daysPerTick * u) chosen = s;
  const long double day = std::floor(static_cast<long double>(p.Low));
  const long double fracUnits = (p.Low - day) * u;
  long long n = static_cast<long long>(std::ceil(fracUnits));
  n += FloorMod(chosen.Step - FloorMod(n, chosen.Step), chosen.Step);
  const int advance = p.ShortTicks ? chosen.Spacing : chosen.Step;
  if (p.ShortTicks)
    while (n > fracUnits) n -= chosen.Spacing;
  const std::string pattern = TimeLabelPattern(g, p.DateFormat);
  const std::string datePattern = " " + DateLabelPattern(p.DateFormat);
  long long lastDatedDay = 0;
  bool dated = false;
  for (;; n += advance) {
    const long double t = day + n / u;
    if (!(t - p.High < kEndSlack)) break;
    if (t < p.Low) continue;
    // The step divides a day, so whole multiples since day 0 and since
    // midnight are the same ticks.
    const bool labelled = FloorMod(n, chosen.Step) == 0;
    std::string label;
    if (labelled) {
      const double value = static_cast<double>(t);
      label = FormatDateTime(pattern, value);
      const long long today = static_cast<long long>(std::floor(t + 0.5L / 8640000));
      const TDateForTime when = p.DateFormat.DateForTime;
      if (when == dtAllTicks || (when == dtOnePerChart && !dated) ||
          (when == dtOnePerDay && (!dated || today != lastDatedDay))) {
        label += FormatDateTime(datePattern, value);
        dated = true;
        lastDatedDay = today;
      }
    }
    Mark(layout, static_cast<double>(t), labelled, std::move(label));
  }
}

// Day ticks at midnight, counted in whole steps from Monday 1 Jan 1900, so
// weekly steps fall on Mondays.
void LayoutDays(const TTickParams& p, double daysPerTick, TTickLayout& layout) {
  int step = 1;
  for (int s : {1, 2, 3, 7, 14, 28})
    if (s <= daysPerTick) step = s;
  const int spacing = step <= 7 ? 1 : 7;
  const int advance = p.ShortTicks ? spacing : step;
  long long n = static_cast<long long>(std::ceil(p.Low));
  n += FloorMod(advance - FloorMod(n - kMonday, advance), advance);
  const std::string pattern = DateLabelPattern(p.DateFormat);
  for (; n - p.High < kEndSlack; n += advance) {
    const bool labelled = FloorMod(n - kMonday, step) == 0;
    Mark(layout, static_cast<double>(n), labelled,
         labelled ? FormatDateTime(pattern, static_cast<double>(n)) : std::string());
  }
}

// Month ticks on first days, in whole steps from January.
void LayoutMonths(const TTickParams& p, TTickLayout& layout) {
  const double perTick = (p.High - p.Low) / 30.4375 / p.MinTicks;
  int step = 1;
  for (int s : {1, 2, 3, 4, 6})
    if (s <= perTick) step = s;
  const int advance = p.ShortTicks ? 1 : step;
  const TCivilDate low = CivilFromDayNumber(static_cast<long long>(std::floor(p.Low)));
  long long month = low.Year * 12LL + (low.Month - 1);
  auto dayOf = [](long long m) {
    return DayNumberFromCivil(static_cast<int>(m / 12), static_cast<int>(m % 12) + 1, 1);
  };
  if (dayOf(month) < p.Low) ++month;
  month += FloorMod(advance - FloorMod(month, advance), advance);
  const std::string pattern = MonthLabelPattern(p.DateFormat);
  for (; dayOf(month) - p.High < kEndSlack; month += advance) {
    const bool labelled = FloorMod(month, step) == 0;
    const double t = static_cast<double>(dayOf(month));
    Mark(layout, t, labelled, labelled ? FormatDateTime(pattern, t) : std::string());
  }
}

// Year ticks on 1 January of whole multiples of a 1, 2, 5 times a power of
// ten years; short ticks at a fifth of the step (half for 2 × 10^n), never
// closer than a year.
void LayoutYears(const TTickParams& p, TTickLayout& layout) {
  const double perTick = (p.High - p.Low) / 365.25 / p.MinTicks;
  long long step = 1, spacing = 1;
  for (long long decade = 1; decade <= 1000000; decade *= 10) {
    for (int mantissa : {1, 2, 5}) {
      if (mantissa * decade > perTick) continue;
      step = mantissa * decade;
      spacing = std::max<long long>(1, mantissa == 2 ? step / 2 : step / 5);
    }
  }
  const long long advance = p.ShortTicks ? spacing : step;
  long long year = CivilFromDayNumber(static_cast<long long>(std::floor(p.Low))).Year;
  if (DayNumberFromCivil(static_cast<int>(year), 1, 1) < p.Low) ++year;
  year += FloorMod(advance - FloorMod(year, advance), advance);
  for (;; year += advance) {
    const double t = static_cast<double>(DayNumberFromCivil(static_cast<int>(year), 1, 1));
    if (!(t - p.High < kEndSlack)) break;
    const bool labelled = FloorMod(year, step) == 0;
    Mark(layout, t, labelled, labelled ? YearLabel(static_cast<int>(year), p.DateFormat.YearLength) : "");
  }
}

}  // namespace

TDateGranularity DateGranularity(double d) {
  if (d <= 1.0 / 86400) return dgHundredths;
  if (d <= 1.0 / 1440) return dgSeconds;
  if (d <= 0.041667) return dgMinutes;
  if (d <= 1) return dgHours;
  if (d <= 30) return dgDays;
  if (d <= 366) return dgMonths;
  return dgYears;
}

std::string TimeLabelPattern(TDateGranularity g, const TDTLabelFormat& f) {
  const std::string s = Quoted(f.TimeSeparator);
  const std::string dot = Quoted('.');
  const std::string h = Quoted('h');
  switch (f.TimeFormat) {
    case tfHHhMM:
      switch (g) {
        case dgHours: return "h" + h;
        case dgMinutes: return "h" + h + "nn";
        case dgSeconds: return "h" + h + "nn" + s + "ss";
        default: return "h" + h + "nn" + s + "ss" + dot + "zz";
      }
    case tfAMPM:
      switch (g) {
        case dgHours: return "h am/pm";
        case dgMinutes: return "h" + s + "nn am/pm";
        case dgSeconds: return "h" + s + "nn" + dot + "ss am/pm";
        default: return "h" + s + "nn" + dot + "ss" + dot + "zz am/pm";
      }
    default:
      switch (g) {
        case dgHours:
        case dgMinutes: return "hh" + s + "nn";
        case dgSeconds: return "hh" + s + "nn" + s + "ss";
        default: return "hh" + s + "nn" + s + "ss" + dot + "zz";
      }
  }
}

std::string DateLabelPattern(const TDTLabelFormat& f) {
  const std::string month = f.MonthName ? "mmm" : "mm";
  const std::string year = YearPart(f.YearLength);
  switch (f.DateOrder) {
    case doMMDDYY: return Join({month, "dd", year}, f.DateSeparator);
    case doYYMMDD: return Join({year, month, "dd"}, f.DateSeparator);
    default: return Join({"dd", month, year}, f.DateSeparator);
  }
}

void LayoutDateTimeTicks(const TTickParams& p, TTickLayout& layout) {
  if (!(p.High >= p.Low) || p.Low < kFirstDay || p.High > kLastDay) {
    layout.Message = {"invalid", "DateTime", "scale"};
    return;
  }
  const double perTick = (p.High - p.Low) / p.MinTicks;
  if (perTick <= 1.0 / 8640000) {
    layout.Message = {"DateTime", "range is", "below 1", "second"};
    return;
  }
  const TDateGranularity g = DateGranularity(perTick);
  if (g == dgYears)
    LayoutYears(p, layout);
  else if (g == dgMonths)
    LayoutMonths(p, layout);
  else if (g == dgDays)
    LayoutDays(p, perTick, layout);
  else
    LayoutTimeOfDay(p, g, perTick, layout);
}

}  // namespace kurvex
