// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/recording/recordingtexts.h"
#include "app/setuppart.h"
#include "intake/readtime.h"
#include "intake/sampleintake.h"
#include "platform/windows/checkbox.h"
#include "platform/windows/filedialogs.h"
#include "platform/windows/timer.h"
#include "recording/recorder.h"

namespace kurvex {

/// The recording of an acquisition into a CSV file: the recorder, the file
/// chosen for the next recording, status panel 3 and the status timer's
/// work. The window's "Aufzeichnen" box and timer stay the window's
/// controls; this object only reads and sets them. In a setup it keeps
/// "Aufzeichnen", the file or folder of the recordings and their dialect
/// (app/recording/recordingsetup.cpp). GUI thread only.
class TRecordingFeature : public TSetupPart {
 public:
  /// Writes a text into status panel 3.
  using TPanelWriter = std::function<void(const TRecordingStatus&)>;
  /// Whether the acquisition still runs, for the message of a recording
  /// that ended by itself.
  using TAcquisitionRuns = std::function<bool()>;

  TRecordingFeature(TCheckBox& recordCheckBox, TTimer& statusTimer, TPanelWriter showInPanel,
                    TAcquisitionRuns acquisitionRuns);

  /// Every sample of `intake` goes to the recorder (only taken while recording).
  void AttachTo(TSampleIntake& intake);

  /// Part of Start, once the port is open and before anything else
  /// changes: opens the recording when "Aufzeichnen" is checked, in the
  /// chosen file or a fresh one. When the file cannot be created, returns
  /// the message for the user and changes nothing.
  std::optional<std::string> Start(TReadTime start);
  /// Part of Stop: writes the rest, closes the file, reports a failure.
  void Stop();
  /// While recording: panel 3 shows the rows written; a recording that
  /// ended by itself is reported.
  void TimerTick();
  /// "Aufzeichnungsdatei wählen": the file of the next recording, which
  /// ticks "Aufzeichnen".
  void ChooseFile();
  /// The file of the next recording, as ChooseFile sets it; the dialect is
  /// that of the choice's filter (the first, comma, by default).
  void SetNextFile(const FileChoice& choice);
  /// Unticking "Aufzeichnen" drops the file chosen for the next recording.
  void RecordToggled();

  /// The chart shows an opened recording: panel 3 names it, and keeps the
  /// recording's own texts back until OpenedRecordingEnds.
  void OpenedRecordingShown(const std::string& path, std::int64_t samples);
  /// Panel 3 shows the recording's status again.
  void OpenedRecordingEnds();

  void CollectInto(TSetup& setup) const override;
  void ApplyFrom(const TSetup& setup, std::vector<std::string>& notes) override;

 private:
  void ShowRows(const std::string& prefix);
  /// Panel 3 := `status`, unless an opened recording holds the panel.
  void ShowStatus(const TRecordingStatus& status);
  void ReportFailure(const std::string& reason);

  TCheckBox& m_recordCheckBox;
  TTimer& m_statusTimer;
  TPanelWriter m_showInPanel;
  TAcquisitionRuns m_acquisitionRuns;
  TRecorder m_recorder;
  /// The file chosen for the next recording: kept until a recording starts
  /// in it, another is chosen or "Aufzeichnen" is unticked.
  std::optional<FileChoice> m_nextFile;
  /// Where fresh recordings go, and in which dialect, when no file is chosen.
  std::optional<std::string> m_folder;
  TCsvDialect m_freshDialect = cdComma;
  /// Panel 3's status of the recording, also while an opened one is shown.
  TRecordingStatus m_status;
  bool m_openedRecordingShown = false;
};

}  // namespace kurvex
