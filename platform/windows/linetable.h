// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/windows/control.h"

namespace kurvex {

/// A read-only table whose rows come at its end and leave from its front,
/// as the lines of a log do. It holds no texts: a cell's text is asked for
/// only while the cell is shown, so a long or fast log costs the table no
/// more than its visible rows. Whole rows are selected. GUI thread only.
class TLineTable : public TWinControl {
 public:
  /// The text of a cell; row 0 is the oldest row.
  using TCellText = std::function<std::string(int row, int column)>;

  TLineTable(TWinControl* parent, const std::vector<std::string>& columnCaptions, TCellText cellText);
  ~TLineTable() override;

  /// The rows changed: `dropped` left the front and `added` came at the
  /// end. A view at the end stays at the end.
  void RowsChanged(int dropped, int added);
  int RowCount() const;
  /// The selected rows, oldest first.
  std::vector<int> SelectedRows() const;
  void SetColumnWidth(int column, int width);

 private:
  class Model;
  Model* m_model;  // owned by the widget
};

}  // namespace kurvex
