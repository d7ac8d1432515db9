#pragma once

#include <functional>

#include "chart/scaletypes.h"

namespace kurvex {

/// The published property set of one chart axis. Setters validate, store
/// and fire OnChange; the chart reacts by re-applying its ranges and
/// repainting. Owned by the chart. GUI thread only.
class TScaleProps {
 public:
  TScaleProps() = default;
  TScaleProps(const TScaleProps&) = delete;
  TScaleProps& operator=(const TScaleProps&) = delete;
  virtual ~TScaleProps() = default;

  double RangeLow() const { return m_rangeLow; }
  double RangeHigh() const { return m_rangeHigh; }
  /// A range narrower than MinRange is widened by moving the other end.
  void SetRangeLow(double v);
  void SetRangeHigh(double v);

  double MinRange() const { return m_minRange; }
  /// Values <= 1e-100 are ignored; a narrower range is widened around its centre.
  void SetMinRange(double v);

  bool Logarithmic() const { return m_logarithmic; }
  /// True is refused (outside loading) for non-positive ends or date/time labels.
  void SetLogarithmic(bool v);

  TFigType LabelType() const { return m_labelType; }
  void SetLabelType(TFigType v);

  int DecPlaces() const { return m_decPlaces; }
  /// Clamped to -3..12.
  void SetDecPlaces(int v);

  int MinTicks() const { return m_minTicks; }
  void SetMinTicks(int v);

  bool Visible() const { return m_visible; }
  void SetVisible(bool v);

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
  void Changed();

 private:
  double m_rangeLow = 0;
  double m_rangeHigh = 1;
  double m_minRange = 1e-10;
  bool m_logarithmic = false;
  TFigType m_labelType = ftNum;
  int m_decPlaces = -2;
  int m_minTicks = 3;
  bool m_visible = false;
  bool m_loading = false;
};

enum TScaleLocationHoriz { slTop, slBottom };
enum TScaleLocationVert { slLeft, slRight };

/// Property set of an X axis.
class TScalePropsHoriz : public TScaleProps {
 public:
  TScaleLocationHoriz ScaleLocation() const { return m_location; }
  void SetScaleLocation(TScaleLocationHoriz v);

 private:
  TScaleLocationHoriz m_location = slBottom;
};

/// Property set of a Y axis.
class TScalePropsVert : public TScaleProps {
 public:
  TScaleLocationVert ScaleLocation() const { return m_location; }
  void SetScaleLocation(TScaleLocationVert v);

 private:
  TScaleLocationVert m_location = slLeft;
};

}  // namespace kurvex
