// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lookback/lookback.h"

#include <algorithm>

#include "app/numbertext.h"
#include "platform/system/translate.h"

namespace kurvex {

namespace {

// Over the top edge of the plot, where the chart has only its rim.
constexpr int kTop = 1, kHeight = 18, kButtonWidth = 64, kGap = 8;

}  // namespace

TLookBack::TLookBack(TChartControl& chart, TChartPlotter& plotter, const THistory& history,
                     const TCurveSettings& curves)
    : m_chart(chart),
      m_plotter(plotter),
      m_history(history),
      m_source(history, curves),
      m_followButton(std::make_unique<TSpeedButton>(&chart)),
      m_historyStart(std::make_unique<TLabel>(&chart)),
      m_zoomPan(chart.SubscribeZoomPan([this](TObject*) { ViewChanged(); })) {
  m_followButton->SetName("FollowButton");
  m_followButton->SetCaption(Tr("LookBack", "Folgen"));
  m_followButton->SetBounds(chart.LRim(), kTop, kButtonWidth, kHeight);
  m_followButton->AddShortCut("End");
  m_followButton->OnClick = [this](TObject*) { Follow(); };
  m_followButton->SetVisible(false);
  m_historyStart->SetName("HistoryStartLabel");
  m_historyStart->SetBounds(chart.LRim() + kButtonWidth + kGap, kTop + 2, m_historyStart->Width(),
                            m_historyStart->Height());
  m_historyStart->SetVisible(false);
}

void TLookBack::StartAcquisition(bool trend, bool fromHistory) {
  Forget();
  m_trend = trend;
  m_fromHistory = fromHistory;
  if (fromHistory) m_chart.SetCurveSource(&m_source);
}

void TLookBack::SetAxis(const TSampleAxis& axis) { m_source.SetAxis(axis); }

void TLookBack::ViewChanged() {
  if (!m_trend || m_lookingBack) return;
  m_lookingBack = true;
  m_plotter.SetFollowing(false);
  m_chart.SetCurveSource(&m_source);
  m_followButton->SetVisible(true);
  ShowHistoryStart();
}

void TLookBack::Follow() {
  if (!m_lookingBack) return;
  EndLookingBack();
  m_plotter.SetFollowing(true);
}

void TLookBack::ShowWhole() {
  m_trend = true;
  m_lookingBack = true;
  m_followButton->SetVisible(false);
  m_chart.SetCurveSource(&m_source);
  // The left axis holds the curves drawn against it; the right axis takes
  // its own range.
  THistorySummary all;
  for (std::size_t curve = 0; curve < m_history.Curves(); ++curve) {
    if (m_source.CurveLayer(curve) == 1)
      all.Merge(m_history.Summary(curve, m_history.FirstNumber(), m_history.LastNumber()));
  }
  // A flat or empty recording still gets a window around its value.
  const double low = all.Count > 0 ? all.Min : 0, high = all.Count > 0 ? all.Max : 1;
  const double margin = high > low ? 0 : 1;
  const TSampleAxis& axis = m_source.Axis();
  const double first = SampleX(axis, m_history.FirstNumber()), last = SampleX(axis, m_history.LastNumber());
  m_chart.SetRange(1, first, low - margin, std::max(last, first + 1), high + margin);
  ShowHistoryStart();
}

void TLookBack::Forget() {
  // The view stays as it is; only the history no longer shows in it.
  if (m_lookingBack) EndLookingBack();
  if (m_fromHistory) m_chart.SetCurveSource(nullptr);
  m_trend = false;
  m_fromHistory = false;
}

void TLookBack::EndLookingBack() {
  m_lookingBack = false;
  m_followButton->SetVisible(false);
  m_historyStart->SetVisible(false);
  m_chart.SetCurveSource(m_fromHistory ? &m_source : nullptr);
}

void TLookBack::Take(const TSample&) {
  if (m_lookingBack && m_history.FirstNumber() != m_firstShown) ShowHistoryStart();
}

void TLookBack::ShowHistoryStart() {
  m_firstShown = m_history.FirstNumber();
  m_historyStart->SetCaption(Fill(Tr("LookBack", "Verlauf ab Sample %1"), {GroupedCount(m_firstShown)}));
  m_historyStart->SetVisible(m_firstShown > 1);
}

}  // namespace kurvex
