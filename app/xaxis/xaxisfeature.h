// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/chartplotter.h"
#include "app/curvedescriptions.h"
#include "app/setuppart.h"
#include "intake/readtime.h"
#include "platform/windows/menu.h"

namespace kurvex {

/// "X-Achse" (in the Gerät menu): what the X axis of the next acquisition
/// shows: the sample number (as ever), seconds since Start, the time of
/// day, or one curve that the others are drawn against. Kept in setups;
/// an acquisition keeps the choice it started with. GUI thread only.
class TXAxisFeature : public TSetupPart {
 public:
  /// `curvesInUse`: how many curves the acquisition shown has so far; the
  /// menu offers at least two.
  TXAxisFeature(TMenuItem& deviceMenu, const TCurveDescriptions& curves, std::function<std::size_t()> curvesInUse);

  const TXAxis& Choice() const { return m_choice; }
  void Choose(const TXAxis& axis);
  /// The axis `text` names as --x-axis gives it: a keyword, a curve's
  /// number, or a curve's name as the window shows it; nothing for none.
  std::optional<TXAxis> Named(const std::string& text) const;
  /// Where an acquisition that starts at `start` places its samples.
  TPlotX PlotX(TReadTime start) const;
  /// Where X = 0 lies for samples from `firstNs` on (an acquisition's
  /// Start, a recording's first sample): there, or at the local midnight
  /// before it; nothing while the choice is not a time.
  std::optional<std::int64_t> TimeOrigin(std::int64_t firstNs) const;

  void CollectInto(TSetup& setup) const override;
  void ApplyFrom(const TSetup& setup, std::vector<std::string>& notes) override;

  TMenuItem& Menu() { return m_menu; }

 private:
  /// Ticks the chosen item; names and shows the curves' items.
  void ShowChoice();

  const TCurveDescriptions& m_curves;
  std::function<std::size_t()> m_curvesInUse;
  TMenuItem& m_menu;
  std::array<TMenuItem*, 3> m_modeItems{};
  std::array<TMenuItem*, kMaxCurves> m_curveItems{};
  TXAxis m_choice;
};

/// Wall ns of the local midnight that begins the day of `wallNs`.
std::int64_t LocalMidnightNs(std::int64_t wallNs);

}  // namespace kurvex
