#pragma once

#include <QFont>
#include <QHash>
#include <QIcon>
#include <QMap>
#include <QSet>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "platform/grid/GridColumn.h"
#include "platform/grid/GridEX.h"
#include "platform/grid/GridTypes.h"
#include "platform/grid/PrintSettings.h"

class QLabel;
class QModelIndex;

namespace db {
class Connection;
class Recordset;
}  // namespace db

namespace grid {

class GridEX;
class GridModel;
class GridView;
class GridNavigator;
class GroupByBox;

// One group row: its level, the number of records under it and the value they share.
struct GroupNode {
  int level = 0;
  int count = 0;
  Variant value;
  QString path;  // values of this and the enclosing groups, for keeping the expanded state
};

// The grid's state and logic behind the public GridEX interface: rows, columns, order, pending
// edit, appearance, and the widgets that show them.
class GridEngine {
 public:
  static constexpr int NoPending = -2;
  static constexpr int NewRecord = -1;

  explicit GridEngine(GridEX* owner);
  ~GridEngine();
  static GridEngine* of(const GridEX* grid) { return grid->d.get(); }

  GridEX* q;

  // ---- data ----
  DataMode mode = DataMode::Bound;
  QString connectionString;
  QString recordSource;
  std::unique_ptr<db::Connection> connection;
  std::unique_ptr<db::Recordset> recordset;
  int itemCount = 0;
  mutable std::vector<std::optional<std::vector<Variant>>> unboundRows;
  QString dropDownBoundKey;
  QString dropDownDisplayKey;
  mutable std::optional<QHash<QString, QString>> dropDownTexts;  // stored value -> shown text

  int recordCount() const;
  Variant storedValue(int record, const GridColumn* column) const;
  Variant cellValue(int record, const GridColumn* column) const;  // pending values included
  QString cellText(int record, const GridColumn* column) const;
  // The texts of a column's stored values (as groupText gives them), by record, made once for
  // finding and grouping.
  const std::vector<QString>& storedTexts(const GridColumn* column) const;
  void forgetTexts();
  mutable std::vector<std::optional<std::vector<QString>>> textCache;  // by column index - 1
  QString shownText(const Variant& value, const GridColumn* column) const;
  // The text that tells groups apart and heads them (check-box and icon columns included).
  QString groupText(const Variant& value, const GridColumn* column) const;
  const std::vector<Variant>& unboundRow(int record) const;

  void rebind();
  void clearData();
  // Finds each column's field in the records; the caller shows the columns again (resetModel).
  void mapColumns(QStringList* missing);
  // Layout columns whose key is not a field of the query: a GridError naming them.
  static void throwIfMissing(const QStringList& missing);
  void setItemCount(int count);

  // Drop-down use of this grid: the bound and display columns and the text shown for a value.
  GridColumn* dropDownBoundColumn() const;
  GridColumn* dropDownDisplayColumn() const;
  QString dropDownText(const Variant& value) const;
  void dropDownChanged();

  // ---- columns ----
  std::vector<std::unique_ptr<GridColumn>> columns;
  GridColumn* column(int index) const;
  GridColumn* columnByKey(const QString& key) const;
  GridColumn* appendColumn(const QString& key, const QString& caption, bool generated);
  void removeAllColumns();
  void columnChanged(GridColumn* column, bool layoutChange);
  int columnWidth(const GridColumn* column) const;
  int columnPosition(const GridColumn* column) const;
  void moveColumn(GridColumn* column, int position);
  void applyColumnsToView();
  // The header marks the first sort key's column with its direction.
  void showSortIndicator();
  std::vector<bool> generatedColumns;  // by column index - 1
  QStringList generatedFrom;           // the field names the generated columns were made for

  // ---- order, groups, display ----
  std::unique_ptr<SortKeyList> sortKeys;
  std::unique_ptr<SortKeyList> groupKeys;
  std::vector<int> order;    // records in sorted order
  std::vector<int> display;  // display rows: a record, or -(group node + 1)
  std::vector<GroupNode> groupNodes;
  std::vector<int> groupEntries;  // every group row and record in order, collapsed or not
  QSet<QString> toggledGroups;    // groups whose state differs from collapsedByDefault
  bool collapsedByDefault = false;
  bool orderDirty = false;
  std::optional<int> rowAfterOrder;  // the row the cursor goes to once the order is made

  void keysChanged(bool groups);
  void ensureOrder() const;
  void rebuildOrder(bool resort);
  void putOffOrder();
  // The value a record sorts by in a column: the shown text where a list gives the texts.
  Variant sortValue(int record, const GridColumn* column) const;
  // Whether the records already stand in the keys' order (equal ones by record number).
  bool inKeyOrder(const std::vector<SortKey>& keys) const;
  void sortOrder(const std::vector<SortKey>& keys);
  void buildGroups();
  void buildDisplay();
  void scheduleOrder();
  bool isGroupDisplay(int displayIndex) const;
  int recordAt(int displayIndex) const;  // -1 for a group row
  int displayOf(int record) const;       // -1 when not shown
  QString groupCaption(const GroupNode& node) const;
  bool groupCollapsed(const GroupNode& node) const;
  void setGroupCollapsed(int node, bool collapsed);
  bool find(int column, int condition, const Variant& value, int startRow, int direction);
  void expandGroupsAbove(size_t entry);

  // ---- current row and pending edit ----
  int pendingRecord = NoPending;
  std::vector<Variant> pendingValues;
  std::vector<bool> pendingChanged;
  bool committing = false;
  bool closingWindow = false;    // the row is being written because the grid's window closes
  int activeRecord = NoPending;  // the row a cell or row event is about, while it runs
  bool restoringCurrent = false;
  bool resetting = false;
  int trackedRecord = NoPending;  // record of the current row, kept across re-sorts
  int trackedColumn = -1;

  int currentDisplayRow() const;  // 1-based, -1 new-row line, 0 none
  int currentRecord() const;      // record, NewRecord for the new-row line, NoPending for none
  void setCurrentDisplayRow(int row);
  int currentColumn() const;
  void setCurrentColumn(int column);
  bool newRowShown() const;
  bool beginPending(int record);
  Variant value(int column) const;
  void setValue(int column, const Variant& value);
  // A value typed or chosen by the user: conversion, beforeColUpdate, afterColUpdate.
  bool acceptUserValue(int record, int column, const Variant& value);
  bool commitPending();
  void cancelPending();
  // Before the rows or columns are replaced: what was typed is written, or dropped when it cannot be.
  void settlePending();
  bool deleteCurrent();
  void onCurrentChanged(const QModelIndex& current, const QModelIndex& previous);

  // ---- appearance ----
  QMap<QString, FormatStyle> styles;
  QFont headerFont;
  QFont gridFont;
  quint32 headerForeColor = 0x80000012;
  quint32 foreColor = 0x80000008;
  quint32 backColor = 0x80000005;
  quint32 groupHeaderBackColor = 0x8000000F;
  bool gridLines = true;
  int gridLineStyle = LineSolid;
  bool columnAutoResize = false;
  bool fillWidth = false;
  double widthScale = 1.0;  // how much wider than their widths the columns are shown
  bool columnHeaders = true;
  bool rowHeaders = false;
  bool groupByBox = false;
  QString groupByBoxText;
  bool allowColumnDrag = true;
  bool navigator = false;
  QString navigatorString;
  int previewColumn = 0;
  int previewRowLines = 0;
  bool allowEdit = true;
  bool allowAddNew = false;
  bool allowDelete = false;
  bool newRowVisible = true;
  std::vector<QIcon> images;
  PrintSettings printSettings;

  void applyAppearance();
  void refreshView();
  void resetModel();
  void updateNavigator();

  // ---- widgets ----
  GridModel* model = nullptr;
  GridView* view = nullptr;
  GridNavigator* navigatorBar = nullptr;
  GroupByBox* groupBox = nullptr;
};

}  // namespace grid
