// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/windows/control.h"

namespace kurvex {

/// A framed container with a caption. Disabling it disables the controls
/// inside it (their own Enabled setting stays). GUI thread only.
class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TWinControl* parent);

  void SetCaption(const std::string& caption);
  std::string Caption() const;
};

}  // namespace kurvex
