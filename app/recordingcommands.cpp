// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>

#include "app/csvdialog.h"
#include "app/fileprompts.h"
#include "app/mainwindow.h"
#include "app/numbertext.h"
#include "app/recordingtexts.h"
#include "platform/system/configdir.h"
#include "recording/recordingname.h"

namespace kurvex {

namespace {

std::filesystem::path RecordingFolder() {
  const std::filesystem::path folder = DataDirectory();
  std::error_code ignored;  // a folder that cannot be made fails the file's creation, with its reason
  std::filesystem::create_directories(folder, ignored);
  return folder;
}

}  // namespace

void TForm1::AufzeichnungsdateiWaehlenClick(TObject*) {
  const std::optional<FileChoice> choice =
      TheFileDialogs().SaveChoosingFilter(CsvSaveRequest(RecordingFolder().string()));
  if (!choice) return;
  m_nextRecordingFile = choice;
  // Choosing a file asks for a recording.
  RecordCheckBox->SetChecked(true);
  ShowRecordingStatus(NextRecordingStatus(choice->FileName));
}

std::optional<std::string> TForm1::StartRecording() {
  if (RecordCheckBox->Checked()) {
    const TReadTime start = TReadTime::Now();
    const std::string fileName =
        m_nextRecordingFile ? m_nextRecordingFile->FileName
                            : FreshRecordingPath(RecordingFolder(), std::chrono::system_clock::now()).string();
    try {
      m_recorder.Start(fileName, m_nextRecordingFile ? CsvDialectOfFilter(m_nextRecordingFile->FilterIndex) : cdComma,
                       start);
    } catch (const EFileError& error) {
      // A chosen file stays chosen: the next Start tries it again.
      return FileFailureText("Die Aufzeichnungsdatei", error.FileName(), "angelegt", error.what());
    }
    m_nextRecordingFile.reset();
    ShowRecordingRows("Aufzeichnung: ");
    RecordingTimer->SetEnabled(true);
  }
  RecordCheckBox->SetEnabled(false);
  return std::nullopt;
}

void TForm1::TellRecordingNotCreated(const std::string& why) { ShowFileFailure(why); }

void TForm1::RecordCheckBoxClick(TObject*) {
  if (RecordCheckBox->Checked() || !m_nextRecordingFile) return;
  // No recording, no next file: a later tick records to a fresh name again.
  m_nextRecordingFile.reset();
  ShowRecordingStatus({});
}

void TForm1::StopRecording() {
  RecordCheckBox->SetEnabled(true);
  if (!m_recorder.Open()) return;
  RecordingTimer->SetEnabled(false);
  m_recorder.Stop();
  if (const std::optional<TRecordingFailure> failure = m_recorder.Failure())
    ReportRecordingFailure(RecordingFailureText(*failure));
  else
    ShowRecordingRows("Aufgezeichnet: ");
}

void TForm1::RecordingTimerTimer(TObject*) {
  const std::optional<TRecordingFailure> failure = m_recorder.Failure();
  if (!failure) {
    ShowRecordingRows("Aufzeichnung: ");
    return;
  }
  RecordingTimer->SetEnabled(false);
  m_recorder.Stop();
  ReportRecordingFailure(RecordingFailureText(*failure));
}

void TForm1::ShowRecordingRows(const std::string& prefix) {
  ShowRecordingStatus(RecordingRowsStatus(prefix, m_recorder.FileName(), m_recorder.RowsWritten()));
}

void TForm1::ShowRecordingStatus(const TRecordingStatus& status) {
  m_recordingStatus = status;
  if (!m_recordingShown) ShowInRecordingPanel(status);
}

void TForm1::ShowInRecordingPanel(const TRecordingStatus& status) {
  Status(TStatusField::Recording).SetText(status.Head, status.FileName, status.Tail);
}

void TForm1::EndShowingRecording() {
  m_recordingShown = false;
  ShowInRecordingPanel(m_recordingStatus);
}

void TForm1::ReportRecordingFailure(const std::string& reason) {
  const std::string& fileName = m_recorder.FileName();
  ShowRecordingStatus(RecordingStoppedStatus(fileName, reason));
  const std::string goesOn = SerialComm1->Active() ? "Die Erfassung läuft weiter. " : "";
  ShowFileWarning("Die Aufzeichnung in die Datei \"" + fileName + "\" wurde abgebrochen:\n" + reason + "\n\n" +
                  goesOn + "Die " + GroupedCount(m_recorder.RowsWritten()) +
                  " bis dahin geschriebenen Zeilen bleiben erhalten.");
}

}  // namespace kurvex
