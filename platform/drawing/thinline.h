// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

#include <QImage>
#include <QRect>

#include "platform/drawing/canvas.h"

namespace kurvex {

/// The on and off runs in pixels of a one-pixel pen's style, starting with a
/// drawn run; empty for solid styles.
std::span<const int> DashRuns(TPenStyle style);

/// One-pixel lines written straight into a Format_RGB32 image, with the
/// pixel rules of GDI's cosmetic pens: a segment covers its start pixel and
/// leaves out its end pixel whatever its direction (QPainter instead leaves
/// out the end with the larger coordinate), so the joints of a polyline are
/// drawn exactly once and XOR outlines stay closed.
///
/// Along the longer axis every pixel is visited once; the other coordinate
/// is rounded to the nearest pixel, halves to the smaller coordinate, so a
/// segment and its reverse cover the same pixels apart from their ends. The
/// dash pattern advances one step per visited pixel (clipped ones too) and
/// continues from one segment to the next. Pixels outside `clip` are skipped.
class TThinLine {
 public:
  /// `image` must stay alive and keep its size while the object is used.
  TThinLine(QImage& image, const QRect& clip, const TPen& pen);

  void Segment(TPoint from, TPoint to);

 private:
  inline void Plot(int x, int y);
  bool Inside(TPoint p) const { return p.X >= m_left && p.X <= m_right && p.Y >= m_top && p.Y <= m_bottom; }
  /// A plain segment whose pixels all lie inside the clip (its end pixel,
  /// which is left out, may lie outside).
  void PlainInside(TPoint from, TPoint to);

  std::uint32_t* m_bits;
  qsizetype m_stride;  ///< pixels per row
  QRect m_clip;
  int m_left, m_top, m_right, m_bottom;  ///< the clip's inclusive edges
  std::uint32_t m_color;
  TPenMode m_mode;
  std::uint32_t m_onMask;  ///< bit i set: step i of the pattern is drawn
  int m_period;
  bool m_plain;  ///< a solid copying pen: no pattern or mode per pixel
  int m_phase = 0;
};

}  // namespace kurvex
