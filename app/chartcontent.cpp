// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/chartcontent.h"

#include <utility>

#include "app/lookback/lookback.h"

namespace kurvex {

TChartContent::TChartContent(TChartControl& chart, TChartPlotter& plotter, const TCurveSettings& curves)
    : m_chart(chart), m_plotter(plotter), m_lookBack(std::make_unique<TLookBack>(chart, plotter, m_history, curves)) {}

TChartContent::~TChartContent() = default;

void TChartContent::AttachTo(TSampleIntake& intake) {
  intake.Attach(m_historyFeed);
  intake.Attach(*m_lookBack);
}

void TChartContent::Change(TContentChange change, TShows shows, std::optional<TOpenedRecording> opened) {
  m_shows = shows;
  m_opened = std::move(opened);
  m_changed.Notify(change);
}

void TChartContent::StartAcquisition(bool trend) {
  Change(TContentChange::AcquisitionStarts, TShows::Acquisition);
  m_acquisitionAxis = trend ? TSampleAxis::Numbers : TSampleAxis::NormalStart;
  m_plotter.StartAcquisition();
  m_history.Clear();
  m_lookBack->StartAcquisition(trend);
  m_chart.ClearGraph();
  m_chart.SetDataColor(clBlue);
}

void TChartContent::Clear() {
  m_chart.ClearGraph();
  m_lookBack->Forget();
  m_history.Clear();
  Change(TContentChange::Cleared, TShows::Acquisition);
  m_chart.ShowGraph();
}

void TChartContent::GraphFileLoaded(bool acquiring) {
  m_lookBack->Forget();
  if (!acquiring) m_history.Clear();
  Change(TContentChange::GraphFileLoaded, TShows::GraphFile);
}

void TChartContent::ShowRecording(THistory history, TOpenedRecording opened) {
  m_chart.ClearGraph();
  m_history = std::move(history);
  m_lookBack->ShowWhole();
  Change(TContentChange::RecordingOpened, TShows::OpenedRecording, std::move(opened));
}

void TChartContent::SetWindow(double xLow, double yLow, double xHigh, double yHigh) {
  m_chart.SetRange(1, xLow, yLow, xHigh, yHigh);
  m_windowSet.Notify();
}

bool TChartContent::LookingBack() const { return m_lookBack->LookingBack(); }

void TChartContent::NavigateTo(const TAxisWindow& x, const TAxisWindow& y) { m_chart.NavigateTo(x, y); }

TChartContent::TShows TChartContent::Shows() const {
  if (m_shows == TShows::GraphFile) return m_shows;
  // A recording is shown from the history only: once the chart stops looking back, its items are shown.
  if (!m_lookBack->LookingBack()) return TShows::Acquisition;
  return m_shows == TShows::OpenedRecording ? m_shows : TShows::LookedBack;
}

const THistory* TChartContent::HistoryShown() const {
  return m_history.LastNumber() >= m_history.FirstNumber() ? &m_history : nullptr;
}

TSampleAxis TChartContent::Axis() const {
  // An opened recording and a Trend view looked back on place sample n at X = n.
  return m_lookBack->LookingBack() ? TSampleAxis::Numbers : m_acquisitionAxis;
}

}  // namespace kurvex
