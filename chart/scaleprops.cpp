#include "chart/scaleprops.h"

#include <algorithm>
#include <cmath>

namespace kurvex {

namespace {
constexpr double kLogFloor = 1e-100;
}

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

void TScalePropsHoriz::SetScaleLocation(TScaleLocationHoriz v) {
  m_location = v;
  Changed();
}

void TScalePropsVert::SetScaleLocation(TScaleLocationVert v) {
  m_location = v;
  Changed();
}

}  // namespace kurvex
