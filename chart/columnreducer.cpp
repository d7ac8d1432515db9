// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/columnreducer.h"

namespace kurvex {

bool ColumnRunsReducible(const TPen& pen) {
  return pen.Width <= 1 && pen.Mode == pmCopy && (pen.Style == psSolid || pen.Style == psInsideFrame);
}

}  // namespace kurvex
