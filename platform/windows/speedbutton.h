// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/drawing/color.h"
#include "platform/windows/control.h"

namespace kurvex {

/// A command button with a caption and a 16 × 16 glyph. It takes the keyboard
/// focus by Tab but not by a click, so a field being edited keeps it while
/// the button is clicked. GUI thread only.
class TSpeedButton : public TWinControl {
 public:
  explicit TSpeedButton(TWinControl* parent);

  void SetCaption(const std::string& caption);
  std::string Caption() const;

  /// The glyph as 16 rows of 16 characters: '#' in `ink`, '.' white, anything
  /// else transparent. The disabled look shows the same shape in grey.
  void SetGlyph(const char* const rows[16], TColor ink);

  /// A key combination ("F5", "Shift+F5", "Esc") that clicks the button from
  /// anywhere in its window while it is enabled, as a mouse click does; the
  /// tooltip names the keys. A button may have several.
  void AddShortCut(const std::string& keys);

  /// Runs OnClick at once, whether the button is enabled or not.
  void Click();

  /// Runs on a user click (enabled buttons only) and on Click().
  TNotifyEvent OnClick;
};

}  // namespace kurvex
