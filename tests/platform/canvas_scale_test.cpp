// SPDX-License-Identifier: GPL-3.0-or-later
#include <QImage>

#include <algorithm>

#include <gtest/gtest.h>

#include "platform/drawing/bitmap.h"
#include "platform/drawing/canvas.h"
#include "platform/drawing/devicepixels.h"
#include "tests/support/image.h"
#include "tests/support/qtapp.h"

namespace kurvex::test {
namespace {

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
  m_canvas.MoveTo(1, 1);
  m_canvas.LineTo(6, 1);
  EXPECT_EQ(RowText(m_bitmap, 2, 0, 14), "..##########..");
  EXPECT_EQ(CountPixels(m_bitmap, clBlack), 10) << "one device row only";
  m_canvas.MoveTo(20, 8);
  m_canvas.LineTo(20, 3);  // upwards: from the start's first device pixel, the end's left out
  EXPECT_EQ(ColumnText(m_bitmap, 40, 4, 18), "...##########.");

  m_canvas.Pen.Width = 2;  // wider pens keep their width in pixels
  m_canvas.MoveTo(2, 15);
  m_canvas.LineTo(12, 15);
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
  m_canvas.MoveTo(0, 10);
  m_canvas.LineTo(30, 10);
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
    m_canvas.MoveTo(x, 0);
    m_canvas.LineTo(x, 4);
  }
  EXPECT_EQ(RowText(m_bitmap, 1, 0, 12), "#.##.##.##.#");
  EXPECT_EQ(CountPixels(m_bitmap, clBlack, TRect{0, 0, 45, 1}), 30);

  m_canvas.MoveTo(0, 6);
  m_canvas.LineTo(29, 19);
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

}  // namespace
}  // namespace kurvex::test
