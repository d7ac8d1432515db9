// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "chart/dtlabel.h"
#include "chart/scaletypes.h"
#include "platform/drawing/canvas.h"

namespace kurvex {

/// The published property set of one chart axis; the chart copies it onto
/// the axis' scale painter. Setters validate, store and fire OnChange (the
/// chart re-applies its ranges and repaints). Owned by the chart. GUI
/// thread only.
class TScaleProps {
 public:
  TScaleProps(const TScaleProps&) = delete;
  TScaleProps& operator=(const TScaleProps&) = delete;
  virtual ~TScaleProps() = default;

  double RangeLow() const { return m_rangeLow; }
  double RangeHigh() const { return m_rangeHigh; }
  /// A range narrower than MinRange is widened by moving the other end; on
  /// a logarithmic axis an end below 1e-100 is refused.
  void SetRangeLow(double v);
  void SetRangeHigh(double v);

  /// Whether the axis can show the window low..high: both ends finite and,
  /// when logarithmic, neither below 1e-100. Range settings that fail this
  /// leave the axis as it is.
  bool CanShow(double low, double high) const;

  double MinRange() const { return m_minRange; }
  /// Values <= 1e-100 are ignored; a narrower range is widened around its
  /// centre (OnChange fires only then).
  void SetMinRange(double v);

  bool Logarithmic() const { return m_logarithmic; }
  /// True is refused (outside loading) for ends below 1e-100 or date/time labels.
  void SetLogarithmic(bool v);

  TFigType LabelType() const { return m_labelType; }
  /// ftDateTime switches Logarithmic off; ftTime sets DecPlaces to 4.
  void SetLabelType(TFigType v);

  int DecPlaces() const { return m_decPlaces; }
  /// Clamped to -3..12.
  void SetDecPlaces(int v);

  int MinTicks() const { return m_minTicks; }
  /// Stored as given; the painter limits it to 2..10.
  void SetMinTicks(int v);

  bool Visible() const { return m_visible; }
  void SetVisible(bool v);

  const std::string& Caption() const { return m_caption; }
  void SetCaption(const std::string& v);
  /// Caption offset from its anchor, pixels.
  int CaptionPosX() const { return m_captionPosX; }
  void SetCaptionPosX(int v);
  int CaptionPosY() const { return m_captionPosY; }
  void SetCaptionPosY(int v);
  TAlignment CaptionAlignment() const { return m_captionAlignment; }
  void SetCaptionAlignment(TAlignment v);
  TScaleUnitAnchor CaptionAnchor() const { return m_captionAnchor; }
  void SetCaptionAnchor(TScaleUnitAnchor v);
  /// Axis colour; the labels are drawn in it too, whatever Font.Color says.
  TColor ColorScale() const { return m_colorScale; }
  void SetColorScale(TColor v);
  /// Owned; the chart listens to its changes.
  TDTLabel& DateFormat() { return m_dateFormat; }
  const TDTLabel& DateFormat() const { return m_dateFormat; }
  /// Copies the values of format into the owned object.
  void SetDateFormat(const TDTLabelFormat& format) { m_dateFormat.Assign(format); }
  const TFont& Font() const { return m_font; }
  void SetFont(const TFont& v);
  bool ShortTicks() const { return m_shortTicks; }
  void SetShortTicks(bool v);
  /// Ticks on whole numbers only, for an axis of counts (sample numbers).
  bool WholeNumberTicks() const { return m_wholeNumberTicks; }
  void SetWholeNumberTicks(bool v);
  const std::string& ScaleInscript() const { return m_scaleInscript; }
  void SetScaleInscript(const std::string& v);
  /// Distance in pixels of the axis line outwards from the plot area's edge.
  int ScalePos() const { return m_scalePos; }
  void SetScalePos(int v);
  const std::string& UserTickText() const { return m_userTickText; }
  void SetUserTickText(const std::string& v);

  /// The painter orientation of this axis' location: an axis above the plot
  /// lies at the bottom of its painter's box (sctXB), one below at the top
  /// (sctXT), one on the left at the box's right (sctYR), one on the right
  /// at its left (sctYL).
  TScaleType ScaleType() const { return m_scaleType; }

  /// Stores a range as it comes, without validation or notification (the
  /// chart's own range writing).
  void StoreRange(double low, double high) {
    m_rangeLow = low;
    m_rangeHigh = high;
  }

  /// While loading, Logarithmic is accepted unchecked.
  void SetLoading(bool loading) { m_loading = loading; }
  bool Loading() const { return m_loading; }

  std::function<void(TScaleProps& sender)> OnChange;

 protected:
  explicit TScaleProps(TScaleType type) : m_scaleType(type) {}
  void Changed();
  void SetScaleType(TScaleType type) { m_scaleType = type; }

 private:
  double m_rangeLow = 0;
  double m_rangeHigh = 1;
  double m_minRange = 1e-10;
  bool m_logarithmic = false;
  TFigType m_labelType = ftNum;
  int m_decPlaces = -2;
  int m_minTicks = 3;
  bool m_visible = false;
  std::string m_caption;
  int m_captionPosX = 0, m_captionPosY = 0;
  TAlignment m_captionAlignment = taCenter;
  TScaleUnitAnchor m_captionAnchor = uaSclTopLft;
  TColor m_colorScale = clBlack;
  TDTLabel m_dateFormat;
  TFont m_font;
  bool m_shortTicks = true;
  bool m_wholeNumberTicks = false;
  std::string m_scaleInscript;
  int m_scalePos = 0;
  std::string m_userTickText;
  TScaleType m_scaleType;
  bool m_loading = false;
};

enum TScaleLocationHoriz { slTop, slBottom };
enum TScaleLocationVert { slLeft, slRight };

/// Property set of an X axis.
class TScalePropsHoriz : public TScaleProps {
 public:
  TScalePropsHoriz() : TScaleProps(sctXT) {}
  TScaleLocationHoriz ScaleLocation() const { return m_location; }
  void SetScaleLocation(TScaleLocationHoriz v);

 private:
  TScaleLocationHoriz m_location = slBottom;
};

/// Property set of a Y axis.
class TScalePropsVert : public TScaleProps {
 public:
  TScalePropsVert() : TScaleProps(sctYR) {}
  TScaleLocationVert ScaleLocation() const { return m_location; }
  void SetScaleLocation(TScaleLocationVert v);

 private:
  TScaleLocationVert m_location = slLeft;
};

}  // namespace kurvex
