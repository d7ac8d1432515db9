// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/closer/curvetable.h"

#include <algorithm>
#include <string>

#include "platform/system/localeformat.h"

namespace kurvex {

namespace {

// A column as wide as its caption, and at least as a value with a short unit;
// the curves' labels in a column of their own.
constexpr int kValueWidth = 92, kNameWidth = 72, kGap = 6;

}  // namespace

std::size_t TCurveTable::Column(TFigure figure) {
  return static_cast<std::size_t>(std::find(std::begin(kCurveFigures), std::end(kCurveFigures), figure) -
                                  std::begin(kCurveFigures));
}

bool TCurveTable::SetCurves(const std::vector<TCurveFigures>& curves) {
  std::vector<std::size_t> shown;
  for (const TCurveFigures& c : curves) shown.push_back(c.Curve);
  const bool changed = shown != m_curves;
  if (changed) {
    for (std::size_t curve : m_curves) ShowRow(curve, false);
    m_curves = std::move(shown);
    for (std::size_t curve : m_curves) MakeRow(curve);
    for (std::size_t curve : m_curves) ShowRow(curve, true);
    for (auto& caption : m_captions)
      if (caption) caption->SetVisible(Shown());
  }
  for (const TCurveFigures& c : curves) {
    TRow& row = m_rows[c.Curve];
    row.Label = c.Label;
    for (auto& name : row.Names) name->SetCaption(c.Label);
    if (row.Color == c.Color) continue;
    row.Color = c.Color;
    for (auto& name : row.Names) name->SetFontColor(c.Color);
  }
  return changed;
}

void TCurveTable::MakeRow(std::size_t curve) {
  TRow& row = m_rows[curve];
  if (row.Values[0]) return;
  for (std::size_t i = 0; i < kColumns; ++i) {
    auto& caption = m_captions[i];
    if (!caption) {
      caption = std::make_unique<TLabel>(&m_panel);
      caption->SetName(std::string(FigureName(kCurveFigures[i])) + "ColumnCaption");
      caption->SetCaption(FigureCaption(kCurveFigures[i]));
    }
    auto& value = row.Values[i];
    value = std::make_unique<TLabel>(&m_panel);
    value->SetName(FigureName(kCurveFigures[i]) + std::string("Value") + std::to_string(curve + 1));
    value->SetAutoSize(false);
    value->SetLabelledBy(*caption);
  }
}

TLabel& TCurveTable::Name(std::size_t curve, std::size_t block) {
  TRow& row = m_rows[curve];
  while (row.Names.size() <= block) {
    auto name = std::make_unique<TLabel>(&m_panel);
    const std::size_t made = row.Names.size();
    name->SetName("CurveName" + std::to_string(curve + 1) + (made == 0 ? "" : "Block" + std::to_string(made + 1)));
    name->SetAutoSize(false);
    name->SetCaption(row.Label);
    if (row.Color) name->SetFontColor(*row.Color);
    row.Names.push_back(std::move(name));
  }
  return *row.Names[block];
}

void TCurveTable::ShowRow(std::size_t curve, bool shown) {
  TRow& row = m_rows[curve];
  for (std::size_t b = 0; b < row.Names.size(); ++b) row.Names[b]->SetVisible(shown && b < m_blocks);
  for (auto& value : row.Values) value->SetVisible(shown);
}

int TCurveTable::LayOut(int top, int width, int rowHeight, int inset) {
  if (!Shown()) {
    m_blocks = 0;
    return 0;
  }
  const int first = inset + kNameWidth + kGap;
  const int blockHeight = static_cast<int>(m_curves.size() + 1) * rowHeight;
  // Each column's block, left edge and width; a block's last column reaches the panel's inset.
  std::array<std::size_t, kColumns> blocks{};
  std::array<int, kColumns> lefts{}, widths{};
  std::size_t block = 0;
  int x = first;
  for (std::size_t i = 0; i < kColumns; ++i) {
    const int columnWidth = std::max(m_captions[i]->Width(), kValueWidth);
    if (x > first && x + columnWidth > width - inset) {
      widths[i - 1] = std::max(widths[i - 1], width - inset - lefts[i - 1]);
      ++block;
      x = first;
    }
    blocks[i] = block, lefts[i] = x, widths[i] = columnWidth;
    x += columnWidth + kGap;
  }
  widths[kColumns - 1] = std::max(widths[kColumns - 1], width - inset - lefts[kColumns - 1]);
  for (std::size_t i = 0; i < kColumns; ++i) {
    const int blockTop = top + static_cast<int>(blocks[i]) * blockHeight;
    TLabel& caption = *m_captions[i];
    caption.SetBounds(lefts[i], blockTop, caption.Width(), caption.Height());
    for (std::size_t r = 0; r < m_curves.size(); ++r)
      m_rows[m_curves[r]].Values[i]->SetBounds(lefts[i], blockTop + static_cast<int>(r + 1) * rowHeight, widths[i],
                                               rowHeight - 1);
  }
  m_blocks = block + 1;
  for (std::size_t r = 0; r < m_curves.size(); ++r) {
    const std::size_t curve = m_curves[r];
    for (std::size_t b = 0; b < m_blocks; ++b)
      Name(curve, b).SetBounds(inset, top + static_cast<int>(b) * blockHeight + static_cast<int>(r + 1) * rowHeight,
                               kNameWidth, rowHeight - 1);
    ShowRow(curve, true);
  }
  return static_cast<int>(m_blocks) * blockHeight;
}

void TCurveTable::ShowFigures(const TCloserFigures& figures) {
  const char separator = DecimalSeparator();
  for (const TCurveFigures& c : figures.Curves) {
    TRow& row = m_rows[c.Curve];
    if (!row.Values[0]) continue;
    for (std::size_t i = 0; i < kColumns; ++i)
      row.Values[i]->SetCaption(CurveFigureText(kCurveFigures[i], c, figures, separator));
  }
}

}  // namespace kurvex
