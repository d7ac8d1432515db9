// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/xaxis/xaxisfeature.h"

#include <ctime>

#include "platform/system/translate.h"
#include "setup/entrykinds.h"

namespace kurvex {

namespace {

constexpr std::int64_t kNsPerSecond = 1'000'000'000;
constexpr std::array<std::pair<TText, const char*>, 3> kModeItems{{
    {TrNoop("XAxis", "&Samples"), "XAchseSamples"},
    {TrNoop("XAxis", "Sekunden seit &Start"), "XAchseSekunden"},
    {TrNoop("XAxis", "&Uhrzeit"), "XAchseUhrzeit"},
}};
constexpr std::array kModes{TXAxisMode::Samples, TXAxisMode::Seconds, TXAxisMode::TimeOfDay};

}  // namespace

std::int64_t LocalMidnightNs(std::int64_t wallNs) {
  const std::time_t seconds = static_cast<std::time_t>(wallNs / kNsPerSecond);
  std::tm local{};
  localtime_r(&seconds, &local);
  local.tm_hour = local.tm_min = local.tm_sec = 0;
  local.tm_isdst = -1;  // the day's own offset, also on the day the clocks change
  return static_cast<std::int64_t>(std::mktime(&local)) * kNsPerSecond;
}

TXAxisFeature::TXAxisFeature(TMenuItem& deviceMenu, const TCurveDescriptions& curves,
                             std::function<std::size_t()> curvesInUse)
    : m_curves(curves), m_curvesInUse(std::move(curvesInUse)), m_menu(deviceMenu.Add(Tr("XAxis", "&X-Achse"))) {
  m_menu.SetName("XAchse");
  for (std::size_t i = 0; i < kModes.size(); ++i) {
    TMenuItem& item = m_menu.Add(Tr(kModeItems[i].first));
    item.SetName(kModeItems[i].second);
    item.SetCheckable(true);
    item.OnClick = [this, mode = kModes[i]](TObject*) { Choose({mode}); };
    m_modeItems[i] = &item;
  }
  for (std::size_t curve = 0; curve < kMaxCurves; ++curve) {
    TMenuItem& item = m_menu.Add("");
    item.SetName("XAchseKanal" + std::to_string(curve + 1));
    item.SetCheckable(true);
    item.OnClick = [this, curve](TObject*) { Choose({TXAxisMode::Curve, static_cast<int>(curve) + 1}); };
    m_curveItems[curve] = &item;
  }
  // Curves are named by the instrument as lines arrive: named when looked at.
  m_menu.OnPopup = [this](TObject*) { ShowChoice(); };
  ShowChoice();
}

void TXAxisFeature::Choose(const TXAxis& axis) {
  m_choice = axis;
  ShowChoice();
}

void TXAxisFeature::ShowChoice() {
  for (std::size_t i = 0; i < kModes.size(); ++i) m_modeItems[i]->SetChecked(m_choice.Mode == kModes[i]);
  const std::size_t offered = std::max<std::size_t>({2, m_curvesInUse(), static_cast<std::size_t>(m_choice.Curve)});
  for (std::size_t curve = 0; curve < kMaxCurves; ++curve) {
    TMenuItem& item = *m_curveItems[curve];
    item.SetCaption(m_curves.Label(curve));
    item.SetVisible(curve < offered);
    item.SetChecked(m_choice.Mode == TXAxisMode::Curve && m_choice.Curve == static_cast<int>(curve) + 1);
  }
}

std::optional<TXAxis> TXAxisFeature::Named(const std::string& text) const {
  if (const std::optional<TXAxis> named = XAxisNamed(text)) return named;
  for (std::size_t curve = 0; curve < kMaxCurves; ++curve)
    if (m_curves.Label(curve) == text) return TXAxis{TXAxisMode::Curve, static_cast<int>(curve) + 1};
  return std::nullopt;
}

TPlotX TXAxisFeature::PlotX(TReadTime start) const {
  if (m_choice.Mode == TXAxisMode::Curve) return {.XCurve = static_cast<std::size_t>(m_choice.Curve - 1)};
  if (const std::optional<std::int64_t> origin = TimeOrigin(start.WallNs)) return {TPlotX::TTime{start.WallNs, *origin}};
  return {};
}

std::optional<std::int64_t> TXAxisFeature::TimeOrigin(std::int64_t firstNs) const {
  if (m_choice.Mode == TXAxisMode::Seconds) return firstNs;
  if (m_choice.Mode == TXAxisMode::TimeOfDay) return LocalMidnightNs(firstNs);
  return std::nullopt;
}

void TXAxisFeature::CollectInto(TSetup& setup) const {
  // Unused, the choice leaves the file as it was before there was one.
  if (m_choice.Mode != TXAxisMode::Samples) setup.XAxis = m_choice;
}

void TXAxisFeature::ApplyFrom(const TSetup& setup, std::vector<std::string>&) {
  if (setup.XAxis) Choose(*setup.XAxis);
}

}  // namespace kurvex
