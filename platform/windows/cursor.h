// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/windows/control.h"

class QWidget;

namespace kurvex {

/// Gives widget the shape of cursor: a stock shape, a registered image, or
/// for crDefault (and ids never registered) the parent's cursor.
void ApplyCursor(QWidget* widget, TCursor cursor);

}  // namespace kurvex
