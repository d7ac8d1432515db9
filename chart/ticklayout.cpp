// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ticklayout.h"

#include <algorithm>
#include <cmath>

#include "chart/datetimescale.h"
#include "chart/tickformat.h"
#include "chart/timescale.h"

namespace kurvex {

namespace {

// Relative slack of log-scale comparisons, so a tick on a range end that
// is off by rounding still counts as inside. Ends typed into the window are
// single precision (0.1 is stored 1.5e-8 above 0.1), so the slack is wider
// than their rounding, and still far below a pixel on any axis of a decade.
constexpr long double kLogSlack = 1 - 1e-6L;

// Numbers the labelled ticks of one painting from 1 and turns their value
// texts into labels: user texts, inscripts or none.
class TTickLabeler {
 public:
  explicit TTickLabeler(const TTickParams& p) : m_p(p) {}
  /// `valueText` is only called when the number itself is shown.
  template <class ValueText>
  std::string Next(ValueText valueText) {
    ++m_count;
    if (m_p.LabelType == ftNoFigs) return {};
    if (m_p.LabelType == ftUserText) return UserTickItem(m_p.UserTickText, m_count);
    return ApplyInscript(valueText(), m_p.ScaleInscript);
  }

 private:
  const TTickParams& m_p;
  int m_count = 0;
};

// The first multiple of dist at or beyond low, with 0.1 % of dist tolerance.
long double FirstTick(long double dist, long double low) {
  const long double s = dist > 0 ? 1 : -1;
  long double first = (std::trunc(low / dist) - 1) * dist;
  while (s * (low - first) > 0.001L * std::fabs(dist)) first += dist;
  return first;
}

}  // namespace

TTickStep NiceTickStep(int minTicks, double high, double low) {
  const long double a = high, b = low;
  if (a == b) return {low, 0, 1};
  const long double s = b < a ? 1 : -1;
  const long double r = std::fabs(a - b) / minTicks;
  const long double l = std::log10(r);
  const long double f = l - std::trunc(l);
  long double dist;
  int nsub;
  if (std::fabs(f) < 1e-10L || std::fabs(f) > 0.9999999999L) {
    // An exact decade (up to rounding) keeps mantissa 1.
    dist = std::pow(10.0L, std::nearbyint(l));
    nsub = 5;
  } else {
    const long double e = std::floor(l);
    const long double fe = l - e;
    long double mantissa;
    if (fe < std::log10(2.0L) + 1e-10L) {
      mantissa = 1, nsub = 5;
    } else if (fe < std::log10(5.0L) + 1e-10L) {
      mantissa = 2, nsub = 4;
    } else {
      mantissa = 5, nsub = 5;
    }
    dist = mantissa * std::pow(10.0L, e);
  }
  dist *= s;
  return {static_cast<double>(FirstTick(dist, b)), static_cast<double>(dist), nsub};
}

TTickStep WholeNumberTickStep(const TTickStep& step, double low) {
  if (step.Dist == 0) return step;
  const double size = std::max(std::fabs(step.Dist), 1.0);
  const double dist = std::copysign(size, step.Dist);
  // A distance of 1, 2 or 5 is split into units at most; larger ones (1, 2
  // or 5 times a power of ten) keep their sub-intervals, which are whole.
  const int nsub = size >= step.NSub ? step.NSub : static_cast<int>(size);
  return {size == std::fabs(step.Dist) ? step.First : static_cast<double>(FirstTick(dist, low)), dist, nsub};
}

void LayoutLinearTicks(const TTickParams& p, TTickLayout& layout) {
  TTickStep step = NiceTickStep(p.MinTicks, p.High, p.Low);
  if (p.WholeNumbers) step = WholeNumberTickStep(step, p.Low);
  // An empty (or, for infinite ends, undefined) step would never leave the range.
  if (step.Dist == 0 || !std::isfinite(step.Dist) || !std::isfinite(step.First)) return;
  layout.EventBeforeLabel = p.Vertical;
  const long double d = p.High > p.Low ? 1 : -1;
  const long double sub = static_cast<long double>(step.Dist) / step.NSub;
  if (p.ShortTicks) {
    const long double start = static_cast<long double>(step.First) - step.Dist;
    for (int i = 0;; ++i) {
      const long double v = start + i * sub;
      if (d * v >= d * p.Low) layout.Marks.push_back({static_cast<double>(v), false, true, {}});
      if (d * (start + (i + 1) * sub - p.High) > 0.001L * std::fabs(sub)) break;
    }
  }
  // A range between two whole numbers has no labelled tick.
  if (d * (step.First - p.High) > 0.001L * std::fabs(step.Dist)) return;
  const int decimals = AutoDecimals(p.DecPlaces, p.High, p.Low);
  TTickLabeler labeler(p);
  for (int i = 0;; ++i) {
    const long double v = static_cast<long double>(step.First) + i * static_cast<long double>(step.Dist);
    const double value = static_cast<double>(v);
    layout.Marks.push_back({value, true, p.Vertical || !p.ShortTicks,
                            labeler.Next([&] { return LinearTickLabel(value, p.High, p.Low, decimals); })});
    if (d * (v + step.Dist - p.High) > 0.001L * std::fabs(step.Dist)) break;
  }
}

void LayoutLogTicks(const TTickParams& p, TTickLayout& layout) {
  const long double lo = std::min(p.Low, p.High), hi = std::max(p.Low, p.High);
  // Decades exist only between positive finite ends; anything else would
  // never reach the upper end.
  if (!(lo > 0) || !std::isfinite(hi)) return;
  const long double span = std::log10(static_cast<long double>(p.High) / p.Low);
  if (std::fabs(span) < 1) {
    LayoutLinearTicks(p, layout);
    return;
  }
  layout.EventBeforeLabel = true;
  const bool intermediate = p.MinTicks > std::fabs(span) + 0.5L;
  const int decimals = LogAutoDecimals(p.DecPlaces, static_cast<double>(lo), static_cast<double>(hi));
  TTickLabeler labeler(p);
  enum TKind { kDecade, kMultiple, kShort };
  auto tick = [&](long double v, TKind kind) {
    if (!(lo < v / kLogSlack && hi > kLogSlack * v)) return;
    const double value = static_cast<double>(v);
    std::string label;
    if (kind != kShort) {
      label = labeler.Next([&]() -> std::string {
        if (decimals != -3) return LogTickLabel(value, decimals, p.DecPlaces == -2);
        // Exponent labels: decades show their power of ten, 2 and 5 nothing.
        if (kind == kMultiple) return {};
        return std::to_string(std::llround(std::log10(v)));
      });
    }
    layout.Marks.push_back({value, kind != kShort, true, std::move(label)});
  };
  const long double base = std::pow(10.0L, std::floor(std::log10(lo * kLogSlack)));
  long double m = 1;
  do {
    const long double decade = base * m;
    tick(decade, kDecade);
    if (intermediate) {
      for (int k = 2; k <= 9; ++k) {
        if (k == 2 || k == 5)
          tick(k * decade, kMultiple);
        else if (p.ShortTicks)
          tick(k * decade, kShort);
      }
    }
    m *= 10;
  } while (!(hi < kLogSlack * base * m));
}

void LayoutTicks(const TTickParams& p, TTickLayout& layout) {
  layout.Clear();
  if (p.LabelType == ftDateTime) {
    LayoutDateTimeTicks(p, layout);
    return;
  }
  if (p.LabelType == ftTime && LayoutTimeTicks(p, layout)) return;
  if (p.Logarithmic)
    LayoutLogTicks(p, layout);
  else
    LayoutLinearTicks(p, layout);
}

}  // namespace kurvex
