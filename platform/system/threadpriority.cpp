// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/threadpriority.h"

#include <sys/resource.h>
#include <unistd.h>

namespace kurvex {

void LowerThisThreadsPriority() {
  constexpr int kNiceness = 10;
  ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kNiceness);
}

}  // namespace kurvex
