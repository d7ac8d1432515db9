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

TEST(MouseRulesTest, RubberBandCornersAreClampedAndSquaredInEveryQuadrant) {
  const TPlotBounds plot{50, 16, 550, 316};
  EXPECT_EQ(RubberBandCorner({100, 100}, {700, -50}, plot, false), (TPoint{550, 16}));
  EXPECT_EQ(RubberBandCorner({100, 100}, {20, 400}, plot, false), (TPoint{50, 316}));
  EXPECT_EQ(RubberBandCorner({200, 200}, {260, 290}, plot, true), (TPoint{260, 260}));
  EXPECT_EQ(RubberBandCorner({200, 200}, {260, 100}, plot, true), (TPoint{260, 140}));
  EXPECT_EQ(RubberBandCorner({200, 200}, {150, 290}, plot, true), (TPoint{150, 250}));
  EXPECT_EQ(RubberBandCorner({200, 200}, {150, 100}, plot, true), (TPoint{150, 150}));
  // Squared first, clamped after: near an edge the band is no longer square.
  EXPECT_EQ(RubberBandCorner({500, 100}, {900, 300}, plot, true), (TPoint{550, 150}));
  EXPECT_EQ(RubberBandCorner({200, 300}, {400, 400}, plot, true), (TPoint{400, 316}));
}

TEST(MouseRulesTest, OrderingFollowsTheAxisAndPicksNeedAStrictlySmallerDistance) {
  EXPECT_EQ(OrderLikeAxis(5, 2, {0, 10}), (TAxisWindow{2, 5}));
  EXPECT_EQ(OrderLikeAxis(2, 5, {10, 0}), (TAxisWindow{5, 2}));
  EXPECT_EQ(OrderLikeAxis(5, 2, {10, 0}), (TAxisWindow{5, 2}));

  TNearestPick pick(1);
  pick.Offer(1, 25);
  pick.Offer(2, 25);  // a tie keeps the earlier one
  pick.Offer(3, 4);
  pick.Offer(4, 9);
  EXPECT_EQ(pick.Best(), 3);
  EXPECT_EQ(TNearestPick(1).Best(), 1);  // no candidate at all
}

}  // namespace
}  // namespace kurvex
