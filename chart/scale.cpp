// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/scale.h"

#include <algorithm>
#include <cmath>

#include "chart/layertransform.h"

namespace kurvex {

TScale::TScale() {
  m_dateFormat.OnChange = [this] { ScaleChanged(); };
  CalcMapping();
  // A new scale has no place on screen yet, so lifting the construction-time
  // suspension has nothing to repaint.
  m_suspended = false;
}

TScale::~TScale() = default;

void TScale::SetBounds(int left, int top, int width, int height) {
  m_left = left;
  m_top = top;
  m_width = std::max(width, 0);
  m_height = std::max(height, 0);
  CalcMapping();
  ScaleChanged();
}

void TScale::SetVisible(bool v) {
  if (v == m_visible) return;
  m_visible = v;
  ScaleChanged();
}

void TScale::SetCaption(const std::string& v) {
  if (v == m_caption) return;
  m_caption = v;
  ScaleChanged();
}

void TScale::SetCaptionPosX(int v) {
  if (v == m_captionPosX) return;
  m_captionPosX = v;
  ScaleChanged();
}

void TScale::SetCaptionPosY(int v) {
  if (v == m_captionPosY) return;
  m_captionPosY = v;
  ScaleChanged();
}

void TScale::SetCaptionAlignment(TAlignment v) {
  if (v == m_captionAlignment) return;
  m_captionAlignment = v;
  ScaleChanged();
}

void TScale::SetCaptionAnchor(TScaleUnitAnchor v) {
  if (v == m_captionAnchor) return;
  m_captionAnchor = v;
  ScaleChanged();
}

void TScale::SetColorBackGnd(TColor v) {
  if (v == m_colorBackGnd) return;
  m_colorBackGnd = v;
  ScaleChanged();
}

void TScale::SetColorScale(TColor v) {
  if (v == m_colorScale) return;
  m_colorScale = v;
  ScaleChanged();
}

void TScale::SetColorScheme(TColorScheme v) {
  if (v == m_colorScheme) return;
  m_colorScheme = v;
  ScaleChanged();
}

void TScale::SetDecPlaces(int v) {
  if (std::clamp(v, -3, 12) == m_decPlaces) return;
  m_decPlaces = std::clamp(v, -3, 12);
  CalcMapping();
  ScaleChanged();
}

void TScale::SetFont(const TFont& v) {
  m_font = v;
  ScaleChanged();
}

void TScale::SetFrameStyle(TFrameStyle v) {
  if (v == m_frameStyle) return;
  m_frameStyle = v;
  ScaleChanged();
}

void TScale::SetLabelType(TFigType v) {
  m_labelType = v;
  if (v == ftDateTime) m_logarithmic = false;
  if (v == ftTime) m_decPlaces = 4;
  ScaleChanged();
}

void TScale::SetAnchored(bool v) {
  if (v == m_anchored) return;
  m_anchored = v;
  CalcMapping();
  ScaleChanged();
}

void TScale::SetLogarithmic(bool v) {
  if (v == m_logarithmic) return;
  if (v && !m_creating &&
      (m_rangeLow < kLogFloor || m_rangeHigh < kLogFloor || m_labelType == ftDateTime))
    return;
  m_logarithmic = v;
  CalcMapping();
  ScaleChanged();
}

void TScale::SetMarginTop(int v) {
  if (std::max(v, 0) == m_marginTop) return;
  m_marginTop = std::max(v, 0);
  CalcMapping();
  ScaleChanged();
}

void TScale::SetMarginBottom(int v) {
  if (std::max(v, 0) == m_marginBottom) return;
  m_marginBottom = std::max(v, 0);
  CalcMapping();
  ScaleChanged();
}

void TScale::SetMarginLeft(int v) {
  if (std::max(v, 0) == m_marginLeft) return;
  m_marginLeft = std::max(v, 0);
  CalcMapping();
  ScaleChanged();
}

void TScale::SetMarginRight(int v) {
  if (std::max(v, 0) == m_marginRight) return;
  m_marginRight = std::max(v, 0);
  CalcMapping();
  ScaleChanged();
}

void TScale::SetMinTicks(int v) {
  m_minTicks = std::clamp(v, 2, 10);
  ScaleChanged();
}

void TScale::SetRangeLow(double v) {
  if (v == m_rangeLow) return;
  if (v == m_rangeHigh) m_rangeHigh = v + 1;
  m_rangeLow = v;
  CalcMapping();
  ScaleChanged();
}

void TScale::SetRangeHigh(double v) {
  if (v == m_rangeHigh) return;
  if (v == m_rangeLow) m_rangeLow = v + 1;
  m_rangeHigh = v;
  CalcMapping();
  ScaleChanged();
}

void TScale::SetShortTicks(bool v) {
  if (v == m_shortTicks) return;
  m_shortTicks = v;
  ScaleChanged();
}

void TScale::SetWholeNumberTicks(bool v) {
  if (v == m_wholeNumberTicks) return;
  m_wholeNumberTicks = v;
  ScaleChanged();
}

void TScale::SetShowBaseLine(bool v) {
  m_showBaseLine = v;
  ScaleChanged();
}

void TScale::SetScaleInscript(const std::string& v) {
  m_scaleInscript = v;
  ScaleChanged();
}

void TScale::SetScaleType(TScaleType v) {
  if (v == m_scaleType) return;
  m_scaleType = v;
  CalcMapping();
  ScaleChanged();
}

void TScale::SetTransparent(bool v) {
  m_transparent = v;
  ScaleChanged();
}

void TScale::SetUserTickText(const std::string& v) {
  m_userTickText = v;
  ScaleChanged();
}

void TScale::CalcMapping() {
  if (m_loading || m_rangeHigh == m_rangeLow) return;
  const bool vertical = Vertical();
  const int len = vertical ? m_height - m_marginTop - m_marginBottom - 1
                           : m_width - m_marginLeft - m_marginRight - 1;
  if (len <= 0) {
    m_anchor = 0;
    m_factor = 0;
    m_offset = (vertical ? m_height : m_width) / 2.0L;
    return;
  }
  long double low = m_rangeLow, high = m_rangeHigh;
  if (m_logarithmic) {
    // Non-positive ends have no logarithm: the previous mapping stays.
    if (!(low > 0 && high > 0)) return;
    low = std::log(low);
    high = std::log(high);
  }
  m_anchor = 0;
  if (vertical) {
    m_factor = len / (low - high);
    m_offset = m_marginTop - m_factor * high;
    return;
  }
  m_factor = len / (high - low);
  if (m_anchored && !m_logarithmic) {
    m_offset = m_marginLeft;
    m_anchor = RoundPixel(m_factor * low);
  } else {
    m_offset = m_marginLeft - m_factor * low;
  }
}

int TScale::ValueToPixel(double value) const {
  if (!m_logarithmic) return RoundPixel(m_factor * value + m_offset) - m_anchor;
  if (value > kLogFloor) return RoundPixel(m_factor * std::log(static_cast<long double>(value)) + m_offset);
  // Non-positive values sit at the end where the low values are.
  const bool reversed = m_rangeHigh < m_rangeLow;
  if (Vertical()) return reversed ? 0 : m_height;
  return reversed ? m_width : 0;
}

double TScale::TickPosition(int index) const {
  return index >= 1 && index <= m_numTicks ? m_ticks[index - 1] : 0;
}

void TScale::Record(double value) {
  if (m_numTicks < kMaxRecordedTicks) m_ticks[m_numTicks++] = value;
}

void TScale::SetExternalCanvas(TCanvas* canvas, int x, int y) {
  m_externalCanvas = canvas;
  m_externalX = x;
  m_externalY = y;
}

void TScale::SuspendPainting(bool suspend) {
  const bool was = m_suspended;
  m_suspended = suspend;
  if (was && !suspend) ScaleChanged();
}

void TScale::PaintNow() {
  const bool was = m_suspended;
  m_suspended = false;
  ScaleChanged();
  m_suspended = was;
}

void TScale::ScaleChanged() {
  if (m_transparent && !m_embedded) {
    m_surfaceStale = true;
    return;
  }
  Paint();
}

TBitmap& TScale::Surface() {
  if (m_surfaceStale && !m_suspended) {
    m_surfaceStale = false;
    Paint();
  }
  return m_surface;
}

void TScale::Loaded() {
  m_loading = false;
  CalcMapping();
  m_creating = false;
  ScaleChanged();
}

void TScale::Assign(const TScale& s) {
  m_frameStyle = s.m_frameStyle;
  m_colorBackGnd = s.m_colorBackGnd;
  m_colorScale = s.m_colorScale;
  m_colorScheme = s.m_colorScheme;
  m_rangeLow = s.m_rangeLow;
  m_rangeHigh = s.m_rangeHigh;
  m_factor = s.m_factor;
  m_offset = s.m_offset;
  m_anchor = s.m_anchor;
  m_logarithmic = s.m_logarithmic;
  m_anchored = s.m_anchored;
  m_shortTicks = s.m_shortTicks;
  m_wholeNumberTicks = s.m_wholeNumberTicks;
  m_minTicks = s.m_minTicks;
  m_decPlaces = s.m_decPlaces;
  m_showBaseLine = s.m_showBaseLine;
  m_transparent = s.m_transparent;
  m_labelType = s.m_labelType;
  m_marginTop = s.m_marginTop;
  m_marginBottom = s.m_marginBottom;
  m_marginLeft = s.m_marginLeft;
  m_marginRight = s.m_marginRight;
  m_caption = s.m_caption;
  m_captionPosX = s.m_captionPosX;
  m_captionPosY = s.m_captionPosY;
  m_captionAlignment = s.m_captionAlignment;
  m_captionAnchor = s.m_captionAnchor;
  m_scaleInscript = s.m_scaleInscript;
  m_userTickText = s.m_userTickText;
  m_scaleType = s.m_scaleType;
  m_externalCanvas = s.m_externalCanvas;
  m_externalX = s.m_externalX;
  m_externalY = s.m_externalY;
  m_suspended = s.m_suspended;
  m_ticks = s.m_ticks;
  m_numTicks = s.m_numTicks;
  OnScaleTickDrawn = s.OnScaleTickDrawn;
  // The date format's own change notification does the repaint.
  m_dateFormat.Assign(s.m_dateFormat.Format());
}

}  // namespace kurvex
