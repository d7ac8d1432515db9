// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include "app/mainwindow.h"

namespace kurvex {

void TForm1::SerialComm1AfterReceive(TBaseIO&, const std::uint8_t* Buffer, std::uint32_t Received) {
  m_notices->Received(Buffer, Received);
  m_intake.Receive(Buffer, Received, TReadTime::Now(), [this](std::string_view line) { ProcessSampleLine(line); });
  m_notices->BatchTaken();
}

void TForm1::SerialComm1ReceiveError(TBaseIO&) { m_notices->ReceiveError(); }

void TForm1::ProcessSampleLine(std::string_view Line) {
  if (!m_notices->LineMayBeTaken()) return;
  const TLineOutcome outcome = m_intake.TakeLine(Line);
  // Formatted only when shown or read: at most once per screen refresh.
  Status(TStatusField::SampleCount).SetTextSource([count = SessionState.SampleCount] { return std::to_string(count); });
  m_notices->LineTaken(outcome);
  // The line end the instrument uses shows beside the port once decided.
  m_portStatus->ShowLineEnd(SessionState.LineEnd);
  if (outcome.BeyondLimit) StopButton->Click();
}

}  // namespace kurvex
