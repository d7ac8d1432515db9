// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "app/chartcontent.h"
#include "app/chartplotter.h"
#include "app/chartroom.h"
#include "app/closer/closerlook.h"
#include "app/currentvalue.h"
#include "app/curves/curveaxes.h"
#include "app/curves/curvedialog.h"
#include "app/curvesettings.h"
#include "app/files/filecommands.h"
#include "app/instrument/instrumentfeature.h"
#include "app/instrument/monitorwindow.h"
#include "app/curves/curvelegend.h"
#include "app/notices/inputnoticepanel.h"
#include "app/numberfields.h"
#include "app/ports/portstatus.h"
#include "app/recording/recordingfeature.h"
#include "app/setups/setupfeature.h"
#include "app/setups/windowsettings.h"
#include "app/session.h"
#include "app/xaxis/xaxisfeature.h"
#include "app/xaxis/xyaxis.h"
#include "intake/sampleintake.h"
#include "platform/system/listeners.h"

namespace kurvex {

/// The objects beside the window's controls, each owning its state: the
/// sample path and its consumers, what the chart shows, and the features
/// of the rooms of app/. The window makes them in this order once the
/// controls they use exist.
struct TWindowFeatures {
  explicit TWindowFeatures(TSessionState& session) : Intake(session) {}

  /// What received bytes become; it hands each sample to the consumers.
  TSampleIntake Intake;
  std::unique_ptr<TRecordingFeature> Recording;
  /// Each curve's colour, name and whether it is shown.
  TCurveSettings Curves;
  std::unique_ptr<TChartPlotter> Plotter;
  std::unique_ptr<TCurrentValueDisplay> CurrentValue;
  std::unique_ptr<TChartRoom> ChartRoom;
  std::unique_ptr<TCurveLegend> Legend;
  std::unique_ptr<TChartContent> Content;
  /// The Y axes the curves are drawn against.
  std::unique_ptr<TCurveAxes> Axes;
  /// What the X axis shows.
  std::unique_ptr<TXAxisFeature> XAxis;
  std::unique_ptr<TXYAxis> XYAxis;
  /// The curve settings' window, made when first opened.
  std::unique_ptr<TCurveDialog> CurveDialog;
  std::unique_ptr<TCloserLook> CloserLook;
  std::unique_ptr<TFileCommands> Files;
  std::unique_ptr<TNumberFields> NumberFields;
  std::unique_ptr<TPortStatus> PortStatus;
  std::unique_ptr<TInputNoticePanel> Notices;
  /// What is sent to the instrument, the query's timer, the watch over
  /// bytes that wait for the line, and the monitor of what goes over it
  /// (its window made when first opened).
  TTimer QueryTimer;
  TTimer SendWatchTimer;
  TMonitorLog MonitorLog;
  std::unique_ptr<TInstrumentFeature> Instrument;
  std::unique_ptr<TMonitorWindow> Monitor;
  std::unique_ptr<TWindowSettings> WindowSettings;
  std::unique_ptr<TSetupFeature> Setups;
  TSubscription ContentChanges;
};

}  // namespace kurvex
