// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/drawing/color.h"

namespace kurvex {

/// How a text label is shown; this system knows only the switched-off state.
enum TTextLabelMode : std::uint8_t { tlOff };

/// A free text that a chart can place at a world point of a layer. The chart
/// owns twenty of them, all created switched off, and draws none while they
/// are off. Setters store and fire OnChange (the chart repaints). GUI thread
/// only.
class TTextLabel {
 public:
  const std::string& Caption() const { return m_caption; }
  void SetCaption(const std::string& v);
  /// World coordinates of the label's anchor in Layer's units.
  double PosX() const { return m_posX; }
  double PosY() const { return m_posY; }
  void SetPos(double x, double y);
  int Layer() const { return m_layer; }
  /// Clamped to 1..16.
  void SetLayer(int v);
  TColor Color() const { return m_color; }
  void SetColor(TColor v);
  TTextLabelMode Mode() const { return m_mode; }
  void SetMode(TTextLabelMode v);

  std::function<void()> OnChange;

 private:
  void Changed();

  std::string m_caption;
  double m_posX = 0;
  double m_posY = 0;
  int m_layer = 1;
  TColor m_color = clBlack;
  TTextLabelMode m_mode = tlOff;
};

}  // namespace kurvex
