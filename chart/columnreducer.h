// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>

#include "platform/drawing/canvas.h"
#include "platform/drawing/geometry.h"

namespace kurvex {

/// Whether column reduction keeps the pixels of a polyline drawn in `pen`:
/// true for solid one-pixel pens that copy.
bool ColumnRunsReducible(const TPen& pen);

/// Shrinks a polyline, as its points arrive, to one that covers exactly the
/// same pixels when drawn with a solid one-pixel pen under the end-pixel
/// rule: each run of consecutive points in one pixel column becomes at most
/// four points, so a dense plot costs per column rather than per point.
/// The points leading out of a run are its first and last, so what follows
/// a run is drawn as before.
class TColumnReducer {
 public:
  /// Starts a new polyline at p.
  void Start(TPoint p) { Open(p); }

  /// Takes the next point; a run that p ends is passed to put(TPoint).
  template <class Put>
  void Add(TPoint p, Put&& put) {
    if (p.X != m_x) {
      Emit(put);
      Open(p);
      return;
    }
    // The step from the run's last row to p covers that row and the rows up
    // to p but not p itself; rows inside the run's span other than its last
    // are covered already. So p is covered exactly when it lies inside the
    // span and is not the last row, or is the last row and that was covered.
    m_lastCovered = m_low <= p.Y && p.Y <= m_high && (p.Y != m_last || m_lastCovered);
    m_low = std::min(m_low, p.Y);
    m_high = std::max(m_high, p.Y);
    m_last = p.Y;
  }

  /// Passes the open run to put(TPoint).
  template <class Put>
  void Finish(Put&& put) {
    Emit(put);
  }

 private:
  void Open(TPoint p) {
    m_x = p.X;
    m_first = m_low = m_high = m_last = p.Y;
    m_lastCovered = false;
  }

  // first, then the extremes in an order whose steps cover the run's span,
  // then last; its last row is left out exactly when the run left it out.
  // A point equal to the one before draws nothing and is left out.
  template <class Put>
  void Emit(Put& put) const {
    put(TPoint{m_x, m_first});
    if (m_low == m_high) return;
    int previous = m_first;
    const auto next = [&](int y) {
      if (y == previous) return;
      put(TPoint{m_x, y});
      previous = y;
    };
    if (m_last != m_low && m_last != m_high) {
      // An inner last row is crossed on the way between the extremes; the
      // sweep starts at the extreme nearer to first.
      next(m_first == m_high ? m_high : m_low);
      next(m_first == m_high ? m_low : m_high);
    } else if (m_last == m_high) {
      if (m_lastCovered) next(m_high);
      next(m_low);
    } else {
      if (m_lastCovered) next(m_low);
      next(m_high);
    }
    next(m_last);
  }

  int m_x = 0, m_first = 0, m_low = 0, m_high = 0, m_last = 0;
  bool m_lastCovered = false;
};

}  // namespace kurvex
