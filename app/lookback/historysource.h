// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "app/curvesettings.h"
#include "app/sampleseries.h"
#include "chart/curvesource.h"
#include "history/history.h"

namespace kurvex {

/// The history of a Trend acquisition as the chart draws it: sample n where
/// the axis places it (X = n, or its time) on layer 1, each curve in its colour.
class THistorySource : public TCurveSource {
 public:
  THistorySource(const THistory& history, const TCurveSettings& curves) : m_history(history), m_curves(curves) {}

  std::size_t Curves() const override { return m_history.Curves(); }
  TColor CurveColor(std::size_t curve) const override;
  int CurveLayer(std::size_t curve) const override;
  /// Where the samples lie along X (the column starts found before are forgotten).
  void SetAxis(const TSampleAxis& axis) {
    m_axis = axis;
    m_columnStarts.clear();
  }
  const TSampleAxis& Axis() const { return m_axis; }
  std::int64_t SampleCount(double from, double to) const override;
  void Points(std::size_t curve, double from, double to, std::vector<TSourcePoint>& out) const override;
  void Columns(std::size_t curve, double from, double to, std::span<TColumnSpan> out) const override;

 private:
  /// The held sample numbers with X in [from, to]; first > last for none.
  std::pair<std::int64_t, std::int64_t> NumbersIn(double from, double to) const;
  /// m_summaries over the columns of [from, to] against time.
  void TimeColumns(std::size_t curve, double from, double to) const;

  const THistory& m_history;
  const TCurveSettings& m_curves;
  TSampleAxis m_axis;
  /// The first sample of each column of the frame last drawn against time.
  mutable std::vector<std::int64_t> m_columnStarts;
  mutable double m_columnsFrom = 0, m_columnsTo = 0;
  mutable std::int64_t m_columnsLast = 0;
  mutable std::vector<THistorySummary> m_summaries;
};

}  // namespace kurvex
