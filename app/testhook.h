// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kurvex {

class TForm1;

/// Lets a benchmark drive the window as a user would, without a mouse.
/// Only when the environment variable KURVEX_TEST_HOOK is set: a thread then
/// reads commands from standard input, one per line, runs each on the GUI
/// thread and answers on standard output:
///   start trend <n> | start normal <n>  presses Start on COM<n>; answers
///                                       "started" or "not started"
///   stop                                presses Stop; answers "stopped"
///                                       (or "running" if the port stayed open)
///   frames                              answers the chart's renders and the
///                                       longest gap between two in ms since
///                                       the last "frames": "<count> <ms>"
///   count                               answers the sample count
///   quit                                closes the window
/// Otherwise nothing happens. GUI thread; the form must outlive the loop.
void StartTestHookIfAsked(TForm1& form);

}  // namespace kurvex
