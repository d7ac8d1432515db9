// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kurvex {

/// The 16 × 16 glyphs of the top bar's buttons ('#' ink, blank
/// transparent); the button greys them out when disabled.
extern const char* const kStartGlyph[16];
extern const char* const kStopGlyph[16];
extern const char* const kClearGlyph[16];
extern const char* const kResetGlyph[16];

}  // namespace kurvex
