// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/numberfields.h"

#include <algorithm>
#include <utility>

namespace kurvex {

void TNumberFields::SetEnabled(bool enabled) {
  if (!enabled) {
    // Before the focus moves on from field to field as they are disabled.
    const auto edited = std::find_if(m_fields.begin(), m_fields.end(), [](TNumEdit* field) { return field->Focused(); });
    m_editedWhenDisabled = edited != m_fields.end() ? *edited : nullptr;
  }
  for (TNumEdit* field : m_fields) field->SetEnabled(enabled);
  if (enabled && m_editedWhenDisabled != nullptr) std::exchange(m_editedWhenDisabled, nullptr)->SetFocus();
}

}  // namespace kurvex
