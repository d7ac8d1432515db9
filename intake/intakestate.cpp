// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/intakestate.h"

namespace kurvex {

const char* LineEndText(TLineEnd end) {
  switch (end) {
    case leCrLf: return "CR LF";
    case leLf: return "LF";
    case leCr: return "CR";
    case leUndecided: break;
  }
  return "";
}

void TIntakeState::StartAcquisition() {
  SampleCount = 0;
  InvalidLines = 0;
  NoLineEnd = false;
  UnendedSinceNs.reset();
  for (std::size_t k = 0; k < CurveCount; ++k) {
    CurveNames[k].clear();
    CurveUnits[k].clear();
  }
  CurveCount = 0;
  TooManyValues = false;
}

}  // namespace kurvex
