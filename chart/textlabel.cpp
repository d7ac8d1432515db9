// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/textlabel.h"

#include <algorithm>

namespace kurvex {

void TTextLabel::Changed() {
  if (OnChange) OnChange();
}

void TTextLabel::SetCaption(const std::string& v) {
  m_caption = v;
  Changed();
}

void TTextLabel::SetPos(double x, double y) {
  m_posX = x;
  m_posY = y;
  Changed();
}

void TTextLabel::SetLayer(int v) {
  m_layer = std::clamp(v, 1, 16);
  Changed();
}

void TTextLabel::SetColor(TColor v) {
  m_color = v;
  Changed();
}

void TTextLabel::SetMode(TTextLabelMode v) {
  m_mode = v;
  Changed();
}

}  // namespace kurvex
