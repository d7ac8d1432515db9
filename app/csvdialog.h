// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/windows/filedialogs.h"
#include "recording/csvdialect.h"

namespace kurvex {

/// The save dialog for a CSV file: extension ".csv", overwrite prompt, and
/// one filter per dialect, the comma dialect first.
FileDialogRequest CsvSaveRequest(const std::string& initialDir);

/// The dialect chosen with the filter at filterIndex of CsvSaveRequest.
TCsvDialect CsvDialectOfFilter(int filterIndex);
/// The filter of CsvSaveRequest that chooses `dialect`.
int CsvFilterOfDialect(TCsvDialect dialect);

}  // namespace kurvex
