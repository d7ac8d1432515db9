// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/curvecolors.h"

#include <array>

#include "intake/intakestate.h"

namespace kurvex {

namespace {

// Okabe and Ito's colours, then Tol's muted scheme: distinct also for
// deuteranopes and protanopes, and each dark enough on white.
constexpr std::array<TColor, kMaxCurves> kCurveColors = {
    clBlue,
    RGB(0xE6, 0x9F, 0x00), RGB(0x00, 0x9E, 0x73), RGB(0xD5, 0x5E, 0x00), RGB(0xCC, 0x79, 0xA7),
    RGB(0x56, 0xB4, 0xE9), RGB(0x00, 0x00, 0x00), RGB(0x33, 0x22, 0x88), RGB(0x11, 0x77, 0x33),
    RGB(0x99, 0x99, 0x33), RGB(0x88, 0x22, 0x55), RGB(0x44, 0xAA, 0x99), RGB(0xCC, 0x66, 0x77),
    RGB(0xAA, 0x44, 0x99), RGB(0xDD, 0xCC, 0x77), RGB(0x88, 0xCC, 0xEE)};

}  // namespace

TColor CurveColor(std::size_t curve) { return kCurveColors[curve % kCurveColors.size()]; }

std::string CurveLabel(std::size_t curve, const std::string& name) {
  return name.empty() ? "Kanal " + std::to_string(curve + 1) : name;
}

}  // namespace kurvex
