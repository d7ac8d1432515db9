// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/notices/inputnoticepanel.h"

#include <utility>

#include "app/notices/noticetexts.h"

namespace kurvex {

void TInputNoticePanel::StartAcquisition() {
  m_transmissionErrors = 0;
  m_missingAnswers = 0;
  m_parityBitWatch.Restart();
  m_panel.SetText("");
}

void TInputNoticePanel::Received(const std::uint8_t* bytes, std::size_t count) {
  if (m_parityBitWatch.Take(bytes, count)) Show();
}

bool TInputNoticePanel::LineMayBeTaken() {
  if (!std::exchange(m_lineHasReceiveError, false)) return true;
  // What it says cannot be trusted: no sample rather than a wrong one.
  ++m_transmissionErrors;
  Show();
  return false;
}

void TInputNoticePanel::LineTaken(const TLineOutcome& outcome) {
  if (!outcome.Complete || outcome.FirstIgnoredValue) Show();
}

void TInputNoticePanel::BatchTaken() {
  if (m_intake.NoLineEnd != m_noLineEndShown) Show();
}

void TInputNoticePanel::Show() {
  m_panel.SetText(InputNoticeText({m_intake.InvalidLines, m_port.InputOverloaded(), m_port.InputOverruns(),
                                   m_transmissionErrors, m_parityBitWatch.Suggestion(), m_intake.TooManyValues,
                                   m_intake.NoLineEnd, m_missingAnswers, m_port.SendStalled()}));
  m_noLineEndShown = m_intake.NoLineEnd;
}

}  // namespace kurvex
