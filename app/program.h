// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

#include "platform/windows/control.h"

namespace kurvex {

class TForm1;

/// Makes something that works with the shown main window; it lives until the
/// message loop has ended and goes before the window.
using TWindowCompanion = std::function<std::unique_ptr<TObject>(TForm1& form)>;

/// The program from start to end: refuses to start without a window system,
/// notes an earlier copy before any window exists (which it brings forward
/// instead), shows the main window, runs the message loop and returns its
/// exit code.
int RunProgram(int argc, char** argv, const TWindowCompanion& companion = {});

}  // namespace kurvex
