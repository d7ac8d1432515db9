// SPDX-License-Identifier: GPL-3.0-or-later
#include "intake/readtime.h"

#include <chrono>

namespace kurvex {

TReadTime TReadTime::Now() {
  using namespace std::chrono;
  return {duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count(),
          duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count()};
}

}  // namespace kurvex
