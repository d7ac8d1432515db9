// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kurvex {

class TNumEdit;

/// The single-precision value of a field's current text, converted with
/// the system locale's separators. Throws the conversion error
/// "'%s' ist kein gültiger Gleitkommawert", or "Gleitkommaüberlauf" for a
/// value beyond single precision.
float FieldValue(const TNumEdit& field);

/// Rounds to the nearest single-precision value; a value that rounds to
/// infinity (infinity too) raises "Gleitkommaüberlauf".
float ToSingle(long double value);

}  // namespace kurvex
