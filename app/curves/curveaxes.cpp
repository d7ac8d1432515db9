// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/curves/curveaxes.h"

#include <algorithm>
#include <cmath>

#include "app/curves/curvetexts.h"

namespace kurvex {

namespace {

// Room for labels as wide as the left axis's.
constexpr int kRightAxisRim = 70;

std::string JoinedUnits(const std::array<std::string, kMaxCurves>& units, std::size_t inUse,
                        const TCurveSettings& curves, TCurveAxis axis, std::optional<std::size_t> xCurve) {
  std::string caption;
  std::array<const std::string*, kMaxCurves> seen{};
  std::size_t count = 0;
  for (std::size_t curve = 0; curve < inUse; ++curve) {
    const std::string& unit = units[curve];
    if (unit.empty() || curves.Axis(curve) != axis || curve == xCurve) continue;
    if (std::any_of(seen.begin(), seen.begin() + count, [&](const std::string* s) { return *s == unit; })) continue;
    seen[count++] = &unit;
    if (!caption.empty()) caption += ", ";
    caption += unit;
  }
  return caption;
}

}  // namespace

TCurveAxes::TCurveAxes(TChartControl& chart, TCurveSettings& curves, TChartContent& content)
    : m_chart(chart), m_curves(curves), m_content(content), m_rightRim(chart.RRim()) {
  // A move that left the right axis where it was (a look back along X) does
  // not take it from the samples.
  m_zoomPan = m_chart.SubscribeZoomPan([this](TObject*) {
    const TScalePropsVert& y = m_chart.ScaleY(kRightLayer);
    m_userMoved = m_userMoved || (m_rightShown && (y.RangeLow() != m_autoWindow.Low || y.RangeHigh() != m_autoWindow.High));
  });
  m_contentChanges = content.SubscribeChanged([this](TContentChange change) { ContentChanged(change); });
}

void TCurveAxes::Take(const TSample& sample) {
  if (sample.Values.size() > m_inUse) {
    m_inUse = sample.Values.size();
    ShowRightAxisIfUsed();
  }
  bool newUnit = false;
  for (std::size_t curve = 0; curve < sample.Units.size(); ++curve) {
    if (m_units[curve].empty() && !sample.Units[curve].empty()) {
      m_units[curve] = sample.Units[curve];
      newUnit = true;
    }
  }
  if (newUnit) ShowCaptions();
  if (!m_rightShown) return;
  bool extreme = false;
  for (std::size_t curve = 0; curve < sample.Values.size(); ++curve) {
    if (!sample.Has(curve) || !OnRight(curve)) continue;
    const float v = sample.Values[curve].Scaled;
    extreme = m_seen.Take(v, v) || extreme;
  }
  if (extreme && !m_curves.RightRange() && !m_userMoved && m_seen.Outgrows(m_autoWindow)) ApplyRange();
}

void TCurveAxes::Forget() {
  m_inUse = 0;
  m_units.fill({});
  m_seen.Forget();
  m_rightItems = false;
  m_userMoved = false;
}

void TCurveAxes::ContentChanged(TContentChange change) {
  Forget();
  switch (change) {
    case TContentChange::AcquisitionStarts:
    case TContentChange::Cleared: break;
    case TContentChange::GraphFileLoaded: {
      // The file says which layer each curve is drawn on.
      for (int i = 0; i < m_chart.ItemCount(); ++i) {
        const TChartItem& item = m_chart.Item(i);
        if (!IsLinePoint(item)) continue;
        m_inUse = std::max<std::size_t>(m_inUse, std::min<std::size_t>(item.Curve + 1u, kMaxCurves));
        m_rightItems = m_rightItems || item.Layer == kRightLayer;
      }
      TakeExtremes();
      break;
    }
    case TContentChange::RecordingOpened: {
      if (const THistory* history = m_content.HistoryShown()) m_inUse = std::min(history->Curves(), kMaxCurves);
      const std::vector<std::string>& units = m_content.OpenedRecording()->Units;
      std::copy_n(units.begin(), std::min(units.size(), kMaxCurves), m_units.begin());
      TakeExtremes();
      break;
    }
  }
  ShowAxes();
}

void TCurveAxes::CurvesChanged() {
  std::array<TCurveStyle, kMaxCurves> styles;
  for (std::size_t curve = 0; curve < kMaxCurves; ++curve) styles[curve] = {m_curves.Layer(curve), m_curves.Color(curve)};
  m_chart.RestyleCurves(styles);
  m_userMoved = false;
  m_rightItems = false;
  TakeExtremes();
  ShowAxes();
}

void TCurveAxes::CollectInto(TSetup& setup) const {
  if (const std::optional<TAxisRange>& range = m_curves.RightRange()) {
    setup.RightYMin = range->Low;
    setup.RightYMax = range->High;
  }
}

void TCurveAxes::ApplyFrom(const TSetup& setup, std::vector<std::string>& notes) {
  if (setup.RightYMin || setup.RightYMax) {
    if (setup.RightYMin && setup.RightYMax && *setup.RightYMin < *setup.RightYMax)
      m_curves.SetRightRange(TAxisRange{*setup.RightYMin, *setup.RightYMax});
    else
      notes.push_back(RightRangeRefusal());
  }
  CurvesChanged();
}

void TCurveAxes::ResetRange() {
  m_userMoved = false;
  ApplyRange();
}

bool TCurveAxes::SetLogarithmic(bool logarithmic) {
  m_logarithmic = logarithmic;
  if (!m_rightShown) return true;
  TScalePropsVert& y = m_chart.ScaleY(kRightLayer);
  y.SetLogarithmic(logarithmic);
  return y.Logarithmic() == logarithmic;
}

void TCurveAxes::SetMinTicks(int ticks) { m_chart.ScaleY(kRightLayer).SetMinTicks(ticks); }

void TCurveAxes::TakeExtremes() {
  const THistory* history = m_content.HistoryShown();
  m_seen.Forget();
  if (history != nullptr) {
    for (std::size_t curve = 0; curve < std::min(history->Curves(), kMaxCurves); ++curve) {
      if (!OnRight(curve) || history->LastNumber() < history->FirstNumber()) continue;
      const THistorySummary s = history->Summary(curve, history->FirstNumber(), history->LastNumber());
      if (s.Count > 0) m_seen.Take(s.Min, s.Max);
    }
    return;
  }
  for (int i = 0; i < m_chart.ItemCount(); ++i) {
    const TChartItem& item = m_chart.Item(i);
    if (item.Layer != kRightLayer || !IsLinePoint(item)) continue;
    const auto v = static_cast<float>(item.Y);
    m_seen.Take(v, v);
  }
}

void TCurveAxes::ShowAxes() {
  ShowRightAxisIfUsed();
  ApplyRange();
  ShowCaptions();
}

void TCurveAxes::ShowRightAxisIfUsed() {
  bool used = m_rightItems;
  for (std::size_t curve = 0; curve < m_inUse && !used; ++curve) used = OnRight(curve);
  if (used == m_rightShown) return;
  m_rightShown = used;
  TScalePropsVert& y = m_chart.ScaleY(kRightLayer);
  if (used) {
    const TScalePropsVert& left = m_chart.ScaleY(1);
    m_chart.JointLayers().SetXControlledBy(kRightLayer, 1);
    m_chart.SetNavigated(kRightLayer, true);
    y.SetScaleLocation(slRight);
    // Its caption as high as the left one's, beside the axis.
    y.SetCaptionPosX(0);
    y.SetCaptionPosY(left.CaptionPosY());
    y.SetCaptionAlignment(taLeftJustify);
    y.SetCaptionAnchor(left.CaptionAnchor());
    y.SetDecPlaces(left.DecPlaces());
    y.SetMinTicks(left.MinTicks());
    y.SetLabelType(left.LabelType());
    y.SetMinRange(left.MinRange());
    y.SetColorScale(left.ColorScale());
    m_chart.SetRRim(kRightAxisRim);
    ApplyRange();
    y.SetLogarithmic(m_logarithmic);
    y.SetVisible(true);
  } else {
    y.SetVisible(false);
    y.SetLogarithmic(false);
    m_chart.SetNavigated(kRightLayer, false);
    m_chart.JointLayers().SetXControlledBy(kRightLayer, kRightLayer);
    m_chart.SetRRim(m_rightRim);
  }
}

void TCurveAxes::ApplyRange() {
  if (!m_rightShown) return;
  TAxisRange window;
  if (const std::optional<TAxisRange>& fixed = m_curves.RightRange()) {
    window = *fixed;
  } else {
    if (m_userMoved) return;
    window = m_seen.Window();
  }
  m_autoWindow = window;
  const TScalePropsHoriz& x = m_chart.ScaleX(1);
  m_chart.SetRange(kRightLayer, x.RangeLow(), window.Low, x.RangeHigh(), window.High);
}

void TCurveAxes::ShowCaptions() {
  // Each change repaints the chart; most Starts change nothing.
  for (const auto& [layer, axis] : {std::pair{1, TCurveAxis::Left}, std::pair{kRightLayer, TCurveAxis::Right}}) {
    // XY: the X curve's unit is the X axis's.
    const std::string caption = JoinedUnits(m_units, m_inUse, m_curves, axis, m_content.XYCurve());
    if (m_chart.ScaleY(layer).Caption() != caption) m_chart.ScaleY(layer).SetCaption(caption);
  }
}

}  // namespace kurvex
