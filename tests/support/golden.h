// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/drawing/bitmap.h"

namespace kurvex::test {

/// Reference pictures live in the source tree, in `folder` (a module's
/// golden/ folder). KURVEX_UPDATE_GOLDEN=1 writes the actual pictures there
/// instead (look at them before committing).
TBitmap Golden(const std::string& folder, const std::string& name);
::testing::AssertionResult MatchesGolden(const TBitmap& actual, const std::string& folder, const std::string& name);

}  // namespace kurvex::test
