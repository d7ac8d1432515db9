// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/closer/closertexts.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>
#include <vector>

#include "app/numbertext.h"
#include "app/valuetext.h"
#include "platform/system/translate.h"

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

std::string FigureText(std::optional<double> value, const std::string& unit, char decimalSeparator) {
  const std::string text = FigureText(value, decimalSeparator);
  return unit.empty() || text == "–" ? text : text + " " + unit;
}

std::vector<TTextPart> SampleParts(const TPickedSample& sample, std::vector<TTextPart> values,
                                   char decimalSeparator) {
  std::vector<TTextPart> parts;
  // Against time the X comes first, as the axis shows it.
  const bool timeFirst = sample.Along == TPickedSample::TAlong::Time;
  if (timeFirst) parts.push_back({ClockText(sample.X, decimalSeparator) + " · ", std::nullopt});
  parts.push_back({Fill(Tr("Closer", "Sample %1"), {GroupedCount(sample.Number)}), std::nullopt});
  // XY: the point's X, the X curve's value, before the values drawn against it.
  if (sample.Along == TPickedSample::TAlong::Curve)
    parts.push_back({" · X: " + FigureText(sample.X, decimalSeparator), std::nullopt});
  for (TTextPart& value : values) {
    parts.push_back({" · ", std::nullopt});
    parts.push_back(std::move(value));
  }
  if (sample.WallNs && !timeFirst) parts.push_back({" · " + TimeOfDayText(*sample.WallNs, decimalSeparator), std::nullopt});
  return parts;
}

std::string SampleText(const TPickedSample& sample, char decimalSeparator) {
  return PlainText(SampleParts(sample, {{FigureText(sample.Value, decimalSeparator), std::nullopt}}, decimalSeparator));
}

std::string SecondsText(std::optional<double> seconds, char decimalSeparator) {
  return seconds ? MillisecondsText(*seconds, decimalSeparator) + " s" : "–";
}

std::vector<TCurveFigures> CurvesOf(const TCloserFigures& figures) {
  if (!figures.Curves.empty()) return figures.Curves;
  TCurveFigures only;
  only.Readout = figures.Readout.Value;
  only.MarkerA = figures.MarkerA.Value;
  only.MarkerB = figures.MarkerB.Value;
  only.Statistics = figures.Statistics;
  return {only};
}

std::optional<double> CurveFigure(TFigure figure, const TCurveFigures& curve, const TCloserFigures& figures) {
  const std::optional<THistoryStatistics>& s = curve.Statistics;
  const auto statistic = [&](double THistoryStatistics::*member) {
    return s && s->Count > 0 ? std::optional((*s).*member) : std::nullopt;
  };
  switch (figure) {
    case TFigure::DeltaValue:
    case TFigure::SlopePerSample:
    case TFigure::SlopePerSecond: {
      if (!figures.MarkerA.Valid() || !figures.MarkerB.Valid()) return std::nullopt;
      TPickedSample a = figures.MarkerA, b = figures.MarkerB;
      a.Value = curve.MarkerA;
      b.Value = curve.MarkerB;
      const TMarkerDelta d = DeltaOf(a, b);
      if (figure == TFigure::DeltaValue) return d.Value;
      return figure == TFigure::SlopePerSample ? d.SlopePerSample : d.SlopePerSecond;
    }
    case TFigure::Count: return s ? std::optional(static_cast<double>(s->Count)) : std::nullopt;
    case TFigure::Minimum: return statistic(&THistoryStatistics::Minimum);
    case TFigure::Maximum: return statistic(&THistoryStatistics::Maximum);
    case TFigure::Mean: return statistic(&THistoryStatistics::Mean);
    case TFigure::StandardDeviation: return statistic(&THistoryStatistics::StandardDeviation);
    case TFigure::PeakToPeak: return statistic(&THistoryStatistics::PeakToPeak);
    default: return std::nullopt;
  }
}

std::string CurveFigureText(TFigure figure, const TCurveFigures& curve, const TCloserFigures& figures,
                            char decimalSeparator) {
  if (figure == TFigure::Count) return curve.Statistics ? GroupedCount(curve.Statistics->Count) : "–";
  return FigureText(CurveFigure(figure, curve, figures), curve.Unit, decimalSeparator);
}

std::vector<TTextPart> ReadoutParts(const TCloserFigures& figures, char decimalSeparator) {
  if (figures.Curves.empty()) return {{SampleText(figures.Readout, decimalSeparator), std::nullopt}};
  std::vector<TTextPart> values;
  for (const TCurveFigures& c : figures.Curves)
    values.push_back({c.Label + " " + FigureText(c.Readout, c.Unit, decimalSeparator), c.Color});
  return SampleParts(figures.Readout, std::move(values), decimalSeparator);
}

std::string FiguresTable(const TCloserFigures& figures, char decimalSeparator) {
  const std::vector<TCurveFigures> curves = CurvesOf(figures);
  std::vector<std::pair<std::string, std::string>> cells;
  // With several curves each of a curve's own columns is headed with its label.
  const auto headed = [&](const std::string& header, const TCurveFigures& curve) {
    return figures.Curves.empty() ? header : header + " " + curve.Label;
  };
  const auto figure = [&](const std::string& header, std::optional<double> value) {
    cells.emplace_back(header, value && !std::isnan(*value) ? FigureText(value, decimalSeparator) : "");
  };
  const auto curveFigure = [&](TFigure f) {
    const std::string caption = FigureCaption(f);
    for (const TCurveFigures& c : curves) {
      if (f == TFigure::Count)
        cells.emplace_back(headed(caption, c), c.Statistics ? std::to_string(c.Statistics->Count) : "");
      else
        figure(headed(caption, c), CurveFigure(f, c, figures));
    }
  };
  const auto sample = [&](const std::string& suffix, const TPickedSample& s, float TCurveFigures::*value) {
    cells.emplace_back(Tr("Closer", "Sample") + suffix, std::to_string(s.Number));
    for (const TCurveFigures& c : curves) figure(headed(Tr("Closer", "Wert") + suffix, c), c.*value);
    cells.emplace_back(Tr("Closer", "Zeit") + suffix, s.WallNs ? TimeOfDayText(*s.WallNs, decimalSeparator) : "");
  };
  if (figures.Readout.Valid()) sample("", figures.Readout, &TCurveFigures::Readout);
  if (figures.MarkerA.Valid()) sample(" A", figures.MarkerA, &TCurveFigures::MarkerA);
  if (figures.MarkerB.Valid()) sample(" B", figures.MarkerB, &TCurveFigures::MarkerB);
  if (figures.MarkerA.Valid() && figures.MarkerB.Valid()) {
    const TMarkerDelta d = DeltaOf(figures.MarkerA, figures.MarkerB);
    cells.emplace_back(FigureCaption(TFigure::DeltaSamples), std::to_string(d.Samples));
    curveFigure(TFigure::DeltaValue);
    cells.emplace_back(Tr("Closer", "Δ Zeit (s)"), d.Seconds ? MillisecondsText(*d.Seconds, decimalSeparator) : "");
    curveFigure(TFigure::SlopePerSample);
    curveFigure(TFigure::SlopePerSecond);
  }
  if (figures.Statistics) {
    for (TFigure f : {TFigure::Count, TFigure::Minimum, TFigure::Maximum, TFigure::Mean,
                      TFigure::StandardDeviation, TFigure::PeakToPeak})
      curveFigure(f);
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
