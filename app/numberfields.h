// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "widgets/numedit.h"

namespace kurvex {

/// The window's five number fields, which lie over their group box without
/// belonging to it, so they follow it here. The field being edited when
/// they were disabled gets the focus back when they are enabled.
class TNumberFields {
 public:
  explicit TNumberFields(std::array<TNumEdit*, 5> fields) : m_fields(fields) {}
  void SetEnabled(bool enabled);

 private:
  std::array<TNumEdit*, 5> m_fields;
  TNumEdit* m_editedWhenDisabled = nullptr;
};

}  // namespace kurvex
