// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/closer/closerpanel.h"

#include <algorithm>
#include <functional>

#include "app/closer/closertexts.h"
#include "app/numbertext.h"
#include "platform/system/localeformat.h"

namespace kurvex {

namespace {

// The readout: the right end of the chart's top rim, clear of "Folgen" and
// the history's start at its left end.
constexpr int kReadoutWidth = 316, kReadoutTop = 2, kReadoutHeight = 16, kReadoutRight = 4;
// The panel: five rows of three columns (the markers take half a row each).
constexpr int kRowHeight = 17, kRows = 5, kTop = 4, kPanelHeight = kRows * kRowHeight + 2 * kTop;
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

struct FigureDesign {
  const char* name;  // stem of the labels' design names
  const char* caption;
  int row, column;   // column in thirds; the markers in halves
};

constexpr FigureDesign kFigures[kFigureCount] = {
    {"MarkerA", "Marke A", 0, 0},
    {"MarkerB", "Marke B", 0, 1},
    {"DeltaSamples", "Δ Samples", 1, 0},
    {"DeltaValue", "Δ Wert", 1, 1},
    {"DeltaTime", "Δ Zeit", 1, 2},
    {"SlopePerSample", "Steigung pro Sample", 2, 0},
    {"SlopePerSecond", "Steigung pro s", 2, 1},
    {"Count", "Anzahl", 3, 0},
    {"Minimum", "Minimum", 3, 1},
    {"Maximum", "Maximum", 3, 2},
    {"Mean", "Mittelwert", 4, 0},
    {"StandardDeviation", "Standardabweichung", 4, 1},
    {"PeakToPeak", "Spitze-Spitze", 4, 2},
};

}  // namespace

TCloserPanel::TCloserPanel(TForm& form, TChartControl& chart, TChartRoom& layout)
    : ReadoutLabel(std::make_unique<TLabel>(&chart)), Panel(std::make_unique<TFiguresPanel>(&form)), m_layout(layout) {
  ReadoutLabel->SetName("ReadoutLabel");
  ReadoutLabel->SetAutoSize(false);
  ReadoutLabel->SetAlignment(taRightJustify);
  ReadoutLabel->SetBounds(chart.Width() - kReadoutRight - kReadoutWidth, kReadoutTop, kReadoutWidth, kReadoutHeight);
  ReadoutLabel->SetAnchors(akTop | akRight);
  ReadoutLabel->SetVisible(false);

  Panel->SetName("CloserPanel");
  Panel->SetBevelOuter(bvNone);
  Panel->SetVisible(false);
  Panel->SetBounds(chart.Left(), chart.Top() + chart.Height() - kPanelHeight, chart.Width(), kPanelHeight);
  for (std::size_t i = 0; i < kFigureCount; ++i) {
    const FigureDesign& d = kFigures[i];
    auto& caption = m_captions[i];
    caption = std::make_unique<TLabel>(Panel.get());
    caption->SetName(std::string(d.name) + "Caption");
    caption->SetCaption(d.caption);
    auto& value = m_values[i];
    value = std::make_unique<TLabel>(Panel.get());
    value->SetName(std::string(d.name) + "Value");
    value->SetAutoSize(false);
    caption->SetFocusControl(value.get());
  }
  StatisticsRangeLabel = std::make_unique<TLabel>(Panel.get());
  StatisticsRangeLabel->SetName("StatisticsRangeLabel");
  StatisticsRangeLabel->SetAutoSize(false);
  LayOut(chart.Width());
  static_cast<TFiguresPanel&>(*Panel).OnWidthChanged = [this](int width) { LayOut(width); };
  Caption(TFigure::MarkerA).SetFontColor(kMarkerAColor);
  Caption(TFigure::MarkerB).SetFontColor(kMarkerBColor);
}

void TCloserPanel::LayOut(int width) {
  // Each column as wide as its longest caption; the values share the rest.
  int captionWidths[kColumns] = {};
  for (std::size_t i = kFirstColumnFigure; i < kFigureCount; ++i)
    captionWidths[kFigures[i].column] = std::max(captionWidths[kFigures[i].column], m_captions[i]->Width());
  int valueWidth = width - 2 * kInset - (kColumns - 1) * kColumnGap;
  for (int c : captionWidths) valueWidth -= c + kCaptionGap;
  valueWidth /= kColumns;
  int columnLeft[kColumns] = {kInset};
  for (int c = 1; c < kColumns; ++c)
    columnLeft[c] = columnLeft[c - 1] + captionWidths[c - 1] + kCaptionGap + valueWidth + kColumnGap;
  const int half = (width - 2 * kInset - kColumnGap) / 2;
  for (std::size_t i = 0; i < kFigureCount; ++i) {
    const FigureDesign& d = kFigures[i];
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

void TCloserPanel::ShowReadout(const TPickedSample& sample) {
  if (sample.Valid()) ReadoutLabel->SetCaption(SampleText(sample, DecimalSeparator()));
  ReadoutLabel->SetVisible(sample.Valid());
}

void TCloserPanel::ShowPanel(bool shown) {
  m_layout.ShowBottomStrip(*Panel, kPanelHeight, shown);
}

void TCloserPanel::ShowMarkers(const TPickedSample& a, const TPickedSample& b) {
  const char separator = DecimalSeparator();
  // Without their times, which would not fit beside each other; Δ Zeit
  // tells what lies between them.
  const auto marker = [&](TPickedSample s) {
    s.WallNs.reset();
    return s.Valid() ? SampleText(s, separator) : "–";
  };
  SetValue(TFigure::MarkerA, marker(a));
  SetValue(TFigure::MarkerB, marker(b));
  const bool both = a.Valid() && b.Valid();
  const TMarkerDelta d = both ? DeltaOf(a, b) : TMarkerDelta{};
  SetValue(TFigure::DeltaSamples, both ? GroupedCount(d.Samples) : "–");
  SetValue(TFigure::DeltaValue, FigureText(both ? std::optional(d.Value) : std::nullopt, separator));
  SetValue(TFigure::DeltaTime, SecondsText(d.Seconds, separator));
  SetValue(TFigure::SlopePerSample, FigureText(d.SlopePerSample, separator));
  SetValue(TFigure::SlopePerSecond, FigureText(d.SlopePerSecond, separator));
}

void TCloserPanel::ShowStatistics(const THistoryStatistics& s, bool betweenMarkers) {
  const char separator = DecimalSeparator();
  StatisticsRangeLabel->SetCaption(betweenMarkers ? "Statistik: von A bis B" : "Statistik: sichtbarer Bereich");
  const auto figure = [&](TFigure f, double v) {
    SetValue(f, FigureText(s.Count > 0 ? std::optional(v) : std::nullopt, separator));
  };
  SetValue(TFigure::Count, GroupedCount(s.Count));
  figure(TFigure::Minimum, s.Minimum);
  figure(TFigure::Maximum, s.Maximum);
  figure(TFigure::Mean, s.Mean);
  figure(TFigure::StandardDeviation, s.StandardDeviation);
  figure(TFigure::PeakToPeak, s.PeakToPeak);
}

}  // namespace kurvex
