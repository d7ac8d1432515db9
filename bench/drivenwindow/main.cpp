// SPDX-License-Identifier: GPL-3.0-or-later
// kurvex-driven: the program with its window driven over standard input
// (TCommandHook), for window-bench. Not installed.
#include "app/program.h"
#include "bench/drivenwindow/commandhook.h"

int main(int argc, char** argv) {
  return kurvex::RunProgram(argc, argv, [](kurvex::TForm1& form) { return std::make_unique<kurvex::TCommandHook>(form); });
}
