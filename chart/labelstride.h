// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace kurvex {

/// The columns one horizontal label covers: Left included, Right excluded.
struct TLabelSpan {
  int Left = 0;
  int Right = 0;
};

/// How many labels to step from one shown label to the next so that shown
/// neighbours lie at least `gap` pixels apart: 1 when all fit, else the
/// smallest stride that makes every kept pair (the first label, then every
/// stride-th one) fit. Labels may run either way along the axis.
int LabelStride(const std::vector<TLabelSpan>& labels, int gap);

}  // namespace kurvex
