// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dataformat.h"
#include "app/fieldvalues.h"
#include "app/fileprompts.h"
#include "app/mainwindow.h"
#include "app/numbertext.h"
#include "app/windowfeatures.h"
#include "platform/system/dispatcher.h"
#include "platform/system/translate.h"
#include "platform/windows/messageboxes.h"

namespace kurvex {

void TForm1::FormShow(TObject*) {
  FormInfo->Hide();
  SessionState.TrendMode = false;
  SessionState.ScaleFactor = 1.0f;
  SessionState.ScaleOffset = 0.0f;
}

void TForm1::ReadGraphLimits() {
  SessionState.GraphXMax = FieldValue(*GraphXmaxEdit);
  SessionState.GraphYMax = FieldValue(*GraphYmaxEdit);
  SessionState.GraphYMin = FieldValue(*GraphYminEdit);
}

void TForm1::StartButtonClick(TObject*) {
  // The fields are read before anything changes, so one that does not
  // convert leaves the window idle and its view as the user set it.
  const float scaleFactor = FieldValue(*DatSkalEdit);
  const float scaleOffset = FieldValue(*DatOffsetEdit);
  ReadGraphLimits();

  SerialComm1->SetComPortNo(static_cast<std::uint16_t>(LeadingInteger(ComComboBox->Text())));
  SerialComm1->SetBaudRate(static_cast<std::uint32_t>(LeadingInteger(BaudComboBox->Text())));
  const TDataFormat format = DataFormatOf(FormatComboBox->Text());
  SerialComm1->SetByteSize(format.ByteSize);
  SerialComm1->SetParity(format.Parity);
  SerialComm1->SetStopBits(format.StopBits);
  // So does a port that does not open: its error leaves Start here, and the
  // graph, the counters and the controls stay as they were. Received bytes
  // wait for the message loop, which nothing below runs before the chart is
  // cleared, so none of them lands in the old graph.
  SerialComm1->SetActive(true);
  const TReadTime started = TReadTime::Now();
  if (const std::optional<std::string> failure = m_features->Recording->Start(started)) {
    // Closed first: the message's own loop would let the received bytes in.
    SerialComm1->SetActive(false);
    ShowFileFailure(*failure);
    return;
  }

  if (TrendCheckBox->Checked()) {
    SessionState.TrendMode = true;
    SwitchViewToTrend();
    ResetAxisButton->Click();
  } else {
    SessionState.TrendMode = false;
  }

  ResetAxisButton->SetEnabled(false);
  TrendCheckBox->SetEnabled(false);
  CircularProgress->SetEnabled(true);
  StartButton->SetEnabled(false);
  StopButton->SetEnabled(true);
  NormalRadioButton->SetEnabled(false);
  ClearGraphButton->SetEnabled(false);
  GroupBox1->SetEnabled(false);
  GroupBox2->SetEnabled(false);
  m_features->NumberFields->SetEnabled(false);
  LogCheckBox->SetEnabled(false);
  // An opened recording would replace the history the acquisition fills.
  AufzeichnungOeffnen->SetEnabled(false);

  m_features->Legend->StartAcquisition();
  m_features->Content->StartAcquisition(SessionState.TrendMode, m_features->XAxis->PlotX(started));
  m_features->Intake.StartAcquisition();
  m_features->Notices->StartAcquisition();
  m_features->PortStatus->StartAcquisition();
  m_features->Instrument->Start();
  SendingChanged();

  SessionState.ScaleFactor = scaleFactor;
  SessionState.ScaleOffset = scaleOffset;
  for (std::size_t curve = 0; curve < kMaxCurves; ++curve) {
    SessionState.CurveScales[curve] = m_features->Curves.Scale(curve);
    // A unit the user set is the curve's from the first line on.
    SessionState.CurveUnits[curve] = m_features->Curves.Unit(curve);
  }
  // A log axis that keeps its window still shows the samples that fall in
  // it, so the acquisition goes on after the warning.
  ShowGraphLimits();
}

void TForm1::StopButtonClick(TObject*) {
  m_features->Instrument->Stop();
  SerialComm1->SetActive(false);
  SendingChanged();
  m_features->PortStatus->Show();
  m_features->Recording->Stop();

  ResetAxisButton->SetEnabled(true);
  ClearGraphButton->SetEnabled(true);
  NormalRadioButton->SetEnabled(true);
  GroupBox1->SetEnabled(true);
  GroupBox2->SetEnabled(true);
  m_features->NumberFields->SetEnabled(true);
  LogCheckBox->SetEnabled(true);
  StartButton->SetEnabled(true);
  StopButton->SetEnabled(false);
  CircularProgress->SetEnabled(false);
  LogCheckBox->SetEnabled(true);
  ZoomRadioButton->SetEnabled(true);
  AufzeichnungOeffnen->SetEnabled(true);

  TrendCheckBox->SetChecked(false);
  TrendCheckBox->SetEnabled(true);

  SessionState.TrendMode = false;
  // The mouse does what the checked radio button says.
  Chart1->SetMouseAction(ZoomRadioButton->Checked() ? maZoomDrag : maPan);
  Chart1->ShowGraph();
}

void TForm1::FormClose(TObject*, TCloseAction&) {
  StopButton->Click();
  SerialComm1->SetActive(false);
  TDispatcher::ProcessMessages();
  TDispatcher::ProcessMessages();
  TDispatcher::Terminate();
}

void TForm1::Einstellungen1Click(TObject* Sender) {
  TCloseAction action = caHide;
  FormClose(Sender, action);
}

void TForm1::ShowInterfaceError() {
  TheMessageBoxes().Show(Tr("MainWindow", "Es ist ein Schnittstellenfehler aufgetreten"), Tr("MainWindow", "OK"),
                         MessageIcon::Warning, MessageButtons::Ok);
  // A port that did not open at Start has nothing to stop: the window stays
  // as the user left it.
  if (StopButton->Enabled()) StopButton->Click();
}

void TForm1::SerialComm1CommError(TBaseIO&, std::uint32_t, std::uint32_t, TComStateFlags, bool&) {
  // Bytes the driver dropped are shown even when the error itself is let pass.
  m_features->Notices->Show();
  if (SessionState.SampleCount <= 10) return;
  ShowInterfaceError();
}

void TForm1::SerialComm1FatalError(TBaseIO&, std::uint32_t, std::uint32_t, const std::string&, bool&) {
  m_features->PortStatus->ShowOpenFailure();
  ShowInterfaceError();
}

void TForm1::SendingChanged() {
  m_features->Notices->Show();
  if (m_features->Monitor) m_features->Monitor->SendingChanged();
}

void TForm1::MonitorOeffnenClick(TObject*) {
  if (!m_features->Monitor)
    m_features->Monitor = std::make_unique<TMonitorWindow>(*m_features->Instrument, m_features->MonitorLog, SessionState);
  m_features->Monitor->Show();
  m_features->Monitor->BringToFront();
}

void TForm1::Info1Click(TObject*) {
  FormInfo->CenterOver(*this);
  FormInfo->Show();
  FormInfo->BringToFront();
}

}  // namespace kurvex
