// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/linetable.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QScrollBar>
#include <QTreeView>

#include <algorithm>

namespace kurvex {

class TLineTable::Model : public QAbstractTableModel {
 public:
  Model(QObject* parent, const std::vector<std::string>& captions, TCellText cellText)
      : QAbstractTableModel(parent), m_cellText(std::move(cellText)) {
    for (const std::string& caption : captions) m_captions << QString::fromStdString(caption);
  }

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : m_rows; }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : m_captions.size(); }

  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    return QString::fromStdString(m_cellText(index.row(), index.column()));
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= m_captions.size()) return {};
    return m_captions[section];
  }

  void RowsChanged(int dropped, int added) {
    dropped = std::min(dropped, m_rows);
    if (dropped == m_rows && added > 0) {
      // Every row is new: one reset instead of two long changes.
      beginResetModel();
      m_rows = added;
      endResetModel();
      return;
    }
    if (dropped > 0) {
      beginRemoveRows({}, 0, dropped - 1);
      m_rows -= dropped;
      endRemoveRows();
    }
    if (added > 0) {
      beginInsertRows({}, m_rows, m_rows + added - 1);
      m_rows += added;
      endInsertRows();
    }
  }

  int Rows() const { return m_rows; }

 private:
  QStringList m_captions;
  TCellText m_cellText;
  int m_rows = 0;
};

namespace {
QTreeView* View(QWidget* widget) { return static_cast<QTreeView*>(widget); }
}  // namespace

TLineTable::TLineTable(TWinControl* parent, const std::vector<std::string>& columnCaptions, TCellText cellText)
    : TWinControl(new QTreeView, parent) {
  QTreeView* view = View(Widget());
  m_model = new Model(view, columnCaptions, std::move(cellText));
  view->setModel(m_model);
  view->setRootIsDecorated(false);
  view->setUniformRowHeights(true);  // a fast log must not measure every row
  view->setItemsExpandable(false);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->header()->setStretchLastSection(true);
}

TLineTable::~TLineTable() = default;

void TLineTable::RowsChanged(int dropped, int added) {
  QScrollBar* bar = View(Widget())->verticalScrollBar();
  const bool atEnd = bar->value() == bar->maximum();
  m_model->RowsChanged(dropped, added);
  if (atEnd) View(Widget())->scrollToBottom();
}

int TLineTable::RowCount() const { return m_model->Rows(); }

std::vector<int> TLineTable::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : View(Widget())->selectionModel()->selectedRows()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void TLineTable::SetColumnWidth(int column, int width) { View(Widget())->setColumnWidth(column, width); }

}  // namespace kurvex
