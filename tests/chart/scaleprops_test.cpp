// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "chart/scaleprops.h"

namespace kurvex {
namespace {

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
