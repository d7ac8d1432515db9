// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <vector>

#include "chart/columnreducer.h"
#include "platform/drawing/canvas.h"
#include "platform/drawing/geometry.h"

namespace kurvex {

/// Collects the points of one curve's consecutive line items and draws
/// them as polylines of at most 200 points in its own pen; each polyline
/// after the first starts at the last point of the one before. With a pen
/// that allows it, runs of points in one pixel column are reduced first
/// (TColumnReducer). Lives for one render pass. GUI thread only.
class TPolylineBatch {
 public:
  static constexpr int kMaxPoints = 200;

  explicit TPolylineBatch(TCanvas& canvas) : m_canvas(canvas) {}

  /// Sets the point the next polyline starts from.
  void SetCurrent(TPoint p) { m_current = p; }

  /// The pen the polylines are drawn in; change it only while nothing is
  /// waiting.
  const TPen& Pen() const { return m_pen; }
  void SetPen(const TPen& pen) { m_pen = pen; }

  /// Appends count points; a full batch of 200 points is drawn and a new
  /// one starts at its last point.
  void Add(const TPoint* points, int count) {
    if (count == 0) return;
    if (!m_open) Open();
    if (!m_reducing) {
      for (int i = 0; i < count; ++i) Put(points[i]);
      return;
    }
    // A local copy of the reducer stays in registers; the points written
    // through Put cannot touch it.
    TColumnReducer reducer = m_reducer;
    for (int i = 0; i < count; ++i) reducer.Add(points[i], [this](TPoint q) { Put(q); });
    m_reducer = reducer;
  }

  /// Draws the waiting points, if any, as one polyline; the canvas takes
  /// the batch's pen, and its pen and the current point move to the last
  /// point.
  void Flush();

  /// Draws a square dot of 2 Width + 1 pixels in the pen's colour centred
  /// on the current point: a sample with no neighbour on its curve has no
  /// line to show it. A clear pen draws nothing; the canvas' brush is kept.
  /// Nothing may be waiting.
  void DrawDot();

  /// What the batch keeps until DrawHeld instead of drawing it at once, so
  /// that several batches draw in an order of the caller's, whatever order
  /// their points came in.
  enum class THold { Nothing, Dots, LinesAndDots };
  void SetHolding(THold hold) { m_hold = hold; }
  /// Whether polylines were drawn or are held since the last DrawHeld of lines.
  bool HasLines() const;
  /// Draws the held polylines (dots: false) or dots (true) and forgets them.
  void DrawHeld(bool dots);
  /// Gives the canvas the batch's pen and moves it to the current point, as
  /// a drawn flush leaves it.
  void PlacePen();

 private:
  void Open();
  /// Draws count points as one polyline, or holds them.
  void Draw(const TPoint* points, int count);
  void Put(TPoint p) {
    m_points[m_count++] = p;
    if (m_count == kMaxPoints) DrawFull();
  }
  void DrawFull();
  /// The square dot of DrawDot at `at` in `pen`'s colour.
  void FillDot(TPoint at, const TPen& pen);

  TCanvas& m_canvas;
  std::array<TPoint, kMaxPoints> m_points{};
  int m_count = 0;
  bool m_open = false;
  bool m_reducing = false;
  TColumnReducer m_reducer;
  TPoint m_current;
  TPen m_pen;
  THold m_hold = THold::Nothing;
  bool m_drewLines = false;  // drew a polyline at once since the last DrawHeld of lines
  struct THeld {
    TPen Pen;
    int First, Count;  ///< of m_heldPoints; a dot: Count 0, at m_heldPoints[First]
  };
  std::vector<THeld> m_held;
  std::vector<TPoint> m_heldPoints;
};

}  // namespace kurvex
