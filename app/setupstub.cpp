// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mainwindow.h"

namespace kurvex {

bool TForm1::OpenSetupFile(const std::string&) { return false; }

}  // namespace kurvex
