// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/recording/recordingfeature.h"

#include <chrono>
#include <filesystem>
#include <utility>

#include "app/csvdialog.h"
#include "app/fileprompts.h"
#include "app/numbertext.h"
#include "platform/system/configdir.h"
#include "platform/system/translate.h"
#include "recording/recordingname.h"

namespace kurvex {

namespace {

std::filesystem::path RecordingFolder(const std::optional<std::string>& chosen) {
  const std::filesystem::path folder = chosen ? std::filesystem::path(*chosen) : DataDirectory();
  std::error_code ignored;  // a folder that cannot be made fails the file's creation, with its reason
  std::filesystem::create_directories(folder, ignored);
  return folder;
}

}  // namespace

TRecordingFeature::TRecordingFeature(TCheckBox& recordCheckBox, TTimer& statusTimer, TPanelWriter showInPanel,
                                     TAcquisitionRuns acquisitionRuns)
    : m_recordCheckBox(recordCheckBox),
      m_statusTimer(statusTimer),
      m_showInPanel(std::move(showInPanel)),
      m_acquisitionRuns(std::move(acquisitionRuns)) {}

void TRecordingFeature::AttachTo(TSampleIntake& intake) { intake.Attach(m_recorder); }

void TRecordingFeature::ChooseFile() {
  const std::optional<FileChoice> choice =
      TheFileDialogs().SaveChoosingFilter(CsvSaveRequest(RecordingFolder(m_folder).string()));
  if (choice) SetNextFile(*choice);
}

void TRecordingFeature::SetNextFile(const FileChoice& choice) {
  m_nextFile = choice;
  // Choosing a file asks for a recording.
  m_recordCheckBox.SetChecked(true);
  ShowStatus(NextRecordingStatus(choice.FileName));
}

std::optional<std::string> TRecordingFeature::Start(TReadTime start) {
  if (m_recordCheckBox.Checked()) {
    const std::string fileName =
        m_nextFile ? m_nextFile->FileName
                   : FreshRecordingPath(RecordingFolder(m_folder), std::chrono::system_clock::now()).string();
    try {
      m_recorder.Start(fileName, m_nextFile ? CsvDialectOfFilter(m_nextFile->FilterIndex) : m_freshDialect, start);
    } catch (const EFileError& error) {
      // A chosen file stays chosen: the next Start tries it again.
      return FileFailureText(Tr("Recording", "Die Aufzeichnungsdatei \"%1\" konnte nicht angelegt werden."),
                             error.FileName(), error.what());
    }
    m_nextFile.reset();
    ShowRows(Tr("Recording", "Aufzeichnung: "));
    m_statusTimer.SetEnabled(true);
  }
  m_recordCheckBox.SetEnabled(false);
  return std::nullopt;
}

void TRecordingFeature::RecordToggled() {
  if (m_recordCheckBox.Checked() || !m_nextFile) return;
  // No recording, no next file: a later tick records to a fresh name again.
  m_nextFile.reset();
  ShowStatus({});
}

void TRecordingFeature::Stop() {
  m_recordCheckBox.SetEnabled(true);
  if (!m_recorder.Open()) return;
  m_statusTimer.SetEnabled(false);
  m_recorder.Stop();
  if (const std::optional<TRecordingFailure> failure = m_recorder.Failure())
    ReportFailure(RecordingFailureText(*failure));
  else
    ShowRows(Tr("Recording", "Aufgezeichnet: "));
}

void TRecordingFeature::TimerTick() {
  const std::optional<TRecordingFailure> failure = m_recorder.Failure();
  if (!failure) {
    ShowRows(Tr("Recording", "Aufzeichnung: "));
    return;
  }
  m_statusTimer.SetEnabled(false);
  m_recorder.Stop();
  ReportFailure(RecordingFailureText(*failure));
}

void TRecordingFeature::OpenedRecordingShown(const std::string& path, std::int64_t samples) {
  m_openedRecordingShown = true;
  m_showInPanel(OpenedRecordingStatus(path, samples));
}

void TRecordingFeature::OpenedRecordingEnds() {
  m_openedRecordingShown = false;
  m_showInPanel(m_status);
}

void TRecordingFeature::ShowRows(const std::string& prefix) {
  ShowStatus(RecordingRowsStatus(prefix, m_recorder.FileName(), m_recorder.RowsWritten()));
}

void TRecordingFeature::ShowStatus(const TRecordingStatus& status) {
  m_status = status;
  if (!m_openedRecordingShown) m_showInPanel(status);
}

void TRecordingFeature::ReportFailure(const std::string& reason) {
  const std::string& fileName = m_recorder.FileName();
  ShowStatus(RecordingStoppedStatus(fileName, reason));
  const std::string text =
      m_acquisitionRuns() ? Tr("Recording",
                               "Die Aufzeichnung in die Datei \"%1\" wurde abgebrochen:\n%2\n\nDie Erfassung läuft "
                               "weiter. Die %3 bis dahin geschriebenen Zeilen bleiben erhalten.")
                          : Tr("Recording",
                               "Die Aufzeichnung in die Datei \"%1\" wurde abgebrochen:\n%2\n\nDie %3 bis dahin "
                               "geschriebenen Zeilen bleiben erhalten.");
  ShowFileWarning(Fill(text, {fileName, reason, GroupedCount(m_recorder.RowsWritten())}));
}

}  // namespace kurvex
