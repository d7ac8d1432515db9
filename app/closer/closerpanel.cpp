// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/closer/closerpanel.h"

#include <algorithm>
#include <functional>

#include "app/closer/closertexts.h"
#include "app/curvesettings.h"
#include "app/numbertext.h"
#include "platform/system/localeformat.h"
#include "platform/system/translate.h"

namespace kurvex {

namespace {

// The readout: the right end of the chart's top rim, clear of "Folgen" and
// the history's start at its left end.
constexpr int kReadoutWidth = 316, kReadoutTop = 2, kReadoutHeight = 16, kReadoutRight = 4;
// Several curves' readout grows leftwards up to here from the plot's left
// edge: "Folgen" (64), a gap and "Verlauf ab Sample 123.456.789" while the
// user looks back; otherwise clear of the left axis's caption.
constexpr int kReadoutClearOfLookBack = 272, kReadoutClearOfCaption = 40;
// The panel: five rows of three columns (the markers take half a row each).
constexpr int kRowHeight = 17, kRows = 5, kTop = 4;
constexpr int kColumns = 3, kInset = 6, kCaptionGap = 6, kColumnGap = 6;
// The markers take half a row each; the figures from here on a column.
constexpr std::size_t kFirstColumnFigure = 2;

// The panel lays its figures out again whenever its width changes: the
// legend takes a column beside the chart, the window is resized.
class TFiguresPanel : public TPanel {
 public:
  using TPanel::TPanel;
  void SetBounds(int left, int top, int width, int height) override {
    const int before = Width();
    TPanel::SetBounds(left, top, width, height);
    if (Width() != before && OnWidthChanged) OnWidthChanged(Width());
  }
  std::function<void(int)> OnWidthChanged;
};

// The readout keeps to the right end of the top rim as the chart is
// resized, or to the plot's right edge while the right Y axis has its
// caption there; with several curves it takes the rim's room up to its
// clear left end.
class TReadoutLabel : public TLabel {
 public:
  explicit TReadoutLabel(TChartControl& chart) : TLabel(&chart), m_chart(chart) {}
  void SetWide(bool wide, bool lookingBack) {
    if (wide == m_wide && lookingBack == m_lookingBack && RightGap() == m_rightGap) return;
    m_wide = wide;
    m_lookingBack = lookingBack;
    SetBounds(Left(), Top(), Width(), Height());
  }
  void SetBounds(int, int top, int, int height) override {
    m_rightGap = RightGap();
    const int clear = m_lookingBack ? kReadoutClearOfLookBack : kReadoutClearOfCaption;
    const int room = m_chart.Width() - m_rightGap - m_chart.LRim() - clear;
    const int width = m_wide ? std::max(kReadoutWidth, room) : kReadoutWidth;
    TLabel::SetBounds(m_chart.Width() - m_rightGap - width, top, width, height);
  }

 private:
  int RightGap() const {
    return m_chart.ScaleY(TCurveSettings::kRightLayer).Visible() ? m_chart.RRim() + kReadoutRight : kReadoutRight;
  }

  TChartControl& m_chart;
  bool m_wide = false;
  bool m_lookingBack = true;
  int m_rightGap = kReadoutRight;
};

struct FigurePlace {
  int row, column;  // column in thirds; the markers in halves
};

constexpr FigurePlace kPlaces[kFigureCount] = {
    {0, 0}, {0, 1},          // Marke A, Marke B
    {1, 0}, {1, 1}, {1, 2},  // Δ Samples, Δ Wert, Δ Zeit
    {2, 0}, {2, 1},          // Steigungen
    {3, 0}, {3, 1}, {3, 2},  // Anzahl, Minimum, Maximum
    {4, 0}, {4, 1}, {4, 2},  // Mittelwert, Standardabweichung, Spitze-Spitze
};

// With several curves the markers and what the samples share take two rows above the table.
constexpr int kSharedRows = 2;

bool OfEachCurve(std::size_t figure) {
  return std::find(std::begin(kCurveFigures), std::end(kCurveFigures), static_cast<TFigure>(figure)) !=
         std::end(kCurveFigures);
}

}  // namespace

TCloserPanel::TCloserPanel(TForm& form, TChartControl& chart, TChartRoom& layout)
    : ReadoutLabel(std::make_unique<TReadoutLabel>(chart)),
      Panel(std::make_unique<TFiguresPanel>(&form)),
      m_chart(chart),
      m_layout(layout) {
  ReadoutLabel->SetName("ReadoutLabel");
  ReadoutLabel->SetAutoSize(false);
  ReadoutLabel->SetAlignment(taRightJustify);
  ReadoutLabel->SetBounds(chart.Width() - kReadoutRight - kReadoutWidth, kReadoutTop, kReadoutWidth, kReadoutHeight);
  ReadoutLabel->SetAnchors(akTop | akRight);
  ReadoutLabel->SetVisible(false);

  Panel->SetName("CloserPanel");
  Panel->SetBevelOuter(bvNone);
  Panel->SetVisible(false);
  constexpr int kOneCurveHeight = kRows * kRowHeight + 2 * kTop;
  Panel->SetBounds(chart.Left(), chart.Top() + chart.Height() - kOneCurveHeight, chart.Width(), kOneCurveHeight);
  for (std::size_t i = 0; i < kFigureCount; ++i) {
    const auto figure = static_cast<TFigure>(i);
    auto& caption = m_captions[i];
    caption = std::make_unique<TLabel>(Panel.get());
    caption->SetName(std::string(FigureName(figure)) + "Caption");
    caption->SetCaption(FigureCaption(figure));
    auto& value = m_values[i];
    value = std::make_unique<TLabel>(Panel.get());
    value->SetName(std::string(FigureName(figure)) + "Value");
    value->SetAutoSize(false);
    caption->SetFocusControl(value.get());
  }
  StatisticsRangeLabel = std::make_unique<TLabel>(Panel.get());
  StatisticsRangeLabel->SetName("StatisticsRangeLabel");
  StatisticsRangeLabel->SetAutoSize(false);
  LayOut(chart.Width());
  static_cast<TFiguresPanel&>(*Panel).OnWidthChanged = [this](int width) {
    const int height = m_height;
    LayOut(width);
    if (m_height != height && PanelShown()) m_reshow.RideNextFrame();
  };
  Caption(TFigure::MarkerA).SetFontColor(kMarkerAColor);
  Caption(TFigure::MarkerB).SetFontColor(kMarkerBColor);
}

void TCloserPanel::LayOut(int width) {
  if (m_table.Shown())
    LayOutCurves(width);
  else
    LayOutOneCurve(width);
}

void TCloserPanel::LayOutOneCurve(int width) {
  m_height = kRows * kRowHeight + 2 * kTop;
  // Each column as wide as its longest caption; the values share the rest.
  int captionWidths[kColumns] = {};
  for (std::size_t i = kFirstColumnFigure; i < kFigureCount; ++i)
    captionWidths[kPlaces[i].column] = std::max(captionWidths[kPlaces[i].column], m_captions[i]->Width());
  int valueWidth = width - 2 * kInset - (kColumns - 1) * kColumnGap;
  for (int c : captionWidths) valueWidth -= c + kCaptionGap;
  valueWidth /= kColumns;
  int columnLeft[kColumns] = {kInset};
  for (int c = 1; c < kColumns; ++c)
    columnLeft[c] = columnLeft[c - 1] + captionWidths[c - 1] + kCaptionGap + valueWidth + kColumnGap;
  const int half = (width - 2 * kInset - kColumnGap) / 2;
  for (std::size_t i = 0; i < kFigureCount; ++i) {
    const FigurePlace& d = kPlaces[i];
    m_captions[i]->SetVisible(true);
    m_values[i]->SetVisible(true);
    const bool marker = i < kFirstColumnFigure;
    const int left = marker ? kInset + d.column * (half + kColumnGap) : columnLeft[d.column];
    const int top = kTop + d.row * kRowHeight;
    TLabel& caption = *m_captions[i];
    caption.SetBounds(left, top, caption.Width(), caption.Height());
    const int valueLeft = left + (marker ? caption.Width() : captionWidths[d.column]) + kCaptionGap;
    const int right = marker ? left + half : valueLeft + valueWidth;
    m_values[i]->SetBounds(valueLeft, top, right - valueLeft, kRowHeight - 1);
  }
  StatisticsRangeLabel->SetBounds(columnLeft[2], kTop + 2 * kRowHeight, width - kInset - columnLeft[2],
                                  kRowHeight - 1);
}

void TCloserPanel::LayOutCurves(int width) {
  // The markers in halves as with one curve; Δ Samples, Δ Zeit and the
  // statistics' range in thirds under them; then the table.
  const int half = (width - 2 * kInset - kColumnGap) / 2;
  const int third = (width - 2 * kInset - 2 * kColumnGap) / 3;
  const auto place = [&](TFigure figure, int left, int top, int right) {
    TLabel& caption = Caption(figure);
    caption.SetBounds(left, top, caption.Width(), caption.Height());
    const int valueLeft = left + caption.Width() + kCaptionGap;
    Value(figure).SetBounds(valueLeft, top, right - valueLeft, kRowHeight - 1);
  };
  for (std::size_t i = 0; i < kFigureCount; ++i) {
    m_captions[i]->SetVisible(!OfEachCurve(i));
    m_values[i]->SetVisible(!OfEachCurve(i));
  }
  place(TFigure::MarkerA, kInset, kTop, kInset + half);
  place(TFigure::MarkerB, kInset + half + kColumnGap, kTop, kInset + 2 * half + kColumnGap);
  place(TFigure::DeltaSamples, kInset, kTop + kRowHeight, kInset + third);
  place(TFigure::DeltaTime, kInset + third + kColumnGap, kTop + kRowHeight, kInset + 2 * third + kColumnGap);
  const int rangeLeft = kInset + 2 * (third + kColumnGap);
  StatisticsRangeLabel->SetBounds(rangeLeft, kTop + kRowHeight, width - kInset - rangeLeft, kRowHeight - 1);
  const int tableTop = kTop + kSharedRows * kRowHeight;
  m_height = tableTop + m_table.LayOut(tableTop, width, kRowHeight, kInset) + kTop;
}

void TCloserPanel::ShowReadout(const TCloserFigures& figures, bool lookingBack) {
  const TPickedSample& sample = figures.Readout;
  const char separator = DecimalSeparator();
  if (sample.Valid()) static_cast<TReadoutLabel&>(*ReadoutLabel).SetWide(!figures.Curves.empty(), lookingBack);
  if (sample.Valid() && figures.Curves.empty())
    ReadoutLabel->SetCaption(SampleText(sample, separator));
  else if (sample.Valid())
    ReadoutLabel->SetCaptionParts(ReadoutParts(figures, separator));
  ReadoutLabel->SetVisible(sample.Valid());
}

void TCloserPanel::ShowPanel(bool shown) {
  // Laid out for the chart's width, which the room gives it as it shows.
  if (shown && !PanelShown()) LayOut(m_chart.Width());
  // The room takes a strip's height only as it shows it.
  if (shown && PanelShown() && m_shownHeight != m_height) m_layout.ShowBottomStrip(*Panel, m_shownHeight, false);
  m_layout.ShowBottomStrip(*Panel, m_height, shown);
  if (shown) m_shownHeight = m_height;
}

void TCloserPanel::ShowFigures(const TCloserFigures& figures) {
  if (m_table.SetCurves(figures.Curves)) {
    LayOut(Panel->Width());
    ShowPanel(true);
  }
  const char separator = DecimalSeparator();
  const bool several = !figures.Curves.empty();
  // Without their times, which would not fit beside each other; Δ Zeit
  // tells what lies between them. With several curves the table gives
  // their values.
  const auto marker = [&](TPickedSample s) {
    s.WallNs.reset();
    if (!s.Valid()) return std::string("–");
    return several ? PlainText(SampleParts(s, {}, separator)) : SampleText(s, separator);
  };
  const TPickedSample& a = figures.MarkerA;
  const TPickedSample& b = figures.MarkerB;
  SetValue(TFigure::MarkerA, marker(a));
  SetValue(TFigure::MarkerB, marker(b));
  const bool both = a.Valid() && b.Valid();
  const TMarkerDelta d = both ? DeltaOf(a, b) : TMarkerDelta{};
  SetValue(TFigure::DeltaSamples, both ? GroupedCount(d.Samples) : "–");
  SetValue(TFigure::DeltaTime, SecondsText(d.Seconds, separator));
  StatisticsRangeLabel->SetCaption(both ? Tr("Closer", "Statistik: von A bis B")
                                        : Tr("Closer", "Statistik: sichtbarer Bereich"));
  if (several) {
    m_table.ShowFigures(figures);
    return;
  }
  const TCurveFigures only = CurvesOf(figures).front();
  for (TFigure figure : kCurveFigures) SetValue(figure, CurveFigureText(figure, only, figures, separator));
}

}  // namespace kurvex
