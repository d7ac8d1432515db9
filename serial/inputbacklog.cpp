// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/inputbacklog.h"

namespace kurvex {

bool TInputBacklog::HandlingEnded(bool bytesLeft, Clock::time_point now) {
  const bool was = m_overloaded;
  if (!bytesLeft) {
    m_since.reset();
    m_overloaded = false;
  } else {
    if (!m_since) m_since = now;
    m_overloaded = now - *m_since >= kOverloadAfter;
  }
  return m_overloaded != was;
}

void TInputBacklog::Reset() {
  m_since.reset();
  m_overloaded = false;
}

}  // namespace kurvex
