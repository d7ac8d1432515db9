// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kurvex {

/// The calling thread gives way to the program's other threads when both
/// want the processor (a writer that a queue decouples from its producer).
void LowerThisThreadsPriority();

}  // namespace kurvex
