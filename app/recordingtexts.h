// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "recording/recorder.h"

namespace kurvex {

/// Why a recording ended by itself, as the window says it: the system's
/// reason, or that the file is written more slowly than samples arrive.
std::string RecordingFailureText(const TRecordingFailure& failure);

}  // namespace kurvex
