// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/crosshair.h"

#include <algorithm>

namespace kurvex {

namespace {
constexpr int kFirstLayer = 1, kLastLayer = 16;
}  // namespace

void TCrossHair::Changed() {
  if (OnChange) OnChange();
}

void TCrossHair::SetPosX(double v) {
  m_posX = v;
  Changed();
}

void TCrossHair::SetPosY(double v) {
  m_posY = v;
  Changed();
}

void TCrossHair::SetPos(double x, double y) {
  m_posX = x;
  m_posY = y;
  Changed();
}

void TCrossHair::SetColor(TColor v) {
  m_color = v;
  Changed();
}

void TCrossHair::SetLayer(int v) {
  m_layer = std::clamp(v, kFirstLayer, kLastLayer);
  Changed();
}

void TCrossHair::SetMode(TCrossHairMode v) {
  m_mode = v;
  Changed();
}

void TCrossHair::SetLineType(TPenStyle v) {
  m_lineType = v;
  Changed();
}

void TCrossHair::SetLineWid(int v) {
  m_lineWid = std::max(v, 1);
  Changed();
}

}  // namespace kurvex
