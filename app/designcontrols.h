// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "platform/windows/control.h"
#include "platform/windows/label.h"

namespace kurvex {

/// A control of a window's design: made in `parent`, named by its design
/// name and placed.
template <class Control>
std::unique_ptr<Control> MakeControl(TWinControl* parent, const char* name, int left, int top, int width, int height) {
  auto control = std::make_unique<Control>(parent);
  control->SetName(name);
  control->SetBounds(left, top, width, height);
  return control;
}

/// A label of a window's design, as large as its caption.
inline std::unique_ptr<TLabel> MakeLabel(TWinControl* parent, const char* name, const std::string& caption,
                                         int left, int top) {
  auto label = std::make_unique<TLabel>(parent);
  label->SetName(name);
  label->SetCaption(caption);
  label->SetBounds(left, top, label->Width(), label->Height());
  return label;
}

}  // namespace kurvex
