// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/benchapp.h"

#include <QApplication>
#include <cstdlib>

namespace kurvex::bench {

void EnsureApplication() {
  if (QApplication::instance()) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "kurvex-bench";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives as long as the process
}

}  // namespace kurvex::bench
