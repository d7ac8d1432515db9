// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <array>
#include <bitset>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <string>
#include <vector>

#include "chart/backgroundimage.h"
#include "chart/chartenums.h"
#include "chart/chartitem.h"
#include "chart/crosshair.h"
#include "chart/curvesource.h"
#include "chart/graphfile.h"
#include "chart/itemstore.h"
#include "chart/jointlayers.h"
#include "chart/keptplot.h"
#include "chart/layertransform.h"
#include "chart/mousenav.h"
#include "chart/mousenavevents.h"
#include "chart/plotchanges.h"
#include "chart/scale.h"
#include "chart/scaleprops.h"
#include "chart/standardlayout.h"
#include "chart/textlabel.h"
#include "platform/drawing/bitmap.h"
#include "platform/drawing/canvas.h"
#include "platform/system/listeners.h"
#include "platform/windows/control.h"

namespace kurvex {

// ----- rendering types ------------------------------------------------------
inline constexpr int kCrossHairCount = 4;
inline constexpr int kTextLabelCount = 20;

/// A drop shadow drawn in its own colour all round, or outlined in black.
enum TShadowStyle : std::uint8_t { ssFlying, ssBox };
/// Background of text items: transparent or filled with TextBkColor.
enum TTextBkg : std::uint8_t { tbClear, tbSolid };

/// Raised while the chart renders. Top and Left give where the control's
/// pixel (0, 0) of the plot coordinates lies on Canvas, as (TRim - OffY,
/// LRim - OffX) for the plot area and (0, 0) for the frame; the handler may
/// draw on Canvas.
using TRenderEvent = std::function<void(TObject* Sender, TCanvas& Canvas, int Top, int Left)>;

/// How a curve's line items are drawn: the layer whose axes map them and
/// their colour.
struct TCurveStyle {
  int Layer = 1;
  TColor Color = 0;
};

/// A 2-D chart with 16 layers. Keeps drawing items in world coordinates,
/// maps them to pixels per layer (linear or logarithmic); its picture
/// changes only through ShowGraph, Paint and the setters of drawing
/// properties, never by adding items. Those calls request a picture, which is rendered at the next frame
/// of the screen from the state at that moment, or at once when a caller
/// reads the picture (ControlBitmap, PlotBitmap). Charts can share one item
/// store (UseDataOf). GUI thread only.
class TCustomChartControl : public TCustomControl {
 public:
  explicit TCustomChartControl(TWinControl* parent = nullptr);
  ~TCustomChartControl() override;

  // --- item store --------------------------------------------------------
  void MoveTo(double x, double y);
  void DrawTo(double x, double y);
  /// Removes all items and clears the plot bitmap; shows nothing.
  void ClearGraph();
  /// An index outside 0..ItemCount-1 changes nothing.
  void RemoveItem(int index);
  void RemoveFirstItem() { RemoveItem(0); }
  /// Requests the plot area with all items for the next frame (with
  /// AutoRedraw off the whole control); nothing is drawn now.
  void ShowGraph();
  int ItemCount() const { return m_store->Count(); }
  int ItemCapacity() const { return m_store->Capacity(); }
  const TChartItem& Item(int index) const { return (*m_store)[index]; }
  const TItemStore& Store() const { return *m_store; }

  // --- ranges and mapping ------------------------------------------------
  /// World window of one layer (1..16) or of all layers (0); repaints. An
  /// axis that cannot show its new window (TScaleProps::CanShow) keeps its own.
  void SetRange(int layer, long double x1, long double y1, long double x2, long double y2);
  /// World to control pixel; the layer is clamped to 1..16.
  void WorldToPixel(int layer, double x, double y, int& px, int& py) const;
  /// Control pixel to world; layer must be 1..16.
  void PixelToWorld(int layer, int px, int py, double& x, double& y) const;
  /// Recomputes the transformations of all layers from ranges, size and rims.
  virtual void UpdateLayerTransforms();
  const TAxisTransform& TransformX(int layer) const { return m_transX[layer - 1]; }
  const TAxisTransform& TransformY(int layer) const { return m_transY[layer - 1]; }

  /// Axis property sets of layers 1..16.
  TScalePropsHoriz& ScaleX(int layer) { return *m_scaleX[layer - 1]; }
  TScalePropsVert& ScaleY(int layer) { return *m_scaleY[layer - 1]; }
  const TScalePropsHoriz& ScaleX(int layer) const { return *m_scaleX[layer - 1]; }
  const TScalePropsVert& ScaleY(int layer) const { return *m_scaleY[layer - 1]; }
  TScalePropsHoriz& Scale1X() { return ScaleX(1); }
  TScalePropsVert& Scale1Y() { return ScaleY(1); }
  TScalePropsHoriz& Scale2X() { return ScaleX(2); }
  TScalePropsVert& Scale2Y() { return ScaleY(2); }
  TScalePropsHoriz& Scale3X() { return ScaleX(3); }
  TScalePropsVert& Scale3Y() { return ScaleY(3); }
  TScalePropsHoriz& Scale4X() { return ScaleX(4); }
  TScalePropsVert& Scale4Y() { return ScaleY(4); }
  /// The scale painters of layers 1..16 ("Chart_Scale_X_<n>", "Chart_Scale_Y_<n>"):
  /// private copies of the property sets that draw the axes.
  const TScale& PainterX(int layer) const { return *m_painterX[layer - 1]; }
  const TScale& PainterY(int layer) const { return *m_painterY[layer - 1]; }

  /// Which layer's axis each layer follows; a change syncs the joined
  /// layers' ranges and repaints.
  TJointLayers& JointLayers() { return m_jointLayers; }
  /// Copies the 32 entries of source.
  void SetJointLayers(const TJointLayers& source) { m_jointLayers.Assign(source); }

  TChartLayout StandardLayout() const { return m_standardLayout; }
  /// Sets rims, chart caption and the axes of layers 1..4, hides layers
  /// 5..16, and paints once.
  void SetStandardLayout(TChartLayout layout);

  /// Fired for every tick any axis draws, with this chart as sender.
  TScaleTickDrawnEvent OnScaleTickDrawn;

  // --- drawing -----------------------------------------------------------
  /// Requests a full redraw of frame, scales and plot area for the next
  /// frame; nothing is drawn now. Not before the window exists, while
  /// loading or while a change of several ranges holds it back.
  virtual void Paint();
  /// Raises the size to the minimum the rims leave room for.
  void SetBounds(int left, int top, int width, int height) override;

  // --- properties --------------------------------------------------------
  int AllocSize() const { return m_allocSize; }
  /// Ignored outside 1..1000000.
  void SetAllocSize(int v);
  bool AutoRedraw() const { return m_autoRedraw; }
  /// Turning it off first renders a requested picture, so the changes made
  /// while it is off do not show before the next redraw.
  void SetAutoRedraw(bool v);
  int LRim() const { return m_lRim; }
  int RRim() const { return m_rRim; }
  int TRim() const { return m_tRim; }
  int BRim() const { return m_bRim; }
  int ShadowWidth() const { return m_shadowWidth; }
  void SetLRim(int v);
  void SetRRim(int v);
  void SetTRim(int v);
  void SetBRim(int v);
  /// Limited to 0..32.
  void SetShadowWidth(int v);
  TColor DataColor() const { return m_dataColor; }
  void SetDataColor(TColor v) { m_dataColor = v; }
  TPenStyle PenStyle() const { return m_penStyle; }
  void SetPenStyle(TPenStyle v) { m_penStyle = v; }
  int LineWidth() const { return m_lineWidth; }
  void SetLineWidth(std::uint8_t v) { m_lineWidth = v; }
  int ClassDefault() const { return m_classDefault; }
  /// 255 is ignored.
  void SetClassDefault(std::uint8_t v);
  /// The curve new items belong to: a line item continues from the last
  /// point of its own curve only.
  std::uint8_t DataCurve() const { return m_dataCurve; }
  void SetDataCurve(std::uint8_t v) { m_dataCurve = v; }
  /// The layer (1..16) new line items are drawn on: the ActiveLayer until
  /// set, another for a curve against another Y axis. Clamped to 1..16.
  int DataLayer() const { return m_dataLayer; }
  void SetDataLayer(int layer) { m_dataLayer = std::clamp(layer, 1, kLayerCount); }
  /// A hidden curve's items are not drawn; they still move its pen, so
  /// showing it again draws it whole. A change redraws with AutoRedraw.
  bool CurveVisible(std::uint8_t curve) const { return !m_hiddenCurves.test(curve); }
  void SetCurveVisible(std::uint8_t curve, bool visible);
  /// Gives the line items of each curve c < styles.size() the layer
  /// (clamped to 1..16) and the colour of styles[c], as when curves are
  /// drawn against another Y axis or recoloured; one pass over the items,
  /// repainting when that changed anything.
  void RestyleCurves(std::span<const TCurveStyle> styles);
  /// While set, layer 1's line items are left out and the source's curves
  /// are drawn in their place (nullptr: the items again); the chart keeps
  /// no ownership. Requests a picture.
  const TCurveSource* CurveSource() const { return m_curveSource; }
  void SetCurveSource(const TCurveSource* source);
  bool Isometric() const { return m_isometric; }
  void SetIsometric(bool v) { m_isometric = v; }
  /// Whether X maps from a fixed origin (TAxisTransform): a window moved
  /// along X then moves the picture by whole pixels, and a picture that
  /// only moved so, or only gained or lost line items at its ends, is kept
  /// and drawn anew only where it changed. Off: the window's ends land on
  /// the plot's edges exactly, and every picture is drawn whole.
  bool AnchoredX() const { return m_anchoredX; }
  void SetAnchoredX(bool v);
  int ActiveLayer() const { return m_activeLayer; }
  TColor WindColor() const { return m_windColor; }
  void SetWindColor(TColor v);
  TColor ChartColor() const { return m_chartColor; }
  void SetChartColor(TColor v);
  TColor ChartFrameColor() const { return m_chartFrameColor; }
  void SetChartFrameColor(TColor v);
  GridStyleType GridStyle() const { return m_gridStyle; }
  void SetGridStyle(GridStyleType v);
  TColor GridColor() const { return m_gridColor; }
  void SetGridColor(TColor v);
  /// What a left-button drag does; maNone turns mouse navigation off.
  TMouseActMode MouseAction() const { return m_mouseAction; }
  void SetMouseAction(TMouseActMode v) { m_mouseAction = v; }
  /// True: the chart never changes the pointer; its own Cursor shows.
  bool MouseCursorFixed() const { return m_mouseCursorFixed; }
  void SetMouseCursorFixed(bool v) { m_mouseCursorFixed = v; }
  const std::string& Caption() const { return m_caption; }
  void SetCaption(const std::string& v);
  /// Caption offset from its anchor, pixels.
  int CaptionPosX() const { return m_captionPosX; }
  void SetCaptionPosX(int v);
  int CaptionPosY() const { return m_captionPosY; }
  void SetCaptionPosY(int v);
  TAlignment CaptionAlignment() const { return m_captionAlignment; }
  void SetCaptionAlignment(TAlignment v);
  TCaptionAnchorHoriz CaptionAnchorHoriz() const { return m_captionAnchorHoriz; }
  void SetCaptionAnchorHoriz(TCaptionAnchorHoriz v);
  TCaptionAnchorVert CaptionAnchorVert() const { return m_captionAnchorVert; }
  void SetCaptionAnchorVert(TCaptionAnchorVert v);

  /// The chart whose items this chart shows; nullptr for its own.
  TCustomChartControl* UseDataOf() const { return m_owner; }
  void SetUseDataOf(TCustomChartControl* chart);
  /// The charts that show this chart's items.
  const std::vector<TCustomChartControl*>& DataUsers() const { return m_users; }

  /// Plot area size in pixels (may be below 1 for a tiny control).
  int PlotWidth() const { return Width() - m_lRim - m_rRim - m_shadowWidth; }
  int PlotHeight() const { return Height() - m_tRim - m_bRim - m_shadowWidth; }

  /// Property writes between BeginLoad and Loaded count as loading a
  /// stored design: Logarithmic is accepted unchecked and nothing is
  /// computed or painted until Loaded.
  void BeginLoad();
  virtual void Loaded();
  bool Loading() const { return m_loading; }
  bool PaintSuspended() const { return m_paintSuspended; }

  /// A copy of the plot area of the picture (ControlBitmap), (PlotWidth + 1)
  /// x (PlotHeight + 1) pixels from (LRim, TRim): the plot as last
  /// rendered, a requested redraw included.
  TBitmap PlotBitmap();

 protected:
  void CreateWnd() override;
  /// Renders the whole control, or the plot area (with the crosshairs over
  /// it) and after a moved window the scales too, into the window's
  /// picture. A picture whose items were only added at the end or taken
  /// from the front, and whose X window only moved by whole pixels
  /// (AnchoredX), is moved and drawn anew only where it changed.
  void RenderPicture(TPictureArea area) override;
  /// Paint when AutoRedraw is on.
  void RedrawIfAuto();
  /// Requests `area` for the next frame, as Paint does the whole control.
  void RequestPictureWhenShown(TPictureArea area);
  /// Paint after the world window moved: the request is for what that
  /// changes (paMovedWindow).
  void PaintMovedWindow();
  /// Sets one layer's range through joined layers, painting once afterwards.
  void SetLayerRange(int layer, long double x1, long double y1, long double x2, long double y2);
  /// Stores one layer's range as it comes (each axis only when it can show
  /// it) and updates the transformations.
  void ApplyLayerRange(int layer, long double x1, long double y1, long double x2, long double y2);
  /// Gives every chart of this chart's sharing group this chart's store.
  void SyncSharedData();

 private:
  void AppendItem(TItemKind kind, double x, double y);
  /// Requests the plot area with the items as they are now, when shown.
  void RequestItemsPicture();
  /// The same when the items changed only as m_plotChanges knows.
  void RequestChangedItemsPicture();
  void CreateAxes();
  void AxisChanged();
  void RimsChanged();
  /// Size or rims changed: painters, ranges and transformations follow.
  void GeometryChanged();
  /// Size and margins along the axis of every painter (from size and rims).
  void FitPainters();
  /// Copies one property set onto its painter.
  void ApplyScaleProps(TScale& painter, const TScaleProps& props);
  void ApplyAllScaleProps();
  /// Gives every joined layer the ranges of the layers controlling it.
  void SyncJoinedLayers();
  void RecomputeIsometricY(int layer);
  /// One layer's transformations from its ranges, the size and the rims.
  void UpdateLayerTransform(int layer);
  long double IsometricHeight(long double x1, long double y1, long double x2) const;
  void LeaveOwner();
  /// Size of the plot picture: the plot area with its right and bottom frame.
  TSize PlotBitmapSize() const;
  /// Paints the empty plot area onto canvas at (offX, offY).
  void ClearPlotArea(TCanvas& canvas, int offX, int offY);
  /// The plot picture (empty area, grid, items, frame) onto canvas at
  /// (offX, offY), clipped to its size and to `part` of it (in its own
  /// pixels) when given.
  void RenderPlot(TCanvas& canvas, int offX, int offY, const TRect* part = nullptr);
  /// The plot picture's place in the control.
  TRect PlotRect() const;
  /// Sizes bitmap to the control and draws background, shadow, caption and
  /// scales; the plot area is left for the plot picture.
  void RenderFrame(TBitmap& bitmap);

  std::shared_ptr<TItemStore> m_store;
  TCustomChartControl* m_owner = nullptr;
  std::vector<TCustomChartControl*> m_users;

  std::array<std::unique_ptr<TScalePropsHoriz>, kLayerCount> m_scaleX;
  std::array<std::unique_ptr<TScalePropsVert>, kLayerCount> m_scaleY;
  std::array<std::unique_ptr<TScale>, kLayerCount> m_painterX;
  std::array<std::unique_ptr<TScale>, kLayerCount> m_painterY;
  TJointLayers m_jointLayers;
  TChartLayout m_standardLayout = lay_X1Bottom_Y1Left;
  std::array<TAxisTransform, kLayerCount> m_transX{};
  std::array<TAxisTransform, kLayerCount> m_transY{};

  int m_allocSize = 1000;
  bool m_autoRedraw = true;
  int m_lRim = 50, m_rRim = 10, m_tRim = 16, m_bRim = 32;
  int m_shadowWidth = 0;
  TColor m_dataColor = clBlack;
  TPenStyle m_penStyle = psSolid;
  int m_lineWidth = 1;
  int m_classDefault = 0;
  std::uint8_t m_dataCurve = 0;
  int m_dataLayer = 1;
  std::bitset<256> m_hiddenCurves;
  const TCurveSource* m_curveSource = nullptr;
  bool m_isometric = false;
  bool m_anchoredX = false;
  bool m_windowMoving = false;  // Paint is for a moved window
  int m_activeLayer = 1;
  TColor m_windColor = clBtnFace;
  TColor m_chartColor = clWhite;
  TColor m_chartFrameColor = clBlack;
  GridStyleType m_gridStyle = gsNone;
  TColor m_gridColor = clBlack;
  TMouseActMode m_mouseAction = maNone;
  bool m_mouseCursorFixed = true;
  std::string m_caption;
  int m_captionPosX = 0, m_captionPosY = -15;
  TAlignment m_captionAlignment = taRightJustify;
  TCaptionAnchorHoriz m_captionAnchorHoriz = cahChartRight;
  TCaptionAnchorVert m_captionAnchorVert = cavChartTop;

  bool m_loading = false;
  bool m_paintSuspended = true;
  // Set while a standard layout changes many axis properties at once.
  bool m_holdAxisChanges = false;

  // ===== rendering, overlays and files (chart/chartpaint.cpp, renderitems.cpp,
  // grid.cpp, graphfile.cpp, bitmapexport.cpp) =============================
 public:
  /// Stored only; nothing draws with it.
  TColor FillColor() const { return m_fillColor; }
  void SetFillColor(TColor v) { m_fillColor = v; }
  /// Grid step in world units of the ActiveLayer; 0 follows the scale ticks,
  /// on logarithmic axes -1, -2, -3 give decade, 1-2-5 and 1..9 grids.
  /// Values below -3 are ignored.
  double GridDx() const { return m_gridDx; }
  void SetGridDx(double v);
  double GridDy() const { return m_gridDy; }
  void SetGridDy(double v);
  TShadowStyle ShadowStyle() const { return m_shadowStyle; }
  void SetShadowStyle(TShadowStyle v);
  TColor ShadowColor() const { return m_shadowColor; }
  void SetShadowColor(TColor v);
  /// Background behind the corners the shadow leaves free.
  TColor ShadowBakColor() const { return m_shadowBakColor; }
  void SetShadowBakColor(TColor v);
  /// Font of the chart caption; text items take its name.
  const TFont& Font() const { return m_font; }
  void SetFont(const TFont& v);
  TFontStyles TextFontStyle() const { return m_textFontStyle; }
  void SetTextFontStyle(TFontStyles v);
  TTextBkg TextBkStyle() const { return m_textBkStyle; }
  void SetTextBkStyle(TTextBkg v);
  TColor TextBkColor() const { return m_textBkColor; }
  void SetTextBkColor(TColor v);
  /// Horizontal alignment of text items at their point.
  TAlignment TextAlignment() const { return m_textAlignment; }
  void SetTextAlignment(TAlignment v);
  /// The plot area's background picture; its changes repaint.
  TBakGndImg& BackGroundImg() { return m_backGroundImg; }
  const TBakGndImg& BackGroundImg() const { return m_backGroundImg; }
  /// Crosshairs 1..4, drawn over the plot area when shown; their changes repaint.
  TCrossHair& CrossHair(int index) { return m_crossHairs[index - 1]; }
  const TCrossHair& CrossHair(int index) const { return m_crossHairs[index - 1]; }
  TCrossHair& CrossHair1() { return CrossHair(1); }
  TCrossHair& CrossHair2() { return CrossHair(2); }
  TCrossHair& CrossHair3() { return CrossHair(3); }
  TCrossHair& CrossHair4() { return CrossHair(4); }
  /// Text labels 1..20; their changes repaint.
  TTextLabel& TextLabel(int index) { return m_textLabels[index - 1]; }
  const TTextLabel& TextLabel(int index) const { return m_textLabels[index - 1]; }

  /// Before the grid and items are drawn; the canvas's pen and brush
  /// colours are restored afterwards.
  TRenderEvent OnBeforeRenderData;
  /// After the items, before the plot frame.
  TRenderEvent OnDataRendered;
  /// After the frame and the scales.
  TRenderEvent OnScalesRendered;

  /// Writes all items as 104-byte records to fileName. Writes a temporary
  /// file beside it first and replaces fileName only once everything is
  /// written, so a failure leaves an existing file as it was. Throws
  /// EGraphFileError (the system's reason) on failure. Draws nothing.
  void SaveGraph(const std::string& fileName);
  /// Replaces the items by the file's records (a last record the file cuts
  /// off is left out, and counted in the result) and repaints. keepStore
  /// only keeps the store's allocation for the old items. A file that
  /// cannot be opened or read, or is no graph file (NotAGraphFile), throws
  /// EGraphFileError and leaves the items unchanged.
  TGraphLoad LoadGraph(const std::string& fileName, bool keepStore);
  /// Writes the whole control as a 24-bit BMP to fileName with its last
  /// extension replaced by ".bmp"; with blackAndWhite in the black-and-white
  /// rendering (colours restored afterwards). Nothing reaches the screen.
  /// Throws EGraphFileError (the file written and the system's reason) when
  /// it cannot be written; an existing file then stays as it was.
  void SaveBitmap(const std::string& fileName, bool blackAndWhite);
  /// Writes the whole control as a PNG in its screen colours, through a
  /// temporary file as SaveGraph does. Nothing reaches the screen. Throws
  /// EGraphFileError (the system's reason) on failure.
  void SavePng(const std::string& fileName);

 private:
  /// The whole control rendered into a picture of its own, as an export
  /// needs it.
  TBitmap ExportPicture(bool blackAndWhite);
  void ConnectRenderObjects();
  void RenderItems(TCanvas& canvas, int offX, int offY, bool blackAndWhite, bool skipGrid);
  void DrawGrid(TCanvas& canvas, int offX, int offY);
  /// Draws the crosshairs into the window's picture.
  void ShowPlotArea();
  /// Where the vertical grid lines stand (none without them).
  std::vector<double> GridXValues() const;

  // ===== drawing only what changed (chart/plotscroll.cpp) ==================
  /// Moves the kept plot picture along X as the window moved and draws the
  /// columns the move and the changed items leave, with the scales too for
  /// a moved window; false, with nothing drawn, when the picture cannot be
  /// kept or drawing it whole costs no more.
  bool RenderChangedPlot(TBitmap& control, TPictureArea area);
  /// Whole pixels the plot moved along X since the kept picture: every
  /// layer either moved so or holds no items; none when it changed
  /// otherwise.
  std::optional<int> PlotMovedBy(const TKeptPlot& kept) const;
  /// Whether the grid shows the same lines, moved by dx.
  bool GridMovedAlong(const TKeptPlot& kept, int dx) const;
  /// The plot picture's columns to draw after it moved by dx: what the move
  /// uncovered, its edges and what the changed items reach; merged, in order.
  std::vector<std::pair<int, int>> ColumnsToDraw(int dx) const;
  /// Renders the frame of a moved window into the window's picture, leaving
  /// the plot area as it is, and tells which part changed.
  void RenderMovedFrame(TBitmap& control);
  /// Renders `part` of the plot picture (its own pixels) into the window's
  /// picture, over the frame's there when the frame was drawn aside, as a
  /// whole render composes them.
  void RenderPlotPart(TBitmap& control, const TRect& part, bool overMovedFrame);
  /// Remembers what the picture was rendered from (when AnchoredX); the
  /// changes are shown.
  void KeepPlot(const TBitmap& control);

  TPlotChanges m_plotChanges;
  std::optional<TKeptPlot> m_keptPlot;
  TBitmap m_movedFrame;  // the frame of a moved window, drawn aside
  void DrawBackgroundImage(TCanvas& canvas, int offX, int offY);
  void DrawShadow(TCanvas& canvas);
  void DrawCaption(TCanvas& canvas);

  TColor m_fillColor = clSilver;
  double m_gridDx = 0, m_gridDy = 0;
  TShadowStyle m_shadowStyle = ssFlying;
  TColor m_shadowColor = clGrayText;
  TColor m_shadowBakColor = clBtnFace;
  TFont m_font;
  TFontStyles m_textFontStyle = 0;
  TTextBkg m_textBkStyle = tbClear;
  TColor m_textBkColor = clWhite;
  TAlignment m_textAlignment = taCenter;
  TBakGndImg m_backGroundImg;
  std::array<TCrossHair, kCrossHairCount> m_crossHairs;
  std::array<TTextLabel, kTextLabelCount> m_textLabels;

  // ===== mouse navigation (chart/mousenav*.cpp) ============================
 public:
  /// Every mouse move over the control, inside the plot area or not.
  TMouseMoveInChartEvent OnMouseMoveInChart;
  /// The pointer left the control.
  TNotifyEvent OnMouseLeave;
  /// After each mouse-driven change of the world window.
  TZoomPanEvent OnZoomPan;
  /// After a crosshair was dragged.
  TCrossHairMoveEvent OnCrossHairMove;
  /// After a text label was dragged.
  TTextLabelMoveEvent OnTextLabelMove;
  /// The last pointer position inside the plot area, world units of the ActiveLayer.
  double MousePosX() const { return m_nav.WorldX; }
  double MousePosY() const { return m_nav.WorldY; }
  /// The pointer shape the chart puts over itself; crDefault lets the
  /// control's own Cursor show.
  TCursor ScreenCursor() const { return m_screenCursor; }
  /// True while a rubber band is being drawn.
  bool RubberBandActive() const { return m_nav.BandActive; }
  /// The plot area in control pixels, ends included.
  TPlotBounds PlotBounds() const;

 protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseLeave() override;
  /// Over the plot area, unless navigation is off (maNone) or a left-button
  /// drag is under way: the wheel zooms X around the pointer, with Ctrl Y;
  /// with Shift it pans X, with Ctrl and Shift Y. Tells of the zoom or pan
  /// as a drag step does.
  void MouseWheel(TShiftState shift, int delta, int x, int y) override;

 public:
  /// Shows `x` and `y` on layer 1 as a user's pan or zoom does: joined
  /// layers follow, one picture is requested, then OnZoomPan and the
  /// zoom/pan listeners are told. For a feature that moves the view on the
  /// user's behalf.
  void NavigateTo(const TAxisWindow& x, const TAxisWindow& y);
  /// Whether pan and zoom act on `layer` (1..16): layer 1 alone until set.
  /// A second Y axis that shares layer 1's X is navigated too, so a zoom
  /// rectangle scales its Y by its own pixels; other layers move only
  /// through their joins.
  bool Navigated(int layer) const { return layer >= 1 && layer <= kLayerCount && m_navigatedLayers.test(layer - 1); }
  void SetNavigated(int layer, bool navigated);

 private:
  /// The mode handling of one move: origin, pan, zoom or item drag.
  void NavigateByDrag(TShiftState shift, int x, int y);
  void TakeDragOrigin(int x, int y);
  void PanStep(int x, int y);
  void ZoomDragStep(int x, int y);
  /// Runs change with painting held back, then paints once.
  void PaintOnceAfter(const std::function<void()>& change);
  /// Runs updateLayer for every navigated layer, paints once and tells of the zoom or pan.
  void NavigationStep(const std::function<void(int layer)>& updateLayer);
  /// Chooses the crosshair or text label a drag moves, nearest to (x, y).
  void PickDraggedItem(int x, int y);
  int NearestCrossHair(int x, int y) const;
  int NearestTextLabel(int x, int y) const;
  void DragCrossHairStep(int x, int y);
  void DragTextLabelStep(int x, int y);
  void MoveRubberBand(int x, int y);
  void EndRubberBand(bool zoom);
  /// XORs the outline from `from` to `to` and the one from `from` to
  /// `replaced` onto the window, which erases the latter when it is shown.
  void XorRubberBands(TPoint from, TPoint replaced, TPoint to);
  void ShowScreenCursor(TCursor cursor);

  TMouseNavState m_nav;
  std::array<TAxisWindow, kLayerCount> m_originX{};
  std::array<TAxisWindow, kLayerCount> m_originY{};
  std::bitset<kLayerCount> m_navigatedLayers{1};  // layer 1 alone until set
  TCursor m_screenCursor = crDefault;

  // ===== listeners of the chart's events (chart/chartevents.cpp) ===========
 public:
  /// Several features can follow one event: each listener is called after
  /// the published On… handler, in the order they subscribed, until its
  /// subscription is destroyed. The published handler stays the owner's.
  [[nodiscard]] TSubscription SubscribeMouseMoveInChart(TMouseMoveInChartEvent listener) {
    return m_mouseMoveInChartListeners.Subscribe(std::move(listener));
  }
  [[nodiscard]] TSubscription SubscribeMouseLeave(TNotifyEvent listener) {
    return m_mouseLeaveListeners.Subscribe(std::move(listener));
  }
  /// A listener takes a key by setting it to 0; later listeners do not see
  /// it, nor do any when OnKeyDown took it.
  [[nodiscard]] TSubscription SubscribeKeyDown(TKeyEvent listener) {
    return m_keyDownListeners.Subscribe(std::move(listener));
  }
  /// Every listener hears a context-menu request; with any listening it no
  /// longer goes on to the parent.
  [[nodiscard]] TSubscription SubscribeContextPopup(TContextPopupEvent listener) {
    return m_contextPopupListeners.Subscribe(std::move(listener));
  }
  /// After each change of the world window by the mouse or NavigateTo.
  [[nodiscard]] TSubscription SubscribeZoomPan(TZoomPanEvent listener) {
    return m_zoomPanListeners.Subscribe(std::move(listener));
  }

 protected:
  void KeyDown(TKey& key, TShiftState shift) override;
  bool ContextPopup(int x, int y, bool byKeyboard) override;

 private:
  /// OnZoomPan, then the zoom/pan listeners.
  void TellZoomPan();

  TListeners<TObject*, bool, TShiftState, double, double> m_mouseMoveInChartListeners;
  TListeners<TObject*> m_mouseLeaveListeners;
  TListeners<TObject*, TKey&, TShiftState> m_keyDownListeners;
  TListeners<TObject*, int, int, bool> m_contextPopupListeners;
  TListeners<TObject*> m_zoomPanListeners;
};

/// The chart control as placed on a window.
class TChartControl : public TCustomChartControl {
 public:
  using TCustomChartControl::TCustomChartControl;
  void SetBounds(int left, int top, int width, int height) override {
    TCustomChartControl::SetBounds(left, top, width, height);
  }
};

}  // namespace kurvex
