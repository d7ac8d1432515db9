// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/closer/closerfigures.h"

#include "platform/system/translate.h"

namespace kurvex {

namespace {

struct FigureWords {
  const char* name;
  TText caption;
};

constexpr FigureWords kWords[kFigureCount] = {
    {"MarkerA", TrNoop("Closer", "Marke A")},
    {"MarkerB", TrNoop("Closer", "Marke B")},
    {"DeltaSamples", TrNoop("Closer", "Δ Samples")},
    {"DeltaValue", TrNoop("Closer", "Δ Wert")},
    {"DeltaTime", TrNoop("Closer", "Δ Zeit")},
    {"SlopePerSample", TrNoop("Closer", "Steigung pro Sample")},
    {"SlopePerSecond", TrNoop("Closer", "Steigung pro s")},
    {"Count", TrNoop("Closer", "Anzahl")},
    {"Minimum", TrNoop("Closer", "Minimum")},
    {"Maximum", TrNoop("Closer", "Maximum")},
    {"Mean", TrNoop("Closer", "Mittelwert")},
    {"StandardDeviation", TrNoop("Closer", "Standardabweichung")},
    {"PeakToPeak", TrNoop("Closer", "Spitze-Spitze")},
};

}  // namespace

const char* FigureName(TFigure figure) { return kWords[static_cast<std::size_t>(figure)].name; }
std::string FigureCaption(TFigure figure) { return Tr(kWords[static_cast<std::size_t>(figure)].caption); }

}  // namespace kurvex
