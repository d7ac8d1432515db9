// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "setup/setupfile.h"

namespace kurvex {

/// What opening a setup tells the user, worded once.

/// The window's title with the setup `path` shown: "Waage Labor 2 – Kurvex".
std::string SetupTitle(const std::string& path);
/// Why `path` opened nothing: it is no setup, is cut short or is of a newer
/// version; names the first entry that could not be read.
std::string RefusedSetupText(const std::string& path, const TSetupRead& read);
/// What of `path` was not applied: the entries skipped, then `notes`.
std::string SkippedSetupText(const std::string& path, const std::vector<TSetupProblem>& skipped,
                             const std::vector<std::string>& notes);
/// Opening refused while acquiring.
std::string SetupWhileAcquiringText(const std::string& path);

}  // namespace kurvex
