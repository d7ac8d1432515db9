// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kurvex::bench {

/// Creates the process's one QApplication (headless unless a platform is
/// chosen), so every benchmark can make widgets, fonts and event loops.
void EnsureApplication();

}  // namespace kurvex::bench
