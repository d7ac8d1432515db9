// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chartcursors.h"

#include <array>
#include <string>

namespace kurvex {

namespace {

constexpr int kSize = 32;

// '#' black, '.' white, blank transparent; rows shorter than 32 end transparent.
constexpr const char* kHandRows[] = {
    "            ##",
    "        ## #..###",
    "       #..##..#..#",
    "       #..##..#..# ##",
    "        #..#..#..##..#",
    "        #..#..#..#..#",
    "     ##  #.......#..#",
    "    #..# #..........#",
    "    #...##.........#",
    "     #...#.........#",
    "      #............#",
    "       #...........#",
    "       #..........#",
    "        #.........#",
    "         #.......#",
    "         #.......#",
    "         #########",
};
constexpr const char* kLensRows[] = {
    "      ######",
    "    ##......##",
    "   #..........#",
    "  #............#",
    "  #............#",
    " #..............#",
    " #..............#",
    " #..............#",
    " #..............#",
    " #..............#",
    " #..............#",
    "  #............#",
    "  #............#",
    "   #..........##",
    "    ##......##.##",
    "      ######.#..##",
    "             #...##",
    "              #...##",
    "               #...##",
    "                #...#",
    "                 #..#",
    "                  ##",
};

// Badges drawn into the lens (black pixels only) to tell the zoom modes apart.
constexpr const char* kFrameBadge[] = {
    "########", "#      #", "#      #", "#      #",
    "#      #", "#      #", "#      #", "########",
};
constexpr const char* kPlusMinusBadge[] = {
    "   ##   ", "   ##   ", " ###### ", "   ##   ",
    "   ##   ", "        ", " ###### ", "        ",
};
constexpr const char* kFramePlusBadge[] = {
    "########", "#      #", "#  ##  #", "# #### #",
    "# #### #", "#  ##  #", "#      #", "########",
};
constexpr int kBadgeSize = 8;
constexpr int kBadgeLeft = 5, kBadgeTop = 4;
constexpr int kLensHotX = 8, kLensHotY = 8;
constexpr int kHandHotX = 13, kHandHotY = 9;

using Image = std::array<std::string, kSize>;

template <std::size_t N>
Image FromRows(const char* const (&rows)[N]) {
  Image image;
  for (std::size_t y = 0; y < N; ++y) image[y] = rows[y];
  for (std::string& row : image) row.resize(kSize, ' ');
  return image;
}

Image LensWith(const char* const (&badge)[kBadgeSize]) {
  Image image = FromRows(kLensRows);
  for (int y = 0; y < kBadgeSize; ++y)
    for (int x = 0; x < kBadgeSize; ++x)
      if (badge[y][x] == '#') image[kBadgeTop + y][kBadgeLeft + x] = '#';
  return image;
}

void Register(TCursor id, const Image& image, int hotX, int hotY) {
  const char* rows[kSize];
  for (int y = 0; y < kSize; ++y) rows[y] = image[y].c_str();
  RegisterCursor(id, rows, hotX, hotY);
}

}  // namespace

void RegisterChartCursors() {
  Register(crChartPan, FromRows(kHandRows), kHandHotX, kHandHotY);
  Register(crChartZoomWind, LensWith(kFrameBadge), kLensHotX, kLensHotY);
  Register(crChartZoomDrag, LensWith(kPlusMinusBadge), kLensHotX, kLensHotY);
  Register(crChartZoomWindPos, LensWith(kFramePlusBadge), kLensHotX, kLensHotY);
}

TCursor ChartModeCursor(TMouseActMode mode, TCursor keep) {
  switch (mode) {
    case maNone: return crCross;
    case maPan:
    case maPanHoriz:
    case maPanVert: return crChartPan;
    case maZoomWind: return crChartZoomWind;
    case maZoomDrag: return crChartZoomDrag;
    case maZoomWindPos: return crChartZoomWindPos;
    case maDragCrossH:
    case maDragLabel: return crDefault;
    default: return keep;
  }
}

}  // namespace kurvex
