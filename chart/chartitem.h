// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/drawing/color.h"

namespace kurvex {

/// Layers 1..16, each with axes of its own.
inline constexpr int kLayerCount = 16;
/// The widest pen an item is drawn with: wider ones from foreign files only
/// cost time.
inline constexpr int kMaxPenWidth = 255;

/// Kind of a drawing item; the ordinal is stored in byte 61 of the record.
enum TItemKind : std::uint8_t {
  ikNone = 0,
  ikMark = 1,
  ikLine = 2,
  ikDrawTo = 3,
  ikRect = 4,
  ikFrameRect = 5,
  ikBar3D = 6,
  ikText = 7,
  ikMoveTo = 8,
  ikEllipse = 9,
  ikMoveRel = 12,
  ikDrawRel = 13,
  ikArrow = 14,
};

/// One drawing item: exactly the 104 little-endian bytes of a graph-file
/// record. World coordinates except for kinds 12 and 13 (pixel offsets).
#pragma pack(push, 1)
struct TChartItem {
  double X;
  double Y;
  double X2;              ///< second point; horizontal half-axis of an ellipse
  double Y2;              ///< second point; vertical half-axis of an ellipse
  TColor Color;           ///< pen and text colour
  TColor FillColor;
  TColor FrameColor1;
  TColor FrameColor2;
  std::uint8_t PenStyle;  ///< TPenStyle ordinal
  std::uint8_t Reserved1[3];
  std::int32_t Reserved;
  std::int32_t LineWidth;  ///< pixels
  std::uint8_t Class;      ///< stored only, never drawn
  std::uint8_t Kind;       ///< TItemKind
  std::uint8_t Reserved2[2];
  std::int32_t Layer;      ///< 1..16
  std::uint8_t NoFill;
  std::uint8_t FrameStyle;  ///< 2 lowered, 3 raised, 4 embossed, 5 engraved
  std::uint8_t Text[18];    ///< length byte, then up to 17 characters
  std::int32_t Size;        ///< font size, bar depth angle or arrow head length
  std::int32_t Depth;       ///< bar depth in pixels
  std::uint8_t MarkCode;
  std::uint8_t Curve;  ///< 0 for the first curve, which every older file holds
  std::uint8_t Reserved3[6];
};
#pragma pack(pop)

/// A point of a curve's line: a MoveTo or a DrawTo item.
inline bool IsLinePoint(const TChartItem& item) { return item.Kind == ikMoveTo || item.Kind == ikDrawTo; }

static_assert(sizeof(TChartItem) == 104);
static_assert(offsetof(TChartItem, X) == 0);
static_assert(offsetof(TChartItem, Y) == 8);
static_assert(offsetof(TChartItem, X2) == 16);
static_assert(offsetof(TChartItem, Y2) == 24);
static_assert(offsetof(TChartItem, Color) == 32);
static_assert(offsetof(TChartItem, FillColor) == 36);
static_assert(offsetof(TChartItem, FrameColor1) == 40);
static_assert(offsetof(TChartItem, FrameColor2) == 44);
static_assert(offsetof(TChartItem, PenStyle) == 48);
static_assert(offsetof(TChartItem, Reserved1) == 49);
static_assert(offsetof(TChartItem, Reserved) == 52);
static_assert(offsetof(TChartItem, LineWidth) == 56);
static_assert(offsetof(TChartItem, Class) == 60);
static_assert(offsetof(TChartItem, Kind) == 61);
static_assert(offsetof(TChartItem, Reserved2) == 62);
static_assert(offsetof(TChartItem, Layer) == 64);
static_assert(offsetof(TChartItem, NoFill) == 68);
static_assert(offsetof(TChartItem, FrameStyle) == 69);
static_assert(offsetof(TChartItem, Text) == 70);
static_assert(offsetof(TChartItem, Size) == 88);
static_assert(offsetof(TChartItem, Depth) == 92);
static_assert(offsetof(TChartItem, MarkCode) == 96);
static_assert(offsetof(TChartItem, Curve) == 97);
static_assert(offsetof(TChartItem, Reserved3) == 98);

}  // namespace kurvex
