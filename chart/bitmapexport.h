// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kurvex {

/// The name a bitmap export writes to: fileName with the last extension of
/// its file-name part replaced by ".bmp" ("graph.kvx" gives "graph.bmp"),
/// ".bmp" appended when it has none, and unchanged when it already ends in
/// ".bmp" in any letter case. A leading dot belongs to the name.
std::string BitmapFileName(const std::string& fileName);

}  // namespace kurvex
