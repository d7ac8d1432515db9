// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/windows/control.h"

namespace kurvex {

/// A radio button. The radio buttons with the same parent exclude one
/// another, but checking one unchecks the others silently, and all of them
/// may be unchecked. GUI thread only.
class TRadioButton : public TWinControl {
 public:
  explicit TRadioButton(TWinControl* parent);

  void SetCaption(const std::string& caption);
  std::string Caption() const;

  bool Checked() const;
  /// True: when the button was unchecked, unchecks its siblings without
  /// running their handlers, then runs OnClick. False: unchecks it and runs
  /// nothing. A user click on an unchecked button is SetChecked(true); one on
  /// a checked button does nothing.
  void SetChecked(bool checked);

  TNotifyEvent OnClick;
};

}  // namespace kurvex
