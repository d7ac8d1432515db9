// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/closer/closertexts.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>
#include <vector>

#include "app/numbertext.h"
#include "app/valuetext.h"

namespace kurvex {

namespace {

std::string MillisecondsText(double seconds, char decimalSeparator) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", seconds);
  std::string result = text;
  // snprintf writes the C locale's point, whatever the window's separator.
  for (char& c : result)
    if (c == '.' || c == ',') c = decimalSeparator;
  return result;
}

}  // namespace

std::string FigureText(std::optional<double> value, char decimalSeparator) {
  if (!value || std::isnan(*value)) return "–";
  const double v = *value;
  if (std::fabs(v) <= std::numeric_limits<float>::max()) return ShortValueText(static_cast<float>(v), decimalSeparator);
  // Beyond the float range (a difference of two extremes): the digits of a
  // float still, "-6,8056469E38".
  char text[32];
  std::snprintf(text, sizeof text, "%.7E", v);
  std::string result = text;
  for (char& c : result)
    if (c == '.' || c == ',') c = decimalSeparator;
  const std::size_t e = result.find('E');
  std::size_t digitsEnd = e;
  while (result[digitsEnd - 1] == '0') --digitsEnd;
  if (result[digitsEnd - 1] == decimalSeparator) --digitsEnd;
  return result.substr(0, digitsEnd) + "E" + std::to_string(std::stoi(result.substr(e + 1)));
}

std::string SampleText(const TPickedSample& sample, char decimalSeparator) {
  std::string text = "Sample " + GroupedCount(sample.Number) + " · " + FigureText(sample.Value, decimalSeparator);
  if (sample.WallNs) text += " · " + TimeOfDayText(*sample.WallNs, decimalSeparator);
  return text;
}

std::string SecondsText(std::optional<double> seconds, char decimalSeparator) {
  return seconds ? MillisecondsText(*seconds, decimalSeparator) + " s" : "–";
}

std::string FiguresTable(const TCloserFigures& figures, char decimalSeparator) {
  std::vector<std::pair<std::string, std::string>> cells;
  const auto figure = [&](const char* header, std::optional<double> value) {
    cells.emplace_back(header, value && !std::isnan(*value) ? FigureText(value, decimalSeparator) : "");
  };
  const auto sample = [&](const std::string& suffix, const TPickedSample& s) {
    cells.emplace_back("Sample" + suffix, std::to_string(s.Number));
    figure(("Wert" + suffix).c_str(), s.Value);
    cells.emplace_back("Zeit" + suffix, s.WallNs ? TimeOfDayText(*s.WallNs, decimalSeparator) : "");
  };
  if (figures.Readout.Valid()) sample("", figures.Readout);
  if (figures.MarkerA.Valid()) sample(" A", figures.MarkerA);
  if (figures.MarkerB.Valid()) sample(" B", figures.MarkerB);
  if (figures.MarkerA.Valid() && figures.MarkerB.Valid()) {
    const TMarkerDelta d = DeltaOf(figures.MarkerA, figures.MarkerB);
    cells.emplace_back("Δ Samples", std::to_string(d.Samples));
    figure("Δ Wert", d.Value);
    cells.emplace_back("Δ Zeit (s)", d.Seconds ? MillisecondsText(*d.Seconds, decimalSeparator) : "");
    figure("Steigung pro Sample", d.SlopePerSample);
    figure("Steigung pro s", d.SlopePerSecond);
  }
  if (const auto& s = figures.Statistics) {
    cells.emplace_back("Anzahl", std::to_string(s->Count));
    const bool any = s->Count > 0;
    figure("Minimum", any ? std::optional(s->Minimum) : std::nullopt);
    figure("Maximum", any ? std::optional(s->Maximum) : std::nullopt);
    figure("Mittelwert", any ? std::optional(s->Mean) : std::nullopt);
    figure("Standardabweichung", any ? std::optional(s->StandardDeviation) : std::nullopt);
    figure("Spitze-Spitze", any ? std::optional(s->PeakToPeak) : std::nullopt);
  }
  std::string header, values;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) header += '\t', values += '\t';
    header += cells[i].first;
    values += cells[i].second;
  }
  return header + "\n" + values + "\n";
}

}  // namespace kurvex
