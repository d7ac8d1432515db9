// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/dtlabel.h"
#include "chart/labelstride.h"
#include "chart/scaletypes.h"
#include "chart/ticklayout.h"
#include "platform/drawing/bitmap.h"
#include "platform/drawing/canvas.h"
#include "platform/windows/control.h"

namespace kurvex {

class TScale;

/// Fired for every tick drawn: the tick's value and the pixel where it meets
/// the axis line. The handler may replace the canvas.
using TScaleTickDrawnEvent = std::function<void(TObject* sender, TCanvas*& canvas, TScaleType scaleType,
                                                double currentTickPos, int chartX, int chartY)>;
/// Fired before and after a scale is drawn.
using TScaleRenderedEvent = std::function<void(TObject* sender, TCanvas& canvas)>;

/// The axis painter: maps values to pixels along one axis (linear or
/// logarithmic), draws the axis line, long labelled ticks, short ticks, the
/// labels and the caption, and records up to 50 tick positions it drew.
///
/// All coordinates are pixels of the scale's own box (Width × Height). A
/// stand-alone scale has no window of its own here: its own canvas is the
/// bitmap Surface(), which an opaque scale repaints at every change and a
/// transparent one when it is next looked at. The chart instead gives its
/// scales an external canvas, marks them embedded and paints them with
/// PaintNow. Every setter stores and repaints (unless painting is
/// suspended). GUI thread only.
class TScale : public TObject {
 public:
  TScale();
  ~TScale() override;
  TScale(const TScale&) = delete;
  TScale& operator=(const TScale&) = delete;

  // --- box ---------------------------------------------------------------
  void SetBounds(int left, int top, int width, int height);
  int Left() const { return m_left; }
  int Top() const { return m_top; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  bool Visible() const { return m_visible; }
  void SetVisible(bool v);
  const std::string& Name() const { return m_name; }
  void SetName(const std::string& name) { m_name = name; }

  // --- properties --------------------------------------------------------
  const std::string& Caption() const { return m_caption; }
  void SetCaption(const std::string& v);
  int CaptionPosX() const { return m_captionPosX; }
  void SetCaptionPosX(int v);
  int CaptionPosY() const { return m_captionPosY; }
  void SetCaptionPosY(int v);
  TAlignment CaptionAlignment() const { return m_captionAlignment; }
  void SetCaptionAlignment(TAlignment v);
  TScaleUnitAnchor CaptionAnchor() const { return m_captionAnchor; }
  void SetCaptionAnchor(TScaleUnitAnchor v);
  TColor ColorBackGnd() const { return m_colorBackGnd; }
  void SetColorBackGnd(TColor v);
  TColor ColorScale() const { return m_colorScale; }
  void SetColorScale(TColor v);
  TColorScheme ColorScheme() const { return m_colorScheme; }
  void SetColorScheme(TColorScheme v);
  /// Owned; a change of its values repaints the scale.
  TDTLabel& DateFormat() { return m_dateFormat; }
  const TDTLabel& DateFormat() const { return m_dateFormat; }
  int DecPlaces() const { return m_decPlaces; }
  /// Clamped to -3..12; -2 and -3 choose the decimals from the range.
  void SetDecPlaces(int v);
  const TFont& Font() const { return m_font; }
  void SetFont(const TFont& v);
  TFrameStyle FrameStyle() const { return m_frameStyle; }
  void SetFrameStyle(TFrameStyle v);
  TFigType LabelType() const { return m_labelType; }
  /// ftDateTime switches Logarithmic off; ftTime sets DecPlaces to 4.
  void SetLabelType(TFigType v);
  bool Logarithmic() const { return m_logarithmic; }
  /// True is refused on a loaded scale with an end below 1e-100 or with
  /// date/time labels.
  void SetLogarithmic(bool v);
  /// Whether a linear horizontal scale rounds its pixels from a fixed origin
  /// as an anchored chart X does (TAxisTransform), so its ticks stay on the
  /// plot's grid lines.
  bool Anchored() const { return m_anchored; }
  void SetAnchored(bool v);
  /// Margins: distance of the scale from the box edges; negative counts as 0.
  int MarginTop() const { return m_marginTop; }
  void SetMarginTop(int v);
  int MarginBottom() const { return m_marginBottom; }
  void SetMarginBottom(int v);
  int MarginLeft() const { return m_marginLeft; }
  void SetMarginLeft(int v);
  int MarginRight() const { return m_marginRight; }
  void SetMarginRight(int v);
  int MinTicks() const { return m_minTicks; }
  /// Minimum number of tick intervals, clamped to 2..10.
  void SetMinTicks(int v);
  /// Number of tick positions recorded by the last painting (at most 50).
  int NumTicks() const { return m_numTicks; }
  double RangeLow() const { return m_rangeLow; }
  double RangeHigh() const { return m_rangeHigh; }
  /// Setting one end onto the other moves that other end to the value + 1.
  void SetRangeLow(double v);
  void SetRangeHigh(double v);
  bool ShortTicks() const { return m_shortTicks; }
  void SetShortTicks(bool v);
  /// Ticks on whole numbers only: an axis of counts, which has no labels
  /// between two of them.
  bool WholeNumberTicks() const { return m_wholeNumberTicks; }
  void SetWholeNumberTicks(bool v);
  bool ShowBaseLine() const { return m_showBaseLine; }
  void SetShowBaseLine(bool v);
  const std::string& ScaleInscript() const { return m_scaleInscript; }
  /// Template of numeric labels: "&" stands for the number.
  void SetScaleInscript(const std::string& v);
  TScaleType ScaleType() const { return m_scaleType; }
  void SetScaleType(TScaleType v);
  bool Transparent() const { return m_transparent; }
  void SetTransparent(bool v);
  const std::string& UserTickText() const { return m_userTickText; }
  /// Labels of ftUserText, separated by "|".
  void SetUserTickText(const std::string& v);

  TScaleTickDrawnEvent OnScaleTickDrawn;
  TScaleRenderedEvent OnBeforeScaleRendered;
  TScaleRenderedEvent OnAfterScaleRendered;

  // --- mapping and ticks -------------------------------------------------
  /// Pixel along the scale (x for horizontal, y for vertical scales),
  /// limited to ±2147483647.
  int ValueToPixel(double value) const;
  /// The index-th (1-based) recorded tick position; 0 outside 1..NumTicks.
  double TickPosition(int index) const;
  /// Every tick of the last painting, the recorded ones beyond the first 50
  /// included.
  const TTickLayout& TickLayout() const { return m_layout; }

  // --- painting ----------------------------------------------------------
  /// Paint onto canvas, shifted by (x, y), instead of the own canvas; nullptr
  /// goes back to the own canvas. The canvas must outlive its use here.
  void SetExternalCanvas(TCanvas* canvas, int x, int y);
  /// While suspended nothing is painted; lifting the suspension repaints.
  void SuspendPainting(bool suspend);
  bool PaintingSuspended() const { return m_suspended; }
  /// Paints once now, whatever the suspension (an embedded or opaque scale
  /// paints at once, a free transparent one is marked for repainting).
  void PaintNow();
  /// Embedded scales (the chart's own) paint at once and only when visible.
  void SetEmbedded(bool v) { m_embedded = v; }
  bool Embedded() const { return m_embedded; }
  /// The own canvas, repainted first when a change is pending.
  TBitmap& Surface();

  /// Copies the scale settings of source (not the font) and repaints.
  void Assign(const TScale& source);

  /// Between BeginLoad and Loaded the scale reads a stored design: nothing
  /// is computed or painted; Loaded recomputes, ends the creation phase
  /// (from then on Logarithmic is checked) and repaints.
  void BeginLoad() { m_loading = true; }
  void Loaded();

 private:
  void CalcMapping();
  void ScaleChanged();
  void Paint();
  void PaintOn(TCanvas& canvas, int offX, int offY, bool transparent);
  void DrawScale(TCanvas& canvas, int offX, int offY);
  void DrawTick(TCanvas& canvas, const TTickMark& mark, int tick, int axis);
  void DrawLabel(TCanvas& canvas, const std::string& text, int tick, int axis);
  /// Left edge of a horizontal label `width` pixels wide at pixel `tick`.
  int HorizontalLabelLeft(int tick, int width) const;
  /// Every how many labels one is shown so that none touch (1: all).
  int HorizontalLabelStride(TCanvas& canvas);
  void DrawMessage(TCanvas& canvas, int axis);
  void DrawCaption(TCanvas& canvas, int axis);
  void DrawFrame(TCanvas& canvas) const;
  void Record(double value);
  int AxisLine() const;
  bool Vertical() const { return IsVertical(m_scaleType); }
  TTickParams TickParams() const;

  int m_left = 0, m_top = 0, m_width = 400, m_height = 400;
  bool m_visible = true;
  std::string m_name;

  std::string m_caption;
  int m_captionPosX = 4, m_captionPosY = 4;
  TAlignment m_captionAlignment = taCenter;
  TScaleUnitAnchor m_captionAnchor = uaSclTopLft;
  TColor m_colorBackGnd = clBtnFace;
  TColor m_colorScale = clBlack;
  TColorScheme m_colorScheme = csBWG;
  TDTLabel m_dateFormat;
  int m_decPlaces = -2;
  TFont m_font;
  TFrameStyle m_frameStyle = fsLowered;
  TFigType m_labelType = ftNum;
  bool m_logarithmic = false;
  bool m_anchored = false;
  int m_marginTop = 20, m_marginBottom = 20, m_marginLeft = 20, m_marginRight = 20;
  int m_minTicks = 3;
  double m_rangeLow = 0, m_rangeHigh = 100;
  bool m_shortTicks = true;
  bool m_wholeNumberTicks = false;
  bool m_showBaseLine = true;
  std::string m_scaleInscript;
  TScaleType m_scaleType = sctXB;
  bool m_transparent = false;
  std::string m_userTickText;

  // pixel = round(m_offset + m_factor × value) - m_anchor (× ln value when
  // logarithmic); m_anchor is 0 unless anchored.
  long double m_factor = 0;
  long double m_offset = 0;
  int m_anchor = 0;
  static constexpr int kMaxRecordedTicks = 50;
  std::array<double, kMaxRecordedTicks> m_ticks{};
  int m_numTicks = 0;

  TCanvas* m_externalCanvas = nullptr;
  int m_externalX = 0, m_externalY = 0;
  bool m_creating = true;
  bool m_loading = false;
  bool m_suspended = true;
  bool m_embedded = false;
  bool m_surfaceStale = false;
  TBitmap m_surface;
  TTickLayout m_layout;
  std::vector<TLabelSpan> m_labelSpans;  // reused from painting to painting
};

}  // namespace kurvex
