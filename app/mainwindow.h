// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/infowindow.h"
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
#include "platform/windows/statusbar.h"
#include "platform/windows/timer.h"
#include "serial/serialcomm.h"
#include "widgets/circularprogress.h"
#include "widgets/numedit.h"
#include "widgets/oneinstance.h"

namespace kurvex {

struct TWindowFeatures;
struct TCommandLine;
class TMonitorWindow;
class TCurveDialog;
class TInstrumentFeature;
class TPortStatus;
class TCloserLook;
class TChartContent;
class TXAxisFeature;
class TSampleIntake;
enum class TContentChange : std::uint8_t;

/// The working window: the controls with their design names, their handlers
/// as entry points, Start and Stop, and the layout. Each feature beside that
/// is an object of its own room in app/ that takes part in Start and Stop.
/// Controls are public so tests can drive the real window. GUI thread only.
class TForm1 : public TForm {
 public:
  TForm1();
  ~TForm1() override;

  // Handlers; the sender is unused, as in the design.
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
  /// Received bytes: cut into lines, each processed as one sample.
  void SerialComm1AfterReceive(TBaseIO& Com, const std::uint8_t* Buffer, std::uint32_t Received);
  void SerialComm1ReceiveError(TBaseIO& Com);
  /// One complete line (without CR LF): convert, scale, count, show, plot;
  /// the sample beyond a Normal acquisition's limit stops it.
  void ProcessSampleLine(std::string_view Line);
  void ComComboBoxChange(TObject* Sender);
  void FormatComboBoxChange(TObject* Sender);
  void NormalRadioButtonClick(TObject* Sender);
  void ZoomRadioButtonClick(TObject* Sender);
  void ShowGridCheckBoxClick(TObject* Sender);
  void DoubleTicsCheckBoxClick(TObject* Sender);
  void LogCheckBoxClick(TObject* Sender);
  void TrendCheckBoxClick(TObject* Sender);
  void ResetAxisButtonClick(TObject* Sender);
  void ClearGraphButtonClick(TObject* Sender);
  /// "Datei" menu (app/files/, the recording's file app/recording/).
  void GrafikSpeichernBMPClick(TObject* Sender);
  void ErfassungSpeichernClick(TObject* Sender);
  void ErfassungladenClick(TObject* Sender);
  void AufzeichnungOeffnenClick(TObject* Sender);
  void GrafikSpeichernPNGClick(TObject* Sender);
  void ErfassungCsvExportierenClick(TObject* Sender);
  void AufzeichnungsdateiWaehlenClick(TObject* Sender);
  void RecordCheckBoxClick(TObject* Sender);
  void RecordingTimerTimer(TObject* Sender);
  void MessaufbauOeffnenClick(TObject* Sender);
  void MessaufbauSpeichernClick(TObject* Sender);
  void MonitorOeffnenClick(TObject* Sender);
  void KanaeleOeffnenClick(TObject* Sender);

  /// The setup and options the program was started with, or a later start
  /// handed over: the setup first, the options over it, then Start. While
  /// an acquisition runs nothing changes and the user is told why.
  void ApplyCommandLine(const TCommandLine& commandLine);
  /// Opens a measurement setup into the window, as the menu does; false
  /// when nothing was applied (the user is told why).
  bool OpenSetupFile(const std::string& path);

  TSessionState SessionState;

  // Features, for tests that look at one through the window.
  /// The monitor window; null until the menu first opens it.
  TMonitorWindow* Monitor();
  /// The curve settings ("Kanäle"); null until first opened. Opens it on `curve`.
  TCurveDialog* CurveDialog();
  void EditCurve(std::size_t curve);
  const TInstrumentFeature& Instrument() const;
  TPortStatus& PortStatus();
  TCloserLook& CloserLook();
  TXAxisFeature& XAxis();
  TChartContent& Content();
  const TSampleIntake& Intake() const;

  /// The status bar's panel for `field`.
  TStatusPanel& Status(TStatusField field) { return StatusBar->Panels()[static_cast<int>(field)]; }

  // Controls, parents before children.
  std::unique_ptr<TMainMenu> MainMenu1;
  TMenuItem* Datei1 = nullptr;
  TMenuItem* GrafikSpeichernBMP = nullptr;
  TMenuItem* ErfassungSpeichern = nullptr;
  TMenuItem* Erfassungladen = nullptr;
  TMenuItem* AufzeichnungOeffnen = nullptr;
  TMenuItem* GrafikSpeichernPNG = nullptr;
  TMenuItem* ErfassungCsvExportieren = nullptr;
  TMenuItem* AufzeichnungsdateiWaehlen = nullptr;
  TMenuItem* MessaufbauOeffnen = nullptr;
  TMenuItem* MessaufbauSpeichern = nullptr;
  TMenuItem* ZuletztVerwendeteMessaufbauten = nullptr;
  TMenuItem* Einstellungen1 = nullptr;
  TMenuItem* Geraet1 = nullptr;
  TMenuItem* MonitorOeffnen = nullptr;
  TMenuItem* KanaeleOeffnen = nullptr;
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
  /// Reads the three graph fields into the session (Reset Axis, Y Log, Start).
  void ReadGraphLimits();
  /// Layer 1 := the graph limits read last. A logarithmic Y axis that cannot
  /// show them keeps its window, and the user is told why (Reset Axis, Start).
  void ShowGraphLimits();
  /// The interface-error message; then Stop, when an acquisition runs.
  void ShowInterfaceError();
  /// The view of Trend mode: no mouse navigation, no Normal, Zoom or Y Log.
  void SwitchViewToTrend();
  /// The chart shows something else: the sample count and panel 3 follow;
  /// outside Trend the mouse can zoom an opened recording as well as pan it.
  void ContentChanged(TContentChange change);
  /// The features beside the controls, once the controls they use exist:
  /// those of the chart before the status bar, as their controls come
  /// before it; those of the port after the port.
  void CreateChartFeatures();
  void CreatePortFeatures();
  /// The port opened or closed, or sending started or stopped hanging:
  /// panel 2 and the monitor follow.
  void SendingChanged();

  std::unique_ptr<TWindowFeatures> m_features;
};

}  // namespace kurvex
