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

/// The program from start to end: answers bad arguments (exit code 2),
/// --help and --version, refuses to start without a window system, notes an
/// earlier copy before any window exists (which it brings forward and hands
/// its setup and options instead), shows the main window, applies the
/// command line, runs the message loop and returns its exit code.
int RunProgram(int argc, char** argv, const TWindowCompanion& companion = {});

}  // namespace kurvex
