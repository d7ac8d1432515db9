#pragma once

#include <string>

#include "platform/color.h"
#include "platform/control.h"

namespace kurvex {

/// A command button with a caption and a 16 × 16 glyph. It takes no keyboard
/// focus, so a field being edited keeps it while the button is clicked.
/// GUI thread only.
class TSpeedButton : public TWinControl {
 public:
  explicit TSpeedButton(TWinControl* parent);

  void SetCaption(const std::string& caption);
  std::string Caption() const;

  /// The glyph as 16 rows of 16 characters: '#' in `ink`, '.' white, anything
  /// else transparent. The disabled look shows the same shape in grey.
  void SetGlyph(const char* const rows[16], TColor ink);

  /// Runs OnClick at once, whether the button is enabled or not.
  void Click();

  /// Runs on a user click (enabled buttons only) and on Click().
  TNotifyEvent OnClick;
};

}  // namespace kurvex
