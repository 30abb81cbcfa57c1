#pragma once

#include <QAbstractTableModel>

namespace grid {

class GridEngine;

// new-row line at the end when it shows. Cell values come from the engine on demand.
class GridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit GridModel(GridEngine* engine, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  void reset();
  void rowChanged(int modelRow);
  // A record written from the new-row line joins the display rows, just above that line.
  void appendDisplayRow(int record);
  void columnsChanged();
  // Record of a model row: a record number, GridEngine::NewRecord, or -2 for a group row.
  int recordOfRow(int modelRow) const;

 private:
  GridEngine* e;
};

}  // namespace grid
