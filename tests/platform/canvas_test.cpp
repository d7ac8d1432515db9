// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#include <QImage>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/canvas.h"
#include "platform/drawing/devicepixels.h"
#include "tests/support/image.h"
#include "tests/support/qtapp.h"

namespace kurvex::test {
namespace {

using test::ColumnText;
using test::CountPixels;
using test::InkBounds;
using test::RowText;
using test::SameImage;

// A line from one point to another, as a move and a draw.
void Line(TCanvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

class CanvasTest : public test::QtAppTest {
 protected:
  TBitmap m_bitmap{60, 30};
  TCanvas& m_canvas = m_bitmap.Canvas();
};

TEST_F(CanvasTest, LinesLeaveOutTheirLastPixel) {
  Line(m_canvas, 2, 1, 8, 1);
  EXPECT_EQ(m_canvas.PenPos(), (TPoint{8, 1}));
  Line(m_canvas, 30, 3, 30, 3);
  EXPECT_EQ(CountPixels(m_bitmap, clBlack, {28, 1, 33, 6}), 0) << "zero-length line";

  m_canvas.MoveTo(0, 0);
  const std::array<TPoint, 4> corner = {{{40, 10}, {46, 10}, {46, 14}, {46, 14}}};
  m_canvas.Polyline(corner.data(), static_cast<int>(corner.size()));
  EXPECT_EQ(RowText(m_bitmap, 10, 39, 48), ".#######.") << "joint drawn once";
  EXPECT_EQ(ColumnText(m_bitmap, 46, 9, 16), ".####..") << "repeated end point adds nothing";
  EXPECT_EQ(m_canvas.PenPos(), (TPoint{0, 0}));
}

TEST_F(CanvasTest, AClosedXorOutlineHasEveryCornerOnce) {
  m_canvas.Pen.Color = clWhite;
  m_canvas.Pen.Mode = pmXor;
  const std::array<TPoint, 5> frame = {{{2, 2}, {10, 2}, {10, 8}, {2, 8}, {2, 2}}};
  m_canvas.Polyline(frame.data(), static_cast<int>(frame.size()));
  EXPECT_EQ(CountPixels(m_bitmap, clBlack), 2 * 8 + 2 * 6);
  EXPECT_EQ(InkBounds(m_bitmap), (TRect{2, 2, 11, 9}));
}

// The pixels a one-pixel segment covers: every step along the longer axis
// but the last, the other coordinate rounded to nearest with halves to the
// smaller one.
std::vector<TPoint> SegmentPixels(TPoint from, TPoint to) {
  const long long dx = to.X - from.X, dy = to.Y - from.Y;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const long long length = std::max(std::llabs(dx), std::llabs(dy));
  const long long minorDelta = xMajor ? dy : dx;
  const auto floorDiv = [](long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
  std::vector<TPoint> pixels;
  for (long long k = 0; k < length; ++k) {
    const int major = static_cast<int>((xMajor ? from.X : from.Y) + k * ((xMajor ? dx : dy) > 0 ? 1 : -1));
    const int minor = static_cast<int>((xMajor ? from.Y : from.X) + floorDiv(2 * minorDelta * k + length - 1, 2 * length));
    pixels.push_back(xMajor ? TPoint{major, minor} : TPoint{minor, major});
  }
  return pixels;
}

TEST_F(CanvasTest, SegmentsInsideAndAcrossTheEdgeCoverTheRoundedPixels) {
  std::mt19937 random(5);
  std::uniform_int_distribution<int> inside(0, 59), across(-40, 100);
  for (int trial = 0; trial < 400; ++trial) {
    const bool clipped = trial % 2 == 1;
    auto& coordinate = clipped ? across : inside;
    const TPoint from{coordinate(random), coordinate(random) / 2}, to{coordinate(random), coordinate(random) / 2};
    TBitmap drawn(60, 30), expected(60, 30);
    Line(drawn.Canvas(), from.X, from.Y, to.X, to.Y);
    for (const TPoint p : SegmentPixels(from, to)) expected.Canvas().SetPixel(p.X, p.Y, clBlack);
    ASSERT_TRUE(SameImage(drawn, expected, "segment-" + std::to_string(trial)))
        << from.X << "," << from.Y << " -> " << to.X << "," << to.Y;
  }
}

TEST_F(CanvasTest, DashesContinueAcrossSegmentsAndClipping) {
  m_canvas.Pen.Style = psDash;
  const std::array<TPoint, 3> bent = {{{0, 2}, {13, 2}, {40, 2}}};
  m_canvas.Polyline(bent.data(), static_cast<int>(bent.size()));
  m_canvas.SetClipRect({20, 0, 60, 30});
  Line(m_canvas, 0, 4, 40, 4);
  Line(m_canvas, -30000, 6, 30000, 6);  // far ends cost nothing: only the clip is walked
  const std::string dashed = std::string(18, '#') + "......" + std::string(16, '#');
  EXPECT_EQ(RowText(m_bitmap, 2, 0, 40), dashed);
  EXPECT_EQ(RowText(m_bitmap, 4, 0, 40), std::string(20, '.') + dashed.substr(20));
  EXPECT_EQ(CountPixels(m_bitmap, clBlack, {0, 6, 20, 7}), 0);
  // At x = 20 the pattern is 30020 % 24 = 20 steps in: 4 off, 18 on, 6 off, 12 on.
  EXPECT_EQ(CountPixels(m_bitmap, clBlack, {20, 6, 60, 7}), 30);
}

TEST_F(CanvasTest, RectangleCoversLeftToRightMinusOne) {
  m_canvas.Brush.Color = clRed;
  m_canvas.Rectangle(2, 2, 8, 6);
  EXPECT_EQ(InkBounds(m_bitmap), (TRect{2, 2, 8, 6}));
  EXPECT_EQ(CountPixels(m_bitmap, clBlack), 2 * 6 + 2 * 2) << "outline in the pen";
  EXPECT_EQ(CountPixels(m_bitmap, clRed), 4 * 2) << "inside in the brush";

  m_canvas.Rectangle(20, 8, 14, 2);  // corners in any order
  EXPECT_EQ(CountPixels(m_bitmap, clRed, {14, 2, 20, 8}), 4 * 4);

  m_canvas.Brush.Style = bsClear;
  m_canvas.Rectangle(22, 2, 26, 6);
  EXPECT_EQ(CountPixels(m_bitmap, clWhite, {23, 3, 25, 5}), 4);

  m_canvas.Brush.Style = bsSolid;
  m_canvas.Pen.Style = psClear;
  m_canvas.Rectangle(30, 2, 34, 6);
  EXPECT_EQ(CountPixels(m_bitmap, clRed, {29, 1, 35, 7}), 16) << "without a pen the brush fills the box";

  m_canvas.Pen.Style = psSolid;
  m_canvas.Rectangle(40, 2, 41, 6);
  EXPECT_EQ(ColumnText(m_bitmap, 40, 1, 7), ".####.");
  m_canvas.Rectangle(45, 2, 45, 6);
  EXPECT_EQ(CountPixels(m_bitmap, clBlack, {44, 1, 47, 7}), 0) << "empty box";
}

TEST_F(CanvasTest, FillRectUsesBrushOnlyAndIgnoresPenMode) {
  m_canvas.Brush.Color = clBlue;
  m_canvas.Pen.Mode = pmXor;
  m_canvas.FillRect({3, 4, 9, 7});
  m_canvas.FillRect({3, 4, 9, 7});
  EXPECT_EQ(InkBounds(m_bitmap), (TRect{3, 4, 9, 7}));
  EXPECT_EQ(CountPixels(m_bitmap, clBlue), 6 * 3);

  m_canvas.FillRect({20, 5, 15, 9});
  m_canvas.Brush.Style = bsClear;
  m_canvas.FillRect({30, 5, 40, 9});
  EXPECT_EQ(CountPixels(m_bitmap, clBlue), 6 * 3) << "inverted rect and clear brush fill nothing";
}

TEST_F(CanvasTest, EllipseAndPolygonStayInsideTheirOutline) {
  m_canvas.Brush.Color = clLime;
  m_canvas.Ellipse(2, 2, 14, 10);
  EXPECT_EQ(InkBounds(m_bitmap), (TRect{2, 2, 14, 10}));
  EXPECT_EQ(m_canvas.Pixel(8, 6), clLime);
  EXPECT_EQ(m_canvas.Pixel(2, 2), clWhite) << "corner of the box";

  TBitmap other(60, 30);
  TCanvas& canvas = other.Canvas();
  canvas.Brush.Color = clLime;
  const std::array<TPoint, 3> triangle = {{{20, 2}, {32, 2}, {26, 12}}};
  canvas.Polygon(triangle.data(), static_cast<int>(triangle.size()));
  EXPECT_EQ(InkBounds(other), (TRect{20, 2, 33, 13})) << "a closed outline has every vertex";
  EXPECT_EQ(canvas.Pixel(26, 5), clLime);
  EXPECT_EQ(canvas.Pixel(20, 2), clBlack);
}

TEST_F(CanvasTest, PenStylesHaveTheClassicPatterns) {
  const std::array<TPenStyle, 6> styles = {psSolid, psDash, psDot, psDashDot, psDashDotDot, psInsideFrame};
  for (std::size_t i = 0; i < styles.size(); ++i) {
    m_canvas.Pen.Style = styles[i];
    Line(m_canvas, 0, static_cast<int>(2 * i), 48, static_cast<int>(2 * i));
  }
  const std::string solid(48, '#');
  EXPECT_EQ(RowText(m_bitmap, 0, 0, 48), solid);
  EXPECT_EQ(RowText(m_bitmap, 2, 0, 48), std::string(18, '#') + "......" + std::string(18, '#') + "......");
  EXPECT_EQ(RowText(m_bitmap, 4, 0, 12), "###...###...");
  EXPECT_EQ(RowText(m_bitmap, 6, 0, 24), "#########......###......");
  EXPECT_EQ(RowText(m_bitmap, 8, 0, 24), "#########...###...###...");
  EXPECT_EQ(RowText(m_bitmap, 10, 0, 48), solid);

  m_canvas.Pen.Style = psClear;
  Line(m_canvas, 0, 20, 48, 20);
  m_canvas.Brush.Style = bsClear;
  m_canvas.Rectangle(0, 22, 20, 28);
  EXPECT_EQ(CountPixels(m_bitmap, clBlack, {0, 15, 60, 30}), 0);
}

TEST_F(CanvasTest, WidePensCoverTheirWidthAndAreSolid) {
  m_canvas.Pen.Width = 3;
  m_canvas.Pen.Style = psDot;
  Line(m_canvas, 5, 5, 40, 5);
  EXPECT_EQ(ColumnText(m_bitmap, 20, 2, 9), "..###..");
  EXPECT_EQ(RowText(m_bitmap, 5, 10, 35), std::string(25, '#'));

  m_canvas.Pen.Width = 5;
  Line(m_canvas, 50, 10, 50, 28);
  EXPECT_EQ(RowText(m_bitmap, 20, 46, 55), "..#####..");

  m_canvas.Pen.Width = 0;
  m_canvas.Pen.Style = psSolid;
  Line(m_canvas, 5, 20, 30, 20);
  EXPECT_EQ(ColumnText(m_bitmap, 15, 18, 23), "..#..") << "width 0 is one pixel";
}

TEST_F(CanvasTest, XorDrawnTwiceRestoresThePicture) {
  m_canvas.Brush.Color = clYellow;
  m_canvas.Rectangle(5, 5, 40, 25);
  m_canvas.Font.Color = clBlue;
  m_canvas.TextOut(8, 21, "Xor 1,5");
  const TBitmap before = m_bitmap;

  m_canvas.Pen.Color = clWhite;
  m_canvas.Pen.Mode = pmXor;
  m_canvas.Brush.Style = bsClear;
  const std::array<TPoint, 3> band = {{{1, 1}, {55, 28}, {30, 2}}};
  const auto drawBand = [&] {
    m_canvas.Rectangle(2, 3, 50, 20);
    m_canvas.Polyline(band.data(), static_cast<int>(band.size()));
    Line(m_canvas, 0, 29, 59, 0);
  };
  drawBand();
  EXPECT_EQ(m_canvas.Pixel(2, 3), clBlack) << "white XOR white";
  EXPECT_EQ(m_canvas.Pixel(30, 19), RGB(0, 0, 255)) << "white XOR yellow";
  EXPECT_EQ(m_canvas.Pixel(49, 3), clBlack) << "corners drawn once";
  EXPECT_EQ(m_canvas.Pixel(49, 19), clBlack);
  EXPECT_EQ(m_canvas.Pixel(2, 19), clBlack);
  drawBand();
  EXPECT_TRUE(SameImage(m_bitmap, before, "xor-twice"));

  m_canvas.Brush.Style = bsSolid;
  m_canvas.Brush.Color = clWhite;
  m_canvas.Rectangle(10, 10, 20, 20);
  EXPECT_EQ(m_canvas.Pixel(15, 15), RGB(0, 0, 255)) << "the brush is XORed too";
  EXPECT_EQ(m_canvas.Pixel(10, 10), RGB(0, 0, 255)) << "outline and fill do not overlap";
  m_canvas.Rectangle(10, 10, 20, 20);
  EXPECT_TRUE(SameImage(m_bitmap, before, "xor-filled-twice"));

  m_canvas.Pen.Mode = pmNotXor;
  m_canvas.Pen.Color = clBlack;
  Line(m_canvas, 0, 28, 10, 28);
  EXPECT_EQ(m_canvas.Pixel(3, 28), clBlack) << "black NOTXOR inverts";
  Line(m_canvas, 0, 28, 10, 28);
  EXPECT_TRUE(SameImage(m_bitmap, before, "notxor-twice"));
}

TEST_F(CanvasTest, ClipRectLimitsEveryKindOfDrawing) {
  m_canvas.SetClipRect({10, 10, 20, 20});
  m_canvas.Brush.Color = clRed;
  m_canvas.FillRect({0, 0, 60, 30});
  m_canvas.SetPixel(5, 5, clBlue);
  m_canvas.SetPixel(12, 12, clBlue);
  (void)m_bitmap.Image();  // ends the painter; the clip must survive
  Line(m_canvas, 0, 15, 60, 15);
  EXPECT_EQ(InkBounds(m_bitmap), (TRect{10, 10, 20, 20}));
  EXPECT_EQ(m_canvas.Pixel(5, 5), clWhite);
  EXPECT_EQ(m_canvas.Pixel(12, 12), clBlue);
  EXPECT_EQ(RowText(m_bitmap, 15, 9, 21), "." + std::string(10, '#') + ".");

  m_canvas.ResetClip();
  m_canvas.FillRect({40, 0, 42, 2});
  EXPECT_EQ(CountPixels(m_bitmap, clRed, {40, 0, 42, 2}), 4);
}

TEST_F(CanvasTest, PixelsAndColours) {
  m_canvas.SetPixel(3, 4, clBtnFace);
  EXPECT_EQ(m_canvas.Pixel(3, 4), RGB(240, 240, 240));
  EXPECT_EQ(m_canvas.Pixel(-1, 4), clBlack);
  EXPECT_EQ(m_canvas.Pixel(60, 0), clBlack);
  m_canvas.SetPixel(99, 99, clRed);  // outside: ignored

  // A pixel set while the painter is active and lines drawn after it both stay.
  Line(m_canvas, 0, 10, 5, 10);
  m_canvas.SetPixel(8, 10, clRed);
  m_canvas.LineTo(7, 10);
  EXPECT_EQ(RowText(m_bitmap, 10, 0, 9), "#######..");
  EXPECT_EQ(m_canvas.Pixel(8, 10), clRed);

  const std::pair<TColor, TColor> colours[] = {
      {clWindow, clWhite},   {clWindowText, clBlack},        {clGrayText, RGB(109, 109, 109)},
      {clHighlight, RGB(0, 120, 215)}, {clInfoBk, RGB(255, 255, 225)}, {clSystemColor | 25, clBlack},
      {clNone, clWhite},     {clDefault, clBlack},           {RGB(1, 2, 3), RGB(1, 2, 3)}};
  for (const auto& [colour, rgb] : colours) EXPECT_EQ(ColorToRGB(colour), rgb) << std::hex << colour;
}

TEST_F(CanvasTest, TextFitsItsExtentAndPaintsItsBackground) {
  EXPECT_EQ(TFont{}.PixelSize(), 11);
  EXPECT_EQ((TFont{.Size = 12}).PixelSize(), 16);
  EXPECT_EQ((TFont{.Size = 0}).PixelSize(), 1);

  const TSize extent = m_canvas.TextExtent("Mg 42");
  EXPECT_GT(extent.cx, 20);
  EXPECT_GE(extent.cy, 11);
  EXPECT_EQ(m_canvas.TextExtent("").cx, 0);
  EXPECT_EQ(m_canvas.TextExtent("").cy, extent.cy);
  EXPECT_GT(m_canvas.TextWidth("WWW"), m_canvas.TextWidth("iii"));

  m_canvas.Brush.Style = bsClear;
  m_canvas.TextOut(4, 3, "Mg 42");
  const TRect ink = InkBounds(m_bitmap);
  EXPECT_GE(ink.Left, 4);
  EXPECT_GE(ink.Top, 3);
  EXPECT_LE(ink.Right, 4 + extent.cx);
  EXPECT_LE(ink.Bottom, 3 + extent.cy);
  EXPECT_GT(ink.Width(), extent.cx / 2);
  EXPECT_EQ(m_canvas.PenPos(), (TPoint{4 + extent.cx, 3}));
  const int glyphPixels = CountPixels(m_bitmap, clBlack);
  EXPECT_EQ(glyphPixels + CountPixels(m_bitmap, clWhite), 60 * 30) << "no antialiasing";

  TBitmap solid(60, 30);
  TCanvas& canvas = solid.Canvas();
  canvas.Brush.Color = clAqua;
  canvas.Font.Color = clMaroon;
  canvas.TextOut(4, 3, "Mg 42");
  EXPECT_EQ(InkBounds(solid), (TRect{4, 3, 4 + extent.cx, 3 + extent.cy}));
  EXPECT_EQ(CountPixels(solid, clMaroon), glyphPixels) << "same glyphs in another colour";
  EXPECT_EQ(CountPixels(solid, clAqua), extent.cx * extent.cy - glyphPixels);
}

TEST_F(CanvasTest, OrientationRotatesTextAroundItsTopLeft) {
  TBitmap bitmap(60, 60);
  TCanvas& canvas = bitmap.Canvas();
  const TSize extent = canvas.TextExtent("Label");
  canvas.Font.Orientation = 900;
  canvas.Brush.Color = clSilver;
  canvas.TextOut(20, 50, "Label");
  const TRect box = InkBounds(bitmap);
  EXPECT_NEAR(box.Left, 20, 1);
  EXPECT_NEAR(box.Bottom, 51, 1);
  EXPECT_NEAR(box.Width(), extent.cy, 1) << "runs upwards";
  EXPECT_NEAR(box.Height(), extent.cx, 1);
}

TEST_F(CanvasTest, BitmapCopiesAndStretches) {
  TBitmap tile(2, 2);
  tile.Canvas().SetPixel(0, 0, clRed);
  tile.Canvas().SetPixel(1, 1, clBlue);

  m_canvas.Pen.Mode = pmXor;  // copies ignore the pen mode
  m_canvas.Draw(10, 5, tile);
  EXPECT_EQ(m_canvas.Pixel(10, 5), clRed);
  EXPECT_EQ(m_canvas.Pixel(11, 6), clBlue);
  EXPECT_EQ(InkBounds(m_bitmap), (TRect{10, 5, 12, 7}));

  m_canvas.StretchDraw({20, 0, 26, 4}, tile);
  EXPECT_EQ(RowText(m_bitmap, 0, 20, 26, clRed), "###...");
  EXPECT_EQ(RowText(m_bitmap, 3, 20, 26, clBlue), "...###");
  EXPECT_EQ(CountPixels(m_bitmap, clRed, {20, 0, 26, 4}), 6);

  m_canvas.CopyRect({30, 0, 34, 4}, tile, {1, 1, 2, 2});
  EXPECT_EQ(CountPixels(m_bitmap, clBlue, {29, 0, 35, 5}), 16);

  // Onto itself: the source is read before it is overwritten.
  m_canvas.CopyRect({11, 5, 13, 7}, m_bitmap, {10, 5, 12, 7});
  EXPECT_EQ(RowText(m_bitmap, 5, 10, 13, clRed), "##.");
  EXPECT_EQ(m_canvas.Pixel(12, 6), clBlue);
}

TEST_F(CanvasTest, CopiesOfTheImageKeepTheirPixels) {
  Line(m_canvas, 0, 0, 10, 0);
  const QImage snapshot = m_bitmap.Image();
  TBitmap copy = m_bitmap;
  m_canvas.LineTo(10, 10);
  copy.Canvas().Brush.Color = clBlack;
  copy.Canvas().FillRect({0, 20, 5, 25});

  EXPECT_EQ(CountPixels(m_bitmap, clBlack), 20);
  EXPECT_EQ(CountPixels(m_bitmap, clWhite, {0, 20, 5, 25}), 25);
  EXPECT_EQ(CountPixels(copy, clBlack), 10 + 25);
  TBitmap fromSnapshot;
  fromSnapshot.Image() = snapshot;
  EXPECT_EQ(CountPixels(fromSnapshot, clBlack), 10);
}

// A picture for a screen with two device pixels per pixel: coordinates stay
// those of the 1× picture, the helpers read device pixels.
class ScaledCanvasTest : public QtAppTest {
 protected:
  ScaledCanvasTest() { m_bitmap.SetScale(2); }
  TBitmap m_bitmap{30, 20};
  TCanvas& m_canvas = m_bitmap.Canvas();
};

// Some 2 × 2 block of device pixels holds two colours: the picture was drawn
// at the finer resolution, not enlarged from a coarser one.
bool HasFinerDetail(const TBitmap& bitmap) {
  const QImage& image = bitmap.Image();
  for (int y = 0; y + 1 < image.height(); y += 2) {
    for (int x = 0; x + 1 < image.width(); x += 2) {
      const QRgb p = image.pixel(x, y);
      if (image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p || image.pixel(x + 1, y + 1) != p) return true;
    }
  }
  return false;
}

TEST_F(ScaledCanvasTest, SizesStayInPixelsWhileTheImageHoldsDevicePixels) {
  EXPECT_EQ(m_bitmap.Width(), 30);
  EXPECT_EQ(m_canvas.Width(), 30);
  EXPECT_EQ(m_bitmap.Image().width(), 60);
  EXPECT_EQ(m_bitmap.Image().height(), 40);
  m_bitmap.SetSize(10, 5);
  EXPECT_EQ(m_bitmap.Image().size(), QSize(20, 10)) << "the scale survives a new size";
  EXPECT_EQ(TBitmap(m_bitmap).Scale(), 2) << "and a copy";
  m_bitmap.SetScale(0);
  EXPECT_EQ(m_bitmap.Scale(), 1);
  EXPECT_EQ(m_bitmap.Image().size(), QSize(10, 5));
}

TEST_F(ScaledCanvasTest, ThinLinesAreOneDevicePixelAcrossTheSameExtent) {
  Line(m_canvas, 1, 1, 6, 1);
  EXPECT_EQ(RowText(m_bitmap, 2, 0, 14), "..##########..");
  EXPECT_EQ(CountPixels(m_bitmap, clBlack), 10) << "one device row only";
  Line(m_canvas, 20, 8, 20, 3);  // upwards: from the start's first device pixel, the end's left out
  EXPECT_EQ(ColumnText(m_bitmap, 40, 4, 18), "...##########.");

  m_canvas.Pen.Width = 2;  // wider pens keep their width in pixels
  Line(m_canvas, 2, 15, 12, 15);
  const std::string across = ColumnText(m_bitmap, 14, 24, 36);
  EXPECT_EQ(std::count(across.begin(), across.end(), '#'), 4) << across;
}

TEST_F(ScaledCanvasTest, RectangleFillsUpToItsOneDevicePixelOutline) {
  m_canvas.Brush.Color = clRed;
  m_canvas.Rectangle(1, 1, 5, 4);
  // Outline through device 2..8 across and 2..6 down, the fill right inside it.
  EXPECT_EQ(RowText(m_bitmap, 2, 0, 11), "..#######..");
  EXPECT_EQ(RowText(m_bitmap, 4, 0, 11, clRed), "...#####...");
  EXPECT_EQ(RowText(m_bitmap, 4, 0, 11), "..#.....#..");
  EXPECT_EQ(RowText(m_bitmap, 6, 0, 11), "..#######..");
  EXPECT_EQ(CountPixels(m_bitmap, clRed), 5 * 3);

  m_canvas.Pen.Style = psClear;  // without an outline the fill covers the whole box
  m_canvas.Rectangle(10, 1, 12, 3);
  EXPECT_EQ(CountPixels(m_bitmap, clRed, TRect{20, 2, 24, 6}), 16);
  m_canvas.FillRect(TRect{20, 10, 21, 11});
  EXPECT_EQ(CountPixels(m_bitmap, clRed, TRect{40, 20, 42, 22}), 4);
}

TEST_F(ScaledCanvasTest, PixelsClipAndCopiesWorkInPixels) {
  m_canvas.SetPixel(3, 3, clBlue);
  EXPECT_EQ(CountPixels(m_bitmap, clBlue, TRect{6, 6, 8, 8}), 4);
  EXPECT_EQ(m_canvas.Pixel(3, 3), clBlue);

  m_canvas.SetClipRect(TRect{0, 0, 4, 20});
  Line(m_canvas, 0, 10, 30, 10);
  m_canvas.SetPixel(5, 5, clBlue);
  m_canvas.ResetClip();
  EXPECT_EQ(CountPixels(m_bitmap, clBlack), 8);
  EXPECT_EQ(CountPixels(m_bitmap, clBlue), 4);

  TBitmap copy(30, 20);
  copy.SetScale(2);
  copy.Canvas().CopyRect(TRect{0, 0, 30, 20}, m_bitmap, TRect{0, 0, 30, 20});
  EXPECT_TRUE(SameImage(copy, m_bitmap, "scaled-copy"));
  TBitmap part(4, 4);
  part.SetScale(2);
  part.Canvas().CopyRect(TRect{0, 0, 2, 2}, m_bitmap, TRect{3, 3, 5, 5});
  EXPECT_EQ(CountPixels(part, clBlue, TRect{0, 0, 2, 2}), 4) << "the source part is in pixels too";
}

TEST_F(ScaledCanvasTest, TextKeepsItsExtentAndIsDrawnAtTheFinerResolution) {
  TBitmap plain(30, 20);
  const TSize extent = plain.Canvas().TextExtent("Mg 42");
  EXPECT_EQ(m_canvas.TextExtent("Mg 42"), extent) << "layout does not change";
  m_canvas.Brush.Style = bsClear;
  m_canvas.TextOut(2, 1, "Mg 42");
  const TRect ink = InkBounds(m_bitmap);
  EXPECT_GE(ink.Left, 4);
  EXPECT_LE(ink.Right, 2 * (2 + extent.cx));
  EXPECT_LE(ink.Bottom, 2 * (1 + extent.cy));
  EXPECT_TRUE(HasFinerDetail(m_bitmap));
  EXPECT_EQ(m_canvas.PenPos(), (TPoint{2 + extent.cx, 1}));
}

// At 150 % a pixel covers one or two device pixels: every pixel keeps at
// least one, so lines stay one device pixel thin and whole, and fills tile
// without gaps or overlaps.
class FractionalScaleCanvasTest : public QtAppTest {
 protected:
  FractionalScaleCanvasTest() { m_bitmap.SetScale(1.5); }
  TBitmap m_bitmap{30, 20};
  TCanvas& m_canvas = m_bitmap.Canvas();
};

TEST_F(FractionalScaleCanvasTest, EveryPixelKeepsItsOwnDevicePixels) {
  EXPECT_EQ(m_bitmap.Width(), 30);
  EXPECT_EQ(m_bitmap.Image().size(), QSize(45, 30));

  for (int x = 0; x < 30; ++x) {  // a line on every pixel: each in a device column of its own
    Line(m_canvas, x, 0, x, 4);
  }
  EXPECT_EQ(RowText(m_bitmap, 1, 0, 12), "#.##.##.##.#");
  EXPECT_EQ(CountPixels(m_bitmap, clBlack, TRect{0, 0, 45, 1}), 30);

  Line(m_canvas, 0, 6, 29, 19);
  for (int x = 0; x < DevicePixel(29, 1.5); ++x) {
    const std::string column = ColumnText(m_bitmap, x, DevicePixel(6, 1.5), 30);
    EXPECT_EQ(std::count(column.begin(), column.end(), '#'), 1) << "device column " << x << ": " << column;
  }

  m_canvas.Brush.Color = clRed;
  m_canvas.FillRect(TRect{0, 5, 3, 10});
  m_canvas.Brush.Color = clBlue;
  m_canvas.FillRect(TRect{3, 5, 30, 10});
  EXPECT_EQ(CountPixels(m_bitmap, clRed), 5 * 7);
  EXPECT_EQ(CountPixels(m_bitmap, clBlue), 40 * 7);
}

using test::CountPixels;
using test::SameImage;

class BitmapTest : public test::QtAppTest {
 protected:
  static std::string TempPath(const std::string& name) {
    return ::testing::TempDir() + "kurvex-bitmap-" + name;
  }
  static std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
  static std::uint32_t Le(const std::vector<std::uint8_t>& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
      value = (value << 8) | bytes.at(at + static_cast<std::size_t>(i));
    }
    return value;
  }
};

TEST_F(BitmapTest, SizeChangesLeaveAWhiteBitmap) {
  TBitmap bitmap(4, 3);
  EXPECT_EQ(CountPixels(bitmap, clWhite), 12);
  bitmap.Canvas().SetPixel(1, 1, clRed);
  bitmap.SetSize(4, 3);
  EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), clRed) << "same size keeps the picture";
  bitmap.Canvas().Brush.Color = clBlack;
  bitmap.Canvas().FillRect({0, 0, 4, 3});
  bitmap.SetSize(6, 2);
  EXPECT_EQ(CountPixels(bitmap, clWhite), 12);

  bitmap.SetSize(-5, 3);
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.Height(), 0) << "a zero side empties the bitmap";
  bitmap.Canvas().FillRect({0, 0, 4, 3});  // nothing to draw on, must be harmless
  bitmap.Canvas().TextOut(0, 0, "x");
  EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), clBlack);
  EXPECT_GT(bitmap.Canvas().TextExtent("x").cx, 0);
}

TEST_F(BitmapTest, SavesA24BitBottomUpBmpWithPaddedRows) {
  TBitmap bitmap(3, 2);
  bitmap.Canvas().SetPixel(0, 0, RGB(1, 2, 3));
  bitmap.Canvas().SetPixel(2, 1, RGB(10, 20, 30));
  const std::string path = TempPath("header.bmp");
  std::string error;
  ASSERT_TRUE(bitmap.SaveToFile(path, &error)) << error;

  const std::vector<std::uint8_t> bytes = ReadBytes(path);
  const std::size_t stride = 12;  // 3 pixels * 3 bytes, padded to 4
  ASSERT_EQ(bytes.size(), 54 + 2 * stride);
  // "BM", the file size, 0, the pixels at 54; a 40-byte info header: 3 x 2 with a positive height
  // (bottom-up), 1 plane, 24 bits, uncompressed, the pixels' size. {offset, size, value}, little-endian.
  const std::uint32_t header[][3] = {{0, 2, 0x4D42}, {2, 4, 78}, {6, 4, 0},  {10, 4, 54}, {14, 4, 40}, {18, 4, 3},
                                     {22, 4, 2},     {26, 2, 1},  {28, 2, 24}, {30, 4, 0},  {34, 4, 24}};
  for (const auto& [at, size, value] : header) EXPECT_EQ(Le(bytes, at, static_cast<int>(size)), value) << at;

  // The first stored row is the bottom one; pixels are blue, green, red.
  const std::vector<std::uint8_t> bottom(bytes.begin() + 54, bytes.begin() + 54 + stride);
  const std::vector<std::uint8_t> top(bytes.begin() + 54 + stride, bytes.end());
  EXPECT_EQ(bottom, (std::vector<std::uint8_t>{255, 255, 255, 255, 255, 255, 30, 20, 10, 0, 0, 0}));
  EXPECT_EQ(top, (std::vector<std::uint8_t>{3, 2, 1, 255, 255, 255, 255, 255, 255, 0, 0, 0}));
}

TEST_F(BitmapTest, SaveAndLoadRoundTripPixelExact) {
  TBitmap original(7, 5);
  TCanvas& canvas = original.Canvas();
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) {
      canvas.SetPixel(x, y, RGB(static_cast<std::uint8_t>(x * 37), static_cast<std::uint8_t>(y * 51),
                                static_cast<std::uint8_t>(x * y * 7 + 1)));
    }
  }
  canvas.MoveTo(0, 4);
  canvas.LineTo(7, 0);  // leaves the painter active before saving
  const std::string path = TempPath("roundtrip.bmp");
  ASSERT_TRUE(original.SaveToFile(path));

  TBitmap loaded(2, 2);
  std::string error;
  ASSERT_TRUE(loaded.LoadFromFile(path, &error)) << error;
  EXPECT_TRUE(SameImage(loaded, original, "bmp-roundtrip"));
  loaded.Canvas().SetPixel(0, 0, clRed);  // the loaded bitmap is paintable
  EXPECT_EQ(loaded.Canvas().Pixel(0, 0), clRed);
}

TEST_F(BitmapTest, FailuresKeepTheBitmapAndSayWhy) {
  TBitmap bitmap(3, 3);
  bitmap.Canvas().SetPixel(1, 1, clBlue);
  const TBitmap before = bitmap;

  std::string error;
  EXPECT_FALSE(bitmap.LoadFromFile(TempPath("missing.bmp"), &error));
  EXPECT_NE(error.find(std::strerror(ENOENT)), std::string::npos) << error;
  EXPECT_NE(error.find("missing.bmp"), std::string::npos) << error;

  const std::string garbage = TempPath("garbage.bmp");
  std::ofstream(garbage) << "BM this is no bitmap";
  error.clear();
  EXPECT_FALSE(bitmap.LoadFromFile(garbage, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(SameImage(bitmap, before, "load-failure"));
  EXPECT_FALSE(bitmap.LoadFromFile(garbage)) << "the error text is optional";

  error.clear();
  EXPECT_FALSE(bitmap.SaveToFile(TempPath("no-such-dir/out.bmp"), &error));
  EXPECT_NE(error.find(std::strerror(ENOENT)), std::string::npos) << error;
  EXPECT_FALSE(bitmap.SaveToFile("/proc/kurvex.bmp", &error));
}

}  // namespace
}  // namespace kurvex::test
