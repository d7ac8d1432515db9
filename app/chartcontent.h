// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/chartplotter.h"
#include "app/sampleseries.h"
#include "chart/chartcontrol.h"
#include "history/history.h"
#include "history/historyfeed.h"
#include "intake/sampleintake.h"
#include "platform/system/listeners.h"

namespace kurvex {

class TLookBack;

/// Why the chart shows something else now.
enum class TContentChange : std::uint8_t { AcquisitionStarts, Cleared, GraphFileLoaded, RecordingOpened };

/// What the chart shows: the acquisition's samples as they arrive (or, in
/// Trend, looked back on from the history), a loaded graph file, or an
/// opened recording. The only place that moves between them: Start, Clear
/// Graph, a loaded graph file, an opened recording, "Folgen" (of the
/// look-back it owns) and the graph limits all go through here, and the
/// readout, the statistics and the exports ask here which samples are
/// shown. GUI thread only.
class TChartContent {
 public:
  enum class TShows : std::uint8_t { Acquisition, LookedBack, GraphFile, OpenedRecording };
  /// The recording shown, as opened.
  struct TOpenedRecording {
    std::string Path;
    std::int64_t Rows = 0;
    /// Each curve's unit as the recording's header gives it; empty for none.
    std::vector<std::string> Units{};
  };

  TChartContent(TChartControl& chart, TChartPlotter& plotter, const TCurveSettings& curves = TCurveSettings::Defaults());
  ~TChartContent();

  /// Every sample of an acquisition goes into the history.
  void AttachTo(TSampleIntake& intake);

  /// Start: no samples, following the newest in the chart's present window;
  /// only a Trend acquisition can be looked back on. `x`: where its samples
  /// lie along X; against time the X axis shows times.
  void StartAcquisition(bool trend, const TPlotX& x = {});
  /// XY: the curve the acquisition shown draws the others against.
  std::optional<std::size_t> XYCurve() const { return m_xyCurve; }
  /// XY: the samples of the history the chart shows, first to last.
  std::pair<std::int64_t, std::int64_t> XYNumbers() const;
  /// The graph limits: `xSpan` samples or seconds from where the
  /// acquisition's window begins (0, or against the time of day the time
  /// of Start), Y from yLow to yHigh.
  void SetLimits(double xSpan, double yLow, double yHigh) { SetWindow(m_xStart, yLow, m_xStart + xSpan, yHigh); }
  /// Clear Graph: nothing shown.
  void Clear();
  /// The chart has loaded a graph file. A running acquisition keeps its
  /// history whole, numbered as it counts.
  void GraphFileLoaded(bool acquiring);
  /// `history` replaces everything shown, whole and ready to zoom; against
  /// time when its samples have times and the placing says so.
  void ShowRecording(THistory history, TOpenedRecording opened);
  /// Where X = 0 lies for an opened recording whose first sample was read
  /// at the given wall ns; nothing: the recording is shown by sample numbers.
  using TRecordingOrigin = std::function<std::optional<std::int64_t>(std::int64_t firstNs)>;
  void SetRecordingOrigin(TRecordingOrigin origin) { m_recordingOrigin = std::move(origin); }
  /// Layer 1's window set by the program (the graph limits); the readout
  /// and the statistics follow it. Whether the chart took it is the chart's
  /// to tell.
  void SetWindow(double xLow, double yLow, double xHigh, double yHigh);
  /// Moves the view as a pan of the user's does (a Trend picture stops following).
  void NavigateTo(const TAxisWindow& x, const TAxisWindow& y);

  TShows Shows() const;
  bool ShowsOpenedRecording() const { return Shows() == TShows::OpenedRecording; }
  const std::optional<TOpenedRecording>& OpenedRecording() const { return m_opened; }
  /// The history, when the samples shown come from it; null when they are
  /// the chart's own items (a graph file, or nothing).
  const THistory* HistoryShown() const;
  /// Where the chart draws sample n of what it shows.
  TSampleAxis Axis() const;
  TLookBack& LookBack() { return *m_lookBack; }
  /// Whether the chart draws from the history because the user looks back
  /// (or at an opened recording): the look-back's own controls then take
  /// the left end of the chart's top rim.
  bool LookingBack() const;

  [[nodiscard]] TSubscription SubscribeChanged(std::function<void(TContentChange)> listener) {
    return m_changed.Subscribe(std::move(listener));
  }
  /// The program set the window (a pan or zoom of the chart is the chart's own event).
  [[nodiscard]] TSubscription SubscribeWindowSet(std::function<void()> listener) {
    return m_windowSet.Subscribe(std::move(listener));
  }

 private:
  void Change(TContentChange change, TShows shows, std::optional<TOpenedRecording> opened = std::nullopt);
  /// The X axis labels times while the samples shown lie along time.
  void ShowTimeLabels(bool time);

  TChartControl& m_chart;
  TChartPlotter& m_plotter;
  THistory m_history;
  THistoryFeed m_historyFeed{m_history};
  std::unique_ptr<TLookBack> m_lookBack;
  TShows m_shows = TShows::Acquisition;
  TSampleAxis m_acquisitionAxis = TSampleAxis::Numbers;
  TSampleAxis m_recordingAxis = TSampleAxis::Numbers;
  TRecordingOrigin m_recordingOrigin;
  double m_xStart = 0;
  std::optional<std::size_t> m_xyCurve;
  /// The X axis's numeric labels as they were before it labelled times.
  struct TScaleLabels {
    TFigType Type;
    int DecPlaces;
  };
  std::optional<TScaleLabels> m_numericLabels;
  std::optional<TOpenedRecording> m_opened;
  TListeners<TContentChange> m_changed;
  TListeners<> m_windowSet;
};

}  // namespace kurvex
