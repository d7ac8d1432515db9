// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/drawing/bitmap.h"
#include "tests/support/image.h"
#include "tests/support/qtapp.h"

namespace kurvex {
namespace {

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
}  // namespace kurvex
