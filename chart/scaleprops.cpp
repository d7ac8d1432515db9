// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/scaleprops.h"

#include <algorithm>
#include <cmath>

#include "chart/layertransform.h"

namespace kurvex {

void TScaleProps::Changed() {
  if (OnChange) OnChange(*this);
}

void TScaleProps::SetRangeLow(double v) {
  if (std::fabs(m_rangeHigh - v) < m_minRange) {
    m_rangeLow = v;
    m_rangeHigh = v + m_minRange;
  } else if (m_logarithmic && v < kLogFloor) {
    return;
  } else {
    m_rangeLow = v;
  }
  Changed();
}

void TScaleProps::SetRangeHigh(double v) {
  if (std::fabs(m_rangeLow - v) < m_minRange) {
    m_rangeHigh = v;
    m_rangeLow = v - m_minRange;
  } else if (m_logarithmic && v < kLogFloor) {
    return;
  } else {
    m_rangeHigh = v;
  }
  Changed();
}

bool TScaleProps::CanShow(double low, double high) const { return AxisCanShow(low, high, m_logarithmic); }

void TScaleProps::SetMinRange(double v) {
  if (v <= kLogFloor) return;
  m_minRange = v;
  if (std::fabs(m_rangeHigh - m_rangeLow) < v) {
    const double centre = (m_rangeLow + m_rangeHigh) / 2;
    m_rangeLow = centre - v / 2;
    m_rangeHigh = centre + v / 2;
    Changed();
  }
}

void TScaleProps::SetLogarithmic(bool v) {
  if (v && !m_loading &&
      (m_rangeLow < kLogFloor || m_rangeHigh < kLogFloor || m_labelType == ftDateTime))
    return;
  m_logarithmic = v;
  Changed();
}

void TScaleProps::SetLabelType(TFigType v) {
  m_labelType = v;
  if (v == ftDateTime) m_logarithmic = false;
  if (v == ftTime) m_decPlaces = 4;
  Changed();
}

void TScaleProps::SetDecPlaces(int v) {
  m_decPlaces = std::clamp(v, -3, 12);
  Changed();
}

void TScaleProps::SetMinTicks(int v) {
  m_minTicks = v;
  Changed();
}

void TScaleProps::SetVisible(bool v) {
  m_visible = v;
  Changed();
}

void TScaleProps::SetCaption(const std::string& v) {
  m_caption = v;
  Changed();
}

void TScaleProps::SetCaptionPosX(int v) {
  m_captionPosX = v;
  Changed();
}

void TScaleProps::SetCaptionPosY(int v) {
  m_captionPosY = v;
  Changed();
}

void TScaleProps::SetCaptionAlignment(TAlignment v) {
  m_captionAlignment = v;
  Changed();
}

void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor v) {
  m_captionAnchor = v;
  Changed();
}

void TScaleProps::SetColorScale(TColor v) {
  m_colorScale = v;
  Changed();
}

void TScaleProps::SetFont(const TFont& v) {
  m_font = v;
  Changed();
}

void TScaleProps::SetShortTicks(bool v) {
  m_shortTicks = v;
  Changed();
}

void TScaleProps::SetWholeNumberTicks(bool v) {
  m_wholeNumberTicks = v;
  Changed();
}

void TScaleProps::SetScaleInscript(const std::string& v) {
  m_scaleInscript = v;
  Changed();
}

void TScaleProps::SetScalePos(int v) {
  m_scalePos = v;
  Changed();
}

void TScaleProps::SetUserTickText(const std::string& v) {
  m_userTickText = v;
  Changed();
}

void TScalePropsHoriz::SetScaleLocation(TScaleLocationHoriz v) {
  m_location = v;
  SetScaleType(v == slTop ? sctXB : sctXT);
  Changed();
}

void TScalePropsVert::SetScaleLocation(TScaleLocationVert v) {
  m_location = v;
  SetScaleType(v == slLeft ? sctYR : sctYL);
  Changed();
}

}  // namespace kurvex
