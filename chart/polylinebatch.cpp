// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/polylinebatch.h"

#include <algorithm>

namespace kurvex {

void TPolylineBatch::Open() {
  m_open = true;
  m_count = 0;
  // The pen changes only between batches, so one look decides for the batch.
  m_reducing = ColumnRunsReducible(m_pen);
  if (m_reducing) {
    m_reducer.Start(m_current);
  } else {
    Put(m_current);
  }
}

void TPolylineBatch::Draw(const TPoint* points, int count) {
  const TPoint last = points[count - 1];
  m_current = last;
  if (m_hold == THold::LinesAndDots) {
    m_held.push_back({m_pen, static_cast<int>(m_heldPoints.size()), count});
    m_heldPoints.insert(m_heldPoints.end(), points, points + count);
    return;
  }
  m_drewLines = true;
  m_canvas.Pen = m_pen;
  m_canvas.Polyline(points, count);
  m_canvas.MoveTo(last.X, last.Y);
}

void TPolylineBatch::DrawFull() {
  Draw(m_points.data(), m_count);
  m_points[0] = m_current;
  m_count = 1;
}

void TPolylineBatch::Flush() {
  if (!m_open) return;
  if (m_reducing) m_reducer.Finish([this](TPoint q) { Put(q); });
  m_open = false;
  Draw(m_points.data(), m_count);
  m_count = 0;
}

bool TPolylineBatch::HasLines() const {
  return m_drewLines || std::any_of(m_held.begin(), m_held.end(), [](const THeld& held) { return held.Count > 0; });
}

void TPolylineBatch::DrawHeld(bool dots) {
  if (!dots) m_drewLines = false;
  const auto chosen = [dots](const THeld& held) { return (held.Count == 0) == dots; };
  for (const THeld& held : m_held) {
    if (!chosen(held)) continue;
    const TPoint* points = &m_heldPoints[static_cast<std::size_t>(held.First)];
    if (dots) {
      FillDot(*points, held.Pen);
    } else {
      m_canvas.Pen = held.Pen;
      m_canvas.Polyline(points, held.Count);
    }
  }
  std::erase_if(m_held, chosen);
  if (m_held.empty()) m_heldPoints.clear();
}

void TPolylineBatch::PlacePen() {
  m_canvas.Pen = m_pen;
  m_canvas.MoveTo(m_current.X, m_current.Y);
}

void TPolylineBatch::DrawDot() {
  if (m_pen.Style == psClear) return;
  if (m_hold != THold::Nothing) {
    m_held.push_back({m_pen, static_cast<int>(m_heldPoints.size()), 0});
    m_heldPoints.push_back(m_current);
    return;
  }
  FillDot(m_current, m_pen);
}

void TPolylineBatch::FillDot(TPoint at, const TPen& pen) {
  const int radius = std::max(pen.Width, 1);
  const TBrush kept = m_canvas.Brush;
  m_canvas.Brush = TBrush{pen.Color, bsSolid};
  m_canvas.FillRect(TRect{at.X - radius, at.Y - radius, at.X + radius + 1, at.Y + radius + 1});
  m_canvas.Brush = kept;
}

}  // namespace kurvex
