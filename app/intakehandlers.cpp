// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include "app/mainwindow.h"
#include "app/windowfeatures.h"

namespace kurvex {

void TForm1::SerialComm1AfterReceive(TBaseIO&, const std::uint8_t* Buffer, std::uint32_t Received) {
  m_features->Notices->Received(Buffer, Received);
  const TReadTime readAt = TReadTime::Now();
  m_features->MonitorLog.BatchRead(readAt);
  m_features->Intake.Receive(Buffer, Received, readAt, [this](std::string_view line) { ProcessSampleLine(line); });
  m_features->Notices->BatchTaken();
}

void TForm1::SerialComm1ReceiveError(TBaseIO&) { m_features->Notices->ReceiveError(); }

void TForm1::ProcessSampleLine(std::string_view Line) {
  // A garbled answer is still the answer.
  m_features->Instrument->LineArrived();
  m_features->MonitorLog.LineReceived(Line, m_features->Intake.LastLineEnd());
  if (!m_features->Notices->LineMayBeTaken()) {
    m_features->MonitorLog.LineLeftOut();
    return;
  }
  const TLineOutcome outcome = m_features->Intake.TakeLine(Line);
  m_features->MonitorLog.LineTaken(outcome);
  // Formatted only when shown or read: at most once per screen refresh.
  Status(TStatusField::SampleCount).SetTextSource([count = SessionState.SampleCount] { return std::to_string(count); });
  m_features->Notices->LineTaken(outcome);
  // The line end the instrument uses shows beside the port once decided.
  m_features->PortStatus->ShowLineEnd(SessionState.LineEnd);
  if (outcome.BeyondLimit) StopButton->Click();
}

}  // namespace kurvex
