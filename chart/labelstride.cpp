// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/labelstride.h"

namespace kurvex {

namespace {

bool Apart(const TLabelSpan& a, const TLabelSpan& b, int gap) {
  return a.Right + gap <= b.Left || b.Right + gap <= a.Left;
}

bool StrideFits(const std::vector<TLabelSpan>& labels, int stride, int gap) {
  for (std::size_t i = 0; i + stride < labels.size(); i += stride)
    if (!Apart(labels[i], labels[i + stride], gap)) return false;
  return true;
}

}  // namespace

int LabelStride(const std::vector<TLabelSpan>& labels, int gap) {
  int stride = 1;
  // A stride past the last label keeps the first alone, which always fits.
  while (!StrideFits(labels, stride, gap)) ++stride;
  return stride;
}

}  // namespace kurvex
