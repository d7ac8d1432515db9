// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

#include "app/notices/paritybitwatch.h"
#include "intake/intakestate.h"
#include "intake/sampleintake.h"
#include "platform/windows/statusbar.h"
#include "serial/serialcomm.h"

namespace kurvex {

/// Status panel 2: what went wrong with the received input — bad lines,
/// lines with transmission errors, an input overload, bytes the driver
/// dropped, values beyond the last curve, no line ends — and the data
/// format the received bytes suggest. Owns the parity-bit watch and the
/// mark of a line received with an error. GUI thread only.
class TInputNoticePanel {
 public:
  TInputNoticePanel(const TIntakeState& intake, const TSerialComm& port, TStatusPanel& panel)
      : m_intake(intake), m_port(port), m_panel(panel) {}

  /// Part of Start: counts from nothing, an empty panel. The mark of a line
  /// received with an error stays, as the line does.
  void StartAcquisition();
  /// Received bytes, before they are cut into lines.
  void Received(const std::uint8_t* bytes, std::size_t count);
  /// A character of the line being received came with a parity or framing error.
  void ReceiveError() { m_lineHasReceiveError = true; }
  /// A complete line: false when a character of it came with an error, so
  /// it becomes no sample (it is counted instead).
  bool LineMayBeTaken();
  /// What the intake made of a line.
  void LineTaken(const TLineOutcome& outcome);
  /// The received bytes are taken: whether they end lines at all shows.
  void BatchTaken();
  /// Queries of this acquisition that got no answer.
  void SetMissingAnswers(std::int64_t missing) {
    m_missingAnswers = missing;
    Show();
  }
  /// Panel 2 := everything as it is now.
  void Show();

  std::int64_t TransmissionErrors() const { return m_transmissionErrors; }

 private:
  const TIntakeState& m_intake;
  const TSerialComm& m_port;
  TStatusPanel& m_panel;
  TParityBitWatch m_parityBitWatch;
  /// Lines of this acquisition left out for a character received with an error.
  std::int64_t m_transmissionErrors = 0;
  std::int64_t m_missingAnswers = 0;
  /// Kept, like the line, across Stop and Start.
  bool m_lineHasReceiveError = false;
  /// What the panel shows of the missing line ends, to update it only on a change.
  bool m_noLineEndShown = false;
};

}  // namespace kurvex
