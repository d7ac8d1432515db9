// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <QString>

#include "platform/drawing/canvas.h"
#include "platform/drawing/qtconvert.h"

namespace kurvex {

int TFont::PixelSize() const {
  return std::max(1, static_cast<int>(std::lround(std::abs(Size) * 96.0 / 72.0)));
}

QFont ToQFont(const TFont& font) {
  QFont result(QString::fromStdString(font.Name));
  result.setPixelSize(font.PixelSize());
  result.setBold(font.Style & fsBold);
  result.setItalic(font.Style & fsItalic);
  result.setUnderline(font.Style & fsUnderline);
  result.setStrikeOut(font.Style & fsStrikeOut);
  result.setStyleStrategy(QFont::NoAntialias);
  return result;
}

}  // namespace kurvex
