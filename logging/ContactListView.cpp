#include "logging/ContactListView.h"

#include "logging/ContactList.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include <algorithm>

void ContactRows::show(const LogArrays &log, std::vector<int> listed) {
  beginResetModel();
  log_ = log;
  slots_ = std::move(listed);
  endResetModel();
}

void ContactRows::sortByColumn(int column) {
  std::vector<std::pair<QString, int>> keyed; // a row's text and its row before the sort
  keyed.reserve(slots_.size());
  for (size_t row = 0; row < slots_.size(); ++row)
    keyed.emplace_back(listCell(log_, slots_[row], column), static_cast<int>(row));
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) {
    return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
  });
  // The selected row stays selected where it lands.
  emit layoutAboutToBeChanged();
  std::vector<int> sorted(slots_.size());
  std::vector<int> newRow(slots_.size());
  for (size_t i = 0; i < keyed.size(); ++i) {
    sorted[i] = slots_[static_cast<size_t>(keyed[i].second)];
    newRow[static_cast<size_t>(keyed[i].second)] = static_cast<int>(i);
  }
  slots_ = std::move(sorted);
  for (const QModelIndex &from : persistentIndexList())
    changePersistentIndex(from, index(newRow[static_cast<size_t>(from.row())], from.column()));
  emit layoutChanged();
}

QString ContactRows::text(int row, int column) const {
  if (row < 0 || row >= rowCount())
    return QString();
  return listCell(log_, slots_[static_cast<size_t>(row)], column);
}

int ContactRows::rowCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : static_cast<int>(slots_.size());
}

int ContactRows::columnCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : kListColumns;
}

QVariant ContactRows::data(const QModelIndex &index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
    return {};
  return text(index.row(), index.column());
}

QVariant ContactRows::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return {};
  return headers_.value(section);
}

bool ContactRows::setHeaderData(int section, Qt::Orientation orientation, const QVariant &value, int role) {
  if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::EditRole) || section < 0 ||
      section >= kListColumns)
    return false;
  while (headers_.size() <= section)
    headers_ << QString();
  headers_[section] = value.toString();
  emit headerDataChanged(orientation, section, section);
  return true;
}

ContactListView::ContactListView(QWidget *parent) : QTreeView(parent) {
  setModel(&rows_);
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
}

QStringList ContactListView::headers() const {
  QStringList out;
  for (int c = 0; c < columnCount(); ++c)
    out << rows_.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
  return out;
}

void ContactListView::selectRow(int row) {
  selectionModel()->select(rows_.index(row, 0),
                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

std::optional<int> ContactListView::selectedRow() const {
  const QModelIndexList selected = selectionModel()->selectedRows();
  if (selected.isEmpty())
    return std::nullopt;
  return selected.first().row();
}
