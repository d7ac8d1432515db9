// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/chartroom.h"

namespace kurvex {

namespace {

// Between the chart and the column at its right.
constexpr int kColumnGap = 4;

}  // namespace

void TChartRoom::ShowRightColumn(TWinControl& column, int width, bool shown) {
  if (shown == (m_column != nullptr)) return;
  // The room the chart had with the column: its own and the column's.
  const int room = m_chart.Width() + (shown ? 0 : m_columnWidth + kColumnGap);
  m_column = shown ? &column : nullptr;
  m_columnWidth = shown ? width : 0;
  m_chart.SetWidth(room - (shown ? width + kColumnGap : 0));
  column.SetAnchors(akTop | akRight | akBottom);
  Place();
  column.SetVisible(shown);
}

void TChartRoom::ShowBottomStrip(TWinControl& strip, int height, bool shown) {
  if (shown == (m_strip != nullptr)) return;
  const int room = m_chart.Height() + (shown ? 0 : m_stripHeight);
  m_strip = shown ? &strip : nullptr;
  m_stripHeight = shown ? height : 0;
  m_chart.SetBounds(m_chart.Left(), m_chart.Top(), m_chart.Width(), room - m_stripHeight);
  strip.SetAnchors(akLeft | akRight | akBottom);
  Place();
  strip.SetVisible(shown);
}

void TChartRoom::Place() {
  if (m_column != nullptr)
    m_column->SetBounds(m_chart.Left() + m_chart.Width() + kColumnGap, m_chart.Top(), m_columnWidth,
                        m_chart.Height());
  if (m_strip != nullptr)
    m_strip->SetBounds(m_chart.Left(), m_chart.Top() + m_chart.Height(), m_chart.Width(), m_stripHeight);
}

}  // namespace kurvex
