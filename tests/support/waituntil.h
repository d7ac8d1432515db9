// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace kurvex::test {

/// Runs this thread's events (when there is an application) until `done`
/// holds, looking again every millisecond so a report from another thread
/// is seen at once; false once `timeoutMs` have passed, so a fault fails
/// instead of hanging. Generous by default: sanitized builds are slow.
bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000);

/// Runs this thread's events for `ms`: for checks that something does not
/// happen, or happens only once, within that time.
void RunEventsFor(int ms);

}  // namespace kurvex::test
