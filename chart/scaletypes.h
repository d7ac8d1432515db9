// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/drawing/alignment.h"

namespace kurvex {

/// Kind of tick labels of a scale.
enum TFigType { ftNoFigs, ftNum, ftTime, ftDateTime, ftUserText };

/// Orientation of a scale and the side its ticks and labels point to:
/// X at the bottom of its box (labels above), X at the top (labels below),
/// Y at the left (labels right of the line), Y at the right (labels left).
enum TScaleType { sctXB, sctXT, sctYL, sctYR };

inline constexpr bool IsVertical(TScaleType t) { return t == sctYL || t == sctYR; }

/// Where along the scale line a caption is anchored: start, middle, end.
enum TScaleUnitAnchor { uaSclTopLft, uaSclCenter, uaSclBotRgt };

/// Frame of an opaque scale; the ordinals 2..5 are also the frame styles of
/// framed-rectangle chart items.
enum TFrameStyle { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };

/// Colours of 3-D frames: gray and white, or the system's button colours.
enum TColorScheme { csBWG, csSystem };

}  // namespace kurvex
