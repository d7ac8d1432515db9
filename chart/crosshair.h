// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

#include "platform/drawing/canvas.h"
#include "platform/drawing/color.h"

namespace kurvex {

/// Which lines a crosshair shows.
enum TCrossHairMode : std::uint8_t { chOff, chHoriz, chVert, chBoth };

/// One of the chart's four crosshairs: a horizontal and/or vertical line
/// through a world point of a layer, drawn over the plot area whenever the
/// plot is shown. Setters store and fire OnChange (the chart repaints).
/// GUI thread only.
class TCrossHair {
 public:
  /// World coordinates of the crossing point, in the units of Layer's axes.
  double PosX() const { return m_posX; }
  void SetPosX(double v);
  double PosY() const { return m_posY; }
  void SetPosY(double v);
  /// Sets both coordinates with one notification.
  void SetPos(double x, double y);
  TColor Color() const { return m_color; }
  void SetColor(TColor v);
  /// Layer 1..16 whose transformation maps the point.
  int Layer() const { return m_layer; }
  /// Clamped to 1..16.
  void SetLayer(int v);
  TCrossHairMode Mode() const { return m_mode; }
  void SetMode(TCrossHairMode v);
  TPenStyle LineType() const { return m_lineType; }
  void SetLineType(TPenStyle v);
  /// Pen width in pixels; values below 1 count as 1.
  int LineWid() const { return m_lineWid; }
  void SetLineWid(int v);

  std::function<void()> OnChange;

 private:
  void Changed();

  double m_posX = 0;
  double m_posY = 0;
  TColor m_color = clBlack;
  int m_layer = 1;
  TCrossHairMode m_mode = chOff;
  TPenStyle m_lineType = psSolid;
  int m_lineWid = 1;
};

}  // namespace kurvex
