// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "platform/windows/filedialogs.h"

namespace kurvex {

/// What the file commands ask and tell, worded once.

/// A save dialog for `extension` and `filter` that asks before replacing a
/// file, starting in `initialDir` (the home folder when empty).
FileDialogRequest SaveRequest(const std::string& extension, const std::string& filter,
                              const std::string& initialDir = {});

/// Why a file command failed: `failure` (a translated sentence with %1 for
/// `fileName`) and the system's reason on the next line, e.g. "Die Datei
/// \"/tmp/x.png\" konnte nicht gespeichert werden.\nPermission denied".
std::string FileFailureText(std::string_view failure, const std::string& fileName, const std::string& reason);

/// Shows a FileFailureText in an error box.
void ShowFileFailure(const std::string& text);
/// Shows in a warning box what of a file could not be used or kept.
void ShowFileWarning(const std::string& text);
/// Shows that the file `fileName` could not be saved, and why.
void ShowSaveFailure(const std::string& fileName, const std::string& reason);

}  // namespace kurvex
