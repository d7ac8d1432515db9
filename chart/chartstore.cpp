// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstring>

#include "chart/chartcontrol.h"

namespace kurvex {

void TCustomChartControl::AppendItem(TItemKind kind, double x, double y) {
  TChartItem& item = m_store->Append(m_allocSize);
  item.Kind = kind;
  item.Layer = m_dataLayer;
  item.Class = static_cast<std::uint8_t>(m_classDefault);
  item.Color = m_dataColor;
  item.Curve = m_dataCurve;
  item.PenStyle = m_penStyle;
  item.Reserved = 0;
  item.LineWidth = m_lineWidth;
  item.X = x;
  item.Y = y;
  if (m_keptPlot) m_plotChanges.Appended(*m_store, m_store->Count() - 1);
  SyncSharedData();
}

void TCustomChartControl::MoveTo(double x, double y) { AppendItem(ikMoveTo, x, y); }

void TCustomChartControl::DrawTo(double x, double y) { AppendItem(ikDrawTo, x, y); }

void TCustomChartControl::RemoveItem(int index) {
  if (index == 0 && m_keptPlot) {
    m_plotChanges.RemovingFirst(*m_store);
  } else if (index > 0 && index < m_store->Count()) {
    m_plotChanges.Whole();
  }
  m_store->Remove(index);
  SyncSharedData();
}

void TCustomChartControl::ClearGraph() {
  // The plot picture is the window's: it shows the old items until the next
  // ShowGraph or Paint, as a cleared off-screen plot would.
  m_store->Clear();
  m_plotChanges.Whole();
  SyncSharedData();
}

void TCustomChartControl::RequestItemsPicture() {
  m_plotChanges.Whole();
  if (Visible()) RequestChangedItemsPicture();
}

void TCustomChartControl::RequestChangedItemsPicture() {
  // With AutoRedraw on, the drawing setters have kept frame and scales
  // current: only the plot area changes. With it off they drew nothing,
  // so this redraw is of the whole control.
  if (m_autoRedraw) {
    RequestPicture(paPlotArea);
  } else {
    Paint();
  }
}

void TCustomChartControl::ShowGraph() {
  if (Visible()) {
    SyncSharedData();
    RequestChangedItemsPicture();
  }
  if (m_owner) {
    m_owner->RedrawIfAuto();
    for (TCustomChartControl* user : m_owner->m_users) user->RedrawIfAuto();
  }
  for (TCustomChartControl* user : m_users) user->RedrawIfAuto();
}

}  // namespace kurvex
