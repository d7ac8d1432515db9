// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/closer/closerfigures.h"

namespace kurvex {

namespace {

struct FigureWords {
  const char* name;
  const char* caption;
};

constexpr FigureWords kWords[kFigureCount] = {
    {"MarkerA", "Marke A"},
    {"MarkerB", "Marke B"},
    {"DeltaSamples", "Δ Samples"},
    {"DeltaValue", "Δ Wert"},
    {"DeltaTime", "Δ Zeit"},
    {"SlopePerSample", "Steigung pro Sample"},
    {"SlopePerSecond", "Steigung pro s"},
    {"Count", "Anzahl"},
    {"Minimum", "Minimum"},
    {"Maximum", "Maximum"},
    {"Mean", "Mittelwert"},
    {"StandardDeviation", "Standardabweichung"},
    {"PeakToPeak", "Spitze-Spitze"},
};

}  // namespace

const char* FigureName(TFigure figure) { return kWords[static_cast<std::size_t>(figure)].name; }
const char* FigureCaption(TFigure figure) { return kWords[static_cast<std::size_t>(figure)].caption; }

}  // namespace kurvex
