// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/recordingtexts.h"

namespace kurvex {

std::string RecordingFailureText(const TRecordingFailure& failure) {
  if (failure.Kind == TRecordingFailure::rfWriteFailed) return failure.SystemReason;
  return "Die Datei wird langsamer geschrieben, als die Samples ankommen (Puffer für " +
         std::to_string(failure.QueueRows) + " Zeilen voll)";
}

}  // namespace kurvex
