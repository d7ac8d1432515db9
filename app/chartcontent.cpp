// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/chartcontent.h"

#include <algorithm>
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
  if (change != TContentChange::AcquisitionStarts) m_xyCurve.reset();
  m_shows = shows;
  m_opened = std::move(opened);
  m_changed.Notify(change);
}

void TChartContent::StartAcquisition(bool trend, const TPlotX& x) {
  // Those who hear of the start find the new acquisition's X.
  m_acquisitionAxis = x.Time ? TSampleAxis::InTime(m_history, x.Time->OriginNs)
                      : trend ? TSampleAxis::Numbers
                              : TSampleAxis::NormalStart;
  m_xStart = x.Time ? TimeX(x.Time->StartNs, x.Time->OriginNs) : 0;
  m_xyCurve = x.XCurve;
  Change(TContentChange::AcquisitionStarts, TShows::Acquisition);
  ShowTimeLabels(x.Time.has_value());
  m_plotter.StartAcquisition(x);
  m_history.Clear(x.Time ? std::optional(x.Time->StartNs) : std::nullopt);
  // XY has no time to look back along: its pan and zoom move the items' view.
  m_lookBack->StartAcquisition(trend && !x.XCurve, trend && x.Time);
  m_lookBack->SetAxis(trend ? m_acquisitionAxis : TSampleAxis::Numbers);
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
  const std::optional<std::int64_t> firstNs = m_history.SampleNs(m_history.FirstNumber());
  const std::optional<std::int64_t> origin = firstNs && m_recordingOrigin ? m_recordingOrigin(*firstNs) : std::nullopt;
  m_recordingAxis = origin ? TSampleAxis::InTime(m_history, *origin) : TSampleAxis::Numbers;
  ShowTimeLabels(origin.has_value());
  m_lookBack->SetAxis(m_recordingAxis);
  m_lookBack->ShowWhole();
  Change(TContentChange::RecordingOpened, TShows::OpenedRecording, std::move(opened));
}

void TChartContent::SetWindow(double xLow, double yLow, double xHigh, double yHigh) {
  m_chart.SetRange(1, xLow, yLow, xHigh, yHigh);
  m_windowSet.Notify();
}

std::pair<std::int64_t, std::int64_t> TChartContent::XYNumbers() const {
  const std::int64_t last = m_history.LastNumber(), held = m_plotter.SamplesHeld();
  return {last - std::min(held, last) + 1, last};
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
  // An opened recording places its samples as it was opened; a Trend view
  // looked back on, where the acquisition places them.
  if (m_shows == TShows::OpenedRecording && m_lookBack->LookingBack()) return m_recordingAxis;
  return m_lookBack->LookingBack() && m_acquisitionAxis.Kind != TSampleAxis::Time ? TSampleAxis::Numbers
                                                                                  : m_acquisitionAxis;
}

void TChartContent::ShowTimeLabels(bool time) {
  TScaleProps& x = m_chart.Scale1X();
  if (time && !m_numericLabels) {
    m_numericLabels = TScaleLabels{x.LabelType(), x.DecPlaces()};
    x.SetLabelType(ftTime);
  } else if (!time && m_numericLabels) {
    x.SetLabelType(m_numericLabels->Type);
    x.SetDecPlaces(m_numericLabels->DecPlaces);
    m_numericLabels.reset();
  }
}

}  // namespace kurvex
