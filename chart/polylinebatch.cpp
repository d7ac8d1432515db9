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

void TPolylineBatch::DrawFull() {
  const TPoint last = m_points[m_count - 1];
  m_canvas.Pen = m_pen;
  m_canvas.Polyline(m_points.data(), m_count);
  m_canvas.MoveTo(last.X, last.Y);
  m_current = last;
  m_points[0] = last;
  m_count = 1;
}

void TPolylineBatch::Flush() {
  if (!m_open) return;
  if (m_reducing) m_reducer.Finish([this](TPoint q) { Put(q); });
  m_open = false;
  const TPoint last = m_points[m_count - 1];
  m_canvas.Pen = m_pen;
  m_canvas.Polyline(m_points.data(), m_count);
  m_canvas.MoveTo(last.X, last.Y);
  m_current = last;
  m_count = 0;
}

void TPolylineBatch::DrawDot() {
  if (m_pen.Style == psClear) return;
  const int radius = std::max(m_pen.Width, 1);
  const TBrush kept = m_canvas.Brush;
  m_canvas.Brush = TBrush{m_pen.Color, bsSolid};
  m_canvas.FillRect(TRect{m_current.X - radius, m_current.Y - radius, m_current.X + radius + 1,
                          m_current.Y + radius + 1});
  m_canvas.Brush = kept;
}

}  // namespace kurvex
