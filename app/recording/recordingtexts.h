// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "recording/recorder.h"

namespace kurvex {

/// Why a recording ended by itself, as the window says it: the system's
/// reason, or that the file is written more slowly than samples arrive.
std::string RecordingFailureText(const TRecordingFailure& failure);

/// A text of status panel 3 in its parts: the file name in the middle is
/// what is shortened when the whole does not fit.
struct TRecordingStatus {
  std::string Head, FileName, Tail;
};

/// "Nächste Aufzeichnung: messung.csv"
TRecordingStatus NextRecordingStatus(const std::string& path);
/// `head` and the rows written, "Aufgezeichnet: kurvex-….csv, 59 Zeilen"
TRecordingStatus RecordingRowsStatus(const std::string& head, const std::string& path, std::int64_t rows);
/// "Aufzeichnung abgebrochen: /pfad/messung.csv: reason", the whole path
TRecordingStatus RecordingStoppedStatus(const std::string& path, const std::string& reason);
/// While an opened recording is shown: "Geöffnet: messung.csv, 9.997 Samples"
TRecordingStatus OpenedRecordingStatus(const std::string& path, std::int64_t samples);

}  // namespace kurvex
