// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/recording/recordingtexts.h"

#include <filesystem>

#include "app/numbertext.h"

namespace kurvex {

namespace {

std::string NameOnly(const std::string& path) { return std::filesystem::path(path).filename().string(); }

}  // namespace

std::string RecordingFailureText(const TRecordingFailure& failure) {
  if (failure.Kind == TRecordingFailure::rfWriteFailed) return failure.SystemReason;
  return "Die Datei wird langsamer geschrieben, als die Samples ankommen (Puffer für " +
         std::to_string(failure.QueueRows) + " Zeilen voll)";
}

TRecordingStatus NextRecordingStatus(const std::string& path) { return {"Nächste Aufzeichnung: ", NameOnly(path), ""}; }

TRecordingStatus RecordingRowsStatus(const std::string& head, const std::string& path, std::int64_t rows) {
  return {head, NameOnly(path), ", " + GroupedCount(rows) + " Zeilen"};
}

TRecordingStatus RecordingStoppedStatus(const std::string& path, const std::string& reason) {
  return {"Aufzeichnung abgebrochen: ", path, ": " + reason};
}

TRecordingStatus OpenedRecordingStatus(const std::string& path, std::int64_t samples) {
  return {"Geöffnet: ", NameOnly(path), ", " + GroupedCount(samples) + (samples == 1 ? " Sample" : " Samples")};
}

}  // namespace kurvex
