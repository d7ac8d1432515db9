// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>

#include "widgets/circularprogresslayout.h"
#include "widgets/circularprogresssegments.h"
#include "widgets/progressappearance.h"

namespace kurvex {
namespace {

// One letter per segment 1..12: T transition, A active, I inactive, P progress.
std::string Ring(const TSegmentCycle& cycle, int progress) {
  const TProgressAppearance look;
  std::string text;
  for (int i = 1; i <= kSegmentCount; ++i) {
    const TColor c = SegmentColor(i, cycle, progress, look);
    text += c == look.TransitionSegmentColor() ? 'T'
            : c == look.ActiveSegmentColor()   ? 'A'
            : c == look.ProgressSegmentColor() ? 'P'
                                               : 'I';
  }
  return text;
}

TEST(CircularProgressLayout, SweepHoleAndTickRectangles) {
  EXPECT_EQ(SegmentSweep(32, 32), 22);
  EXPECT_EQ(SegmentSweep(40, 40), 23);
  EXPECT_EQ(SegmentSweep(60, 60), 24);
  EXPECT_EQ(SegmentSweep(200, 100), 25);  // the smaller side decides
  EXPECT_EQ(SegmentSweep(200, 200), 26);
  // 32 · 7/30 = 7.47 and 32 − 32 · 14/30 = 17.07, truncated after dividing.
  EXPECT_EQ(HoleRect(RingRect(32, 32, false)), (TRect{7, 7, 24, 24}));
  EXPECT_EQ(HoleRect(RingRect(200, 100, false)), (TRect{46, 23, 152, 76}));
  EXPECT_EQ(RingRect(32, 32, true), (TRect{0, 0, 31, 31}));

  // Odd sides: the halves round down (16 and 15).
  const TRect expected[kSegmentCount] = {
      {0, 0, 33, 15},  {16, 0, 33, 15},  {16, 0, 33, 15}, {16, 0, 33, 31},
      {16, 15, 33, 31}, {16, 15, 33, 31}, {0, 15, 33, 31}, {0, 15, 20, 31},
      {0, 15, 20, 31}, {0, 0, 16, 31},   {0, 0, 16, 19},  {0, 0, 16, 19}};
  for (int i = 0; i < kSegmentCount; ++i) {
    EXPECT_EQ(TickUpdateRect(i + 1, 33, 31), expected[i]) << "segment " << i + 1;
  }
}

TEST(CircularProgressSegments, ProgressCount) {
  EXPECT_EQ(ProgressSegments(0, 100, 0), -1);
  EXPECT_EQ(ProgressSegments(0, 100, 100), 12);
  EXPECT_EQ(ProgressSegments(0, 100, 50), 6);  // on a boundary despite the float step
  EXPECT_EQ(ProgressSegments(0, 100, 99), 11);
  // Counted from Min: 20 % of 50..100 is two segments, not 60 / (50 / 12).
  EXPECT_EQ(ProgressSegments(50, 100, 60), 2);
  EXPECT_EQ(ProgressSegments(7, 7, 7), 12);
}

TEST(CircularProgressSegments, FillAndEmptyOverTwentyFourTicks) {
  TSegmentCycle cycle;
  const auto advance = [&](int ticks) {
    for (int i = 0; i < ticks; ++i) cycle.Advance();
    return Ring(cycle, -1);
  };
  EXPECT_EQ(Ring(cycle, -1), "TIIIIIIIIIII");
  EXPECT_EQ(advance(1), "ATIIIIIIIIII");
  EXPECT_EQ(advance(10), "AAAAAAAAAAAT");
  EXPECT_EQ(advance(1), "TAAAAAAAAAAA");  // tick 12 starts the emptying round
  EXPECT_FALSE(cycle.FillPhase());
  EXPECT_EQ(advance(1), "ITAAAAAAAAAA");
  EXPECT_EQ(advance(10), "IIIIIIIIIIIT");
  EXPECT_EQ(advance(1), "TIIIIIIIIIII");  // tick 24: the start picture
  EXPECT_TRUE(cycle.FillPhase());

  advance(4);  // running segment 5: progress shows where the ring is not active
  EXPECT_EQ(Ring(cycle, 12), "AAAATPPPPPPP");
  EXPECT_EQ(Ring(cycle, 7), "AAAATPPIIIII");
  advance(12);
  EXPECT_EQ(Ring(cycle, 2), "PPIITAAAAAAA");
}

}  // namespace
}  // namespace kurvex
