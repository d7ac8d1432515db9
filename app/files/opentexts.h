// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "csvimport/csvimport.h"

namespace kurvex {

/// What opening a recording tells the user, worded once.

/// A file without a column of numbers.
std::string NoNumbersText(const std::string& fileName);
/// Rows that did not load, in one sentence: the first bad row by its line
/// and why, how many were skipped and how many loaded, e.g. "Zeile 17
/// enthält keine Zahl; 3 Zeilen wurden übersprungen, 9.997 geladen."
std::string BadRowsText(const TCsvLoad& load);
/// "Erfassung speichern" while an opened recording is shown.
std::string RecordingIsNoAcquisitionText();

}  // namespace kurvex
