// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/windows/control.h"

namespace kurvex {

/// A check box. OnClick runs after every change of the state, by the user or
/// by SetChecked, and never otherwise. GUI thread only.
class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TWinControl* parent);

  void SetCaption(const std::string& caption);
  std::string Caption() const;

  bool Checked() const;
  /// Runs OnClick when, and only when, the state changes.
  void SetChecked(bool checked);

  TNotifyEvent OnClick;
};

}  // namespace kurvex
