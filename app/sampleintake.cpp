#include <string>

#include "app/fieldvalues.h"
#include "app/inputnotices.h"
#include "app/mainwindow.h"
#include "app/valuetext.h"
#include "app/wirenumber.h"
#include "platform/system/localeformat.h"

namespace kurvex {

namespace {

constexpr std::int64_t kNormalSampleLimit = 50000;
constexpr float kTrendMargin = 20;

/// Samples between full redraws in Normal mode: fewer redraws as the chart
/// holds more items, so a redraw stays affordable.
std::int32_t RedrawIntervalFor(std::int64_t sampleCount) {
  if (sampleCount <= 2000) return 1;
  if (sampleCount <= 5000) return 2;
  if (sampleCount <= 10000) return 10;
  if (sampleCount <= 20000) return 50;
  return 200;
}

}  // namespace

void TForm1::SerialComm1AfterReceive(TBaseIO&, const std::uint8_t* Buffer, std::uint32_t Received) {
  m_lineReadTime = TReadTime::Now();
  m_lineAssembler.Assemble(SessionState, Buffer, Received,
                           [this](std::string_view line) { ProcessSampleLine(line); });
}

void TForm1::ProcessSampleLine(std::string_view Line) {
  TSessionState& s = SessionState;
  const TWireNumber number = ReadWireNumber(TrimControlBytes(Line));
  s.RawValue = ToSingle(number.Value);
  s.ScaledValue = ToSingle(static_cast<long double>(s.RawValue) * s.ScaleFactor + s.ScaleOffset);
  ++s.SampleCount;
  // Formatted only when shown or read: at most once per screen refresh.
  StatusBar->Panels()[0].SetTextSource([count = s.SampleCount] { return std::to_string(count); });
  if (!number.Complete) {
    ++s.InvalidLines;
    ShowInputNotices();
  }
  if (s.SampleCount > kNormalSampleLimit && !s.TrendMode) {
    StopButton->Click();
    return;
  }
  m_recorder.Add(s.SampleCount, m_lineReadTime, s.RawValue, s.ScaledValue);
  Label10->SetCaptionSource(
      [value = s.ScaledValue, separator = DecimalSeparator()] { return GeneralValueText(value, separator); });

  if (!s.TrendMode) {
    if (s.SampleCount == 1)
      Chart1->MoveTo(0, s.ScaledValue);
    else
      Chart1->DrawTo(static_cast<double>(s.SampleCount), s.ScaledValue);
    ++s.RedrawCounter;
    s.RedrawInterval = RedrawIntervalFor(s.SampleCount);
  } else {
    s.RedrawInterval = 0;
  }
  if (s.RedrawCounter != s.RedrawInterval) return;
  s.RedrawCounter = 0;
  // Only requests a picture: drawing follows the screen, and the window's
  // own loop handles the user's commands between batches.
  Chart1->ShowGraph();
  if (s.TrendMode) PlotTrendSample();
}

void TForm1::ShowInputNotices() {
  StatusBar->Panels()[2].SetText(InputNoticeText(
      {SessionState.InvalidLines, SerialComm1->InputOverloaded(), SerialComm1->InputOverruns()}));
}

void TForm1::PlotTrendSample() {
  TSessionState& s = SessionState;
  if (s.SampleCount == 1) Chart1->MoveTo(0, s.ScaledValue);
  Chart1->DrawTo(static_cast<double>(s.SampleCount), s.ScaledValue);
  if (static_cast<long double>(s.TrendFill) > static_cast<long double>(s.GraphXMax) - kTrendMargin) {
    if (s.SampleCount == 1) Chart1->RemoveFirstItem();
    Chart1->RemoveFirstItem();
    const TScaleProps& x = Chart1->Scale1X();
    const TScaleProps& y = Chart1->Scale1Y();
    Chart1->SetRange(1, static_cast<long double>(x.RangeLow()) + 1, y.RangeLow(),
                     static_cast<long double>(x.RangeHigh()) + 1, y.RangeHigh());
  } else {
    ++s.TrendFill;
  }
}

}  // namespace kurvex
