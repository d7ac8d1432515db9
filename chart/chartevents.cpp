// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/chartcontrol.h"

namespace kurvex {

void TCustomChartControl::KeyDown(TKey& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  m_keyDownListeners.NotifyUntil([&] { return key == 0; }, this, key, shift);
}

bool TCustomChartControl::ContextPopup(int x, int y, bool byKeyboard) {
  const bool taken = TCustomControl::ContextPopup(x, y, byKeyboard);
  if (!m_contextPopupListeners.Any()) return taken;
  m_contextPopupListeners.Notify(this, x, y, byKeyboard);
  return true;
}

void TCustomChartControl::TellZoomPan() {
  if (OnZoomPan) OnZoomPan(this);
  m_zoomPanListeners.Notify(this);
}

}  // namespace kurvex
