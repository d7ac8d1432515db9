// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kurvex {

class TNumEdit;

/// The single-precision value of a field's current text, converted with
/// the system locale's separators. Throws the conversion error
/// "'%s' ist kein gültiger Gleitkommawert", or "Gleitkommaüberlauf" for a
/// value beyond single precision.
float FieldValue(const TNumEdit& field);

}  // namespace kurvex
