// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/curves/curvelegend.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "app/valuetext.h"
#include "platform/system/localeformat.h"
#include "platform/system/translate.h"

namespace kurvex {

namespace {

constexpr int kRowHeight = 20;

// A single-precision setting as the number it reads as ("0.1", not the
// float's exact 0.100000001490116), so a setup shows what was typed.
double AsWritten(float value) { return std::strtod(ShortValueText(value, '.').c_str(), nullptr); }

// Units longer than this are cut in the legend; the tooltip has them whole.
constexpr std::size_t kShownUnitCharacters = 16;

// `unit` cut after kShownUnitCharacters characters (not bytes), with "…".
std::string ShownUnit(const std::string& unit) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < unit.size(); ++i) {
    if ((static_cast<unsigned char>(unit[i]) & 0xC0) == 0x80) continue;  // inside a character
    if (characters++ == kShownUnitCharacters) return unit.substr(0, i) + "…";
  }
  return unit;
}

}  // namespace

TCurveLegend::TCurveLegend(TWinControl& parent, TChartControl& chart, TChartRoom& layout, TCurveSettings& curves)
    : m_chart(chart), m_layout(layout), m_curves(curves), m_panel(std::make_unique<TPanel>(&parent)) {
  m_panel->SetName("CurveLegend");
  m_panel->SetAccessibleName(Tr("Curves", "Legende"));
  m_panel->SetBevelOuter(bvNone);
  m_panel->SetVisible(false);
  TMenuItem& edit = m_menu.Add(Tr("Curves", "&Kanäle…"));
  edit.SetName("LegendeKanaele");
  edit.OnClick = [this](TObject*) {
    if (OnEditCurve) OnEditCurve(m_menuCurve);
  };
  m_panel->OnContextPopup = [this](TObject*, int x, int y, bool byKeyboard) {
    const int row = byKeyboard ? 0 : std::max(0, (y - 4) / kRowHeight);
    m_menuCurve = std::min<std::size_t>(static_cast<std::size_t>(row), m_inUse == 0 ? 0 : m_inUse - 1);
    m_menu.Popup(byKeyboard ? 0 : x, byKeyboard ? 0 : y);
  };
}

void TCurveLegend::CurvesChanged() {
  for (std::size_t curve = 0; curve < m_count; ++curve) {
    Entry& entry = m_entries[curve];
    entry.name->SetFontColor(m_curves.Color(curve));
    ShowName(curve);
    entry.shown->SetChecked(m_curves.Shown(curve));
  }
  ShowCurvesAsSet();
}

void TCurveLegend::ShowCurvesAsSet() {
  for (std::size_t curve = 0; curve < kMaxCurves; ++curve)
    m_chart.SetCurveVisible(static_cast<std::uint8_t>(curve), m_curves.Shown(curve));
}

void TCurveLegend::ShowName(std::size_t curve) {
  m_entries[curve].name->SetCaption(Label(curve));
  m_entries[curve].shown->SetAccessibleName(Fill(Tr("Curves", "%1 anzeigen"), {Label(curve)}));
}

void TCurveLegend::StartAcquisition() {
  m_showing = false;
  m_layout.ShowRightColumn(*m_panel, kWidth, false);
  // The entries of the acquisition before go; the next one's come back as
  // its curves appear. Ticking a box again shows its curve again.
  m_names.fill("");
  m_unitsSent.fill("");
  for (std::size_t curve = 0; curve < m_count; ++curve) ShowEntry(curve, false);
  ShowCurvesAsSet();
  m_inUse = 0;
}

void TCurveLegend::ShowEntry(std::size_t curve, bool shown) {
  Entry& entry = m_entries[curve];
  entry.shown->SetChecked(m_curves.Shown(curve));
  ShowName(curve);
  entry.value->SetCaption("");
  ShowUnit(curve, "");
  for (TWinControl* control : {static_cast<TWinControl*>(entry.shown.get()), static_cast<TWinControl*>(entry.name.get()),
                               static_cast<TWinControl*>(entry.value.get())}) {
    control->SetVisible(shown);
  }
}

void TCurveLegend::Take(const TSample& sample) {
  if (sample.Values.size() < 2 && !m_showing) return;
  if (!m_showing) ShowLegend();
  const char separator = DecimalSeparator();
  for (std::size_t curve = 0; curve < sample.Values.size(); ++curve) {
    if (curve >= m_inUse) {
      if (curve >= m_count) AddEntry(curve);
      ShowEntry(curve, true);
      m_inUse = curve + 1;
    }
    Entry& entry = m_entries[curve];
    if (curve < sample.Names.size() && sample.Names[curve] != m_names[curve]) {
      m_names[curve] = sample.Names[curve];
      ShowName(curve);
    }
    if (curve < sample.Units.size() && sample.Units[curve] != m_unitsSent[curve]) {
      m_unitsSent[curve] = sample.Units[curve];
      ShowUnit(curve, m_unitsSent[curve]);
    }
    if (!sample.Has(curve)) continue;
    // Formatted only when shown or read, as the large display is.
    entry.value->SetCaptionSource([value = sample.Values[curve].Scaled, separator, unit = &m_units[curve]] {
      return unit->empty() ? ShortValueText(value, separator) : ShortValueText(value, separator) + " " + *unit;
    });
  }
}

void TCurveLegend::ShowLegend() {
  // A column at the chart's right; Start gives it back.
  m_layout.ShowRightColumn(*m_panel, kWidth, true);
  m_showing = true;
}

void TCurveLegend::AddEntry(std::size_t curve) {
  Entry& entry = m_entries[curve];
  const int top = 4 + static_cast<int>(curve) * kRowHeight;
  const std::string n = std::to_string(curve + 1);
  entry.shown = std::make_unique<TCheckBox>(m_panel.get());
  entry.shown->SetName("CurveShown" + n);
  entry.shown->SetBounds(2, top, 18, kRowHeight - 2);
  entry.shown->OnClick = [this, curve](TObject*) {
    m_chart.SetCurveVisible(static_cast<std::uint8_t>(curve), m_entries[curve].shown->Checked());
  };
  entry.name = std::make_unique<TLabel>(m_panel.get());
  entry.name->SetName("CurveName" + n);
  entry.name->SetAutoSize(false);
  entry.name->SetBounds(22, top + 2, 96, kRowHeight - 4);
  entry.name->SetFontColor(m_curves.Color(curve));
  entry.name->SetFontBold(true);
  entry.value = std::make_unique<TLabel>(m_panel.get());
  entry.value->SetName("CurveValue" + n);
  entry.value->SetAutoSize(false);
  entry.value->SetBounds(120, top + 2, kWidth - 120, kRowHeight - 4);
  entry.name->SetFocusControl(entry.value.get());
  entry.name->OnDblClick = [this, curve](TObject*) {
    if (OnEditCurve) OnEditCurve(curve);
  };
  m_count = curve + 1;
}

void TCurveLegend::ShowUnit(std::size_t curve, const std::string& unit) {
  m_units[curve] = ShownUnit(unit);
  m_entries[curve].value->SetHint(m_units[curve] == unit ? "" : unit);
}

std::string TCurveLegend::Label(std::size_t curve) const {
  const std::string& name = m_names[curve].empty() ? m_curves.Name(curve) : m_names[curve];
  // The files' column names stay German; the window says "Kanal n" in its language.
  return name.empty() ? Fill(Tr("Curves", "Kanal %1"), {std::to_string(curve + 1)}) : name;
}

void TCurveLegend::CollectInto(TSetup& setup) const {
  // Each curve up to the last that is not as it is until set; a curve of
  // the acquisition shown is as its box says.
  std::vector<TSetupCurve> curves;
  std::size_t count = 0;
  for (std::size_t curve = 0; curve < kMaxCurves; ++curve) {
    const std::string& name = m_names[curve].empty() ? m_curves.Name(curve) : m_names[curve];
    const bool shown = curve < m_inUse ? m_entries[curve].shown->Checked() : m_curves.Shown(curve);
    const TColor color = m_curves.Color(curve);
    TSetupCurve& out = curves.emplace_back();
    if (!name.empty()) out.Name = name;
    out.Color = static_cast<std::uint32_t>(GetRValue(color)) << 16 | static_cast<std::uint32_t>(GetGValue(color)) << 8 |
                GetBValue(color);
    out.Shown = shown;
    const TCurveScale& scale = m_curves.Scale(curve);
    if (scale.Factor) out.Factor = AsWritten(*scale.Factor);
    if (scale.Offset) out.Offset = AsWritten(*scale.Offset);
    if (!m_curves.Unit(curve).empty()) out.Unit = m_curves.Unit(curve);
    if (m_curves.Axis(curve) == TCurveAxis::Right) out.Axis = TCurveAxis::Right;
    if (!name.empty() || !shown || color != TCurveSettings::Defaults().Color(curve) || scale != TCurveScale{} ||
        out.Unit || out.Axis)
      count = curve + 1;
  }
  curves.resize(count);
  setup.Curves = std::move(curves);
}

void TCurveLegend::ApplyFrom(const TSetup& setup, std::vector<std::string>&) {
  for (std::size_t curve = 0; curve < std::min(setup.Curves.size(), kMaxCurves); ++curve) {
    const TSetupCurve& in = setup.Curves[curve];
    if (in.Name) m_curves.SetName(curve, *in.Name);
    if (in.Color) {
      m_curves.SetColor(curve, RGB((*in.Color >> 16) & 0xFF, (*in.Color >> 8) & 0xFF, *in.Color & 0xFF));
      if (curve < m_count) m_entries[curve].name->SetFontColor(m_curves.Color(curve));
    }
    if (in.Shown) m_curves.SetShown(curve, *in.Shown);
    if (in.Unit) m_curves.SetUnit(curve, *in.Unit);
    // Read in single precision, as the window's own fields are.
    TCurveScale scale = m_curves.Scale(curve);
    if (in.Factor) scale.Factor = static_cast<float>(*in.Factor);
    if (in.Offset) scale.Offset = static_cast<float>(*in.Offset);
    m_curves.SetScale(curve, scale);
    if (in.Axis) m_curves.SetAxis(curve, *in.Axis);
  }
  CurvesChanged();
}

}  // namespace kurvex
