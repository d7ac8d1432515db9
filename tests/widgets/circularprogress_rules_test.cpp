#include <gtest/gtest.h>

#include <string>

#include "widgets/circularprogresslayout.h"
#include "widgets/circularprogresssegments.h"
#include "widgets/progressappearance.h"

namespace kurvex {
namespace {

// One letter per segment 1..12: T transition, A active, I inactive, P progress.
std::string Ring(const TSegmentCycle& cycle, int progress, const TProgressAppearance& look) {
  std::string text;
  for (int i = 1; i <= kSegmentCount; ++i) {
    const TColor c = SegmentColor(i, cycle, progress, look);
    text += c == look.TransitionSegmentColor() ? 'T'
            : c == look.ActiveSegmentColor()   ? 'A'
            : c == look.ProgressSegmentColor() ? 'P'
            : c == look.InActiveSegmentColor() ? 'I'
                                               : '?';
  }
  return text;
}

TEST(CircularProgressLayout, SweepGrowsWithTheSmallerSide) {
  EXPECT_EQ(SegmentSweep(32, 32), 22);
  EXPECT_EQ(SegmentSweep(39, 500), 22);
  EXPECT_EQ(SegmentSweep(40, 40), 23);
  EXPECT_EQ(SegmentSweep(60, 60), 24);
  EXPECT_EQ(SegmentSweep(200, 100), 25);  // the height decides
  EXPECT_EQ(SegmentSweep(199, 300), 25);
  EXPECT_EQ(SegmentSweep(200, 200), 26);
  EXPECT_EQ(SegmentStartAngle(1), -90);  // twelve o'clock
  EXPECT_EQ(SegmentStartAngle(4), 0);    // three o'clock
  EXPECT_EQ(SegmentStartAngle(12), 240);
}

TEST(CircularProgressLayout, RingAndHoleRectangles) {
  EXPECT_EQ(RingRect(32, 32, false), (TRect{0, 0, 32, 32}));
  EXPECT_EQ(RingRect(32, 32, true), (TRect{0, 0, 31, 31}));
  // 32 · 7/30 = 7.47 and 32 − 32 · 14/30 = 17.07, truncated after the division.
  EXPECT_EQ(HoleRect({0, 0, 32, 32}), (TRect{7, 7, 24, 24}));
  EXPECT_EQ(HoleRect({0, 0, 60, 60}), (TRect{14, 14, 46, 46}));
  EXPECT_EQ(HoleRect({0, 0, 200, 100}), (TRect{46, 23, 152, 76}));
}

TEST(CircularProgressLayout, TickRepaintsTheQuarterOrHalfOfBothSegments) {
  const int w = 33, h = 31;  // odd sides: halves round down
  EXPECT_EQ(TickUpdateRect(1, w, h), (TRect{0, 0, 33, 15}));
  EXPECT_EQ(TickUpdateRect(2, w, h), (TRect{16, 0, 33, 15}));
  EXPECT_EQ(TickUpdateRect(3, w, h), (TRect{16, 0, 33, 15}));
  EXPECT_EQ(TickUpdateRect(4, w, h), (TRect{16, 0, 33, 31}));
  EXPECT_EQ(TickUpdateRect(5, w, h), (TRect{16, 15, 33, 31}));
  EXPECT_EQ(TickUpdateRect(6, w, h), (TRect{16, 15, 33, 31}));
  EXPECT_EQ(TickUpdateRect(7, w, h), (TRect{0, 15, 33, 31}));
  EXPECT_EQ(TickUpdateRect(8, w, h), (TRect{0, 15, 20, 31}));
  EXPECT_EQ(TickUpdateRect(9, w, h), (TRect{0, 15, 20, 31}));
  EXPECT_EQ(TickUpdateRect(10, w, h), (TRect{0, 0, 16, 31}));
  EXPECT_EQ(TickUpdateRect(11, w, h), (TRect{0, 0, 16, 19}));
  EXPECT_EQ(TickUpdateRect(12, w, h), (TRect{0, 0, 16, 19}));
}

TEST(CircularProgressSegments, ProgressCount) {
  EXPECT_EQ(ProgressSegments(0, 100, 0), -1);
  EXPECT_EQ(ProgressSegments(0, 100, 100), 12);
  EXPECT_EQ(ProgressSegments(0, 100, 8), 0);   // less than one twelfth
  EXPECT_EQ(ProgressSegments(0, 100, 50), 6);  // exactly on a boundary
  EXPECT_EQ(ProgressSegments(0, 100, 99), 11);
  EXPECT_EQ(ProgressSegments(0, 12, 5), 5);
  // Counted from Min: 20 % of 50..100 is two segments, not 60 / (50 / 12).
  EXPECT_EQ(ProgressSegments(50, 100, 60), 2);
  EXPECT_EQ(ProgressSegments(50, 100, 50), -1);
  EXPECT_EQ(ProgressSegments(7, 7, 7), 12);  // an empty range is full
}

TEST(CircularProgressSegments, FillAndEmptyOverTwentyFourTicks) {
  const TProgressAppearance look;
  TSegmentCycle cycle;
  EXPECT_EQ(Ring(cycle, -1, look), "TIIIIIIIIIII");
  cycle.Advance();
  EXPECT_EQ(Ring(cycle, -1, look), "ATIIIIIIIIII");
  for (int tick = 2; tick <= 11; ++tick) cycle.Advance();
  EXPECT_EQ(Ring(cycle, -1, look), "AAAAAAAAAAAT");
  EXPECT_TRUE(cycle.FillPhase());
  cycle.Advance();  // tick 12: the emptying round starts over a full ring
  EXPECT_FALSE(cycle.FillPhase());
  EXPECT_EQ(cycle.CurrentSegment(), 1);
  EXPECT_EQ(Ring(cycle, -1, look), "TAAAAAAAAAAA");
  cycle.Advance();
  EXPECT_EQ(Ring(cycle, -1, look), "ITAAAAAAAAAA");
  for (int tick = 14; tick <= 23; ++tick) cycle.Advance();
  EXPECT_EQ(Ring(cycle, -1, look), "IIIIIIIIIIIT");
  cycle.Advance();  // tick 24: back to the start picture
  EXPECT_TRUE(cycle.FillPhase());
  EXPECT_EQ(Ring(cycle, -1, look), "TIIIIIIIIIII");
}

TEST(CircularProgressSegments, ProgressShowsWhereTheRingIsNotActive) {
  const TProgressAppearance look;
  TSegmentCycle cycle;
  for (int tick = 0; tick < 4; ++tick) cycle.Advance();  // current 5, filling
  EXPECT_EQ(Ring(cycle, 12, look), "AAAATPPPPPPP");
  EXPECT_EQ(Ring(cycle, 7, look), "AAAATPPIIIII");
  EXPECT_EQ(Ring(cycle, 0, look), "AAAATIIIIIII");
  for (int tick = 0; tick < 12; ++tick) cycle.Advance();  // current 5, emptying
  EXPECT_EQ(Ring(cycle, 12, look), "PPPPTAAAAAAA");
  EXPECT_EQ(Ring(cycle, 2, look), "PPIITAAAAAAA");
}

TEST(ProgressAppearance, StoresAndNotifiesOnlyOnChange) {
  TProgressAppearance look;
  EXPECT_EQ(look.BackGroundColor(), clNone);
  EXPECT_EQ(look.BorderColor(), clNone);
  EXPECT_EQ(look.ActiveSegmentColor(), RGB(159, 159, 255));
  EXPECT_EQ(look.TransitionSegmentColor(), RGB(0, 0, 160));
  EXPECT_EQ(look.InActiveSegmentColor(), clSilver);
  EXPECT_EQ(look.ProgressSegmentColor(), RGB(128, 0, 64));
  int changes = 0;
  TObject* sender = nullptr;
  look.OnChange = [&](TObject* s) {
    ++changes;
    sender = s;
  };
  look.SetActiveSegmentColor(0xFF9F9F);  // unchanged
  look.SetInActiveSegmentColor(clSilver);
  EXPECT_EQ(changes, 0);
  look.SetBorderColor(clRed);
  look.SetProgressSegmentColor(clGreen);
  look.SetBackGroundColor(clWhite);
  look.SetTransitionSegmentColor(clBlack);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(sender, &look);
  EXPECT_EQ(look.BorderColor(), clRed);
  EXPECT_EQ(look.ProgressSegmentColor(), clGreen);
}

}  // namespace
}  // namespace kurvex
