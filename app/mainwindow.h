// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/chartplotter.h"
#include "app/closerlook.h"
#include "app/curvelegend.h"
#include "app/currentvalue.h"
#include "app/infowindow.h"
#include "app/lookback.h"
#include "app/paritybitwatch.h"
#include "app/ports/portstatus.h"
#include "app/recording/recordingfeature.h"
#include "app/session.h"
#include "app/statusfields.h"
#include "chart/chartcontrol.h"
#include "platform/windows/checkbox.h"
#include "platform/windows/combobox.h"
#include "platform/windows/form.h"
#include "platform/windows/groupbox.h"
#include "platform/windows/label.h"
#include "platform/windows/menu.h"
#include "platform/windows/panel.h"
#include "platform/windows/radiobutton.h"
#include "platform/windows/speedbutton.h"
#include "platform/windows/filedialogs.h"
#include "platform/windows/statusbar.h"
#include "history/history.h"
#include "history/historyfeed.h"
#include "intake/sampleintake.h"
#include "platform/windows/timer.h"
#include "serial/serialcomm.h"
#include "widgets/circularprogress.h"
#include "widgets/numedit.h"
#include "widgets/oneinstance.h"

namespace kurvex {

/// The working window: port and graph settings, the live chart, the view
/// controls and the acquisition session that moves between idle and
/// acquiring. Controls are public so tests can drive the real window.
/// GUI thread only.
class TForm1 : public TForm {
 public:
  TForm1();
  ~TForm1() override;

  // --- handlers (the sender is unused, as in the design) ------------------
  void FormShow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void StartButtonClick(TObject* Sender);
  void StopButtonClick(TObject* Sender);
  void Einstellungen1Click(TObject* Sender);
  void Info1Click(TObject* Sender);
  void SerialComm1CommError(TBaseIO& Com, std::uint32_t CommCode, std::uint32_t SysError,
                            TComStateFlags State, bool& flFlashBuffers);
  void SerialComm1FatalError(TBaseIO& Sender, std::uint32_t ErrorCode, std::uint32_t Detail,
                             const std::string& ErrorMsg, bool& RaiseException);
  /// Received bytes: cut into lines, each processed as one sample
  /// (app/intakehandlers.cpp; what a line becomes is intake/).
  void SerialComm1AfterReceive(TBaseIO& Com, const std::uint8_t* Buffer, std::uint32_t Received);
  /// A character received with a parity or framing error: the line it
  /// belonged to becomes no sample (app/intakehandlers.cpp).
  void SerialComm1ReceiveError(TBaseIO& Com);
  /// One complete line (without CR LF): convert, scale, count, show, plot;
  /// the sample beyond a Normal acquisition's limit stops it.
  void ProcessSampleLine(std::string_view Line);
  /// The port field changed: panel 1 follows.
  void ComComboBoxChange(TObject* Sender);
  /// The data format changed: the data bits and stop bits captions follow.
  void FormatComboBoxChange(TObject* Sender);
  void NormalRadioButtonClick(TObject* Sender);
  void ZoomRadioButtonClick(TObject* Sender);
  void ShowGridCheckBoxClick(TObject* Sender);
  void DoubleTicsCheckBoxClick(TObject* Sender);
  void LogCheckBoxClick(TObject* Sender);
  void TrendCheckBoxClick(TObject* Sender);
  void ResetAxisButtonClick(TObject* Sender);
  void ClearGraphButtonClick(TObject* Sender);
  /// "Datei" menu: export the chart as a black-and-white bitmap, store the
  /// acquisition as a graph file, load one (app/filecommands.cpp).
  void GrafikSpeichernBMPClick(TObject* Sender);
  void ErfassungSpeichernClick(TObject* Sender);
  void ErfassungladenClick(TObject* Sender);
  /// "Datei" menu: a recording (Kurvex's CSV or a foreign one) shown whole
  /// from the history, ready to zoom (app/recordingopen.cpp).
  void AufzeichnungOeffnenClick(TObject* Sender);
  /// "Datei" menu: the chart picture as PNG, its samples as CSV
  /// (app/exportcommands.cpp), the file of the next recording
  /// (app/recording/).
  void GrafikSpeichernPNGClick(TObject* Sender);
  void ErfassungCsvExportierenClick(TObject* Sender);
  void AufzeichnungsdateiWaehlenClick(TObject* Sender);
  /// "Aufzeichnen" ticked or unticked (app/recording/).
  void RecordCheckBoxClick(TObject* Sender);
  /// The recording's status timer (app/recording/).
  void RecordingTimerTimer(TObject* Sender);

  TSessionState SessionState;

  /// Status bar panel 1 and the port field's items (app/ports/).
  TPortStatus& PortStatus() { return *m_portStatus; }

  /// The readout, markers and statistics of the chart.
  TCloserLook& CloserLook() { return *m_closerLook; }
  /// The sample path, for what it keeps between batches.
  const TSampleIntake& Intake() const { return m_intake; }

  /// The status bar's panel for `field`.
  TStatusPanel& Status(TStatusField field) { return StatusBar->Panels()[static_cast<int>(field)]; }

  // --- controls, parents before children ----------------------------------
  std::unique_ptr<TMainMenu> MainMenu1;
  TMenuItem* Datei1 = nullptr;
  TMenuItem* GrafikSpeichernBMP = nullptr;
  TMenuItem* ErfassungSpeichern = nullptr;
  TMenuItem* Erfassungladen = nullptr;
  TMenuItem* AufzeichnungOeffnen = nullptr;
  TMenuItem* GrafikSpeichernPNG = nullptr;
  TMenuItem* ErfassungCsvExportieren = nullptr;
  TMenuItem* AufzeichnungsdateiWaehlen = nullptr;
  TMenuItem* Einstellungen1 = nullptr;
  TMenuItem* Info1 = nullptr;

  std::unique_ptr<TPanel> Panel2;
  std::unique_ptr<TSpeedButton> StartButton;
  std::unique_ptr<TSpeedButton> StopButton;
  std::unique_ptr<TSpeedButton> ClearGraphButton;
  std::unique_ptr<TSpeedButton> ResetAxisButton;
  std::unique_ptr<TCircularProgress> CircularProgress;
  std::unique_ptr<TLabel> Label11;
  std::unique_ptr<TLabel> Label15;

  std::unique_ptr<TGroupBox> GroupBox1;
  std::unique_ptr<TComboBox> ComComboBox;
  std::unique_ptr<TLabel> Label2;
  std::unique_ptr<TComboBox> BaudComboBox;
  std::unique_ptr<TComboBox> FormatComboBox;
  std::unique_ptr<TLabel> FormatLabel;
  std::unique_ptr<TLabel> Label1;
  std::unique_ptr<TLabel> Label3;
  std::unique_ptr<TLabel> Label4;
  std::unique_ptr<TLabel> Label5;

  std::unique_ptr<TGroupBox> GroupBox2;
  std::unique_ptr<TLabel> Label6;
  std::unique_ptr<TLabel> Label7;
  std::unique_ptr<TLabel> Label8;
  std::unique_ptr<TLabel> Label9;
  std::unique_ptr<TLabel> Label12;
  std::unique_ptr<TLabel> Label14;

  std::unique_ptr<TNumEdit> DatSkalEdit;
  std::unique_ptr<TNumEdit> DatOffsetEdit;
  std::unique_ptr<TNumEdit> GraphXmaxEdit;
  std::unique_ptr<TNumEdit> GraphYmaxEdit;
  std::unique_ptr<TNumEdit> GraphYminEdit;

  std::unique_ptr<TPanel> Panel1;
  std::unique_ptr<TLabel> Label13;
  std::unique_ptr<TLabel> Label10;
  std::unique_ptr<TRadioButton> NormalRadioButton;
  std::unique_ptr<TRadioButton> ZoomRadioButton;
  std::unique_ptr<TCheckBox> ShowGridCheckBox;
  std::unique_ptr<TCheckBox> DoubleTicsCheckBox;
  std::unique_ptr<TCheckBox> LogCheckBox;
  std::unique_ptr<TCheckBox> TrendCheckBox;
  std::unique_ptr<TCheckBox> RecordCheckBox;

  std::unique_ptr<TChartControl> Chart1;
  std::unique_ptr<TStatusBar> StatusBar;

  std::unique_ptr<TSerialComm> SerialComm1;
  std::unique_ptr<TOneInstance> OneInstance1;
  std::unique_ptr<TFormInfo> FormInfo;
  std::unique_ptr<TTimer> RecordingTimer;

 private:
  void CreateTopBar();
  void CreatePortSettings();
  void CreateGraphParameters();
  void CreateViewControls();
  void CreateChart();
  void CreateMenu();
  /// An item of `menu` with its design name, handler and optional shortcut.
  TMenuItem* AddMenuItem(TMenuItem& menu, const char* caption, const char* name,
                         void (TForm1::*click)(TObject*), const char* shortCut = nullptr);
  void CreateSerialPort();
  /// Reads the three graph fields into the session (Reset Axis, Y Log, Start).
  void ReadGraphLimits();
  /// Layer 1 := the graph limits read last. A logarithmic Y axis that cannot
  /// show them keeps its window, and the user is told why (Reset Axis, Start).
  void ShowGraphLimits();
  /// The interface-error message; then Stop, when an acquisition runs.
  void ShowInterfaceError();
  /// Panel 2 := bad lines, lines with transmission errors, an input
  /// overload, bytes the driver dropped and the data format the received
  /// bytes suggest.
  void ShowInputNotices();
  /// The five number fields, which lie over GroupBox2 but are not its children.
  void EnableNumberFields(bool enabled);
  /// The chart, the current-value label and the recorder take the samples.
  void ConnectSampleConsumers();
  /// The view of Trend mode: no mouse navigation, no Normal, Zoom or Y Log.
  void SwitchViewToTrend();
  /// The export and recording items of the "Datei" menu (app/recordingdesign.cpp).
  void AddExportMenuItems();
  /// RecordCheckBox in Panel1, under Label13 (so first in Panel1's tab
  /// order), the recording's status timer, and the recording they serve.
  void CreateRecordingControls();
  /// Start, Clear Graph or a .kvx loaded: the chart no longer shows an
  /// opened recording, and panel 3 the recording's status again.
  void EndShowingRecording();
  /// The chart shows an opened recording, not an acquisition's items.
  bool ShowsOpenedRecording() const;

  /// The recording of an acquisition, its next file and status panel 3.
  std::unique_ptr<TRecordingFeature> m_recording;
  /// What received bytes become; it hands each sample to the consumers.
  TSampleIntake m_intake{SessionState};
  std::unique_ptr<TChartPlotter> m_chartPlotter;
  std::unique_ptr<TCurrentValueDisplay> m_currentValue;
  std::unique_ptr<TCurveLegend> m_curveLegend;
  /// Every sample of the acquisition, for looking back over it.
  THistory m_history;
  THistoryFeed m_historyFeed{m_history};
  std::unique_ptr<TLookBack> m_lookBack;
  /// A recording was opened into the history since the last Start, Clear
  /// Graph or .kvx loaded.
  bool m_recordingShown = false;
  std::unique_ptr<TCloserLook> m_closerLook;
  // What the status bar shows of the intake's findings, to update it only
  // when they change.
  bool m_noLineEndShown = false;
  /// Tells a 7-bit instrument with parity read as 8 data bits.
  TParityBitWatch m_parityBitWatch;
  /// A character of the line being received came with an error; kept, like
  /// the line, across Stop and Start.
  bool m_lineHasReceiveError = false;
  /// Panel 1 and the port field's items.
  std::unique_ptr<TPortStatus> m_portStatus;
  /// The number field being edited when Start disabled it; it gets the focus back at Stop.
  TNumEdit* m_fieldEditedAtStart = nullptr;
};

}  // namespace kurvex
