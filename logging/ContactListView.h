#pragma once
// The contact list as a view over the in-memory log: it keeps a copy of the log as it was
// listed (a copy shares the contacts) and the slots listed, and makes a row's texts only when
// the row is drawn, so listing every contact of a large log costs what listing 20 does.

#include "logging/LogArrays.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QTreeView>

#include <optional>
#include <vector>

class ContactRows : public QAbstractTableModel {
  Q_OBJECT
public:
  using QAbstractTableModel::QAbstractTableModel;
  void show(const LogArrays &log, std::vector<int> listed);
  // Sorted once by the column's text without regard to case ("10" before "9"); equal texts
  // keep their order.
  void sortByColumn(int column);
  QString text(int row, int column) const;

  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  bool setHeaderData(int section, Qt::Orientation orientation, const QVariant &value, int role) override;

private:
  LogArrays log_;
  std::vector<int> slots_;
  QStringList headers_;
};

class ContactListView : public QTreeView {
  Q_OBJECT
public:
  explicit ContactListView(QWidget *parent = nullptr);
  ContactRows &rows() { return rows_; }
  int rowCount() const { return rows_.rowCount(); }
  int columnCount() const { return rows_.columnCount(); }
  QString text(int row, int column) const { return rows_.text(row, column); }
  QStringList headers() const;
  void clear() { rows_.show({}, {}); }
  void selectRow(int row);
  std::optional<int> selectedRow() const;

private:
  ContactRows rows_;
};
