// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>

#include "chart/chartcontrol.h"

namespace kurvex {

namespace {

// The N-th layer's axis colour.
constexpr std::array<TColor, kLayerCount> kLayerColors = {
    clBlack, clMaroon, clGreen, clOlive,   clNavy, clPurple, clTeal,   clGray,
    clSilver, clRed,   clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};

std::unique_ptr<TScale> MakePainter(const std::string& name) {
  auto painter = std::make_unique<TScale>();
  // Suspended first, so that none of the settings below paints.
  painter->SuspendPainting(true);
  painter->SetEmbedded(true);
  painter->SetName(name);
  return painter;
}

}  // namespace

void TCustomChartControl::CreateAxes() {
  for (int i = 0; i < kLayerCount; ++i) {
    const int layer = i + 1;
    auto x = std::make_unique<TScalePropsHoriz>();
    auto y = std::make_unique<TScalePropsVert>();
    x->SetColorScale(kLayerColors[i]);
    y->SetColorScale(kLayerColors[i]);
    const bool odd = layer % 2 == 1;
    x->SetScaleLocation(odd ? slBottom : slTop);
    y->SetScaleLocation(odd ? slLeft : slRight);
    x->SetScalePos((layer - 1) / 2 * 30);
    y->SetScalePos((layer - 1) / 2 * 50);
    // Wired after the initial values, which need no refresh yet.
    x->OnChange = [this](TScaleProps&) { AxisChanged(); };
    y->OnChange = [this](TScaleProps&) { AxisChanged(); };
    x->DateFormat().OnChange = [this] { AxisChanged(); };
    y->DateFormat().OnChange = [this] { AxisChanged(); };
    m_scaleX[i] = std::move(x);
    m_scaleY[i] = std::move(y);

    m_painterX[i] = MakePainter("Chart_Scale_X_" + std::to_string(layer));
    m_painterY[i] = MakePainter("Chart_Scale_Y_" + std::to_string(layer));
    for (TScale* painter : {m_painterX[i].get(), m_painterY[i].get()}) {
      painter->OnScaleTickDrawn = [this](TObject*, TCanvas*& canvas, TScaleType type, double pos, int x,
                                         int y) {
        if (OnScaleTickDrawn) OnScaleTickDrawn(this, canvas, type, pos, x, y);
      };
    }
  }
  m_jointLayers.OnChange = [this](TObject*) {
    SyncJoinedLayers();
    RedrawIfAuto();
  };
}

void TCustomChartControl::FitPainters() {
  const int sw = m_shadowWidth;
  for (int i = 0; i < kLayerCount; ++i) {
    for (TScale* painter : {m_painterX[i].get(), m_painterY[i].get()}) {
      painter->SetBounds(0, 0, Width(), Height());
      painter->SetTransparent(true);
      painter->SetColorBackGnd(m_windColor);
      painter->SetFrameStyle(fsNone);
    }
    // An X axis spans the plot area from LRim to W - RRim - SW, a Y axis
    // from TRim to H - BRim - SW.
    m_painterX[i]->SetMarginLeft(m_lRim);
    m_painterX[i]->SetMarginRight(m_rRim + sw - 1);
    m_painterY[i]->SetMarginTop(m_tRim);
    m_painterY[i]->SetMarginBottom(m_bRim + sw - 1);
  }
}

void TCustomChartControl::ApplyScaleProps(TScale& painter, const TScaleProps& props) {
  const int w = Width(), h = Height(), sw = m_shadowWidth, pos = props.ScalePos();
  painter.SetScaleType(props.ScaleType());
  // The margin across the scale puts the axis line ScalePos pixels outside
  // the plot area's edge.
  switch (props.ScaleType()) {
    case sctXB: painter.SetMarginBottom(pos + h - m_tRim - 1); break;
    case sctXT: painter.SetMarginTop(pos + h - m_bRim - sw); break;
    case sctYL: painter.SetMarginLeft(pos + w - m_rRim - sw); break;
    case sctYR: painter.SetMarginRight(pos + w - m_lRim - 1); break;
  }
  painter.SetRangeLow(props.RangeLow());
  painter.SetRangeHigh(props.RangeHigh());
  painter.SetVisible(props.Visible());
  painter.SetCaption(props.Caption());
  painter.SetCaptionPosX(props.CaptionPosX());
  painter.SetCaptionPosY(props.CaptionPosY());
  painter.SetCaptionAlignment(props.CaptionAlignment());
  painter.SetCaptionAnchor(props.CaptionAnchor());
  painter.SetColorScale(props.ColorScale());
  painter.SetLogarithmic(props.Logarithmic());
  // The label type before the decimals: on the painter ftTime would reset
  // DecPlaces to 4 even after the set's DecPlaces was changed.
  painter.SetLabelType(props.LabelType());
  painter.SetDecPlaces(props.DecPlaces());
  painter.SetShortTicks(props.ShortTicks());
  painter.SetWholeNumberTicks(props.WholeNumberTicks());
  painter.SetMinTicks(props.MinTicks());
  painter.SetScaleInscript(props.ScaleInscript());
  painter.SetUserTickText(props.UserTickText());
  TFont font = props.Font();
  font.Color = props.ColorScale();
  painter.SetFont(font);
  painter.DateFormat().Assign(props.DateFormat().Format());
}

void TCustomChartControl::ApplyAllScaleProps() {
  for (int i = 0; i < kLayerCount; ++i) {
    ApplyScaleProps(*m_painterX[i], *m_scaleX[i]);
    ApplyScaleProps(*m_painterY[i], *m_scaleY[i]);
  }
}

}  // namespace kurvex
