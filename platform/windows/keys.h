// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Qt>

#include "platform/windows/control.h"

namespace kurvex {

/// The modifier keys and mouse buttons of a Qt event as a shift state.
TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
/// The virtual-key code of a Qt key; 0 for keys without one here.
TKey KeyOf(int qt);

}  // namespace kurvex
