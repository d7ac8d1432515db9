// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "platform/windows/control.h"

namespace kurvex {

class TCrossHair;
class TTextLabel;

/// A mouse move over the chart: InChart tells whether the pointer is inside
/// the plot area; the position is in world units of the ActiveLayer either way.
using TMouseMoveInChartEvent = std::function<void(TObject* Sender, bool InChart, TShiftState Shift,
                                                  double rMousePosX, double rMousePosY)>;
/// The mouse changed the world window (a pan, zoom-drag or rubber-band step).
using TZoomPanEvent = TNotifyEvent;
/// A crosshair was dragged to a new position.
using TCrossHairMoveEvent = std::function<void(TObject* Sender, TCrossHair& WhichCrossHair)>;
/// A text label was dragged to a new position.
using TTextLabelMoveEvent = std::function<void(TObject* Sender, TTextLabel& WhichTextLabel)>;

}  // namespace kurvex
