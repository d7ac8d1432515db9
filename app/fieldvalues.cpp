// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/fieldvalues.h"

#include "intake/singleprecision.h"
#include "widgets/numberconvert.h"
#include "widgets/numedit.h"

namespace kurvex {

float FieldValue(const TNumEdit& field) { return ToSingle(StrToFloat(field.Text())); }

}  // namespace kurvex
