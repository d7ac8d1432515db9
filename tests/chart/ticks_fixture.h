// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "chart/ticklayout.h"

namespace kurvex::test {

inline TTickLayout Layout(const TTickParams& p) {
  TTickLayout layout;
  LayoutTicks(p, layout);
  return layout;
}

/// The values of the labelled (long) ticks, or of the short ones.
inline std::vector<double> Values(const TTickLayout& layout, bool labelled) {
  std::vector<double> v;
  for (const TTickMark& m : layout.Marks)
    if (m.Long == labelled) v.push_back(m.Value);
  return v;
}

inline std::vector<std::string> Labels(const TTickLayout& layout) {
  std::vector<std::string> v;
  for (const TTickMark& m : layout.Marks)
    if (m.Long) v.push_back(m.Label);
  return v;
}

inline std::vector<double> Recorded(const TTickLayout& layout) {
  std::vector<double> v;
  for (const TTickMark& m : layout.Marks)
    if (m.Recorded) v.push_back(m.Value);
  return v;
}

}  // namespace kurvex::test
