// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kurvex {

/// The figures of a closer look, each a caption and a value label.
enum class TFigure : std::uint8_t {
  MarkerA, MarkerB,
  DeltaSamples, DeltaValue, DeltaTime,
  SlopePerSample, SlopePerSecond,
  Count, Minimum, Maximum,
  Mean, StandardDeviation, PeakToPeak,
};
inline constexpr std::size_t kFigureCount = 13;

/// The figures each curve has of its own; the others are the samples'.
inline constexpr TFigure kCurveFigures[] = {
    TFigure::DeltaValue, TFigure::SlopePerSample, TFigure::SlopePerSecond, TFigure::Count,
    TFigure::Minimum,    TFigure::Maximum,        TFigure::Mean,           TFigure::StandardDeviation,
    TFigure::PeakToPeak,
};

/// The stem of a figure's design names ("Minimum": "MinimumCaption", "MinimumValue").
const char* FigureName(TFigure figure);
/// Its caption ("Minimum", "Δ Wert"), translated.
std::string FigureCaption(TFigure figure);

}  // namespace kurvex
