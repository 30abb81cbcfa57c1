#pragma once

#include <QTableView>

namespace grid {

class GridColumn;
class GridEngine;

// and the preview text painted under each row.
class GridView : public QTableView {
  Q_OBJECT
 public:
  explicit GridView(GridEngine* engine, QWidget* parent = nullptr);
  int rowBaseHeight() const;
  // Every row gets its height: the base height, and room for the preview text of a row that has one
  // (the new-row line too, while its pending values hold one). updateRowHeight does it for one row.
  void updateRowHeights();
  void updateRowHeight(int modelRow);
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
  // Tab past the last cell of the new row writes the row and goes on to the first cell of a fresh
  // new row.
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

 private:
  bool handleOwnKey(int keyCode);
  void toggleGroupAt(int modelRow);
  void paintGroupRows(QPainter& painter, int first, int last);
  void paintPreviewRows(QPainter& painter, int first, int last);
  // The column shown as preview rows; nullptr when the grid shows none.
  const GridColumn* previewColumn() const;
  // The preview text of a row, pending values included; empty for a group row.
  QString previewText(int modelRow) const;

  GridEngine* e;
};

}  // namespace grid
