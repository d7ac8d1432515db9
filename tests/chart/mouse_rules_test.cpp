// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/mousenav.h"
#include "tests/chart/mouse_fixture.h"

namespace kurvex {
namespace {

TEST(MouseRulesTest, PanHandlesBackwardAxesAndTinyPlots) {
  // Scale from the current window, offset from the origin window.
  EXPECT_EQ(PanAxis({0, 100}, {20, 70}, false, 100, 500), (TAxisWindow{10, 110}));
  // A backwards axis moves its numbers the other way.
  EXPECT_EQ(PanAxis({100, 0}, {100, 0}, false, 50, 500), (TAxisWindow{90, -10}));
  EXPECT_EQ(PanAxis({0, 100}, {5, 105}, false, 30, 0), (TAxisWindow{0, 100}));
}

}  // namespace
}  // namespace kurvex
