// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/keys.h"

namespace kurvex {

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= ssShift;
  if (modifiers & Qt::AltModifier) shift |= ssAlt;
  if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
  if (buttons & Qt::LeftButton) shift |= ssLeft;
  if (buttons & Qt::RightButton) shift |= ssRight;
  if (buttons & Qt::MiddleButton) shift |= ssMiddle;
  return shift;
}

TKey KeyOf(int qt) {
  if ((qt >= Qt::Key_A && qt <= Qt::Key_Z) || (qt >= Qt::Key_0 && qt <= Qt::Key_9)) return static_cast<TKey>(qt);
  switch (qt) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return vkReturn;
    case Qt::Key_Left: return vkLeft;
    case Qt::Key_Up: return vkUp;
    case Qt::Key_Right: return vkRight;
    case Qt::Key_Down: return vkDown;
    default: return 0;
  }
}

}  // namespace kurvex
