// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <sstream>

#include "chart/chartcontrol.h"
#include "chart/labelstride.h"
#include "chart/scale.h"
#include "chart/scaleprops.h"
#include "platform/drawing/bitmap.h"
#include "tests/support/image.h"
#include "tests/support/qtapp.h"
#include "tests/support/recordingcanvas.h"

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

class ChartScalesTest : public test::QtAppTest {
 protected:
  ChartScalesTest() {
    chart.SetBounds(0, 0, 400, 300);
    chart.SetRange(1, 0, 0, 100, 10);
    chart.Show();
  }
  const TBitmap& Picture() {
    chart.Paint();
    return chart.ControlBitmap();
  }
  TChartControl chart;
};

TEST_F(ChartScalesTest, CreationGivesEachLayerItsColourPlaceAndPainter) {
  TChartControl fresh;
  const TColor colours[16] = {clBlack, clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clGray,
                              clSilver, clRed,   clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
  for (int layer = 1; layer <= 16; ++layer) {
    EXPECT_EQ(fresh.ScaleX(layer).ColorScale(), colours[layer - 1]);
    EXPECT_EQ(fresh.ScaleY(layer).ColorScale(), colours[layer - 1]);
    EXPECT_EQ(fresh.PainterX(layer).Name(), "Chart_Scale_X_" + std::to_string(layer));
    EXPECT_EQ(fresh.PainterY(layer).Name(), "Chart_Scale_Y_" + std::to_string(layer));
    EXPECT_TRUE(fresh.PainterX(layer).Embedded());
    EXPECT_TRUE(fresh.PainterY(layer).PaintingSuspended());
    EXPECT_EQ(fresh.ScaleX(layer).Visible(), layer == 1);
    EXPECT_EQ(fresh.ScaleY(layer).Visible(), layer == 1);
    if (layer > 4) {
      EXPECT_EQ(fresh.ScaleX(layer).ScaleLocation(), layer % 2 ? slBottom : slTop);
      EXPECT_EQ(fresh.ScaleY(layer).ScaleLocation(), layer % 2 ? slLeft : slRight);
      EXPECT_EQ(fresh.ScaleX(layer).ScalePos(), (layer - 1) / 2 * 30);
      EXPECT_EQ(fresh.ScaleY(layer).ScalePos(), (layer - 1) / 2 * 50);
    }
  }
  EXPECT_EQ(fresh.StandardLayout(), lay_X1Bottom_Y1Left);
  EXPECT_EQ(fresh.LRim(), 50);
  EXPECT_EQ(fresh.RRim(), 20);
  EXPECT_EQ(fresh.TRim(), 20);
  EXPECT_EQ(fresh.BRim(), 40);
  EXPECT_EQ(fresh.CaptionPosY(), -16);
  EXPECT_EQ(fresh.CaptionAnchorHoriz(), cahChartRight);
  EXPECT_EQ(fresh.Scale1X().CaptionPosY(), 22);
  EXPECT_EQ(fresh.Scale1X().CaptionAnchor(), uaSclCenter);
  EXPECT_EQ(fresh.Scale1Y().CaptionAlignment(), taLeftJustify);
  EXPECT_EQ(fresh.Scale3X().CaptionPosY(), 100);
  EXPECT_EQ(fresh.Scale2Y().ScaleLocation(), slLeft);
  EXPECT_EQ(fresh.Scale2X().ScalePos(), 0);
  EXPECT_EQ(fresh.Width(), 280);
}

TEST_F(ChartScalesTest, PaintersMapExactlyLikeTheLayers) {
  for (double v : {0.0, 12.5, 50.0, 99.0, 100.0}) {
    int px, py;
    chart.WorldToPixel(1, v, v / 10, px, py);
    EXPECT_EQ(chart.PainterX(1).ValueToPixel(v), px) << v;
    EXPECT_EQ(chart.PainterY(1).ValueToPixel(v / 10), py) << v;
  }
  chart.SetShadowWidth(6);
  chart.SetRange(1, 1, 1, 1000, 1000);
  chart.Scale1X().SetLogarithmic(true);
  int px, py;
  chart.WorldToPixel(1, 31.6, 0, px, py);
  EXPECT_EQ(chart.PainterX(1).ValueToPixel(31.6), px);
  EXPECT_EQ(chart.PainterX(1).ValueToPixel(1000), 400 - 20 - 6);
}

// Where the axes are painted is in the golden pictures.
TEST_F(ChartScalesTest, TickEventsComeFromTheChart) {
  int ticks = 0;
  chart.OnScaleTickDrawn = [&](TObject* sender, TCanvas*&, TScaleType, double, int, int) {
    EXPECT_EQ(sender, &chart);
    ++ticks;
  };
  Picture();
  // Horizontal scales record only their short ticks, vertical ones all.
  EXPECT_EQ(ticks, chart.PainterX(1).NumTicks() + 6 + chart.PainterY(1).NumTicks());
}

TEST_F(ChartScalesTest, ScalePosMovesTheLineOutwardsAndLabelsTakeTheAxisColour) {
  chart.Scale1X().SetScalePos(30);
  const TBitmap& moved = Picture();
  EXPECT_EQ(test::RowText(moved, 290, 48, 52), "..##");
  EXPECT_EQ(test::RowText(moved, 290, 378, 382), "###.");

  chart.Scale1X().SetScalePos(0);
  TFont font;
  font.Color = clLime;
  chart.Scale1X().SetFont(font);
  chart.Scale1X().SetColorScale(clMaroon);
  const TBitmap& coloured = Picture();
  const TRect labels{0, 268, 400, 300};
  EXPECT_GT(test::CountPixels(coloured, clMaroon, labels), 20);
  EXPECT_EQ(test::CountPixels(coloured, clLime), 0);
  EXPECT_EQ(test::CountPixels(coloured, clBlack, labels), 0);

  chart.Scale1Y().SetVisible(false);
  EXPECT_EQ(test::RowText(Picture(), chart.PainterY(1).ValueToPixel(4), 40, 50), "..........");
}

TEST_F(ChartScalesTest, PropertyChangesReachThePainters) {
  chart.Scale1Y().SetCaption("U/V");
  chart.Scale1Y().SetUserTickText("a|b");
  chart.Scale1Y().SetMinTicks(5);
  chart.Scale1Y().DateFormat().SetYearLength(ylYY);
  EXPECT_EQ(chart.PainterY(1).Caption(), "U/V");
  EXPECT_EQ(chart.PainterY(1).UserTickText(), "a|b");
  EXPECT_EQ(chart.PainterY(1).MinTicks(), 5);
  EXPECT_EQ(chart.PainterY(1).DateFormat().YearLength(), ylYY);

  chart.Scale1X().SetLabelType(ftTime);
  EXPECT_EQ(chart.PainterX(1).DecPlaces(), 4);
  chart.Scale1X().SetDecPlaces(1);  // changed after ftTime: kept
  EXPECT_EQ(chart.PainterX(1).DecPlaces(), 1);

  chart.Scale1X().SetWholeNumberTicks(true);
  EXPECT_TRUE(chart.PainterX(1).WholeNumberTicks());

  chart.Scale2X().SetScaleLocation(slTop);
  EXPECT_EQ(chart.PainterX(2).ScaleType(), sctXB);
  chart.Scale2Y().SetScaleLocation(slRight);
  EXPECT_EQ(chart.PainterY(2).ScaleType(), sctYL);
}

TEST_F(ChartScalesTest, ALoadedDesignReachesThePaintersAtTheEnd) {
  chart.BeginLoad();
  chart.Scale1X().SetCaption("A");
  chart.Scale1Y().SetRangeLow(0);
  chart.Scale1Y().SetLogarithmic(true);  // unchecked while loading
  EXPECT_EQ(chart.PainterX(1).Caption(), "");
  chart.Loaded();
  EXPECT_EQ(chart.PainterX(1).Caption(), "A");
  EXPECT_TRUE(chart.PainterY(1).Logarithmic());
  chart.Scale1X().SetRangeLow(-1);
  chart.Scale1X().SetLogarithmic(true);  // checked again
  EXPECT_FALSE(chart.Scale1X().Logarithmic());
}

TEST_F(ChartScalesTest, StandardLayoutsSetRimsCaptionsAndAxes) {
  chart.ScaleX(7).SetVisible(true);
  for (int l = lay_X1Bottom_Y1Left; l <= lay_X2Both_Y2Both; ++l) {
    const TChartLayout layout = static_cast<TChartLayout>(l);
    chart.SetStandardLayout(layout);
    const TLayoutValues& values = LayoutValues(layout);
    EXPECT_EQ(chart.BRim(), values.BRim);
    EXPECT_EQ(chart.LRim(), values.LRim);
    EXPECT_EQ(chart.CaptionAlignment(), values.CaptionAlignment);
    for (int layer = 1; layer <= 4; ++layer) {
      EXPECT_EQ(chart.ScaleX(layer).Visible(), values.X[layer - 1].Visible);
      EXPECT_EQ(chart.ScaleY(layer).ScalePos(), values.Y[layer - 1].ScalePos);
    }
    EXPECT_FALSE(chart.ScaleX(7).Visible());
  }
  // Spot checks against the published table.
  EXPECT_EQ(LayoutValues(lay_X1Bottom_Y4Left).LRim, 200);
  EXPECT_EQ(LayoutValues(lay_X1Bottom_Y4Left).Y[3].ScalePos, 150);
  EXPECT_EQ(LayoutValues(lay_X2Bottom_Y2Left).X[1].ScalePos, 30);
  EXPECT_EQ(LayoutValues(lay_X2Bottom_Y2Left).BRim, 70);
  EXPECT_EQ(LayoutValues(lay_X1Bottom_Y2Both).CaptionPosY, -20);
  EXPECT_EQ(LayoutValues(lay_X2Both_Y2Both).Y[2].CaptionPosY, -23);
  EXPECT_EQ(LayoutValues(lay_X1Bottom_Y2Left).Y[3].CaptionPosX, 10);

  // X2 (maroon) on top: its line on the plot area's top edge, ticks pointing up.
  chart.SetStandardLayout(lay_X2Both_Y2Both);
  chart.SetRange(2, 0, 0, 100, 10);
  EXPECT_EQ(chart.Scale2X().ScaleLocation(), slTop);
  EXPECT_EQ(chart.Scale2Y().ScaleLocation(), slRight);
  const TBitmap& picture = Picture();
  const int x = chart.PainterX(2).ValueToPixel(40);
  EXPECT_EQ(test::ColumnText(picture, x, 41, 48, clMaroon), ".######");  // 42..48, the last under the plot area
  // Y2 on the right: its line on the plot area's right edge, ticks pointing right.
  const int y = chart.PainterY(2).ValueToPixel(4);
  EXPECT_EQ(test::RowText(picture, y, 351, 358, clMaroon), "#####..");
}

// A scale painted onto a white bitmap of its own size: ticks and line in
// black, labels in red so the two can be told apart.
class ScaleRenderTest : public test::QtAppTest {
 protected:
  ScaleRenderTest() : bitmap(400, 120) {
    scale.SuspendPainting(true);
    scale.SetBounds(0, 0, 400, 120);
    scale.SetTransparent(true);
    scale.SetEmbedded(true);
    scale.SetExternalCanvas(&bitmap.Canvas(), 0, 0);
    TFont font;
    font.Color = clRed;
    scale.SetFont(font);
  }

  void Paint() {
    bitmap.Canvas().Brush = TBrush{clWhite, bsSolid};
    bitmap.Canvas().FillRect({0, 0, bitmap.Width(), bitmap.Height()});
    scale.PaintNow();
  }

  TSize Extent(const std::string& text) {
    bitmap.Canvas().Font = scale.Font();
    return bitmap.Canvas().TextExtent(text);
  }

  // Every red pixel of the picture lies in one of the boxes, and every box
  // holds some.
  void ExpectLabelsIn(const std::vector<TRect>& boxes) {
    int inside = 0;
    for (const TRect& box : boxes) {
      const int n = test::CountPixels(bitmap, clRed, box);
      EXPECT_GT(n, 0) << box.Left << "," << box.Top;
      inside += n;
    }
    EXPECT_EQ(inside, test::CountPixels(bitmap, clRed));
  }

  TBitmap bitmap;
  TScale scale;
};

// The scales the window's chart shows at the bottom and the left (XT, YR)
// are in its golden pictures; these are the other two.
TEST_F(ScaleRenderTest, HorizontalTicksSitAtTheirPixelsAndLabelsStayInside) {
  scale.SetScaleType(sctXB);  // axis line at y = 120 - 20 - 1
  scale.SetMarginLeft(0);
  scale.SetMarginRight(0);
  Paint();
  const int axis = 99;
  for (int v = 0; v <= 100; v += 5) {
    const int x = scale.ValueToPixel(v);
    // Labelled ticks reach 7 pixels up from the line, short ones 4.
    const std::string expected = v % 20 == 0 ? ".#######" : "....####";
    EXPECT_EQ(test::ColumnText(bitmap, x, axis - 7, axis + 1), expected) << v;
    EXPECT_EQ(test::ColumnText(bitmap, x, axis + 1, 120), std::string(20, '.'));
  }
  EXPECT_EQ(scale.ValueToPixel(40), 160);  // 0.4 × 399 = 159.6

  std::vector<TRect> boxes;
  for (int v = 0; v <= 100; v += 20) {
    const TSize size = Extent(std::to_string(v));
    const int x = scale.ValueToPixel(v);
    int half = size.cx / 2, left = x - half;
    if (left < 2) half = x - 2, left = 2;  // never left of x = 2
    if (x + half >= 400 - 2) left = 400 - 2 * half - 2;
    boxes.push_back({left, axis - 7 - size.cy, left + size.cx, axis - 7});
  }
  EXPECT_EQ(boxes.front().Left, 2);
  ExpectLabelsIn(boxes);
}

TEST_F(ScaleRenderTest, VerticalScalesPointTheirTicksAndLabelsSideways) {
  scale.SetScaleType(sctYL);  // axis line at x = 20, 0 at the bottom
  Paint();
  EXPECT_EQ(scale.ValueToPixel(100), 20);
  EXPECT_EQ(scale.ValueToPixel(0), 99);
  EXPECT_EQ(test::RowText(bitmap, scale.ValueToPixel(60), 19, 28), ".######..");
  EXPECT_EQ(test::RowText(bitmap, scale.ValueToPixel(65), 19, 28), ".####....");
  const TSize zero = Extent("0");
  std::vector<TRect> boxes;
  for (int v = 0; v <= 100; v += 20) {
    const TSize size = Extent(std::to_string(v));
    const int top = scale.ValueToPixel(v) - zero.cy / 2;
    boxes.push_back({28, top, 28 + size.cx, top + size.cy});
  }
  ExpectLabelsIn(boxes);
}

TEST_F(ScaleRenderTest, CaptionAtItsAnchorAndTheExternalOffsetAcrossTheScale) {
  scale.SetLabelType(ftNoFigs);
  scale.SetCaption("Volt");
  scale.SetCaptionAnchor(uaSclCenter);
  scale.SetCaptionAlignment(taRightJustify);
  scale.SetCaptionPosX(-3);
  scale.SetCaptionPosY(5);
  scale.SetExternalCanvas(&bitmap.Canvas(), 50, -10);
  Paint();
  const int axis = 99 - 10;  // only the offset across a horizontal scale applies
  EXPECT_EQ(test::RowText(bitmap, axis, 18, 22), "..##");
  const TSize size = Extent("Volt");
  const int right = 20 + 360 / 2 - 3;
  ExpectLabelsIn({{right - size.cx, axis + 5, right, axis + 5 + size.cy}});
}

TEST_F(ScaleRenderTest, OpaqueScalesFillTheirBoxAndDrawTheirFrame) {
  TScale own;
  own.SetBounds(0, 0, 200, 80);
  own.SetScaleType(sctXT);
  TBitmap& lowered = own.Surface();
  EXPECT_EQ(lowered.Canvas().Pixel(0, 0), ColorToRGB(clGray));
  EXPECT_EQ(lowered.Canvas().Pixel(199, 79), clWhite);
  EXPECT_EQ(lowered.Canvas().Pixel(100, 60), ColorToRGB(clBtnFace));
  EXPECT_EQ(lowered.Canvas().Pixel(30, 20), clBlack);  // the axis line

  own.SetFrameStyle(fsEngraved);
  own.SetColorScheme(csSystem);
  TBitmap& engraved = own.Surface();
  EXPECT_EQ(engraved.Canvas().Pixel(0, 40), ColorToRGB(clBtnShadow));
  EXPECT_EQ(engraved.Canvas().Pixel(1, 40), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(engraved.Canvas().Pixel(198, 40), ColorToRGB(clBtnShadow));
  own.SetFrameStyle(fsSimple);
  EXPECT_EQ(own.Surface().Canvas().Pixel(199, 79), clBlack);

  // Copied as a whole onto an external canvas at its offset.
  TBitmap target(300, 200);
  own.SetExternalCanvas(&target.Canvas(), 40, 30);
  own.SetFrameStyle(fsNone);
  EXPECT_EQ(target.Canvas().Pixel(39, 29), clWhite);
  EXPECT_EQ(target.Canvas().Pixel(40, 30), ColorToRGB(clBtnFace));
  EXPECT_EQ(target.Canvas().Pixel(40 + 30, 30 + 20), clBlack);
}

TEST(LabelStride, KeepsEveryLabelThatFitsAndThinsTheRestEvenly) {
  EXPECT_EQ(LabelStride({}, 1), 1);
  EXPECT_EQ(LabelStride({{0, 10}, {11, 21}, {22, 32}}, 1), 1);
  EXPECT_EQ(LabelStride({{0, 10}, {10, 20}, {20, 30}}, 1), 2);  // touching
  EXPECT_EQ(LabelStride({{0, 10}, {5, 15}, {10, 20}, {15, 25}, {20, 30}}, 1), 3);
  EXPECT_EQ(LabelStride({{20, 30}, {10, 20}, {0, 10}}, 1), 2);  // an axis that runs backwards
  EXPECT_EQ(LabelStride({{0, 10}, {12, 22}, {24, 34}, {30, 40}}, 1), 2);  // the last one pushed back
  EXPECT_EQ(LabelStride({{0, 100}, {1, 2}}, 1), 2);  // one label alone always fits
}

// A transparent scale 400 pixels wide painting onto a canvas that records
// its calls; texts are 6 pixels per character wide.
class ScaleLabelsTest : public test::QtAppTest {
 protected:
  ScaleLabelsTest() : canvas(400, 120) {
    scale.SuspendPainting(true);
    scale.SetBounds(0, 0, 400, 120);
    scale.SetTransparent(true);
    scale.SetEmbedded(true);
    scale.SetExternalCanvas(&canvas, 0, 0);
    scale.SetScaleType(sctXB);
  }

  std::vector<test::CanvasCall> PaintLabels() {
    canvas.Calls.clear();
    scale.PaintNow();
    return canvas.CallsOf("TextOut");
  }

  int LongTicks() const {
    int n = 0;
    for (const test::CanvasCall& call : canvas.CallsOf("LineTo"))
      n += call.Points[0].X == call.Points[1].X && call.Points[0].Y - call.Points[1].Y == 7;
    return n;
  }

  static void ExpectApart(std::vector<test::CanvasCall> labels) {
    std::sort(labels.begin(), labels.end(), [](const auto& a, const auto& b) { return a.Points[0].X < b.Points[0].X; });
    for (std::size_t i = 1; i < labels.size(); ++i) {
      const int end = labels[i - 1].Points[0].X + 6 * static_cast<int>(labels[i - 1].Text.size());
      EXPECT_GT(labels[i].Points[0].X, end) << labels[i - 1].Text << " | " << labels[i].Text;
    }
  }

  test::TRecordingCanvas canvas;
  TScale scale;
};

TEST_F(ScaleLabelsTest, WideNumericLabelsAreThinnedButEveryTickStays) {
  scale.SetRangeHigh(100);
  EXPECT_EQ(PaintLabels().size(), 6u);  // 0 .. 100: all fit

  scale.SetMinTicks(6);
  scale.SetRangeHigh(12000000);  // thirteen labels like " 1.0E+06"
  const std::vector<test::CanvasCall> labels = PaintLabels();
  EXPECT_EQ(LongTicks(), 13);
  EXPECT_GT(labels.size(), 1u);
  EXPECT_LT(labels.size(), 13u);
  EXPECT_EQ(labels.front().Text, "0.0");
  ExpectApart(labels);

  scale.SetRangeLow(12000000);
  scale.SetRangeHigh(0);
  ExpectApart(PaintLabels());
}

TEST_F(ScaleLabelsTest, DateLabelsPushedBackFromTheEndDoNotRunIntoTheirNeighbour) {
  scale.SetLabelType(ftDateTime);
  scale.SetRangeHigh(45001);
  scale.SetRangeLow(45000.5);  // 15 Mar 2023 12:00 .. midnight, every 3 hours
  const std::vector<test::CanvasCall> labels = PaintLabels();
  EXPECT_EQ(LongTicks(), 5);
  ASSERT_FALSE(labels.empty());
  EXPECT_EQ(labels.back().Text, "00:00 16-Mrz-2023");
  ExpectApart(labels);
}

}  // namespace
}  // namespace kurvex
