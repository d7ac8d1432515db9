// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/recording/recordingtexts.h"

#include <filesystem>

#include "app/numbertext.h"
#include "platform/system/translate.h"

namespace kurvex {

namespace {

std::string NameOnly(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

std::string RecordingFailureText(const TRecordingFailure& failure) {
  if (failure.Kind == TRecordingFailure::rfWriteFailed) return failure.SystemReason;
  return Fill(Tr("Recording",
                 "Die Datei wird langsamer geschrieben, als die Samples ankommen (Puffer für %1 Zeilen voll)"),
              {std::to_string(failure.QueueRows)});
}

TRecordingStatus NextRecordingStatus(const std::string& path) {
  return {Tr("Recording", "Nächste Aufzeichnung: "), NameOnly(path), ""};
}

TRecordingStatus RecordingRowsStatus(const std::string& head, const std::string& path, std::int64_t rows) {
  return {head, NameOnly(path), Fill(Tr("Recording", ", %1 Zeilen"), {GroupedCount(rows)})};
}

TRecordingStatus RecordingStoppedStatus(const std::string& path, const std::string& reason) {
  return {Tr("Recording", "Aufzeichnung abgebrochen: "), path, ": " + reason};
}

TRecordingStatus OpenedRecordingStatus(const std::string& path, std::int64_t samples) {
  return {Tr("Recording", "Geöffnet: "), NameOnly(path),
          Fill(samples == 1 ? Tr("Recording", ", %1 Sample") : Tr("Recording", ", %1 Samples"),
               {GroupedCount(samples)})};
}

}  // namespace kurvex
