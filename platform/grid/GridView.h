#pragma once

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLabel>
#include <QStyledItemDelegate>
#include <QPainter>
#include <QTableView>

namespace grid {

class GridEngine;
class GridColumn;

// The rows of a grid as a table: one model row per display row (records and group rows), plus the
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

// Cell painting and editors: text boxes limited to the field's size, lists for value-list and
// drop-down columns, check boxes, and the cell button.
class GridDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  explicit GridDelegate(GridEngine* engine, QObject* parent = nullptr);
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const override;

  static QRect buttonRect(const QRect& cell);
  // Whether the value just committed was refused (and clears the mark).
  bool takeRefusal();

 private:
  GridEngine* e;
  mutable bool m_refused = false;
  mutable QPersistentModelIndex m_pendingIndex;
  mutable QString m_pendingText;
};

// The table widget: keys in the program's codes, clicks on headers, group rows and cell buttons,
// and the preview text painted under each row.
class GridView : public QTableView {
  Q_OBJECT
 public:
  explicit GridView(GridEngine* engine, QWidget* parent = nullptr);
  int rowBaseHeight() const;
  void updateRowHeights();
  // Takes the value of an open cell editor and closes it.
  void commitOpenEditor();
  // Typing in the grid never jumps to a row by itself: the owner's find does that.
  void keyboardSearch(const QString&) override {}

 protected:
  // The current row stays selected: a click on the empty area below the rows, or Ctrl with a click
  // on the current row, does not take the highlight away from the row the commands act on.
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event = nullptr) const override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  // A grid that fills its width lays its columns out again when its width changes.
  bool viewportEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  bool handleOwnKey(int keyCode);
  void toggleGroupAt(int modelRow);
  void paintGroupRows(QPainter& painter, int first, int last);
  void paintPreviewRows(QPainter& painter, int first, int last);

  GridEngine* e;
};

// Column headers that can be dragged up onto the group-by box to group by that column.
class GridHeader : public QHeaderView {
  Q_OBJECT
 public:
  GridHeader(GridEngine* engine, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  GridEngine* e;
  int m_pressedSection = -1;
};

// The record navigator under the rows: label, first/previous/next/last, "position separator count".
class GridNavigator : public QWidget {
  Q_OBJECT
 public:
  explicit GridNavigator(GridEngine* engine, QWidget* parent = nullptr);
  void refresh();
  QString text() const;

 private:
  GridEngine* e;
  QLabel* m_label;
  QLabel* m_position;
};

// The group-by box above the rows: its text, and the grouped columns; a column header dropped on it
// becomes a group.
class GroupByBox : public QLabel {
  Q_OBJECT
 public:
  explicit GroupByBox(GridEngine* engine, QWidget* parent = nullptr);
  void refresh();

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  GridEngine* e;
};

}  // namespace grid
