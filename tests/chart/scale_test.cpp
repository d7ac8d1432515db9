// SPDX-License-Identifier: GPL-3.0-or-later
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chart/scale.h"
#include "chart/scaleprops.h"
#include "platform/drawing/bitmap.h"
#include "tests/support/image.h"
#include "tests/support/qtapp.h"

namespace kurvex {
namespace {

class ScaleTest : public test::QtAppTest {
 protected:
  ScaleTest() : bitmap(400, 400) {
    scale.SuspendPainting(true);
    scale.SetTransparent(true);
    scale.SetEmbedded(true);
    scale.SetExternalCanvas(&bitmap.Canvas(), 0, 0);
  }
  std::vector<double> Recorded() const {
    std::vector<double> v;
    for (int i = 1; i <= scale.NumTicks(); ++i) v.push_back(scale.TickPosition(i));
    return v;
  }
  TBitmap bitmap;
  TScale scale;
};

TEST_F(ScaleTest, DefaultsAndClamps) {
  TScale fresh;
  EXPECT_EQ(fresh.Width(), 400);
  EXPECT_EQ(fresh.Height(), 400);
  EXPECT_EQ(fresh.RangeHigh(), 100);
  EXPECT_EQ(fresh.DecPlaces(), -2);
  EXPECT_EQ(fresh.CaptionPosX(), 4);
  EXPECT_EQ(fresh.FrameStyle(), fsLowered);
  EXPECT_EQ(fresh.Font().Name, "DejaVu Sans");

  scale.SetDecPlaces(13);
  EXPECT_EQ(scale.DecPlaces(), 12);
  scale.SetDecPlaces(-4);
  EXPECT_EQ(scale.DecPlaces(), -3);
  scale.SetMinTicks(1);
  EXPECT_EQ(scale.MinTicks(), 2);
  scale.SetMinTicks(11);
  EXPECT_EQ(scale.MinTicks(), 10);
  scale.SetMarginTop(-5);
  scale.SetMarginRight(-1);
  EXPECT_EQ(scale.MarginTop(), 0);
  EXPECT_EQ(scale.MarginRight(), 0);
  scale.SetLabelType(ftTime);
  EXPECT_EQ(scale.DecPlaces(), 4);
}

TEST_F(ScaleTest, RangeEndsNeverMeetAndLogarithmIsCheckedOnceLoaded) {
  scale.SetRangeLow(100);  // onto RangeHigh: RangeHigh moves to 101
  EXPECT_EQ(scale.RangeLow(), 100);
  EXPECT_EQ(scale.RangeHigh(), 101);
  scale.SetRangeHigh(100);  // onto RangeLow: RangeLow moves to 101, reversed
  EXPECT_EQ(scale.RangeLow(), 101);
  EXPECT_EQ(scale.RangeHigh(), 100);

  TScale loaded;
  loaded.BeginLoad();
  loaded.SetRangeLow(0);
  loaded.Loaded();
  loaded.SetLogarithmic(true);
  EXPECT_FALSE(loaded.Logarithmic());
  loaded.SetRangeLow(1);
  loaded.SetLogarithmic(true);
  EXPECT_TRUE(loaded.Logarithmic());
  loaded.SetLabelType(ftDateTime);
  EXPECT_FALSE(loaded.Logarithmic());
  loaded.SetLogarithmic(true);
  EXPECT_FALSE(loaded.Logarithmic());

  // Created by code and never loaded: accepted unchecked.
  scale.SetRangeLow(0);
  scale.SetLogarithmic(true);
  EXPECT_TRUE(scale.Logarithmic());
}

TEST_F(ScaleTest, MappingLinearLogarithmicAndDegenerate) {
  scale.SetBounds(0, 0, 400, 400);
  scale.SetRangeLow(0);
  scale.SetRangeHigh(100);
  EXPECT_EQ(scale.ValueToPixel(50), 200);  // 20 + 359 / 2 = 199.5, halves to even
  scale.SetRangeLow(1e-300);
  EXPECT_EQ(scale.ValueToPixel(1e300), 2147483647);

  scale.SetRangeLow(1);
  scale.SetRangeHigh(1000);
  scale.SetLogarithmic(true);
  EXPECT_EQ(scale.ValueToPixel(1), 20);
  EXPECT_EQ(scale.ValueToPixel(10), 140);  // 20 + 359 / 3
  EXPECT_EQ(scale.ValueToPixel(1000), 379);
  EXPECT_EQ(scale.ValueToPixel(0), 0);
  scale.SetScaleType(sctYL);
  EXPECT_EQ(scale.ValueToPixel(1000), 20);
  EXPECT_EQ(scale.ValueToPixel(-1), 400);  // the low end of a vertical scale is at the bottom
  scale.SetRangeLow(-5);  // no logarithm: the previous mapping stays
  EXPECT_EQ(scale.ValueToPixel(100), 140);

  scale.SetLogarithmic(false);
  scale.SetBounds(0, 0, 400, 30);  // no room between the margins
  EXPECT_EQ(scale.ValueToPixel(-5), 15);
  EXPECT_EQ(scale.ValueToPixel(1e6), 15);
}

// Which ticks are recorded, in which order, is the tick layout's.
TEST_F(ScaleTest, RecordedTicksFollowTheDrawingOrderUpToFifty) {
  int events = 0;
  scale.OnScaleTickDrawn = [&](TObject* sender, TCanvas*&, TScaleType type, double, int, int) {
    EXPECT_EQ(sender, &scale);
    EXPECT_EQ(type, sctXB);
    ++events;
  };
  scale.SetScaleType(sctXB);
  scale.SetMinTicks(10);
  scale.SetRangeHigh(1000);  // 51 short ticks and 11 labelled ones
  scale.PaintNow();
  EXPECT_EQ(scale.NumTicks(), 50);
  EXPECT_EQ(scale.TickPosition(50), 980);
  EXPECT_EQ(scale.TickPosition(0), 0);
  EXPECT_EQ(scale.TickPosition(51), 0);
  EXPECT_EQ(events, 62);  // drawing goes on after the list is full
}

TEST_F(ScaleTest, TickEventsReportTheAxisPixelAndMayReplaceTheCanvas) {
  TBitmap other(400, 400);
  std::vector<std::pair<int, int>> points;
  scale.SetScaleType(sctYL);
  scale.OnScaleTickDrawn = [&](TObject*, TCanvas*& canvas, TScaleType, double value, int x, int y) {
    points.push_back({x, y});
    EXPECT_EQ(y, scale.ValueToPixel(value));
    if (value == 50) canvas = &other.Canvas();
  };
  scale.PaintNow();
  ASSERT_FALSE(points.empty());
  EXPECT_EQ(points.front().first, 20);
  // Ticks above 50 and the axis line went to the replacement canvas.
  EXPECT_EQ(test::RowText(bitmap, scale.ValueToPixel(45), 20, 24), "####");
  EXPECT_EQ(test::RowText(bitmap, scale.ValueToPixel(55), 20, 24), "....");
  EXPECT_EQ(test::RowText(other, scale.ValueToPixel(55), 20, 24), "####");
}

TEST_F(ScaleTest, SuspensionPaintNowAndInvisibleScales) {
  scale.SetCaption("x");
  EXPECT_EQ(test::CountPixels(bitmap, clBlack), 0);  // suspended: nothing painted
  scale.PaintNow();
  const int painted = test::CountPixels(bitmap, clBlack);
  EXPECT_GT(painted, 300);
  EXPECT_TRUE(scale.PaintingSuspended());

  bitmap.Canvas().Brush = TBrush{clWhite, bsSolid};
  bitmap.Canvas().FillRect({0, 0, 400, 400});
  scale.SetVisible(false);
  scale.PaintNow();
  EXPECT_EQ(test::CountPixels(bitmap, clBlack), 0);
  scale.SetVisible(true);
  scale.SuspendPainting(false);  // lifting the suspension repaints
  EXPECT_EQ(test::CountPixels(bitmap, clBlack), painted);

  // A free transparent scale repaints its surface only when it is looked at.
  TScale free;
  free.SetTransparent(true);
  free.SetBounds(0, 0, 300, 100);
  EXPECT_EQ(free.Surface().Width(), 300);
  EXPECT_GT(test::CountPixels(free.Surface(), clBlack), 200);
}

// What Assign copies, as one text.
std::string Settings(TScale& s) {
  std::ostringstream text;
  text << s.RangeLow() << "|" << s.RangeHigh() << "|" << s.ScaleType() << "|" << s.Caption() << "|"
       << int(s.CaptionAlignment()) << "|" << s.UserTickText() << "|" << s.ScaleInscript() << "|"
       << s.DecPlaces() << "|" << s.MinTicks() << "|" << s.ShortTicks() << "|" << s.MarginLeft() << "|"
       << s.ColorScale() << "|" << s.FrameStyle() << "|" << s.DateFormat().DateSeparator() << "|" << s.ValueToPixel(7);
  return text.str();
}

TEST_F(ScaleTest, AssignCopiesTheSettingsButNotTheFont) {
  TScale source;
  source.SuspendPainting(true);
  source.SetRangeLow(-3);
  source.SetRangeHigh(7);
  source.SetScaleType(sctYR);
  source.SetCaption("Volt");
  source.SetCaptionAlignment(taLeftJustify);
  source.SetUserTickText("a|b");
  source.SetScaleInscript("& V");
  source.SetDecPlaces(3);
  source.SetMinTicks(5);
  source.SetShortTicks(false);
  source.SetMarginLeft(7);
  source.SetColorScale(clMaroon);
  source.SetFrameStyle(fsRaised);
  source.DateFormat().SetDateSeparator('/');
  TFont font;
  font.Size = 20;
  source.SetFont(font);
  source.Assign(source);  // harmless on itself

  scale.Assign(source);
  EXPECT_EQ(Settings(scale), Settings(source));
  EXPECT_EQ(scale.Font().Size, 8);
}

struct CountingProps : TScalePropsHoriz {
  CountingProps() { OnChange = [this](TScaleProps&) { ++changes; }; }
  int changes = 0;
};

TEST(ScalePropsTest, RangeEndsKeepAtLeastMinRangeApart) {
  CountingProps p;
  p.StoreRange(0, 5);
  p.SetRangeLow(5);
  EXPECT_EQ(p.RangeLow(), 5);
  EXPECT_DOUBLE_EQ(p.RangeHigh(), 5 + 1e-10);

  p.StoreRange(1, 3);
  p.SetRangeHigh(1);
  EXPECT_DOUBLE_EQ(p.RangeLow(), 1 - 1e-10);
  EXPECT_EQ(p.RangeHigh(), 1);

  p.StoreRange(1, 3);
  p.SetRangeHigh(0.5);  // reversed ranges are accepted as they come
  EXPECT_EQ(p.RangeLow(), 1);
  EXPECT_EQ(p.RangeHigh(), 0.5);
  EXPECT_EQ(p.changes, 3);
}

TEST(ScalePropsTest, MinRangeWidensAroundTheCentreAndIgnoresNonPositive) {
  CountingProps p;
  p.StoreRange(2, 2.5);
  p.SetMinRange(0);
  p.SetMinRange(-1);
  EXPECT_EQ(p.MinRange(), 1e-10);
  EXPECT_EQ(p.changes, 0);

  p.SetMinRange(0.1);  // range already wide enough: no change event
  EXPECT_EQ(p.changes, 0);
  p.SetMinRange(1);
  EXPECT_DOUBLE_EQ(p.RangeLow(), 1.75);
  EXPECT_DOUBLE_EQ(p.RangeHigh(), 2.75);
  EXPECT_EQ(p.changes, 1);
}

TEST(ScalePropsTest, LogarithmicNeedsPositiveEndsUnlessLoading) {
  CountingProps p;
  p.StoreRange(0, 100);
  p.SetLogarithmic(true);
  EXPECT_FALSE(p.Logarithmic());
  p.StoreRange(1, 100);
  p.SetLogarithmic(true);
  EXPECT_TRUE(p.Logarithmic());

  p.SetRangeLow(0);  // refused on a logarithmic axis
  EXPECT_EQ(p.RangeLow(), 1);
  p.SetRangeHigh(-5);
  EXPECT_EQ(p.RangeHigh(), 100);

  p.SetLabelType(ftDateTime);  // switches logarithmic off
  EXPECT_FALSE(p.Logarithmic());
  p.SetLogarithmic(true);
  EXPECT_FALSE(p.Logarithmic());

  CountingProps loading;
  loading.SetLoading(true);
  loading.StoreRange(0, 1);
  loading.SetLogarithmic(true);
  EXPECT_TRUE(loading.Logarithmic());
}

TEST(ScalePropsTest, DecPlacesAreClampedAndTimeLabelsUseFour) {
  TScalePropsVert p;
  p.SetDecPlaces(20);
  EXPECT_EQ(p.DecPlaces(), 12);
  p.SetDecPlaces(-9);
  EXPECT_EQ(p.DecPlaces(), -3);
  p.SetLabelType(ftTime);
  EXPECT_EQ(p.DecPlaces(), 4);
}

TEST(ScalePropsTest, EverySetterNotifies) {
  CountingProps p;
  p.SetCaption("t");
  p.SetCaptionPosX(1);
  p.SetCaptionPosY(2);
  p.SetCaptionAlignment(taLeftJustify);
  p.SetCaptionAnchor(uaSclBotRgt);
  p.SetColorScale(clNavy);
  p.SetShortTicks(false);
  p.SetScaleInscript("& s");
  p.SetScalePos(30);
  p.SetUserTickText("a|b");
  p.SetVisible(true);
  p.SetMinTicks(40);  // stored as given
  p.SetScaleLocation(slTop);
  TFont font;
  font.Size = 14;
  p.SetFont(font);
  EXPECT_EQ(p.changes, 14);
  EXPECT_EQ(p.MinTicks(), 40);

  int dateChanges = 0;
  p.DateFormat().OnChange = [&] { ++dateChanges; };
  TDTLabelFormat format;
  format.DateOrder = doYYMMDD;
  p.SetDateFormat(format);
  EXPECT_EQ(p.DateFormat().DateOrder(), doYYMMDD);
  EXPECT_EQ(dateChanges, 1);
}

}  // namespace
}  // namespace kurvex
