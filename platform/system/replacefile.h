// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kurvex {

/// Writes `bytes` as the whole new contents of `fileName`: into a temporary
/// file with a short hidden name in its folder (so every name the folder
/// takes can be written), synced, then renamed over it, so the name always
/// holds either the old file or the complete new one. An existing file keeps its
/// permissions; a new one gets what the umask allows. Returns 0, or the
/// errno of the step that failed (the temporary file is removed then).
int ReplaceFileContents(const std::string& fileName, std::string_view bytes);

}  // namespace kurvex
