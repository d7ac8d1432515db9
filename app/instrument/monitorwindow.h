// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/instrument/instrumentfeature.h"
#include "app/instrument/monitorlog.h"
#include "intake/intakestate.h"
#include "platform/windows/checkbox.h"
#include "platform/windows/combobox.h"
#include "platform/windows/edit.h"
#include "platform/windows/form.h"
#include "platform/windows/frameclock.h"
#include "platform/windows/label.h"
#include "platform/windows/linetable.h"
#include "platform/windows/speedbutton.h"

namespace kurvex {

/// What goes over the line, beside the main window: a command field to
/// send by hand (with its line end and the commands sent before on ↑/↓),
/// the last lines received with what they became and the commands sent
/// between them, the answers' round trips and whether sending hangs.
/// Records only while shown; the table follows the log at a frame, at most
/// ten times a second. GUI thread only.
class TMonitorWindow : public TForm {
 public:
  TMonitorWindow(TInstrumentFeature& instrument, TMonitorLog& log, const TIntakeState& intake);
  ~TMonitorWindow() override;

  /// The port opened or closed, or sending started or stopped hanging.
  void SendingChanged();
  /// The table shows every entry the log holds.
  bool TableUpToDate() const { return m_shownRecorded == m_log.Recorded() && !m_frame.Waiting(); }

  void SendButtonClick(TObject* Sender);
  void CopyButtonClick(TObject* Sender);
  void ClearButtonClick(TObject* Sender);

  std::unique_ptr<TLabel> CommandLabel;
  std::unique_ptr<TEdit> CommandEdit;
  std::unique_ptr<TLabel> LineEndLabel;
  std::unique_ptr<TComboBox> LineEndComboBox;
  std::unique_ptr<TSpeedButton> SendButton;
  std::unique_ptr<TLabel> MessageLabel;
  std::unique_ptr<TLineTable> LineTable;
  std::unique_ptr<TCheckBox> PauseCheckBox;
  std::unique_ptr<TSpeedButton> CopyButton;
  std::unique_ptr<TSpeedButton> ClearButton;
  std::unique_ptr<TLabel> RoundTripLabel;

 private:
  void CreateControls();
  /// The table and the round trips := the log as it is now.
  void Refresh();
  void RecallCommand(int step);
  std::string CellText(int row, int column) const;

  TInstrumentFeature& m_instrument;
  TMonitorLog& m_log;
  const TIntakeState& m_intake;
  TFrameRider m_frame;
  TFrameRider::Clock::time_point m_refreshed{};  // when the table last followed the log
  /// What the table shows of the log.
  std::uint64_t m_shownRecorded = 0;
  /// Commands sent by hand, the newest last; m_recalled indexes the one in
  /// the field (size: none).
  std::vector<std::string> m_history;
  std::size_t m_recalled = 0;
};

}  // namespace kurvex
