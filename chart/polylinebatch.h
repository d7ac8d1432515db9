#pragma once

#include <array>

#include "platform/canvas.h"
#include "platform/geometry.h"

namespace kurvex {

/// Collects the points of consecutive line items and draws them as
/// polylines of at most 200 points in the canvas's current pen; each
/// polyline after the first starts at the last point of the one before.
/// Lives for one render pass. GUI thread only.
class TPolylineBatch {
 public:
  static constexpr int kMaxPoints = 200;

  explicit TPolylineBatch(TCanvas& canvas) : m_canvas(canvas) {}

  /// The point the next polyline starts from.
  TPoint Current() const { return m_current; }
  void SetCurrent(TPoint p) { m_current = p; }
  /// Points waiting to be drawn, the start point included (0 when empty).
  int Count() const { return m_count; }

  /// Appends p; a full batch of 200 points is drawn and a new one starts at p.
  void Add(TPoint p);
  /// Draws the waiting points, if any, as one polyline; the pen and the
  /// current point move to its last point.
  void Flush();

 private:
  TCanvas& m_canvas;
  std::array<TPoint, kMaxPoints> m_points{};
  std::array<TPoint, kMaxPoints> m_reduced{};
  int m_count = 0;
  TPoint m_current;
};

/// Whether ReduceColumnRuns keeps the pixels of a polyline drawn in `pen`:
/// true for solid one-pixel pens that copy.
bool ColumnRunsReducible(const TPen& pen);

/// Writes to `out` a polyline that covers exactly the pixels of the polyline
/// `in` (count points) when both are drawn with a solid one-pixel pen under
/// the end-pixel rule, and returns its point count (at most count). Each run
/// of consecutive points in one pixel column shrinks to at most four points,
/// so a dense plot costs per column rather than per point.
int ReduceColumnRuns(const TPoint* in, int count, TPoint* out);

}  // namespace kurvex
