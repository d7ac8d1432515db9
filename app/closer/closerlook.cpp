// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/closer/closerlook.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/closer/closertexts.h"
#include "app/closer/curvelayer.h"
#include "platform/system/localeformat.h"
#include "platform/system/translate.h"
#include "platform/windows/clipboard.h"

namespace kurvex {

namespace {

// Crosshairs 1 to 3 of the chart: the readout's mark and the two markers.
constexpr int kReadoutCrossHair = 1;
constexpr int kMarkerCrossHair[2] = {2, 3};

// Another curve's value at a picked sample: the history's curves share
// their numbers, a graph file's curves only their X.
float ValueAt(const TSampleSeries& series, const TPickedSample& sample) {
  if (!sample.Valid()) return std::numeric_limits<float>::quiet_NaN();
  if (const TPickedSample same = series.At(sample.Number); same.Valid() && same.X == sample.X) return same.Value;
  const TPickedSample same = series.Nearest(sample.X);
  return same.Valid() && same.X == sample.X ? same.Value : std::numeric_limits<float>::quiet_NaN();
}

}  // namespace

TCloserLook::TCloserLook(TForm& form, TChartControl& chart, TChartContent& content, TChartRoom& layout,
                         const TCurveDescriptions& curves)
    : m_chart(chart),
      m_content(content),
      m_curves(curves),
      m_panel(form, chart, layout),
      m_menu(chart),
      m_frame([this] { Refresh(); }) {
  TCrossHair& readout = chart.CrossHair(kReadoutCrossHair);
  readout.SetColor(clGray);
  readout.SetLineType(psDot);
  for (TMarker marker : {MarkerA, MarkerB}) {
    TCrossHair& line = chart.CrossHair(kMarkerCrossHair[marker]);
    line.SetColor(marker == MarkerA ? kMarkerAColor : kMarkerBColor);
    line.SetLineType(psDash);
  }
  TMenuItem& setA = m_menu.Add(Tr("Closer", "Marke &A setzen"));
  setA.SetName("SetMarkerAItem");
  setA.OnClick = [this](TObject*) { SetMarker(MarkerA); };
  TMenuItem& setB = m_menu.Add(Tr("Closer", "Marke &B setzen"));
  setB.SetName("SetMarkerBItem");
  setB.OnClick = [this](TObject*) { SetMarker(MarkerB); };
  TMenuItem& remove = m_menu.Add(Tr("Closer", "Marken &entfernen"));
  remove.SetName("RemoveMarkersItem");
  remove.OnClick = [this](TObject*) { RemoveMarkers(); };
  m_menu.AddSeparator();
  m_statisticsItem = &m_menu.Add(Tr("Closer", "&Statistik zeigen"));
  m_statisticsItem->SetName("ShowStatisticsItem");
  m_statisticsItem->SetCheckable(true);
  m_statisticsItem->OnClick = [this](TObject*) { SetStatisticsShown(m_statisticsItem->Checked()); };
  TMenuItem& copy = m_menu.Add(Tr("Closer", "&Kopieren"));
  copy.SetName("CopyFiguresItem");
  copy.SetShortCut("Ctrl+C");
  copy.OnClick = [this](TObject*) { Copy(); };

  m_events.push_back(chart.SubscribeMouseMoveInChart(
      [this](TObject*, bool inPlot, TShiftState, double x, double y) { PointerMoved(inPlot, x, y); }));
  m_events.push_back(chart.SubscribeMouseLeave([this](TObject*) { PointerMoved(false, 0, 0); }));
  m_events.push_back(
      chart.SubscribeKeyDown([this](TObject*, TKey& key, TShiftState shift) { KeyDown(key, shift); }));
  m_events.push_back(chart.SubscribeContextPopup(
      [this](TObject*, int x, int y, bool byKeyboard) { ContextPopup(x, y, byKeyboard); }));
  m_events.push_back(chart.SubscribeZoomPan([this](TObject*) { ViewChanged(); }));
  m_events.push_back(content.SubscribeWindowSet([this] { ViewChanged(); }));
  // A new acquisition's marks go with its first sample.
  m_events.push_back(content.SubscribeChanged([this](TContentChange change) {
    if (change != TContentChange::AcquisitionStarts) Forget();
  }));
}

void TCloserLook::Take(const TSample& sample) {
  // A new acquisition: what was marked is gone with the samples before.
  if (sample.Number == 1) Forget();
  if (m_readoutBy != TReadoutBy::None || m_markers[MarkerA] != 0 || m_markers[MarkerB] != 0 || m_panel.PanelShown())
    Later();
}

void TCloserLook::Forget() {
  m_readoutBy = TReadoutBy::None;
  m_markers[MarkerA] = m_markers[MarkerB] = 0;
  for (auto& items : m_items) items.reset();
  m_itemsCount = -1;
  Later();
}

void TCloserLook::ViewChanged() {
  if (m_readoutBy != TReadoutBy::None || m_panel.PanelShown()) Later();
}

std::uint8_t TCloserLook::CurveLookedAt() const {
  // The first curve shown: with the legend a user hides the others.
  for (std::uint8_t curve = 0; curve < kMaxCurves; ++curve)
    if (m_chart.CurveVisible(curve)) return curve;
  return 0;
}

const std::vector<TCloserLook::TShownSeries>& TCloserLook::ShownSeries() {
  m_shown.clear();
  const THistory* history = m_content.HistoryShown();
  if (const std::optional<std::size_t> xCurve = m_content.XYCurve(); xCurve && history != nullptr) {
    const auto [first, last] = m_content.XYNumbers();
    m_xySeries.clear();
    for (std::uint8_t curve = 0; curve < std::min(history->Curves(), kMaxCurves); ++curve)
      if (curve != *xCurve && m_chart.CurveVisible(curve)) m_xySeries.emplace_back(*history, *xCurve, curve, first, last);
    for (const TXYSeries& series : m_xySeries) m_shown.push_back({static_cast<std::uint8_t>(series.Curve()), &series});
    return m_shown;
  }
  if (history != nullptr) {
    m_historySeries.clear();
    for (std::uint8_t curve = 0; curve < std::min(history->Curves(), kMaxCurves); ++curve)
      if (m_chart.CurveVisible(curve)) m_historySeries.emplace_back(*history, m_content.Axis(), curve);
    if (m_historySeries.empty()) m_historySeries.emplace_back(*history, m_content.Axis(), CurveLookedAt());
    for (const THistorySeries& series : m_historySeries)
      m_shown.push_back({static_cast<std::uint8_t>(series.Curve()), &series});
    return m_shown;
  }
  if (m_chart.ItemCount() == 0) return m_shown;
  if (m_itemsCount != m_chart.ItemCount()) {
    for (auto& items : m_items) items.reset();
    m_itemCurves = CurvesWithPoints(m_chart);
    m_itemsCount = m_chart.ItemCount();
  }
  const auto add = [&](std::uint8_t curve) {
    auto& items = m_items[curve];
    if (!items) items = std::make_unique<TItemSeries>(m_chart, curve);
    m_shown.push_back({curve, items.get()});
  };
  for (std::uint8_t curve = 0; curve < kMaxCurves; ++curve)
    if (m_itemCurves.test(curve) && m_chart.CurveVisible(curve)) add(curve);
  if (m_shown.empty()) add(CurveLookedAt());
  return m_shown;
}

const TSampleSeries* TCloserLook::Series() {
  const std::vector<TShownSeries>& shown = ShownSeries();
  return shown.empty() ? nullptr : shown.front().Series;
}

TPickedSample TCloserLook::ReadoutOf(const TSampleSeries& series) const {
  switch (m_readoutBy) {
    case TReadoutBy::Pointer: {
      double x = 0, y = 0;
      // From the pixel: in a scrolling Trend view the sample under a resting pointer changes.
      m_chart.PixelToWorld(1, m_pointerX, m_pointerY, x, y);
      return series.Nearest(x);
    }
    case TReadoutBy::Keys:
    case TReadoutBy::Point: return series.At(m_keyNumber);
    default: return {};
  }
}

TPickedSample TCloserLook::Readout() {
  const TSampleSeries* series = Series();
  return series ? ReadoutOf(*series) : TPickedSample{};
}

TPickedSample TCloserLook::Marker(TMarker marker) {
  const TSampleSeries* series = Series();
  return series && m_markers[marker] != 0 ? series->At(m_markers[marker]) : TPickedSample{};
}

void TCloserLook::PlaceCrossHair(int index, const TPickedSample& sample) {
  TCrossHair& line = m_chart.CrossHair(index);
  // Only a change asks for a picture.
  if (!sample.Valid()) {
    if (line.Mode() != chOff) line.SetMode(chOff);
    return;
  }
  // On the axes of the curve whose sample it marks.
  const int layer = m_shown.empty() ? 1 : CurveLayer(m_chart, m_shown.front().Curve);
  if (line.Layer() != layer) line.SetLayer(layer);
  if (line.PosX() != sample.X) line.SetPosX(sample.X);
  // XY: on the point itself, X goes back and forth.
  const bool point = sample.Along == TPickedSample::TAlong::Curve;
  if (point && line.PosY() != sample.Value) line.SetPosY(sample.Value);
  if (line.Mode() != (point ? chBoth : chVert)) line.SetMode(point ? chBoth : chVert);
}

void TCloserLook::PointerMoved(bool inPlot, double worldX, double worldY) {
  if (!inPlot) {
    if (m_readoutBy != TReadoutBy::Pointer && m_readoutBy != TReadoutBy::Point) return;
    m_readoutBy = TReadoutBy::None;
    PlaceCrossHair(kReadoutCrossHair, {});
    Later();
    return;
  }
  m_readoutBy = TReadoutBy::Pointer;
  m_chart.WorldToPixel(1, worldX, worldY, m_pointerX, m_pointerY);
  if (m_content.XYCurve()) PickPoint();
  // The mark at once; the texts at the frame.
  PlaceCrossHair(kReadoutCrossHair, Readout());
  Later();
}

void TCloserLook::PickPoint() {
  const std::vector<TShownSeries>& shown = ShownSeries();
  if (shown.empty()) return;
  // The point nearest to the pointer, as the eye measures it.
  const int layer = CurveLayer(m_chart, shown.front().Curve);
  const TPickedSample point = static_cast<const TXYSeries*>(shown.front().Series)
                                  ->NearestPoint(m_pointerX, m_pointerY, [&](double x, double y, int& px, int& py) {
                                    m_chart.WorldToPixel(layer, x, y, px, py);
                                  });
  m_readoutBy = TReadoutBy::Point;
  m_keyNumber = point.Number;
}

void TCloserLook::KeepInView(double x, double low, double high) {
  const double shift = x < std::min(low, high) ? x - std::min(low, high)
                       : x > std::max(low, high) ? x - std::max(low, high)
                                                 : 0;
  if (shift == 0) return;
  const TScaleProps& y = m_chart.Scale1Y();
  // As a pan: it stops a following Trend picture as a drag does.
  m_content.NavigateTo({low + shift, high + shift}, {y.RangeLow(), y.RangeHigh()});
}

void TCloserLook::KeyDown(TKey& key, TShiftState shift) {
  const bool plain = (shift & (ssCtrl | ssAlt)) == 0;
  if (key == 'C' && (shift & (ssCtrl | ssAlt)) == ssCtrl) {
    Copy();
  } else if ((key == 'A' || key == 'B') && plain) {
    SetMarker(key == 'A' ? MarkerA : MarkerB);
  } else if ((key == vkLeft || key == vkRight) && plain) {
    const TSampleSeries* series = Series();
    if (series == nullptr) return;
    const TPickedSample now = ReadoutOf(*series);
    const double low = m_chart.Scale1X().RangeLow(), high = m_chart.Scale1X().RangeHigh();
    TPickedSample next;
    if (!now.Valid()) {
      next = series->Nearest((low + high) / 2);
    } else {
      // Shift: a screen width of samples.
      const auto screen = std::max<std::int64_t>(1, std::llround(std::fabs(high - low)));
      const std::int64_t steps = (shift & ssShift) != 0 ? screen : 1;
      next = series->Step(now.Number, key == vkLeft ? -steps : steps);
    }
    if (!next.Valid()) return;
    m_readoutBy = TReadoutBy::Keys;
    m_keyNumber = next.Number;
    KeepInView(next.X, low, high);
    PlaceCrossHair(kReadoutCrossHair, next);
    Later();
  } else {
    return;
  }
  key = 0;
}

void TCloserLook::ContextPopup(int x, int y, bool byKeyboard) {
  if (!byKeyboard && m_chart.PlotBounds().Contains(x, y)) {
    // The menu's markers go where it was opened.
    double wx = 0, wy = 0;
    m_chart.PixelToWorld(1, x, y, wx, wy);
    PointerMoved(true, wx, wy);
  }
  if (byKeyboard) {
    // Beside the keyboard's readout, or in the plot's corner.
    const TPickedSample readout = Readout();
    int px = m_chart.LRim() + 8, py = m_chart.TRim() + 8;
    if (readout.Valid()) m_chart.WorldToPixel(1, readout.X, m_chart.Scale1Y().RangeHigh(), px, py);
    x = px, y = m_chart.TRim() + 8;
  }
  m_statisticsItem->SetChecked(m_statisticsShown);
  m_menu.Popup(x, y);
}

void TCloserLook::SetMarker(TMarker marker) {
  const TPickedSample readout = Readout();
  if (!readout.Valid()) return;
  m_markers[marker] = readout.Number;
  PlaceCrossHair(kMarkerCrossHair[marker], readout);
  ShowPanelIfWanted();
  Later();
}

void TCloserLook::RemoveMarkers() {
  m_markers[MarkerA] = m_markers[MarkerB] = 0;
  for (TMarker marker : {MarkerA, MarkerB}) PlaceCrossHair(kMarkerCrossHair[marker], {});
  ShowPanelIfWanted();
  Later();
}

void TCloserLook::SetStatisticsShown(bool shown) {
  m_statisticsShown = shown;
  m_statisticsItem->SetChecked(shown);
  ShowPanelIfWanted();
  Later();
}

void TCloserLook::ShowPanelIfWanted() {
  m_panel.ShowPanel(m_statisticsShown || m_markers[MarkerA] != 0 || m_markers[MarkerB] != 0);
}

TCloserFigures TCloserLook::Figures(const std::vector<TShownSeries>& shown) const {
  TCloserFigures figures;
  const TSampleSeries* series = shown.empty() ? nullptr : shown.front().Series;
  if (series != nullptr) {
    figures.Readout = ReadoutOf(*series);
    if (m_markers[MarkerA] != 0) figures.MarkerA = series->At(m_markers[MarkerA]);
    if (m_markers[MarkerB] != 0) figures.MarkerB = series->At(m_markers[MarkerB]);
  }
  if (shown.size() > 1) {
    for (const TShownSeries& s : shown)
      figures.Curves.push_back({s.Curve, m_curves.Label(s.Curve), m_curves.Unit(s.Curve), m_curves.Color(s.Curve),
                                ValueAt(*s.Series, figures.Readout), ValueAt(*s.Series, figures.MarkerA),
                                ValueAt(*s.Series, figures.MarkerB), std::nullopt});
  }
  if (!m_panel.PanelShown()) return figures;
  const TPickedSample& a = figures.MarkerA;
  const TPickedSample& b = figures.MarkerB;
  const bool between = a.Valid() && b.Valid();
  const double low = between ? std::min(a.X, b.X) : m_chart.Scale1X().RangeLow();
  const double high = between ? std::max(a.X, b.X) : m_chart.Scale1X().RangeHigh();
  figures.Statistics = StatisticsOf(series != nullptr ? series->Summary(low, high) : THistorySummary{});
  for (std::size_t i = 0; i < figures.Curves.size(); ++i)
    figures.Curves[i].Statistics = i == 0 ? figures.Statistics : StatisticsOf(shown[i].Series->Summary(low, high));
  return figures;
}

void TCloserLook::Copy() { TheClipboard().SetText(FiguresTable(Figures(ShownSeries()), DecimalSeparator())); }

void TCloserLook::Refresh() {
  const std::vector<TShownSeries>& shown = ShownSeries();
  const TSampleSeries* series = shown.empty() ? nullptr : shown.front().Series;
  // A marker whose sample has left the history goes with it.
  for (TMarker marker : {MarkerA, MarkerB})
    if (series == nullptr || !series->At(m_markers[marker]).Valid()) m_markers[marker] = 0;
  ShowPanelIfWanted();
  const TCloserFigures figures = Figures(shown);
  PlaceCrossHair(kReadoutCrossHair, figures.Readout);
  PlaceCrossHair(kMarkerCrossHair[MarkerA], figures.MarkerA);
  PlaceCrossHair(kMarkerCrossHair[MarkerB], figures.MarkerB);
  m_panel.ShowReadout(figures, m_content.LookingBack());
  if (figures.Statistics) m_panel.ShowFigures(figures);
}

}  // namespace kurvex
