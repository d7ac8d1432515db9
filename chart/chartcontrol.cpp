// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chartcontrol.h"

#include <algorithm>

#include "chart/chartcursors.h"

namespace kurvex {

namespace {
constexpr int kMaxShadowWidth = 32;
constexpr int kMinPlotHeight = 20;
constexpr int kMinPlotWidth = 80;
}  // namespace

TCustomChartControl::TCustomChartControl(TWinControl* parent)
    : TCustomControl(parent), m_store(std::make_shared<TItemStore>()) {
  CreateAxes();
  ConnectRenderObjects();
  RegisterChartCursors();
  SetBounds(Left(), Top(), 280, 200);
  SetStandardLayout(lay_X1Bottom_Y1Left);
}

TCustomChartControl::~TCustomChartControl() {
  // Users must not keep a pointer to a chart that is gone: each keeps a copy
  // of the items it shows.
  for (TCustomChartControl* user : m_users) {
    user->m_owner = nullptr;
    user->m_store = std::make_shared<TItemStore>(*m_store);
  }
  if (m_owner) LeaveOwner();
}

void TCustomChartControl::CreateWnd() { m_paintSuspended = false; }

void TCustomChartControl::BeginLoad() {
  m_loading = true;
  for (int i = 0; i < kLayerCount; ++i) {
    m_scaleX[i]->SetLoading(true);
    m_scaleY[i]->SetLoading(true);
  }
}

void TCustomChartControl::Loaded() {
  m_loading = false;
  for (int i = 0; i < kLayerCount; ++i) {
    m_scaleX[i]->SetLoading(false);
    m_scaleY[i]->SetLoading(false);
  }
  ApplyAllScaleProps();
  UpdateLayerTransforms();
  Paint();
}

void TCustomChartControl::RedrawIfAuto() {
  if (m_autoRedraw) Paint();
}

void TCustomChartControl::SetAllocSize(int v) {
  if (v >= 1 && v <= 1000000) m_allocSize = v;
}

void TCustomChartControl::SetClassDefault(std::uint8_t v) {
  if (v != 255) m_classDefault = v;
}

void TCustomChartControl::SetWindColor(TColor v) {
  m_windColor = v;
  RedrawIfAuto();
}

void TCustomChartControl::SetChartColor(TColor v) {
  m_chartColor = v;
  RedrawIfAuto();
}

void TCustomChartControl::SetChartFrameColor(TColor v) {
  m_chartFrameColor = v;
  RedrawIfAuto();
}

void TCustomChartControl::SetGridStyle(GridStyleType v) {
  m_gridStyle = v;
  RedrawIfAuto();
}

void TCustomChartControl::SetCurveVisible(std::uint8_t curve, bool visible) {
  if (CurveVisible(curve) == visible) return;
  m_hiddenCurves.set(curve, !visible);
  RequestItemsPicture();
}

void TCustomChartControl::RestyleCurves(std::span<const TCurveStyle> styles) {
  bool changed = false;
  TChartItem* items = m_store->Items();
  for (int i = 0; i < m_store->Count(); ++i) {
    TChartItem& item = items[i];
    if (item.Curve >= styles.size() || !IsLinePoint(item)) continue;
    const TCurveStyle& style = styles[item.Curve];
    const int layer = std::clamp(style.Layer, 1, kLayerCount);
    if (item.Layer == layer && item.Color == style.Color) continue;
    item.Layer = layer;
    item.Color = style.Color;
    changed = true;
  }
  if (!changed) return;
  SyncSharedData();
  RequestItemsPicture();
}

void TCustomChartControl::SetCurveSource(const TCurveSource* source) {
  if (m_curveSource == source) return;
  m_curveSource = source;
  RequestItemsPicture();
}

void TCustomChartControl::SetGridColor(TColor v) {
  m_gridColor = v;
  RedrawIfAuto();
}

void TCustomChartControl::SetBounds(int left, int top, int width, int height) {
  height = std::max(height, m_tRim + m_bRim + m_shadowWidth + kMinPlotHeight);
  width = std::max(width, m_lRim + m_rRim + m_shadowWidth + kMinPlotWidth);
  TCustomControl::SetBounds(left, top, width, height);
  GeometryChanged();
}

void TCustomChartControl::SetLRim(int v) {
  m_lRim = v;
  RimsChanged();
}

void TCustomChartControl::SetRRim(int v) {
  m_rRim = v;
  RimsChanged();
}

void TCustomChartControl::SetTRim(int v) {
  m_tRim = v;
  RimsChanged();
}

void TCustomChartControl::SetBRim(int v) {
  m_bRim = v;
  RimsChanged();
}

void TCustomChartControl::SetShadowWidth(int v) {
  m_shadowWidth = std::clamp(v, 0, kMaxShadowWidth);
  RimsChanged();
}

void TCustomChartControl::RimsChanged() { GeometryChanged(); }

void TCustomChartControl::GeometryChanged() {
  if (m_isometric)
    for (int layer = 1; layer <= kLayerCount; ++layer) RecomputeIsometricY(layer);
  FitPainters();
  ApplyAllScaleProps();
  UpdateLayerTransforms();
  RedrawIfAuto();
}

void TCustomChartControl::AxisChanged() {
  if (m_loading || m_holdAxisChanges) return;
  ApplyAllScaleProps();
  // Like SetRange: the layers' own repaints are held back and done once.
  const bool wasSuspended = m_paintSuspended;
  m_paintSuspended = true;
  for (int layer = 1; layer <= kLayerCount; ++layer) {
    const TScaleProps& x = ScaleX(layer);
    const TScaleProps& y = ScaleY(layer);
    SetLayerRange(layer, x.RangeLow(), y.RangeLow(), x.RangeHigh(), y.RangeHigh());
  }
  m_paintSuspended = wasSuspended;
  Paint();
}

void TCustomChartControl::SetCaption(const std::string& v) {
  m_caption = v;
  RedrawIfAuto();
}

void TCustomChartControl::SetCaptionPosX(int v) {
  m_captionPosX = v;
  RedrawIfAuto();
}

void TCustomChartControl::SetCaptionPosY(int v) {
  m_captionPosY = v;
  RedrawIfAuto();
}

void TCustomChartControl::SetCaptionAlignment(TAlignment v) {
  m_captionAlignment = v;
  RedrawIfAuto();
}

void TCustomChartControl::SetCaptionAnchorHoriz(TCaptionAnchorHoriz v) {
  m_captionAnchorHoriz = v;
  RedrawIfAuto();
}

void TCustomChartControl::SetCaptionAnchorVert(TCaptionAnchorVert v) {
  m_captionAnchorVert = v;
  RedrawIfAuto();
}

// ===== rendering properties ================================================

namespace {
// Negative grid steps below this select no grid rule.
constexpr double kLowestGridStep = -3.0;
}  // namespace

void TCustomChartControl::ConnectRenderObjects() {
  const auto repaint = [this] { RedrawIfAuto(); };
  // A crosshair lies over the plot area only: its move redraws no more, so a
  // crosshair following the mouse costs a plot picture a frame at most.
  const auto replot = [this] {
    m_plotChanges.Whole();
    if (m_autoRedraw) RequestPictureWhenShown(paPlotArea);
  };
  for (TCrossHair& crossHair : m_crossHairs) crossHair.OnChange = replot;
  for (TTextLabel& label : m_textLabels) label.OnChange = repaint;
  m_backGroundImg.OnChange = repaint;
}

void TCustomChartControl::SetGridDx(double v) {
  if (!(v >= kLowestGridStep)) return;
  m_gridDx = v;
  RedrawIfAuto();
}

void TCustomChartControl::SetGridDy(double v) {
  if (!(v >= kLowestGridStep)) return;
  m_gridDy = v;
  RedrawIfAuto();
}

void TCustomChartControl::SetShadowStyle(TShadowStyle v) {
  m_shadowStyle = v;
  RedrawIfAuto();
}

void TCustomChartControl::SetShadowColor(TColor v) {
  m_shadowColor = v;
  RedrawIfAuto();
}

void TCustomChartControl::SetShadowBakColor(TColor v) {
  m_shadowBakColor = v;
  RedrawIfAuto();
}

void TCustomChartControl::SetFont(const TFont& v) {
  m_font = v;
  RedrawIfAuto();
}

void TCustomChartControl::SetTextFontStyle(TFontStyles v) {
  m_textFontStyle = v;
  RedrawIfAuto();
}

void TCustomChartControl::SetTextBkStyle(TTextBkg v) {
  m_textBkStyle = v;
  RedrawIfAuto();
}

void TCustomChartControl::SetTextBkColor(TColor v) {
  m_textBkColor = v;
  RedrawIfAuto();
}

void TCustomChartControl::SetTextAlignment(TAlignment v) {
  m_textAlignment = v;
  RedrawIfAuto();
}

}  // namespace kurvex
