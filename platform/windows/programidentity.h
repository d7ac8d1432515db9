// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kurvex {

/// Names the program to the desktop: `desktopFileName` is its desktop
/// entry's name without ".desktop", so the task bar groups the program's
/// windows under that entry; every window shows the icon made of the PNG
/// files found below `iconFolder` (one per size, e.g. a compiled-in
/// resource folder). Call once the application object exists. GUI thread.
void SetProgramIdentity(const std::string& desktopFileName, const std::string& iconFolder);

}  // namespace kurvex
