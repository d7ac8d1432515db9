// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/windows/control.h"

namespace kurvex {

/// Whether the text of a combo box is typed or only picked from its list.
enum TComboBoxStyle : std::uint8_t {
  csDropDown,      ///< editable: any text may be typed
  csDropDownList,  ///< the text is one of the items (or empty)
};

/// A combo box, editable unless made a list (SetStyle): a text field with a list to pick from. Typed texts
/// are not added to the list; a text set from code or picked from the list
/// shows its beginning when it is wider than the field. GUI thread only.
class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TWinControl* parent);

  /// Replaces the list; the text stays as it is. The open list is as wide
  /// as its widest item.
  void SetItems(const std::vector<std::string>& items);
  std::vector<std::string> Items() const;

  TComboBoxStyle Style() const;
  /// A list keeps the text when it is one of its items, else shows none.
  void SetStyle(TComboBoxStyle style);

  std::string Text() const;
  /// In a list: picks the item with that text, or none.
  void SetText(const std::string& text);

  /// Runs after every change of the text: typed, picked from the list or set
  /// by SetText. Not for SetItems, which keeps the text.
  TNotifyEvent OnChange;

  /// How many items the open list shows before it scrolls.
  void SetDropDownCount(int count);
  int DropDownCount() const;
};

}  // namespace kurvex
