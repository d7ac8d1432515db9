// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/windows/control.h"

namespace kurvex {

/// A single-line text field. GUI thread only.
class TEdit : public TWinControl {
 public:
  explicit TEdit(TWinControl* parent);

  std::string Text() const;
  /// Replaces the text; the cursor goes to its end.
  void SetText(const std::string& text);
  /// Shown greyed while the field is empty, and told to a screen reader as
  /// the field's description: what to type, or why the field is disabled.
  void SetPlaceholderText(const std::string& text);
  std::string PlaceholderText() const;

  /// Runs after every change of the text, typed or set.
  TNotifyEvent OnChange;
  /// A key pressed in the field (Return, Up, Down, letters): a handler that
  /// takes it sets Key to 0, otherwise the field handles it as usual.
  TKeyEvent OnKeyDown;
};

}  // namespace kurvex
