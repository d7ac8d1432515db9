// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/curves/curvetexts.h"
#include "app/mainwindow.h"
#include "app/numbertext.h"
#include "app/windowfeatures.h"
#include "platform/system/translate.h"
#include "platform/windows/messageboxes.h"

namespace kurvex {

namespace {
constexpr int kNormalTicks = 3;
constexpr int kDoubleTicks = 6;

// A logarithmic axis cannot show zero or less: the chart keeps its window,
// and the user learns why nothing changed.
void TellLogAxisKeepsItsWindow() {
  TheMessageBoxes().Show(
      Tr("MainWindow",
         "Die logarithmische Y-Achse kann nur Werte größer als 0 zeigen. Graph Y min und Graph Y max müssen "
         "größer als 0 sein; die Y-Achse bleibt unverändert."),
      "Kurvex", MessageIcon::Warning, MessageButtons::Ok);
}

void TellRightAxisStaysLinear() { TheMessageBoxes().Show(RightLogRefusal(), "Kurvex", MessageIcon::Warning, MessageButtons::Ok); }
}  // namespace

void TForm1::NormalRadioButtonClick(TObject*) {
  Chart1->SetMouseAction(maPan);
  TrendCheckBox->SetChecked(false);
  SessionState.TrendMode = false;
}

void TForm1::ZoomRadioButtonClick(TObject*) { Chart1->SetMouseAction(maZoomDrag); }

void TForm1::ShowGridCheckBoxClick(TObject*) {
  Chart1->SetGridStyle(ShowGridCheckBox->Checked() ? gsLines : gsNone);
}

void TForm1::DoubleTicsCheckBoxClick(TObject*) {
  const int ticks = DoubleTicsCheckBox->Checked() ? kDoubleTicks : kNormalTicks;
  Chart1->Scale1X().SetMinTicks(ticks);
  Chart1->Scale1Y().SetMinTicks(ticks);
  m_features->Axes->SetMinTicks(ticks);
  Chart1->ShowGraph();
}

void TForm1::LogCheckBoxClick(TObject*) {
  if (LogCheckBox->Checked()) {
    GraphYminEdit->SetText(LocaleNumberText(0.1));
    DoubleTicsCheckBox->SetChecked(true);
    NormalRadioButton->SetChecked(true);
    ZoomRadioButton->SetEnabled(false);
    ReadGraphLimits();
    m_features->Content->SetLimits(SessionState.GraphXMax, SessionState.GraphYMin, SessionState.GraphYMax);
    Chart1->Scale1Y().SetLogarithmic(true);
    if (!Chart1->Scale1Y().Logarithmic()) TellLogAxisKeepsItsWindow();
    if (!m_features->Axes->SetLogarithmic(true)) TellRightAxisStaysLinear();
  } else {
    GraphYminEdit->SetText(LocaleNumberText(0));
    ZoomRadioButton->SetEnabled(true);
    Chart1->Scale1Y().SetLogarithmic(false);
    m_features->Axes->SetLogarithmic(false);
  }
  Chart1->ShowGraph();
}

void TForm1::SwitchViewToTrend() {
  // A drag stops the scrolling picture and looks back over the history;
  // "Folgen" scrolls on.
  Chart1->SetMouseAction(maPan);
  NormalRadioButton->SetChecked(false);
  ZoomRadioButton->SetChecked(false);
  ZoomRadioButton->SetEnabled(false);
  LogCheckBox->SetChecked(false);
  LogCheckBox->SetEnabled(false);
  Chart1->Scale1Y().SetLogarithmic(false);
  m_features->Axes->SetLogarithmic(false);
}

void TForm1::TrendCheckBoxClick(TObject*) {
  if (TrendCheckBox->Checked()) {
    SwitchViewToTrend();
    GraphXmaxEdit->SetText(LocaleNumberText(1000));
    ResetAxisButton->Click();
    SessionState.TrendMode = true;
  } else {
    Chart1->SetMouseAction(maPan);
    Chart1->ShowGraph();
    NormalRadioButton->SetChecked(true);
    LogCheckBox->SetEnabled(true);
    ZoomRadioButton->SetEnabled(true);
    SessionState.TrendMode = false;
  }
}

void TForm1::ResetAxisButtonClick(TObject*) {
  ReadGraphLimits();
  ShowGraphLimits();
  m_features->Axes->ResetRange();
}

void TForm1::ShowGraphLimits() {
  const TScaleProps& y = Chart1->Scale1Y();
  const bool yRefused = y.Logarithmic() && !y.CanShow(SessionState.GraphYMin, SessionState.GraphYMax);
  m_features->Content->SetLimits(SessionState.GraphXMax, SessionState.GraphYMin, SessionState.GraphYMax);
  if (yRefused) TellLogAxisKeepsItsWindow();
}

void TForm1::ClearGraphButtonClick(TObject*) { m_features->Content->Clear(); }

void TForm1::KanaeleOeffnenClick(TObject*) { EditCurve(0); }

void TForm1::EditCurve(std::size_t curve) {
  if (!m_features->CurveDialog) {
    m_features->CurveDialog = std::make_unique<TCurveDialog>(
        m_features->Curves, [] { return kMaxCurves; }, [this](std::size_t c) { return m_features->Legend->Label(c); });
    m_features->CurveDialog->OnApplied = [this](std::size_t) {
      m_features->Legend->CurvesChanged();
      m_features->Axes->CurvesChanged();
      // The intake took the scaling and the units at Start.
      if (SerialComm1->Active()) m_features->CurveDialog->MessageLabel->SetCaption(CurveScaleFromNextStartText());
    };
    m_features->CurveDialog->CenterOver(*this);
  }
  m_features->CurveDialog->ShowCurve(curve);
  m_features->CurveDialog->Show();
  m_features->CurveDialog->BringToFront();
}

void TForm1::ContentChanged(TContentChange change) {
  using enum TContentChange;
  if (change == RecordingOpened) {
    const TChartContent::TOpenedRecording& opened = *m_features->Content->OpenedRecording();
    TrendCheckBox->SetChecked(false);
    Status(TStatusField::SampleCount).SetText(std::to_string(opened.Rows));
    m_features->Recording->OpenedRecordingShown(opened.Path, opened.Rows);
    return;
  }
  if (change == Cleared) Status(TStatusField::SampleCount).SetText("");
  m_features->Recording->OpenedRecordingEnds();
}

}  // namespace kurvex
