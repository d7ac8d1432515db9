// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <utility>

#include "app/inputnotices.h"
#include "app/mainwindow.h"

namespace kurvex {

void TForm1::SerialComm1AfterReceive(TBaseIO&, const std::uint8_t* Buffer, std::uint32_t Received) {
  if (m_parityBitWatch.Take(Buffer, Received)) ShowInputNotices();
  m_intake.Receive(Buffer, Received, TReadTime::Now(), [this](std::string_view line) { ProcessSampleLine(line); });
  if (SessionState.NoLineEnd != m_noLineEndShown) ShowInputNotices();
}

void TForm1::SerialComm1ReceiveError(TBaseIO&) { m_lineHasReceiveError = true; }

void TForm1::ProcessSampleLine(std::string_view Line) {
  if (std::exchange(m_lineHasReceiveError, false)) {
    // What it says cannot be trusted: no sample rather than a wrong one.
    ++SessionState.TransmissionErrors;
    ShowInputNotices();
    return;
  }
  const TLineOutcome outcome = m_intake.TakeLine(Line);
  // Formatted only when shown or read: at most once per screen refresh.
  Status(TStatusField::SampleCount).SetTextSource([count = SessionState.SampleCount] { return std::to_string(count); });
  if (!outcome.Complete || outcome.FirstIgnoredValue) ShowInputNotices();
  // The line end the instrument uses shows beside the port once decided.
  m_portStatus->ShowLineEnd(SessionState.LineEnd);
  if (outcome.BeyondLimit) StopButton->Click();
}

void TForm1::ShowInputNotices() {
  Status(TStatusField::InputNotices)
      .SetText(InputNoticeText({SessionState.InvalidLines, SerialComm1->InputOverloaded(), SerialComm1->InputOverruns(),
                                SessionState.TransmissionErrors, m_parityBitWatch.Suggestion(),
                                SessionState.TooManyValues, SessionState.NoLineEnd}));
  m_noLineEndShown = SessionState.NoLineEnd;
}

void TForm1::ConnectSampleConsumers() {
  m_chartPlotter = std::make_unique<TChartPlotter>(*Chart1, SessionState);
  m_currentValue = std::make_unique<TCurrentValueDisplay>(*Label10);
  m_recording->AttachTo(m_intake);
  m_intake.Attach(*m_currentValue);
  m_intake.Attach(*m_chartPlotter);
  m_curveLegend = std::make_unique<TCurveLegend>(*this, *Chart1);
  m_intake.Attach(*m_curveLegend);
  m_intake.Attach(m_historyFeed);
  m_lookBack = std::make_unique<TLookBack>(*Chart1, *m_chartPlotter, m_history);
  m_intake.Attach(*m_lookBack);
  m_closerLook = std::make_unique<TCloserLook>(*this, *Chart1, m_history, *m_lookBack, SessionState);
  m_intake.Attach(*m_closerLook);
}

}  // namespace kurvex
