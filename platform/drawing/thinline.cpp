// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/drawing/thinline.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "platform/drawing/qtconvert.h"

namespace kurvex {

namespace {

struct Pattern {
  std::uint32_t onMask;
  int period;
};

Pattern PatternOf(TPenStyle style) {
  const std::span<const int> runs = DashRuns(style);
  if (runs.empty()) {
    return {1u, 1};
  }
  Pattern pattern{0, 0};
  for (std::size_t run = 0; run < runs.size(); ++run) {
    for (int i = 0; i < runs[run]; ++i, ++pattern.period) {
      if (run % 2 == 0) {
        pattern.onMask |= 1u << pattern.period;
      }
    }
  }
  return pattern;
}

// count pixels from first on in color, eight at a time where it can: a
// fixed-size copy becomes vector stores, which a plain loop does not at
// this optimisation level.
void FillSpan(std::uint32_t* first, int count, std::uint32_t color) {
  std::uint32_t block[8];
  std::fill(std::begin(block), std::end(block), color);
  for (; count >= 8; count -= 8, first += 8) std::memcpy(first, block, sizeof block);
  for (; count > 0; --count) *first++ = color;
}

// Floor division for a positive divisor.
long long FloorDiv(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

std::span<const int> DashRuns(TPenStyle style) {
  static constexpr int kDash[] = {18, 6};
  static constexpr int kDot[] = {3, 3};
  static constexpr int kDashDot[] = {9, 6, 3, 6};
  static constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};
  switch (style) {
    case psDash: return kDash;
    case psDot: return kDot;
    case psDashDot: return kDashDot;
    case psDashDotDot: return kDashDotDot;
    default: return {};
  }
}

TThinLine::TThinLine(QImage& image, const QRect& clip, const TPen& pen)
    : m_bits(reinterpret_cast<std::uint32_t*>(image.bits())),
      m_stride(image.bytesPerLine() / 4),
      m_clip(clip & image.rect()),
      m_left(m_clip.left()),
      m_top(m_clip.top()),
      m_right(m_clip.right()),
      m_bottom(m_clip.bottom()),
      m_color(ToQRgb(pen.Color)),
      m_mode(pen.Mode) {
  const Pattern pattern = PatternOf(pen.Style);
  m_onMask = pattern.onMask;
  m_period = pattern.period;
  m_plain = m_period == 1 && m_mode == pmCopy;
}

inline void TThinLine::Plot(int x, int y) {
  const bool drawn = (m_onMask >> m_phase) & 1u;
  if (++m_phase == m_period) m_phase = 0;
  if (!drawn || x < m_left || x > m_right || y < m_top || y > m_bottom) {
    return;
  }
  std::uint32_t& pixel = m_bits[y * m_stride + x];
  switch (m_mode) {
    case pmXor: pixel ^= m_color & 0xFFFFFFu; break;
    case pmNotXor: pixel = (~(pixel ^ m_color) & 0xFFFFFFu) | 0xFF000000u; break;
    default: pixel = m_color; break;
  }
}

void TThinLine::Segment(TPoint from, TPoint to) {
  if (m_plain && Inside(from) && Inside(to)) {
    PlainInside(from, to);
    return;
  }
  const int dx = to.X - from.X;
  const int dy = to.Y - from.Y;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int length = std::max(std::abs(dx), std::abs(dy));
  if (length == 0 || m_clip.isEmpty()) {
    return;
  }
  // Only the steps whose major coordinate lies inside the clip are visited;
  // the pattern still advances over the others.
  const int majorStart = xMajor ? from.X : from.Y;
  const int direction = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const int low = xMajor ? m_clip.left() : m_clip.top();
  const int high = xMajor ? m_clip.right() : m_clip.bottom();
  const long long toLow = static_cast<long long>(low - majorStart) * direction;
  const long long toHigh = static_cast<long long>(high - majorStart) * direction;
  const long long first = std::max(0LL, std::min(toLow, toHigh));
  const long long last = std::min<long long>(length - 1, std::max(toLow, toHigh));
  if (first > last) {
    m_phase = static_cast<int>((m_phase + length) % m_period);
    return;
  }
  m_phase = static_cast<int>((m_phase + first) % m_period);
  if (m_plain && (dx == 0 || dy == 0)) {
    // A solid axis-parallel line (grid, frames, ticks) crossing the clip:
    // its part inside is a plain run.
    const int a = majorStart + static_cast<int>(first) * direction;
    const int end = majorStart + static_cast<int>(last + 1) * direction;
    if (dy == 0 && from.Y >= m_top && from.Y <= m_bottom) PlainInside({a, from.Y}, {end, from.Y});
    if (dx == 0 && from.X >= m_left && from.X <= m_right) PlainInside({from.X, a}, {from.X, end});
    return;
  }
  // The minor coordinate is start + delta * k / length rounded to the
  // nearest pixel, halves down: floor((2 * delta * k + length - 1) / (2 * length)).
  // It is carried step by step as quotient and remainder, without a division a pixel.
  const int minorStart = xMajor ? from.Y : from.X;
  const long long minorDelta = xMajor ? dy : dx;
  const long long divisor = 2LL * length;
  const long long step = 2 * minorDelta;
  long long numerator = step * first + length - 1;
  long long quotient = FloorDiv(numerator, divisor);
  long long remainder = numerator - quotient * divisor;
  int major = majorStart + static_cast<int>(first) * direction;
  // The major coordinate is inside the clip already.
  const int minorLow = xMajor ? m_top : m_left, minorHigh = xMajor ? m_bottom : m_right;
  const qsizetype majorStep = xMajor ? 1 : m_stride, minorStep = xMajor ? m_stride : 1;
  for (long long k = first; k <= last; ++k, major += direction) {
    const int minor = minorStart + static_cast<int>(quotient);
    if (m_plain) {
      if (minor >= minorLow && minor <= minorHigh) m_bits[major * majorStep + minor * minorStep] = m_color;
    } else if (xMajor) {
      Plot(major, minor);
    } else {
      Plot(minor, major);
    }
    // |step| <= divisor, so one correction keeps the remainder in range.
    remainder += step;
    if (remainder >= divisor) {
      remainder -= divisor;
      ++quotient;
    } else if (remainder < 0) {
      remainder += divisor;
      --quotient;
    }
  }
  m_phase = static_cast<int>((m_phase + (length - 1 - last)) % m_period);
}

void TThinLine::PlainInside(TPoint from, TPoint to) {
  const int dx = to.X - from.X, dy = to.Y - from.Y;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int length = std::max(std::abs(dx), std::abs(dy));
  // The minor coordinate of step k is start + floor((2 * delta * k + length - 1) / (2 * length)),
  // carried as an error term that grows by 2 * |delta| and moves the minor
  // coordinate one pixel each time it reaches 2 * length; no division.
  const int minorDelta = xMajor ? dy : dx;
  const qsizetype majorStep = xMajor ? 1 : m_stride, minorStep = xMajor ? m_stride : 1;
  const qsizetype advance = ((xMajor ? dx : dy) > 0 ? 1 : -1) * majorStep;
  const qsizetype minorAdvance = minorDelta > 0 ? minorStep : -minorStep;
  const long long divisor = 2LL * length, increment = 2LL * std::abs(minorDelta);
  // The rounding takes halves towards the smaller coordinate, so the error
  // starts one short of the divisor's half going down and at it going up.
  long long error = minorDelta > 0 ? length - 1 : length;
  std::uint32_t* pixel = m_bits + from.Y * m_stride + from.X;
  if (increment == 0) {
    // Axis-parallel (grid, frames, ticks): a plain run; a row is one span.
    if (advance == 1 || advance == -1) {
      FillSpan(advance == 1 ? pixel : pixel - (length - 1), length, m_color);
    } else {
      for (int k = 0; k < length; ++k, pixel += advance) *pixel = m_color;
    }
    return;
  }
  for (int k = 0; k < length; ++k) {
    *pixel = m_color;
    pixel += advance;
    error += increment;
    if (error >= divisor) {
      error -= divisor;
      pixel += minorAdvance;
    }
  }
}

}  // namespace kurvex
