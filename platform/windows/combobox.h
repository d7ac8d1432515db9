// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/windows/control.h"

namespace kurvex {

/// An editable combo box: a text field with a list to pick from. Typed texts
/// are not added to the list; a text set from code or picked from the list
/// shows its beginning when it is wider than the field. GUI thread only.
class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TWinControl* parent);

  /// Replaces the list; the text stays as it is. The open list is as wide
  /// as its widest item.
  void SetItems(const std::vector<std::string>& items);
  std::vector<std::string> Items() const;

  std::string Text() const;
  void SetText(const std::string& text);

  /// Runs after every change of the text: typed, picked from the list or set
  /// by SetText. Not for SetItems, which keeps the text.
  TNotifyEvent OnChange;

  /// How many items the open list shows before it scrolls.
  void SetDropDownCount(int count);
  int DropDownCount() const;
};

}  // namespace kurvex
