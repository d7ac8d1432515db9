#include "app/fieldvalues.h"

#include <cfloat>
#include <cmath>

#include "platform/error.h"
#include "widgets/numberconvert.h"
#include "widgets/numedit.h"

namespace kurvex {

float ToSingle(long double value) {
  constexpr long double kMax = FLT_MAX;
  if (value > kMax || value < -kMax) throw EKurvexError("Gleitkommaüberlauf");
  return static_cast<float>(value);
}

float FieldValue(const TNumEdit& field) { return ToSingle(StrToFloat(field.Text())); }

}  // namespace kurvex
