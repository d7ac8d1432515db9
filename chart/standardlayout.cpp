// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/standardlayout.h"

#include "chart/chartcontrol.h"

namespace kurvex {

namespace {

using TX = TAxisLayout<TScaleLocationHoriz>;
using TY = TAxisLayout<TScaleLocationVert>;

// Hidden axes of layers 1..4 still get a defined place and caption.
constexpr TX kHiddenX{false, slBottom, 0, 10, 100, taCenter, uaSclCenter};
constexpr TY kHiddenY{false, slLeft, 0, 10, 100, taRightJustify, uaSclTopLft};
constexpr TX kX1{true, slBottom, 0, 0, 22, taCenter, uaSclCenter};

constexpr TY LeftY(int scalePos) { return {true, slLeft, scalePos, 0, -23, taRightJustify, uaSclTopLft}; }

TLayoutValues Values(int b, int t, int l, int r, int capY, TAlignment alignment, TCaptionAnchorHoriz anchor,
                 std::array<TX, 4> x, std::array<TY, 4> y) {
  TLayoutValues s;
  s.BRim = b, s.TRim = t, s.LRim = l, s.RRim = r;
  s.CaptionPosY = capY;
  s.CaptionAlignment = alignment;
  s.CaptionAnchorHoriz = anchor;
  s.X = x;
  s.Y = y;
  return s;
}

const std::array<TLayoutValues, 7>& AllLayouts() {
  static const std::array<TLayoutValues, 7> layouts = {
      Values(40, 20, 50, 20, -16, taRightJustify, cahChartRight, {kX1, kHiddenX, kHiddenX, kHiddenX},
           {TY{true, slLeft, 0, 0, -16, taLeftJustify, uaSclTopLft}, kHiddenY, kHiddenY, kHiddenY}),
      Values(40, 24, 100, 20, -16, taRightJustify, cahChartRight, {kX1, kHiddenX, kHiddenX, kHiddenX},
           {LeftY(0), LeftY(50), kHiddenY, kHiddenY}),
      Values(40, 24, 150, 20, -16, taRightJustify, cahChartRight, {kX1, kHiddenX, kHiddenX, kHiddenX},
           {LeftY(0), LeftY(50), LeftY(100), kHiddenY}),
      Values(40, 24, 200, 20, -16, taRightJustify, cahChartRight, {kX1, kHiddenX, kHiddenX, kHiddenX},
           {LeftY(0), LeftY(50), LeftY(100), LeftY(150)}),
      Values(40, 24, 50, 50, -20, taCenter, cahChartCenter, {kX1, kHiddenX, kHiddenX, kHiddenX},
           {LeftY(0), TY{true, slRight, 0, 0, -23, taLeftJustify, uaSclTopLft}, kHiddenY, kHiddenY}),
      Values(70, 24, 100, 20, -16, taRightJustify, cahChartRight,
           {TX{true, slBottom, 0, -20, 7, taRightJustify, uaSclTopLft},
            TX{true, slBottom, 30, -20, 7, taRightJustify, uaSclTopLft}, kHiddenX, kHiddenX},
           {LeftY(0), LeftY(50), kHiddenY, kHiddenY}),
      Values(40, 48, 50, 50, -46, taCenter, cahChartCenter,
           {TX{true, slBottom, 0, -20, 7, taRightJustify, uaSclTopLft},
            TX{true, slTop, 0, -20, -24, taRightJustify, uaSclTopLft}, kHiddenX, kHiddenX},
           {TY{true, slLeft, 0, 0, -40, taRightJustify, uaSclTopLft},
            TY{true, slRight, 0, 0, -40, taLeftJustify, uaSclTopLft},
            TY{false, slLeft, 0, 0, -23, taRightJustify, uaSclTopLft},
            TY{false, slLeft, 0, 0, -23, taRightJustify, uaSclTopLft}}),
  };
  return layouts;
}

template <class Props, class Layout>
void ApplyAxisLayout(Props& props, const Layout& axis) {
  props.SetScaleLocation(axis.Where);
  props.SetCaptionPosX(axis.CaptionPosX);
  props.SetCaptionPosY(axis.CaptionPosY);
  props.SetCaptionAlignment(axis.CaptionAlignment);
  props.SetCaptionAnchor(axis.CaptionAnchor);
  props.SetScalePos(axis.ScalePos);
  props.SetVisible(axis.Visible);
}

}  // namespace

const TLayoutValues& LayoutValues(TChartLayout layout) { return AllLayouts().at(layout); }

void TCustomChartControl::SetStandardLayout(TChartLayout layout) {
  const TLayoutValues& values = LayoutValues(layout);
  m_standardLayout = layout;
  // Dozens of property changes, one picture: the sets are applied and the
  // chart painted once at the end.
  const bool wasSuspended = m_paintSuspended;
  m_paintSuspended = true;
  m_holdAxisChanges = true;
  m_bRim = values.BRim;
  m_tRim = values.TRim;
  m_lRim = values.LRim;
  m_rRim = values.RRim;
  m_captionPosX = values.CaptionPosX;
  m_captionPosY = values.CaptionPosY;
  m_captionAlignment = values.CaptionAlignment;
  m_captionAnchorHoriz = values.CaptionAnchorHoriz;
  m_captionAnchorVert = values.CaptionAnchorVert;
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    if (layer <= 4) {
      ApplyAxisLayout(ScaleX(layer), values.X[layer - 1]);
      ApplyAxisLayout(ScaleY(layer), values.Y[layer - 1]);
    } else {
      ScaleX(layer).SetVisible(false);
      ScaleY(layer).SetVisible(false);
    }
  }
  m_holdAxisChanges = false;
  RimsChanged();
  m_paintSuspended = wasSuspended;
  RedrawIfAuto();
}

}  // namespace kurvex
