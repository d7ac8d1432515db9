// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/closer/closerfigures.h"
#include "app/closer/closertexts.h"
#include "intake/intakestate.h"
#include "platform/windows/control.h"
#include "platform/windows/label.h"

namespace kurvex {

/// The closer look's figures of several curves: a header row with the
/// captions of each curve's own figures (kCurveFigures) and a row per curve,
/// its label in its colour, then its values, each labelled by its column's
/// caption. Columns beyond the panel's width go on in a block below, the
/// curves' labels again at its left. Labels are made when first needed and
/// kept for the next time.
class TCurveTable {
 public:
  explicit TCurveTable(TWinControl& panel) : m_panel(panel) {}

  /// The rows of `curves`, in their order (none hides the table); true when
  /// other curves have rows now, so the table needs laying out again.
  bool SetCurves(const std::vector<TCurveFigures>& curves);
  bool Shown() const { return !m_curves.empty(); }
  /// Places the table from `top` in a panel `width` wide, rows `rowHeight`
  /// apart, `inset` from its sides; returns the height it takes.
  int LayOut(int top, int width, int rowHeight, int inset);
  /// The values of the curves whose rows are shown, as SetCurves gave them.
  void ShowFigures(const TCloserFigures& figures);

  /// Made with the first row.
  TLabel& Caption(TFigure figure) { return *m_captions[Column(figure)]; }
  /// Null for a curve that never had a row.
  TLabel* Value(TFigure figure, std::size_t curve) { return m_rows[curve].Values[Column(figure)].get(); }

 private:
  static constexpr std::size_t kColumns = std::size(kCurveFigures);
  struct TRow {
    std::vector<std::unique_ptr<TLabel>> Names;  // one per block
    std::array<std::unique_ptr<TLabel>, kColumns> Values;
    std::string Label;            // as its names show it
    std::optional<TColor> Color;
  };
  static std::size_t Column(TFigure figure);
  void MakeRow(std::size_t curve);
  /// The curve's label at the left of block `block`, made when first needed.
  TLabel& Name(std::size_t curve, std::size_t block);
  void ShowRow(std::size_t curve, bool shown);

  TWinControl& m_panel;
  std::array<std::unique_ptr<TLabel>, kColumns> m_captions;
  std::array<TRow, kMaxCurves> m_rows;
  std::vector<std::size_t> m_curves;  // of the rows shown, in order
  std::size_t m_blocks = 0;           // as laid out last
};

}  // namespace kurvex
