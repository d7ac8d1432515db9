// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/files/chartcsv.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "recording/columnnames.h"

namespace kurvex {

namespace {


std::string_view Head(std::span<const std::string> heads, std::size_t curve) {
  return curve < heads.size() ? std::string_view(heads[curve]) : std::string_view();
}

bool NamedFirstCurve(const TCurveHeads& heads) { return !Head(heads.Names, 0).empty(); }

/// One value column per curve; a single curve without a name keeps the
/// header it always had.
std::string SamplesHeader(std::size_t curves, TCsvDialect dialect, const TCurveHeads& heads) {
  std::string text;
  AppendCsvText(text, "Sample", dialect, true);
  if (curves == 1 && !NamedFirstCurve(heads)) {
    AppendCsvText(text, ScaledValueColumn({}, Head(heads.Units, 0)), dialect);
  } else {
    for (std::size_t curve = 0; curve < curves; ++curve) {
      const std::string label = CurveLabel(curve, std::string(Head(heads.Names, curve)));
      AppendCsvText(text, ScaledValueColumn(label, Head(heads.Units, curve)), dialect);
    }
  }
  EndCsvRow(text);
  return text;
}

std::string SingleCurveCsv(const TItemStore& items, TCsvDialect dialect, const TCurveHeads& heads) {
  std::string text = SamplesHeader(1, dialect, heads);
  for (int i = 0; i < items.Count(); ++i) {
    const TChartItem& item = items[i];
    if (!IsLinePoint(item)) continue;
    AppendCsvValue(text, item.X, dialect, true);
    AppendCsvValue(text, item.Y, dialect);
    EndCsvRow(text);
  }
  return text;
}

/// One row being gathered: its X and each curve's Y, if it has one.
class TCurvesRow {
 public:
  explicit TCurvesRow(std::size_t curves) : m_values(curves) {}
  bool Takes(const TChartItem& item) const { return m_used && item.X == m_x && !m_values[item.Curve]; }
  void Take(const TChartItem& item) {
    m_x = item.X;
    m_values[item.Curve] = item.Y;
    m_used = true;
  }
  void Flush(std::string& text, TCsvDialect dialect) {
    if (!m_used) return;
    AppendCsvValue(text, m_x, dialect, true);
    for (std::optional<double>& value : m_values) {
      if (value)
        AppendCsvValue(text, *value, dialect);
      else
        text += CsvSeparator(dialect);
      value.reset();
    }
    EndCsvRow(text);
    m_used = false;
  }

 private:
  double m_x = 0;
  bool m_used = false;
  std::vector<std::optional<double>> m_values;
};

}  // namespace

std::string ChartSamplesCsv(const TItemStore& items, TCsvDialect dialect, TCurveHeads heads) {
  std::size_t curves = 1;
  for (int i = 0; i < items.Count(); ++i)
    if (IsLinePoint(items[i])) curves = std::max<std::size_t>(curves, items[i].Curve + 1u);
  if (curves == 1 && !NamedFirstCurve(heads)) return SingleCurveCsv(items, dialect, heads);

  std::string text = SamplesHeader(curves, dialect, heads);
  TCurvesRow row(curves);
  for (int i = 0; i < items.Count(); ++i) {
    const TChartItem& item = items[i];
    if (!IsLinePoint(item)) continue;
    if (!row.Takes(item)) row.Flush(text, dialect);
    row.Take(item);
  }
  row.Flush(text, dialect);
  return text;
}

std::string HistorySamplesCsv(const THistory& history, TCsvDialect dialect, TCurveHeads heads) {
  const std::size_t curves = std::max<std::size_t>(history.Curves(), 1);
  std::string text = SamplesHeader(curves, dialect, heads);
  for (std::int64_t n = history.FirstNumber(); n <= history.LastNumber(); ++n) {
    AppendCsvInteger(text, n, dialect, true);
    for (std::size_t curve = 0; curve < curves; ++curve) {
      const float value = history.Value(curve, n);
      if (std::isnan(value)) {
        text += CsvSeparator(dialect);
      } else {
        AppendCsvValue(text, value, dialect);
      }
    }
    EndCsvRow(text);
  }
  return text;
}

}  // namespace kurvex
